#include <gtest/gtest.h>

#include "core/frame_protocol.h"
#include "support/fake_clock.h"
#include "support/recording_window_services.h"
#include "support/scripted_transport.h"

using namespace tuner;
using namespace tuner::testing;

namespace {

struct Protocol : ::testing::Test {
    Protocol() {
        s.hid_handle = 1;
        s.hid_device_detected = true;
        s.cpu_connect_state = 1;
        s.Language = 1;
    }
    // A valid frame from the unit.
    static FrameImage unit_frame(uint8_t counter, uint8_t command, uint8_t rws_value, uint8_t busy_time = 0) {
        FrameImage f{};
        f[hid_frame::busy_time] = busy_time;
        frame_stamp(f, counter, command, rws_value);
        return f;
    }
    uint8_t feed(const FrameImage& f) {
        hid.inputs.push_back(f);
        return i_hid_read_all_cmd(link);
    }

    AppState s;
    ScriptedTransport hid;
    RecordingWindowServices ui{s};
    FakeClock clock;
    FakePump pump{clock};
    DeviceLink link{s, hid, ui, clock, pump};
};

}  // namespace

TEST_F(Protocol, PowerFrameBytesArePinned) {
    s.hid_buff.fill(0);
    s.hid_buff[8] = 1;
    hid_send_frame(link, cmd::power, rws::W);
    ASSERT_EQ(hid.written.size(), 1u);
    const FrameImage& f = hid.written[0];
    const uint8_t head[9] = {0x00, 0xA5, 0x5A, 0x01, 0xFB, 0x01, 0x0B, 0x01, 0x01};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(f[i], head[i]) << "byte " << i;
    EXPECT_EQ(f[254], 0x01);
    EXPECT_EQ(f[255], 0x0A);  // 0x20A: sum of bytes 0..254
    EXPECT_EQ(f[256], 0xFF);
    EXPECT_EQ(s.hid_wait_reply, 1);
    // The buffer is cleared after the send, end byte kept.
    for (std::size_t i = 0; i < 256; ++i) ASSERT_EQ(s.hid_buff[i], 0);
    EXPECT_EQ(s.hid_buff[256], 0xFF);
}

TEST_F(Protocol, CounterWrapsAndStampsTheThreeImages) {
    s.hid_tx_cou = 253;
    std::vector<uint8_t> counters;
    for (int i = 0; i < 4; ++i) {
        hid_send_frame(link, cmd::power, rws::W);
        counters.push_back(hid.written.back()[5]);
    }
    EXPECT_EQ(counters, (std::vector<uint8_t>{254, 255, 0, 1}));
    EXPECT_EQ(s.param_image.gen[6], cmd::gen);
    EXPECT_EQ(s.param_image.eff[6], cmd::effect);
    EXPECT_EQ(s.param_image.eq[0][6], cmd::eq);
    EXPECT_EQ(s.param_image.gen[254], 1);
    EXPECT_EQ(s.param_image.eff[256], 0xFF);
    EXPECT_EQ(s.param_image.eq[1][6], 0);  // the other EQ images are left alone
}

TEST_F(Protocol, ChecksRejectBadFrames) {
    const FrameImage good = unit_frame(7, cmd::gen, rws::S);
    EXPECT_EQ(frame_check(good, 253, true), FrameCheck::Ok);
    EXPECT_EQ(frame_check(good, 7, true), FrameCheck::RepeatedCounter);
    FrameImage f = good;
    f[255] ^= 1;
    EXPECT_EQ(frame_check(f, 253, true), FrameCheck::BadChecksum);
    f = good;
    f[256] = 0;
    EXPECT_EQ(frame_check(f, 253, true), FrameCheck::BadEndByte);
    f = good;
    f[254] = 8;
    f[255] = frame_checksum(f);
    EXPECT_EQ(frame_check(f, 253, true), FrameCheck::CounterMismatch);
    // Byte 3 counts only for the connect reader.
    f = good;
    f[3] = 0x02;
    f[255] = frame_checksum(f);
    EXPECT_EQ(frame_check(f, 253, false), FrameCheck::Ok);
    EXPECT_EQ(frame_check(f, 253, true), FrameCheck::BadStartCode);
}

