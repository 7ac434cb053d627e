#include "core/frame_protocol.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "core/utf8.h"

namespace tuner {

namespace hf = hid_frame;

namespace {

// Payload of the name and configuration frames: 40 bytes from byte 8.
constexpr std::size_t kBlock40 = 40;

void zero_frame(FrameImage& f) { f.fill(0); }

// Fetches the unit's current report into a cleared hid_buff. Nothing is
// read through a closed or missing handle.
void fetch_report(DeviceLink& link) {
    zero_frame(link.s.hid_buff);
    if (link.s.hid_handle != kNoHidHandle) link.hid.read_report(link.s.hid_handle, link.s.hid_buff);
}

// A read that brought no acceptable frame. The fifth one in a row drops the link.
void count_miss(DeviceLink& link) {
    AppState& s = link.s;
    if (s.hid_rx_miss_cou < 255) ++s.hid_rx_miss_cou;
    if (s.hid_rx_miss_cou == kMaxMissedReads) pc_offline_call(link);
}

// The unit asks for a wait (byte 253, tenths of a second); the request is consumed.
void take_busy_time(DeviceLink& link) {
    uint8_t& busy = link.s.hid_buff[hf::busy_time];
    if (busy == 0) return;
    link.ui.display_wait_youxian_x100ms(busy);
    busy = 0;
}

void store_frame(DeviceLink& link, FrameImage& image) {
    image = link.s.hid_buff;
    param_range_check(link.s.param_image);
    link.ui.set_all_dis();
}

void put_block40(FrameImage& buff, const std::array<uint8_t, kBlock40>& block) {
    std::copy(block.begin(), block.end(), buff.begin() + hf::payload);
}

}  // namespace

uint8_t frame_checksum(const FrameImage& f) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < hf::CHECK; ++i) sum += f[i];
    return static_cast<uint8_t>(sum & 0xFF);
}

void frame_stamp(FrameImage& f, uint8_t counter, uint8_t command, uint8_t rws) {
    f[hf::report_id] = 0;
    std::copy(std::begin(hf::start_code_bytes), std::end(hf::start_code_bytes), f.begin() + hf::start_code);
    f[hf::hid_byte_cmd_inc_cou_1] = counter;
    f[hf::command] = command;
    f[hf::RWS] = rws;
    f[hf::hid_byte_cmd_inc_cou_2] = counter;
    f[hf::end] = hf::end_byte;
    f[hf::CHECK] = frame_checksum(f);
}

FrameCheck frame_check(const FrameImage& f, uint8_t last_counter, bool check_byte_3) {
    const auto start_ok = [&f](std::size_t i) { return f[hf::start_code + i] == hf::start_code_bytes[i]; };
    if (!start_ok(0) || !start_ok(1) || !start_ok(3) || (check_byte_3 && !start_ok(2))) return FrameCheck::BadStartCode;
    if (f[hf::end] != hf::end_byte) return FrameCheck::BadEndByte;
    if (f[hf::CHECK] != frame_checksum(f)) return FrameCheck::BadChecksum;
    if (f[hf::hid_byte_cmd_inc_cou_1] == last_counter) return FrameCheck::RepeatedCounter;
    if (f[hf::hid_byte_cmd_inc_cou_1] != f[hf::hid_byte_cmd_inc_cou_2]) return FrameCheck::CounterMismatch;
    return FrameCheck::Ok;
}

bool hid_send_frame(DeviceLink& link, uint8_t command, uint8_t rws) {
    AppState& s = link.s;
    s.hid_tx_cou = static_cast<uint8_t>(s.hid_tx_cou + 1);  // 255 wraps to 0
    // The headers of the first EQ, general and effect images follow every
    // send: a saved parameter file carries them and its check reads them.
    const auto stamp_image = [&](FrameImage& img, uint8_t own_command) {
        std::copy(std::begin(hf::start_code_bytes), std::end(hf::start_code_bytes), img.begin() + hf::start_code);
        img[hf::hid_byte_cmd_inc_cou_1] = s.hid_tx_cou;
        img[hf::hid_byte_cmd_inc_cou_2] = s.hid_tx_cou;
        img[hf::command] = own_command;
        img[hf::end] = hf::end_byte;
    };
    stamp_image(s.param_image.gen, cmd::gen);
    stamp_image(s.param_image.eff, cmd::effect);
    stamp_image(s.param_image.eq[0], cmd::eq);

    frame_stamp(s.hid_buff, s.hid_tx_cou, command, rws);
    const bool sent = s.hid_handle != kNoHidHandle && link.hid.write_report(s.hid_handle, s.hid_buff);
    s.hid_wait_reply = sent ? 1 : 0;
    std::fill(s.hid_buff.begin(), s.hid_buff.begin() + hf::end, 0);
    s.hid_buff[hf::end] = hf::end_byte;
    if (!sent) count_miss(link);  // may drop the link
    return sent;
}

