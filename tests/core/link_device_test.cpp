#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/device_version.h"
#include "core/frame_protocol.h"
#include "image_match.h"
#include "support/link_harness.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// One whole-state read: name, configuration, EQ 0..9, general, effect.
std::vector<std::string> read_all() {
    std::vector<std::string> names = {"9/0", "12/0"};
    for (int ch = 0; ch < 10; ++ch) names.push_back("6." + std::to_string(ch) + "/0");
    names.insert(names.end(), {"8/0", "7/0"});
    return names;
}

// Answers every read with `answer` and keeps what was written.
struct OneAnswer : HidTransport {
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError*) override { return 1; }
    bool write_report(HidHandle, const HidReport& r) override { return written = r, true; }
    bool read_report(HidHandle, HidReport& r) override { return r = answer, true; }
    void close(HidHandle) override {}
    HidReport written{}, answer{};
};

}  // namespace

// The unit's usage page and usage, or its vendor and product ids; half a match is none.
TEST(DeviceLink, MatchRule) {
    EXPECT_TRUE(hid_device_matches({"a", 0x1111, 0x2222, 0xFF00, 0x55AA}));
    EXPECT_TRUE(hid_device_matches({"b", 0x8888, 0x1234, 0x0001, 0x0006}));
    EXPECT_FALSE(hid_device_matches({"c", 0x1111, 0x2222, 0xFF01, 0x55AA}));
    EXPECT_FALSE(hid_device_matches({"d", 0x8888, 0x1235, 0xFF00, 0x55AB}));
}

// Timer ticks that arrive during the connect's waits do nothing.
TEST(DeviceLink, ConnectsAndReadsTheWholeState) {
    LinkHarness h;
    std::vector<int> times;  // the clock at every write and read
    h.unit.on_write = [&](const FrameImage&) { times.push_back(h.time.t); };
    h.unit.on_read = [&] { times.push_back(h.time.t); };
    int nested = 0;
    h.time.on_events = [&] { ++nested, scan_timer_tick(h.link), send_timer_tick(h.link); };
    ASSERT_TRUE(h.connect(1));
    EXPECT_GT(nested, 0);

    // The information request (a read request of command 10), then the whole-state read.
    EXPECT_EQ(h.names_since(0).front(), "10/0");
    EXPECT_EQ(h.names_since(1), read_all());
    // Waits around each answer of the whole-state read.
    std::vector<int> gaps, expected_gaps = {10, 5, 10, 5};
    for (std::size_t i = 3; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    for (int ch = 0; ch < 10; ++ch) expected_gaps.insert(expected_gaps.end(), {20, 20});
    expected_gaps.insert(expected_gaps.end(), {10, 5, 10});
    EXPECT_EQ(gaps, expected_gaps);

    // The connect step, the switch to connected and the read, in order.
    std::vector<std::string> expected = {
        "display_model_layout", "model_r27_layout", "set_all_dis", "scan_timer_stop",           "set_all_dis",
        "disable_main_window",  "set_all_dis",      "set_all_dis", "set_dis_audio_mode_config", "display_version_line"};
    expected.insert(expected.end(), 12, "set_all_dis");  // EQ 0..9, general, effect
    expected.insert(expected.end(), {"enable_main_window", "set_all_dis", "set_all_dis", "set_dis_audio_mode_config",
                                     "display_wait_1s", "send_timer_start"});
    EXPECT_EQ(h.ui.calls, expected);
    EXPECT_EQ(h.ui.debug_lines, (std::vector<std::string>{"  设备找到了！", " 设备联接成功",
                                                          "======================hid_buff_rec_cpu_info_pro"}));

    // The information frame's fields (a version high byte above 127 stays positive), the whole state, no wait left.
    EXPECT_EQ(h.s.cpu_connect_state, 1);
    EXPECT_THAT(h.s.cpu_version, ElementsAre(2, 5, 8));
    EXPECT_EQ(h.s.eq_band_count[2], 10);
    EXPECT_EQ(h.s.cpu_version_m, 0x8102);
    EXPECT_EQ(h.s.wait_busy, 0);
    EXPECT_EQ(h.s.hid_wait_reply, 0);
    EXPECT_TRUE(same_payloads(h.s.param_image, h.unit.image));
    EXPECT_EQ(h.s.bt_name_rx_copy, "Unit Name");
    EXPECT_THAT(h.s.audio_mode_config, ElementsAreArray(h.unit.audio_mode_config));
    scan_timer_tick(h.link);  // a late search tick changes nothing
    EXPECT_EQ(h.unit.received.size(), 15u);
}

TEST(DeviceLink, SearchCountsMissesAndLeavesStandbyOnTheSixth) {
    LinkHarness h;
    h.unit.plugged = false;
    h.s.cpu_state.cpu_music_input = 1;  // not ready
    h.run(5);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 1);
    h.run(1);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 20);
    EXPECT_EQ(h.s.cpu_state.cpu_power_on, 1);
    h.s.cpu_state.cpu_power_on = 0;
    h.run(300);
    EXPECT_EQ(h.s.hid_not_found_cou, 255);
    EXPECT_EQ(h.s.cpu_state.cpu_power_on, 0) << "standby is left only once per run of misses";
    EXPECT_EQ(h.ui.debug_lines.back(), " 没有找到设备。");

    h.unit.plugged = true;
    h.s.cpu_search_active = 0;
    h.run(1);  // an idle search does nothing, even with the unit present
    EXPECT_EQ(h.unit.open_handle_count(), 0);
}