TEST_F(Protocol, ReadOneRejectsACorruptChecksumWithoutClearingMisses) {
    s.hid_rx_miss_cou = 3;
    FrameImage f = unit_frame(9, kCpuInfoRequestCommand, rws::S);
    f[255] ^= 0xFF;
    hid.inputs.push_back(f);
    EXPECT_EQ(i_hid_read_1_cmd(link, kCpuInfoRequestCommand), 0);
    EXPECT_EQ(s.hid_rx_miss_cou, 4);
    // A valid frame of another command clears the misses but is not the answer.
    hid.inputs.push_back(unit_frame(9, cmd::gen, rws::S));
    EXPECT_EQ(i_hid_read_1_cmd(link, kCpuInfoRequestCommand), 0);
    EXPECT_EQ(s.hid_rx_miss_cou, 0);
    EXPECT_EQ(s.hid_rx_cou_last, 253);  // the connect reader keeps the counter
}

TEST_F(Protocol, DataFramesAreStoredClampedAndOthersOnlyGiveStatus) {
    FrameImage gen = unit_frame(1, cmd::gen, rws::S);
    gen[gen_frame::music_vol_abs_max] = 0;  // clamped to 128
    gen[gen_frame::music_vol] = 77;
    gen[252] = 9;
    gen[255] = frame_checksum(gen);
    EXPECT_EQ(feed(gen), 1);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 77);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol_abs_max], 128);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 9);
    EXPECT_EQ(ui.count("set_all_dis"), 1);

    // A write acknowledgement refreshes the status only.
    FrameImage ack = unit_frame(2, cmd::gen, rws::W);
    ack[gen_frame::music_vol] = 5;
    ack[252] = 11;
    ack[255] = frame_checksum(ack);
    EXPECT_EQ(feed(ack), 1);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 77);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 11);

    // An EQ frame for channel 12 is accepted but stored nowhere.
    FrameImage eq = unit_frame(3, cmd::eq, rws::S);
    eq[eq_frame::EQ_CH] = 12;
    eq[255] = frame_checksum(eq);
    const ParamImage before = s.param_image;
    EXPECT_EQ(feed(eq), 1);
    EXPECT_EQ(s.param_image, before);
    EXPECT_EQ(s.hid_rx_cou_last, 3);

    // The same counter again is dropped.
    EXPECT_EQ(feed(eq), 0);
    EXPECT_EQ(s.hid_rx_miss_cou, 1);

    EXPECT_EQ(feed(unit_frame(4, cmd::eeprom_mode, rws::W)), 1);
    EXPECT_TRUE(ui.has_debug_line(
        "收到命令为i_hid_cmd_read_write_eeprom_audio_mode 后cpu_to_pc_display_read_eeprom_audio_mode_index="));
}

TEST_F(Protocol, BusyTimeAsksForAWaitAndIsConsumed) {
    EXPECT_EQ(feed(unit_frame(1, cmd::effect, rws::S, 15)), 1);
    EXPECT_EQ(ui.count("display_wait_youxian_x100ms(15)"), 1);
    EXPECT_EQ(s.param_image.eff[hid_frame::busy_time], 0);
    EXPECT_EQ(s.cpu_state.busy_time, 0);
}

