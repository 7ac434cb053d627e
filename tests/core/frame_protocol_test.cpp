#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/frame_protocol.h"
#include "image_match.h"
#include "support/link_harness.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::IsEmpty;

namespace {

using Bytes = std::initializer_list<std::pair<std::size_t, uint8_t>>;

// A frame from the unit with some bytes set after it is stamped; the checksum fits.
FrameImage unit_frame(uint8_t counter, uint8_t command, uint8_t rws_value, Bytes bytes = {}) {
    FrameImage f{};
    frame_stamp(f, counter, command, rws_value);
    for (const auto& [at, value] : bytes) f[at] = value;
    f[hid_frame::CHECK] = frame_checksum(f);
    return f;
}

// An open device whose replies are exact frames queued by the test.
struct Protocol : ::testing::Test {
    Protocol() {
        s.hid_handle = h.unit.open(h.unit.interface_info.path, nullptr);
        s.hid_device_detected = true;
        s.cpu_connect_state = 1;
    }
    uint8_t feed(const FrameImage& f) {
        h.unit.scripted.push_back(f);
        return i_hid_read_all_cmd(h.link);
    }
    uint8_t feed_connect_reader(const FrameImage& f) {
        h.unit.scripted.push_back(f);
        return i_hid_read_1_cmd(h.link, kCpuInfoRequestCommand);
    }
    const FrameImage& sent() const { return h.unit.received.back(); }

    LinkHarness h;
    AppState& s = h.s;
    RecordingWindowServices& ui = h.ui;
};

}  // namespace

TEST_F(Protocol, SentFrameIsPinnedAndCountersWrap) {
    s.hid_buff[8] = 1;
    hid_send_frame(h.link, cmd::power, rws::W);
    const uint8_t head[9] = {0x00, 0xA5, 0x5A, 0x01, 0xFB, 0x01, 0x0B, 0x01, 0x01};
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(sent()[i], head[i]) << "header offset " << i;
    EXPECT_EQ(sent()[hid_frame::hid_byte_cmd_inc_cou_2], 1) << "counter copy";
    EXPECT_EQ(sent()[hid_frame::CHECK], 0x0A) << "checksum 0x20A, low byte";
    EXPECT_EQ(sent()[hid_frame::end], 0xFF);
    EXPECT_EQ(std::count(s.hid_buff.begin(), s.hid_buff.end(), 0), 256);  // cleared but for the end byte

    s.hid_tx_cou = 253;
    std::vector<uint8_t> counters;
    for (int i = 0; i < 4; ++i) hid_send_frame(h.link, cmd::power, rws::W), counters.push_back(sent()[5]);
    EXPECT_EQ(counters, (std::vector<uint8_t>{254, 255, 0, 1}));
    // The first EQ, general and effect images carry the header of every send.
    const ParamImage& p = s.param_image;
    EXPECT_EQ(p.gen[hid_frame::hid_byte_cmd_inc_cou_2], 1);
    EXPECT_EQ(p.eff[hid_frame::hid_byte_cmd_inc_cou_2], 1);
    EXPECT_EQ(p.eq[0][hid_frame::hid_byte_cmd_inc_cou_2], 1);
    EXPECT_EQ(p.gen[hid_frame::command], cmd::gen);
    EXPECT_EQ(p.eq[1][hid_frame::command], 0) << "only the first EQ image";
}

// Bad checksum, end byte, counter copy or start code, and a repeat of the last accepted counter: rejected, counted as
// misses, nothing stored. The connect reader also takes a valid frame of another command as a miss, asks for no wait,
// and keeps the counter of the frame it accepts.
TEST_F(Protocol, ReadersRejectBadFrames) {
    const FrameImage good = unit_frame(7, cmd::gen, rws::S, {{gen_frame::music_vol, 55}});
    const std::pair<std::size_t, const char*> faults[] = {
        {hid_frame::CHECK, "checksum"}, {hid_frame::end, "end byte"}, {254, "counter copy"}, {2, "start code"}};
    for (const auto& [at, what] : faults) {
        FrameImage f = good;
        f[at] ^= 0x21;
        if (at != hid_frame::CHECK) f[hid_frame::CHECK] = frame_checksum(f);
        EXPECT_EQ(feed(f), 0) << "a bad " << what;
    }
    EXPECT_EQ(s.hid_rx_miss_cou, 4);
    EXPECT_NE(s.param_image.gen[gen_frame::music_vol], 55);
    EXPECT_EQ(feed(good), 1);
    EXPECT_EQ(s.hid_rx_miss_cou, 0);
    s.param_image.gen[gen_frame::music_vol] = 1;
    EXPECT_EQ(feed(good), 0);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 1);
    EXPECT_EQ(s.hid_rx_cou_last, 7);

    // Byte 3 counts only for the connect reader.
    EXPECT_EQ(feed_connect_reader(unit_frame(9, kCpuInfoRequestCommand, rws::S, {{3, 2}})), 0);
    EXPECT_EQ(feed(unit_frame(9, cmd::gen, rws::S, {{3, 2}})), 1);

    s.hid_rx_cou_last = 253, ui.calls.clear();  // as after an open
    EXPECT_EQ(feed_connect_reader(unit_frame(10, cmd::gen, rws::S, {{253, 4}})), 0);
    EXPECT_EQ(s.hid_rx_miss_cou, 1);
    EXPECT_THAT(ui.calls, IsEmpty());
    EXPECT_EQ(feed_connect_reader(unit_frame(10, kCpuInfoRequestCommand, rws::S)), 1);
    EXPECT_EQ(s.hid_rx_miss_cou, 0);
    EXPECT_EQ(s.hid_rx_cou_last, 253);
    EXPECT_EQ(feed(unit_frame(253, cmd::gen, rws::S)), 0);  // the one counter a first frame may not carry
}