// A failed connect step is retried on the open device; a connected link drops only after five rejected reads in a row,
// and reconnects.
TEST(DeviceLink, DropsOnlyAfterFiveRejectedReadsAndReconnects) {
    LinkHarness h;
    h.unit.silent = 1;
    h.run(1);
    EXPECT_TRUE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2);
    EXPECT_TRUE(h.ui.scan_timer_on);
    const HidHandle first = h.s.hid_handle;
    ASSERT_TRUE(h.connect(1));
    EXPECT_EQ(h.s.hid_handle, first);  // no new search, no new open
    h.unit.corrupt_checksum = 4;       // four rejected replies, then a valid fifth
    h.run(10);
    EXPECT_TRUE(link_connected(h.s));

    h.s.cpu_state.cpu_busy = 1;
    h.unit.silent = -1;
    h.run(9);  // send, read ... the fifth read fails on the tenth tick
    EXPECT_TRUE(h.s.hid_device_detected);
    h.run(1);
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2);
    EXPECT_TRUE(h.ui.scan_timer_on);
    EXPECT_FALSE(h.ui.send_timer_on);
    EXPECT_EQ(h.ui.scan_interval_ms, 500);
    EXPECT_EQ(h.unit.open_handle_count(), 0);
    EXPECT_EQ(h.s.cpu_state.cpu_busy, 0) << "no progress wait left hanging";
    EXPECT_EQ(h.ui.debug_lines.back(), "设备 = pc_offline_call");
    // Still silent: the new open starts a fresh count, five failed connect steps drop it again.
    h.run(4);
    EXPECT_TRUE(h.s.hid_device_detected);
    h.run(1);
    EXPECT_FALSE(h.s.hid_device_detected);

    // Back again: the whole state is read once more.
    h.unit.silent = 0;
    h.unit.image.gen[gen_frame::music_vol] = 99;
    const std::size_t mark = h.unit.received.size();
    const uint8_t poll_step = h.s.hid_poll_index;
    ASSERT_TRUE(h.connect());
    EXPECT_EQ(h.names_since(mark + 1), read_all());
    EXPECT_EQ(h.s.hid_poll_index, poll_step);  // the poll cycle goes on where it was
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol], 99);

    EXPECT_EQ(h.unit.stale_calls, 0);  // a closed handle is never used again
}

// Five rejected reads drop the link and nothing more goes out; the window comes back, with no wait left, searching;
// a replug on another path reads the whole state.
TEST(DeviceLink, UnplugDuringTheWholeStateReadStopsItAndReplugConnects) {
    LinkHarness h;
    h.unit.on_write = [&](const FrameImage& f) {
        if (f[hid_frame::command] == cmd::eq && f[eq_frame::EQ_CH] == 3) h.unit.unplug();
    };
    h.run(1);
    h.unit.on_write = nullptr;
    EXPECT_EQ(h.unit.received.size(), 1u + 6u) << "frames sent";
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_TRUE(h.ui.scan_timer_on);
    EXPECT_FALSE(h.ui.send_timer_on);
    EXPECT_EQ(h.ui.count("enable_main_window"), 1);
    EXPECT_EQ(h.s.wait_busy, 0);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 0);
    h.unit.replug("/dev/hidraw7");
    ASSERT_TRUE(h.connect());
    EXPECT_TRUE(same_payloads(h.s.param_image, h.unit.image));
}

TEST(DeviceLink, UnsupportedProtocolEndsTheProgram) {
    const std::tuple<uint8_t, uint8_t, const char*> cases[] = {
        {9, 1, "Please update the computer tuning software to support this product!"},
        {7, 0, "请更新CPU软件才能支持本调音软件!"}};
    for (const auto& [version, language, message] : cases) {
        SCOPED_TRACE("protocol version " + std::to_string(version));
        LinkHarness h;
        h.s.Language = language;
        h.unit.info[cpu_info_byte::cpu_protocol_version] = version;
        h.run(1);
        EXPECT_EQ(h.ui.messages, std::vector<std::string>{message});
        EXPECT_TRUE(h.ui.program_ended);
        EXPECT_EQ(h.unit.open_handle_count(), 0);
        EXPECT_FALSE(h.ui.scan_timer_on);
        EXPECT_FALSE(h.ui.send_timer_on);
    }
}