uint8_t i_hid_read_all_cmd(DeviceLink& link) {
    AppState& s = link.s;
    fetch_report(link);
    if (frame_check(s.hid_buff, s.hid_rx_cou_last, false) != FrameCheck::Ok) {
        count_miss(link);
        return 0;
    }
    s.hid_rx_cou_last = s.hid_buff[hf::hid_byte_cmd_inc_cou_1];
    s.hid_rx_miss_cou = 0;
    take_busy_time(link);

    const uint8_t command = s.hid_buff[hf::command];
    const uint8_t frame_rws = s.hid_buff[hf::RWS];
    // Name, configuration and EEPROM-mode frames carry no live status.
    const bool carries_status =
        !(command >= 1 && command <= 5) && command != cmd::bt_name && command != cmd::audio_mode_config;
    if (carries_status) cpu_state_store(link);

    if (command == cmd::eeprom_mode) {
        link.ui.debug_line(
            "收到命令为i_hid_cmd_read_write_eeprom_audio_mode 后cpu_to_pc_display_read_eeprom_audio_mode_index=");
    } else if (frame_rws == rws::S) {
        switch (command) {
            case cmd::bt_name: hid_rec_bt_name(link); break;
            case cmd::audio_mode_config: hid_rec_audio_mode_config(link); break;
            case cmd::eq: {
                const uint8_t ch = s.hid_buff[eq_frame::EQ_CH];
                if (ch < kEqChannels) store_frame(link, s.param_image.eq[ch]);
                break;
            }
            case cmd::gen: store_frame(link, s.param_image.gen); break;
            case cmd::effect: store_frame(link, s.param_image.eff); break;
            default: break;
        }
    }
    for (std::size_t i : {0, 1, 3}) s.hid_buff[hf::start_code + i] = 0;
    s.hid_buff[hf::end] = 0;
    return 1;
}

uint8_t i_hid_read_1_cmd(DeviceLink& link, uint8_t expected_command) {
    AppState& s = link.s;
    fetch_report(link);
    // The whole frame, checksum included, is checked before it counts. A
    // unit that answers with another command has not answered this request.
    const bool answered = frame_check(s.hid_buff, s.hid_rx_cou_last, true) == FrameCheck::Ok &&
                          s.hid_buff[hf::command] == expected_command;
    if (answered)
        s.hid_rx_miss_cou = 0;
    else
        count_miss(link);
    // The unit's wait request counts whenever the frame arrived whole (its
    // checksum fits), even if the frame does not answer this request.
    if (s.hid_buff[hf::CHECK] == frame_checksum(s.hid_buff)) take_busy_time(link);
    return answered ? 1 : 0;
}

void cpu_state_store(DeviceLink& link) {
    const FrameImage& f = link.s.hid_buff;
    CpuState& st = link.s.cpu_state;
    std::copy(f.begin() + 164, f.begin() + 177, st.status_bytes.begin());
    std::copy(f.begin() + 177, f.begin() + 241, st.status_block.begin());
    st.cpu_busy = f[241];
    st.cpu_power_on = f[242];
    st.status_244 = f[244];
    st.status_250 = f[250];
    st.cpu_mode_index = f[251];
    st.cpu_music_input = f[252];
    st.busy_time = f[253];

    const uint16_t version_r = static_cast<uint16_t>(f[246] * 256u + f[247]);
    const uint16_t version_p = static_cast<uint16_t>(f[248] * 256u + f[249]);
    const bool version_changed = st.status_243 != f[243] || st.cpu_version_s != f[245] ||
                                 st.cpu_version_r != version_r || st.cpu_version_p != version_p;
    st.status_243 = f[243];
    st.cpu_version_s = f[245];
    st.cpu_version_r = version_r;
    st.cpu_version_p = version_p;
    if (version_changed) link.ui.display_version_line();
}

bool hid_buff_rec_cpu_info_pro(DeviceLink& link) {
    AppState& s = link.s;
    namespace b = cpu_info_byte;
    link.ui.debug_line("======================hid_buff_rec_cpu_info_pro");
    std::copy(s.hid_buff.begin(), s.hid_buff.begin() + s.cpu_info.size(), s.cpu_info.begin());
    s.cpu_version_m = static_cast<uint16_t>(s.cpu_info[b::cpu_version_m] * 256u + s.cpu_info[b::cpu_version_m + 1]);

    const uint8_t version = s.cpu_info[b::cpu_protocol_version];
    if (version != kSupportedProtocolVersion) {
        const bool chinese = !english(s);
        std::string text;
        if (version > kSupportedProtocolVersion)
            text = chinese ? "请更新电脑调音软件才能支持此产品!"
                           : "Please update the computer tuning software to support this product!";
        else
            text = chinese ? "请更新CPU软件才能支持本调音软件!"
                           : "Please update the CPU software to support this tuning software!";
        link.ui.message_box(text, "", MessageIcon::None);
        link.ui.end_program();
        return false;
    }
    std::copy_n(s.cpu_info.begin() + b::cpu_version, s.cpu_version.size(), s.cpu_version.begin());
    std::copy_n(s.cpu_info.begin() + b::eq_band_count, s.eq_band_count.size(), s.eq_band_count.begin());
    return true;
}