TEST_F(Protocol, DataFramesAreStoredClampedAndOthersOnlyGiveStatus) {
    // music_vol_abs_max 0 is clamped to 128; the busy time asks for a wait and is consumed. Status: input 9 (byte 252),
    // busy time 15 (253), version 0x9001 (246, 247; high byte above 127 stays positive).
    const Bytes data = {
        {gen_frame::music_vol_abs_max, 0}, {gen_frame::music_vol, 77}, {252, 9}, {253, 15}, {246, 0x90}, {247, 1}};
    EXPECT_EQ(feed(unit_frame(1, cmd::gen, rws::S, data)), 1);
    const auto& g = s.param_image.gen;
    EXPECT_EQ(g[gen_frame::music_vol], 77);
    EXPECT_EQ(g[gen_frame::music_vol_abs_max], 128);
    EXPECT_EQ(g[hid_frame::busy_time], 0);
    EXPECT_EQ(s.cpu_state.busy_time, 0);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 9);
    EXPECT_EQ(s.cpu_state.cpu_version_r, 0x9001);
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"display_wait_youxian_x100ms(15)", "display_version_line", "set_all_dis"}));

    // A write acknowledgement refreshes the status only (the version unchanged: no new line).
    ui.calls.clear();
    EXPECT_EQ(feed(unit_frame(2, cmd::gen, rws::W, {{gen_frame::music_vol, 5}, {252, 11}, {246, 0x90}, {247, 1}})), 1);
    EXPECT_EQ(g[gen_frame::music_vol], 77);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 11);
    EXPECT_THAT(ui.calls, IsEmpty());

    // An EQ frame for channel 12 is accepted but stored nowhere.
    const ParamImage before = s.param_image;
    EXPECT_EQ(feed(unit_frame(3, cmd::eq, rws::S, {{eq_frame::EQ_CH, 12}})), 1);
    EXPECT_TRUE(same_image(s.param_image, before));
}

TEST_F(Protocol, BluetoothNameFromTheUnitIsDecodedSafely) {
    // No status is taken from a name frame.
    EXPECT_EQ(feed(unit_frame(1, cmd::bt_name, rws::S, {{8, 'K'}, {9, 0xC3}, {10, 0xA4}, {11, 'r'}, {241, 3}})), 1);
    EXPECT_EQ(ui.read_cpu_bt_name, "K\xC3\xA4r");
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);

    // 40 bytes without a zero, with invalid sequences, and a byte beyond the block.
    FrameImage f{};
    for (int i = 0; i < 40; ++i) f[8 + i] = (i % 7 == 0) ? 0xFF : 'a';
    f[48] = 'Z';
    frame_stamp(f, 2, cmd::bt_name, rws::S);
    feed(f);
    EXPECT_EQ(s.bt_name_rx_copy.find('Z'), std::string::npos);
    EXPECT_NE(s.bt_name_rx_copy.find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD
}

TEST_F(Protocol, TestPanelNumbers) {
    // Not a number (a long number with more after it neither): 0; above 255: 255 (the frame: the send service's tests).
    for (const char* text : {"", "  ", "abc", "12x", "-4", "99999999999999999999x", "-99999999999999999999x",
                             "-99999999999999999999", "+", "-"})
        EXPECT_EQ(cpu_test_value_from_text(text), 0) << text;
    for (const char* text : {"+255", "300", "99999999999999999999999"})
        EXPECT_EQ(cpu_test_value_from_text(text), 255) << text;
    EXPECT_EQ(cpu_test_value_from_text(" 17 "), 17);
}

// Replies to the EEPROM mode command (recall, save, reset share command 5) carry no live status: their zero status
// bytes must not show the unit in standby on input 0, nor clear its mode or busy flag.
TEST_F(Protocol, EepromModeRepliesLeaveTheLiveStatus) {
    ASSERT_EQ(feed(unit_frame(1, cmd::gen, rws::S, {{241, 1}, {242, 1}, {251, 3}, {252, 6}})), 1);
    uint8_t counter = 2;
    for (const uint8_t reply : {rws::W, rws::S, rws::R}) {
        SCOPED_TRACE("reply RWS " + std::to_string(reply));
        ASSERT_EQ(feed(unit_frame(counter++, cmd::eeprom_mode, reply)), 1);
        EXPECT_EQ(int{s.cpu_state.cpu_power_on}, 1) << "power";
        EXPECT_EQ(int{s.cpu_state.cpu_music_input}, 6) << "music input";
        EXPECT_EQ(int{s.cpu_state.cpu_mode_index}, 3) << "mode index";
        EXPECT_EQ(int{s.cpu_state.cpu_busy}, 1) << "busy";
    }
}