// Interfaces with the unit's ids that are not the unit: one silent, one that answers the information request with a
// valid frame of another command. The search tries usage matches first, gives each interface five connect steps, then
// closes it and moves on to the next, and finds the unit.
TEST(DeviceLink, SearchMovesOnFromInterfacesThatNeverAnswer) {
    for (const bool answers_other : {false, true}) {
        SCOPED_TRACE(answers_other ? "decoys answer with another command" : "silent decoys");
        LinkHarness h;
        // Ids only, listed first; then the unit, which also matches by usage.
        h.unit.decoys.push_back({{"/dev/hidraw1", 0x8888, 0x1234, 0x0001, 0x0001}, answers_other});
        h.unit.interface_info.usage_page = 0x0001;  // the unit matches by ids only too
        h.unit.interface_info.usage = 0x0002;
        h.unit.decoys.push_back({{"/dev/hidraw2", 0x1111, 0x2222, 0xFF00, 0x55AA}, answers_other});
        h.run(5);
        // The usage match went first and was dropped after five connect steps.
        EXPECT_EQ(h.unit.decoys[1].opens, 1);
        EXPECT_EQ(h.unit.decoys[1].writes, 5);
        EXPECT_EQ(h.unit.decoys[0].opens, 0);
        EXPECT_FALSE(h.s.hid_device_detected);
        h.run(5);
        EXPECT_EQ(h.unit.decoys[0].opens, 1);
        EXPECT_EQ(h.unit.open_handle_count(), 0);
        ASSERT_TRUE(h.connect(1));
        EXPECT_THAT(h.link.failed_paths, IsEmpty());
        EXPECT_EQ(h.unit.stale_calls, 0);
    }
    // When every matching interface has failed, the search starts over; next after the decoy's third round: the unit.
    LinkHarness h;
    h.unit.decoys.push_back({{"/dev/hidraw1", 0x8888, 0x1234, 0xFF00, 0x55AA}, true});
    h.unit.silent = -1;
    h.run(30);
    EXPECT_EQ(h.unit.decoys[0].opens, 3);
    EXPECT_FALSE(link_connected(h.s));
    h.unit.silent = 0;
    h.run(5);
    EXPECT_TRUE(h.connect(1));
}

// The query frame, the model and version lines of an answer; an unknown model gives only the versions, a foreign or
// empty answer nothing.
TEST(DeviceVersion, QueryFrameAndAnswerLines) {
    OneAnswer hid;
    hid.answer = HidReport{0, 0xA5, 0x5A, 0, 7, 4, 1, 2, 3, 4, 5, 6, 0x16};
    EXPECT_EQ(display_device_version(hid, 1), (std::vector<std::string>{"TX30Pro", "固件版本1.2.3", "音库版本4.5.6"}));
    EXPECT_EQ(hid.written[1], 0xA5);
    EXPECT_EQ(hid.written[2], 0x5A);
    EXPECT_EQ(hid.written[5], 0x16);
    hid.answer[5] = 9;
    EXPECT_EQ(display_device_version(hid, 1).size(), 2u);
    hid.answer[12] = 0x15;
    EXPECT_THAT(display_device_version(hid, 1), IsEmpty()) << "a foreign answer";
    hid.answer = HidReport{};
    EXPECT_THAT(display_device_version(hid, 1), IsEmpty()) << "an empty answer";
}

// A unit that is found but may not be opened: the user is told once per plug-in, in the window's language, with the
// fix.
TEST(DeviceLinkPermission, ToldOncePerPlugInInTheWindowsLanguage) {
    LinkHarness h;
    h.s.Language = 1;
    h.unit.deny_permission = true;
    h.unit.decoys.push_back({{"/dev/hidraw4", 0x8888, 0x1234, 0x0001, 0x0001}});  // a second node of the unit
    h.run(6);  // searches while the unit stays plugged in
    const std::string en = permission_message("/dev/hidraw3", 1);
    EXPECT_EQ(h.ui.messages, std::vector<std::string>{en}) << "one message for both nodes while plugged in";
    EXPECT_EQ(std::count(h.ui.debug_lines.begin(), h.ui.debug_lines.end(), permission_hint_line("/dev/hidraw4")), 1)
        << "debug hint lines of the second node";
    EXPECT_NE(en.find("/dev/hidraw3"), std::string::npos) << en;
    EXPECT_NE(en.find("sudo install -m 644 packaging/70-veltrana-tuner.rules /etc/udev/rules.d/"), std::string::npos)
        << en;
    const std::string hint = permission_hint_line("/dev/hidraw3");
    EXPECT_EQ(std::count(h.ui.debug_lines.begin(), h.ui.debug_lines.end(), hint), 1) << "debug hint lines";
    EXPECT_NE(hint.find("70-veltrana-tuner.rules"), std::string::npos) << hint;
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2) << "the link still searches";

    // Unplugged and plugged in again, still refused: told again, now in Chinese.
    h.unit.unplug();
    h.run(2);
    h.s.Language = 0;
    h.unit.replug("/dev/hidraw3");
    h.run(4);
    ASSERT_EQ(h.ui.messages.size(), 2u) << "messages after a second plug-in";
    EXPECT_EQ(h.ui.messages[1], permission_message("/dev/hidraw3", 0));
    EXPECT_NE(h.ui.messages[1].find("权限"), std::string::npos) << h.ui.messages[1];

    // The rule installed: the unit opens and nothing more is said.
    h.unit.deny_permission = false;
    EXPECT_TRUE(h.connect(4)) << "connects once permitted";
    EXPECT_EQ(h.ui.messages.size(), 2u) << "messages after connecting";
}
