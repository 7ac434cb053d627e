#include <gtest/gtest.h>

#include <algorithm>

#include "core/frame_protocol.h"
#include "support/link_harness.h"

using namespace tuner;
using namespace tuner::testing;

namespace {

std::vector<uint8_t> commands(const std::vector<FrameImage>& frames) {
    std::vector<uint8_t> out;
    for (const FrameImage& f : frames) out.push_back(f[hid_frame::command]);
    return out;
}

// The frames of one whole-state read: name, configuration, EQ 0..9, general, effect.
const std::vector<uint8_t> kReadAll = {9, 12, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 8, 7};

bool payloads_equal(const ParamImage& a, const ParamImage& b) {
    for (std::size_t i = 0; i < 12; ++i)
        if (!std::equal(a.frame(i).begin() + 8, a.frame(i).begin() + 164, b.frame(i).begin() + 8)) return false;
    return true;
}

}  // namespace

TEST(DeviceMatch, EitherPairIdentifiesTheUnit) {
    EXPECT_TRUE(hid_device_matches({"a", 0x1111, 0x2222, 0xFF00, 0x55AA}));
    EXPECT_TRUE(hid_device_matches({"b", 0x8888, 0x1234, 0x0001, 0x0006}));
    EXPECT_FALSE(hid_device_matches({"c", 0x1111, 0x2222, 0xFF01, 0x55AA}));
    EXPECT_FALSE(hid_device_matches({"d", 0x8888, 0x1235, 0xFF00, 0x55AB}));
}

TEST(DeviceLinkTest, ConnectsAndReadsTheWholeState) {
    LinkHarness h;
    h.unit.other_interfaces.push_back({"/dev/hidraw0", 0x046D, 0xC52B, 0x0001, 0x0002});
    ASSERT_TRUE(h.connect(1));
    EXPECT_FALSE(h.ui.scan_timer_on);
    EXPECT_EQ(h.s.cpu_connect_state, 1);

    const auto frames = h.frames_since(0);
    ASSERT_EQ(frames.size(), 1 + kReadAll.size());
    EXPECT_EQ(frames[0][hid_frame::command], kCpuInfoRequestCommand);
    EXPECT_EQ(frames[0][hid_frame::RWS], rws::R);
    EXPECT_EQ(commands(h.frames_since(1)), kReadAll);
    for (uint8_t ch = 0; ch < 10; ++ch) EXPECT_EQ(frames[3 + ch][eq_frame::EQ_CH], ch);

    // Information block and its copies.
    EXPECT_EQ(h.s.cpu_version, (std::array<uint8_t, 3>{2, 5, 7}));
    EXPECT_EQ(h.s.eq_band_count[2], 10);
    EXPECT_EQ(h.s.cpu_version_m, 0x8102);
    // The whole state arrived.
    EXPECT_TRUE(payloads_equal(h.s.param_image, h.unit.image));
    EXPECT_EQ(h.s.bt_name_rx_copy, "Unit Name");
    EXPECT_EQ(h.s.audio_mode_config, h.unit.audio_mode_config);
    EXPECT_EQ(h.s.cpu_state.cpu_mode_index, 1);
    // The window was arranged, locked during the read and released.
    const auto& c = h.ui.calls;
    const auto at = [&](const std::string& name) { return std::find(c.begin(), c.end(), name) - c.begin(); };
    EXPECT_LT(at("display_model_layout"), at("model_r27_layout"));
    EXPECT_LT(at("model_r27_layout"), at("disable_main_window"));
    EXPECT_TRUE(h.ui.main_window_enabled);
    EXPECT_EQ(h.s.wait_busy, 0);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 1);
    EXPECT_EQ(h.s.hid_wait_reply, 0);
    EXPECT_TRUE(h.ui.has_debug_line("  设备找到了！"));
    EXPECT_TRUE(h.ui.has_debug_line(" 设备联接成功"));
    EXPECT_TRUE(h.ui.has_debug_line("======================hid_buff_rec_cpu_info_pro"));
    // A late search tick changes nothing.
    scan_timer_tick(h.link);
    EXPECT_EQ(h.frames_since(0).size(), frames.size());
}