void hid_rec_bt_name(DeviceLink& link) {
    AppState& s = link.s;
    std::copy_n(s.hid_buff.begin() + hf::payload, kBlock40, s.bt_name_rx.begin());
    // Untrusted bytes: at most 40, up to the first zero, invalid UTF-8 replaced.
    s.bt_name_rx_copy = utf8_decode(std::span<const uint8_t>(s.bt_name_rx));
    link.ui.set_read_cpu_bt_name(s.bt_name_rx_copy);
    link.ui.set_all_dis();
}

void hid_rec_audio_mode_config(DeviceLink& link) {
    AppState& s = link.s;
    std::copy_n(s.hid_buff.begin() + hf::payload, kBlock40, s.audio_mode_config.begin());
    link.ui.set_all_dis();
    link.ui.set_dis_audio_mode_config();
}

bool i_hid_pc_tx_eq_cmd(DeviceLink& link, uint8_t ch, uint8_t rws) {
    AppState& s = link.s;
    if (ch >= kEqChannels) return false;
    for (std::size_t i = 0; i < kEqChannels; ++i) s.param_image.eq[i][eq_frame::EQ_CH] = static_cast<uint8_t>(i);
    s.param_image.eq[ch][hf::RWS] = rws;
    s.hid_buff = s.param_image.eq[ch];
    return hid_send_frame(link, cmd::eq, rws);
}

bool i_hid_pc_tx_gen_cmd(DeviceLink& link, uint8_t rws) {
    FrameImage& gen = link.s.param_image.gen;
    gen[gen_frame::vol_power_on_read_eeprom_function_en] = 1;
    gen[hf::RWS] = rws;
    link.s.hid_buff = gen;
    if (!hid_send_frame(link, cmd::gen, rws)) return false;
    // An input change goes out once; afterwards the unit keeps its input.
    if (rws == rws::W) gen[gen_frame::music_input_sel] = 255;
    return true;
}

bool i_hid_pc_tx_effect_cmd(DeviceLink& link, uint8_t rws) {
    FrameImage& eff = link.s.param_image.eff;
    eff[hf::RWS] = rws;
    link.s.hid_buff = eff;
    return hid_send_frame(link, cmd::effect, rws);
}

// The name and configuration frames carry only their 40 bytes; the rest of
// the frame is sent as zeros. The debug lines list frames that went out: a
// refused write, which goes again later, leaves none.
static bool send_block40(DeviceLink& link, uint8_t command, const std::array<uint8_t, 40>& block, uint8_t rws,
                         const char* written_line) {
    zero_frame(link.s.hid_buff);
    put_block40(link.s.hid_buff, block);
    const bool sent = hid_send_frame(link, command, rws);
    if (sent && rws == rws::W) link.ui.debug_line(written_line);
    return sent;
}

bool i_hid_pc_tx_read_write_bt_name(DeviceLink& link, uint8_t rws) {
    return send_block40(link, cmd::bt_name, link.s.bt_name_tx, rws, "i_hid_cmd_pc_tx_req_read_wrtie_bt_name  RWS=W");
}

bool i_hid_pc_tx_read_write_audio_mode_config(DeviceLink& link, uint8_t rws) {
    return send_block40(link, cmd::audio_mode_config, link.s.audio_mode_config, rws,
                        "i_hid_cmd_read_wrtie_audio_mode_config  RWS=W");
}

bool i_hid_pc_tx_cpu_test_cmd(DeviceLink& link, uint8_t rws) {
    AppState& s = link.s;
    for (int i = 0; i < kTestBoxes; ++i)
        s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(i)] =
            cpu_test_value_from_text(link.ui.cpu_test_data_text(i));
    s.hid_buff = s.cpu_test_data;
    const bool sent = hid_send_frame(link, cmd::cpu_test, rws);
    if (sent && rws == rws::W) link.ui.debug_line("i_hid_pc_tx_cpu_test_cmd  RWS=W");
    return sent;
}

uint8_t cpu_test_value_from_text(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return 0;
    const auto last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;  // from_chars takes a minus sign only
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    // Anything after the digits makes it no number, however long they are.
    if (ptr != end) return 0;
    if (ec == std::errc::result_out_of_range) return *begin == '-' ? 0 : 255;
    if (ec != std::errc()) return 0;
    return static_cast<uint8_t>(std::clamp<long long>(value, 0, 255));
}

}  // namespace tuner