TEST_F(Protocol, BluetoothNameFromTheUnitIsDecodedSafely) {
    FrameImage f = unit_frame(1, cmd::bt_name, rws::S);
    const char name[] = "K\xC3\xA4raoke";
    std::copy(name, name + sizeof(name) - 1, f.begin() + 8);
    f[241] = 3;  // no status is taken from a name frame
    f[255] = frame_checksum(f);
    EXPECT_EQ(feed(f), 1);
    EXPECT_EQ(ui.read_cpu_bt_name, "K\xC3\xA4raoke");
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);

    // 40 bytes without a zero, with invalid sequences, and bytes beyond the block.
    FrameImage bad = unit_frame(2, cmd::bt_name, rws::S);
    for (int i = 0; i < 40; ++i) bad[8 + i] = (i % 7 == 0) ? 0xFF : 'a';
    bad[48] = 'Z';
    bad[255] = frame_checksum(bad);
    EXPECT_EQ(feed(bad), 1);
    EXPECT_EQ(s.bt_name_rx_copy.find('Z'), std::string::npos);
    EXPECT_NE(s.bt_name_rx_copy.find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD
}

TEST_F(Protocol, VersionLineRefreshesOnlyWhenAVersionByteChanges) {
    FrameImage f = unit_frame(1, cmd::gen, rws::W);
    f[246] = 0x90;  // high byte above 127 stays positive
    f[247] = 0x01;
    f[255] = frame_checksum(f);
    feed(f);
    EXPECT_EQ(s.cpu_state.cpu_version_r, 0x9001);
    EXPECT_EQ(ui.count("display_version_line"), 1);
    f[5] = f[254] = 2;
    f[255] = frame_checksum(f);
    feed(f);
    EXPECT_EQ(ui.count("display_version_line"), 1);
}

TEST_F(Protocol, SendersPrepareTheirImages) {
    s.param_image.gen[gen_frame::music_input_sel] = 4;
    s.param_image.gen[gen_frame::vol_power_on_read_eeprom_function_en] = 0;
    i_hid_pc_tx_gen_cmd(link, rws::W);
    EXPECT_EQ(hid.written.back()[gen_frame::music_input_sel], 4);
    EXPECT_EQ(hid.written.back()[gen_frame::vol_power_on_read_eeprom_function_en], 1);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_input_sel], 255);

    i_hid_pc_tx_eq_cmd(link, 4, rws::R);
    EXPECT_EQ(hid.written.back()[eq_frame::EQ_CH], 4);
    EXPECT_EQ(hid.written.back()[7], rws::R);
    for (uint8_t ch = 0; ch < 10; ++ch) EXPECT_EQ(s.param_image.eq[ch][eq_frame::EQ_CH], ch);
    const std::size_t sent = hid.written.size();
    i_hid_pc_tx_eq_cmd(link, 10, rws::W);  // no such channel
    EXPECT_EQ(hid.written.size(), sent);
}

TEST_F(Protocol, TestPanelNumbers) {
    EXPECT_EQ(cpu_test_value_from_text(""), 0);
    EXPECT_EQ(cpu_test_value_from_text("  "), 0);
    EXPECT_EQ(cpu_test_value_from_text("abc"), 0);
    EXPECT_EQ(cpu_test_value_from_text("12x"), 0);
    EXPECT_EQ(cpu_test_value_from_text("-4"), 0);
    EXPECT_EQ(cpu_test_value_from_text(" 17 "), 17);
    EXPECT_EQ(cpu_test_value_from_text("+255"), 255);
    EXPECT_EQ(cpu_test_value_from_text("300"), 255);
    EXPECT_EQ(cpu_test_value_from_text("99999999999999999999999"), 255);
    ui.test_texts = {"300", "", "abc", "1", "2", "3", "4", "5", "6", "7"};
    s.cpu_test_data[8] = 1;
    i_hid_pc_tx_cpu_test_cmd(link, rws::W);
    const FrameImage& f = hid.written.back();
    EXPECT_EQ(f[6], cmd::cpu_test);
    EXPECT_EQ(f[8], 1);
    EXPECT_EQ(f[9], 255);
    EXPECT_EQ(f[10], 0);
    EXPECT_EQ(f[11], 0);
    EXPECT_EQ(f[18], 7);
    EXPECT_TRUE(ui.has_debug_line("i_hid_pc_tx_cpu_test_cmd  RWS=W"));
}