TEST(DeviceLinkTest, SearchCountsMissesAndLeavesStandbyOnTheSixth) {
    LinkHarness h;
    h.unit.plugged = false;
    h.s.cpu_state.cpu_music_input = 1;  // not ready
    for (int i = 0; i < 5; ++i) h.tick();
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 1);
    h.tick();
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 20);
    EXPECT_EQ(h.s.cpu_state.cpu_power_on, 1);
    h.s.cpu_state.cpu_power_on = 0;
    for (int i = 0; i < 300; ++i) h.tick();
    EXPECT_EQ(h.s.hid_not_found_cou, 255);
    EXPECT_EQ(h.s.cpu_state.cpu_power_on, 0);  // only once per run of misses
    EXPECT_TRUE(h.ui.has_debug_line(" 没有找到设备。"));

    // An idle search does nothing even with the unit present.
    h.unit.plugged = true;
    h.s.cpu_search_active = 0;
    h.tick();
    EXPECT_EQ(h.unit.open_handle_count(), 0);
    EXPECT_EQ(h.s.hid_not_found_cou, 255);
}

TEST(DeviceLinkTest, FailedConnectStepIsRetriedOnTheOpenDevice) {
    LinkHarness h;
    h.unit.silent = 1;
    h.tick();
    EXPECT_TRUE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2);
    EXPECT_TRUE(h.ui.scan_timer_on);
    const HidHandle first = h.s.hid_handle;
    ASSERT_TRUE(h.connect(1));
    EXPECT_EQ(h.s.hid_handle, first);  // no new search, no new open
    EXPECT_EQ(h.unit.open_handle_count(), 1);
}

TEST(DeviceLinkTest, DropsAfterFiveRejectedReadsAndReconnects) {
    LinkHarness h;
    ASSERT_TRUE(h.connect());
    h.s.cpu_state.cpu_busy = 1;
    h.unit.silent = -1;
    for (int i = 0; i < 9; ++i) h.tick();  // send, read ... the fifth read fails
    EXPECT_TRUE(h.s.hid_device_detected);
    h.tick();
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2);
    EXPECT_TRUE(h.ui.scan_timer_on);
    EXPECT_EQ(h.ui.scan_interval_ms, 500);
    EXPECT_FALSE(h.ui.send_timer_on);
    EXPECT_EQ(h.s.hid_handle, kNoHidHandle);
    EXPECT_EQ(h.unit.open_handle_count(), 0);
    EXPECT_EQ(h.s.cpu_state.cpu_busy, 0);  // no progress wait left hanging
    EXPECT_TRUE(h.ui.has_debug_line("设备 = pc_offline_call"));

    // Back again: the whole state is read once more.
    h.unit.silent = 0;
    h.unit.image.gen[gen_frame::music_vol] = 99;
    const std::size_t mark = h.unit.received.size();
    ASSERT_TRUE(h.connect());
    EXPECT_EQ(commands(h.frames_since(mark + 1)), kReadAll);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol], 99);

    // A silent unit drops again: the miss count started afresh on the new open.
    h.unit.silent = -1;
    for (int i = 0; i < 10 && h.s.hid_device_detected; ++i) h.tick();
    EXPECT_FALSE(h.s.hid_device_detected);
}

TEST(DeviceLinkTest, AValidFifthReplyKeepsTheLink) {
    LinkHarness h;
    ASSERT_TRUE(h.connect());
    h.unit.corrupt_checksum = 4;
    for (int i = 0; i < 10; ++i) h.tick();
    EXPECT_TRUE(link_connected(h.s));
    EXPECT_EQ(h.s.hid_rx_miss_cou, 0);
}

TEST(DeviceLinkTest, CorruptAndRepeatedFramesAreIgnored) {
    LinkHarness h;
    ASSERT_TRUE(h.connect());
    const uint8_t old_vol = h.s.param_image.eff[eff_frame::echo_a_vol];
    h.unit.image.eff[eff_frame::echo_a_vol] = 3;
    // The repeat comes first: it repeats the counter of an accepted frame.
    int SimulatedUnit::*faults[] = {&SimulatedUnit::repeat_counter, &SimulatedUnit::corrupt_checksum,
                                    &SimulatedUnit::wrong_end_byte};
    for (auto fault : faults) {
        h.unit.*fault = 1;
        h.s.hid_poll_index = 0;  // the next poll asks for the effect frame
        h.tick();
        h.tick();
        EXPECT_EQ(h.s.param_image.eff[eff_frame::echo_a_vol], old_vol);
    }
    EXPECT_EQ(h.s.hid_rx_miss_cou, 3);
    h.s.hid_poll_index = 0;
    h.tick();
    h.tick();
    EXPECT_EQ(h.s.param_image.eff[eff_frame::echo_a_vol], 3);
    EXPECT_EQ(h.s.hid_rx_miss_cou, 0);
}

TEST(DeviceLinkTest, UnplugDuringTheWholeStateReadStopsItAndReplugConnects) {
    LinkHarness h;
    h.unit.on_write = [&](const FrameImage& f) {
        if (f[hid_frame::command] == cmd::eq && f[eq_frame::EQ_CH] == 3) h.unit.unplug();
    };
    h.tick();
    h.unit.on_write = nullptr;
    // Five rejected reads dropped the link; nothing more went out.
    EXPECT_EQ(h.frames_since(0).size(), 1u + 6u);
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_FALSE(h.ui.send_timer_on);
    EXPECT_TRUE(h.ui.scan_timer_on);
    EXPECT_TRUE(h.ui.main_window_enabled);
    EXPECT_EQ(h.s.wait_busy, 0);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 0);

    h.tick();
    EXPECT_FALSE(h.s.hid_device_detected);
    h.unit.replug("/dev/hidraw7");
    ASSERT_TRUE(h.connect());
    EXPECT_EQ(h.s.cpu_connect_state, 1);
    EXPECT_TRUE(payloads_equal(h.s.param_image, h.unit.image));
}

TEST(DeviceLinkTest, TicksArrivingDuringAWaitDoNothing) {
    LinkHarness h;
    int nested = 0;
    h.pump.on_events = [&] {
        ++nested;
        scan_timer_tick(h.link);
        send_timer_tick(h.link);
    };
    ASSERT_TRUE(h.connect(1));
    EXPECT_GT(nested, 0);
    EXPECT_EQ(h.frames_since(0).size(), 1 + kReadAll.size());
}

TEST(DeviceLinkTest, MissingPermissionIsReportedOnce) {
    LinkHarness h;
    h.unit.deny_permission = true;
    for (int i = 0; i < 3; ++i) h.tick();
    const auto hint = permission_hint_line("/dev/hidraw3");
    EXPECT_EQ(std::count(h.ui.debug_lines.begin(), h.ui.debug_lines.end(), hint), 1);
    EXPECT_NE(hint.find("70-veltrana-tuner.rules"), std::string::npos);
    EXPECT_FALSE(h.s.hid_device_detected);
}

TEST(DeviceLinkTest, UnsupportedProtocolEndsTheProgram) {
    for (const uint8_t version : {9, 7}) {
        LinkHarness h;
        h.s.Language = version == 9 ? 1 : 0;
        h.unit.info[cpu_info_byte::cpu_protocol_version] = version;
        h.tick();
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0], version == 9
                                        ? "Please update the computer tuning software to support this product!"
                                        : "请更新CPU软件才能支持本调音软件!");
        EXPECT_TRUE(h.ui.program_ended);
        EXPECT_FALSE(link_connected(h.s));
        EXPECT_EQ(h.unit.open_handle_count(), 0);
        EXPECT_FALSE(h.ui.scan_timer_on);
        EXPECT_FALSE(h.ui.send_timer_on);
    }
}
