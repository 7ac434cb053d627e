#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/device_version.h"
#include "core/frame_protocol.h"
#include "core/send_requests.h"
#include "core/send_service.h"
#include "image_match.h"
#include "support/link_harness.h"
#include "temp_files.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Bytes = std::initializer_list<std::pair<std::size_t, uint8_t>>;

// A frame from the unit with some bytes set; the checksum fits.
FrameImage unit_frame(uint8_t counter, uint8_t command, uint8_t rws_value, Bytes bytes = {}) {
    FrameImage f{};
    frame_stamp(f, counter, command, rws_value);
    for (const auto& [at, value] : bytes) f[at] = value;
    f[hid_frame::CHECK] = frame_checksum(f);
    return f;
}

// An open device answering with frames queued by the test.
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

// A connected link.
struct SendService : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.connect());
        h.ui.calls.clear();
        h.ui.debug_lines.clear();
    }
    std::vector<std::string> run(int ticks) { return h.run(ticks); }
    LinkHarness h;
    AppState& s = h.s;
};

}  // namespace

TEST_F(Protocol, SentFrameIsPinnedAndCountersWrap) {
    s.hid_buff[8] = 1;
    hid_send_frame(h.link, cmd::power, rws::W);
    EXPECT_THAT(std::vector<int>(sent().begin(), sent().begin() + 9),
                ElementsAre(0x00, 0xA5, 0x5A, 0x01, 0xFB, 0x01, 0x0B, 0x01, 0x01));
    EXPECT_EQ(sent()[hid_frame::CHECK], 0x0A) << "checksum 0x20A, low byte";
    EXPECT_EQ(std::count(s.hid_buff.begin(), s.hid_buff.end(), 0), 256) << "cleared";

    s.hid_tx_cou = 255;
    hid_send_frame(h.link, cmd::power, rws::W);
    EXPECT_EQ(sent()[5], 0) << "the counter wraps";
    // The image headers follow every send.
    EXPECT_EQ(s.param_image.gen[hid_frame::hid_byte_cmd_inc_cou_2], 0);
    EXPECT_EQ(s.param_image.eq[0][hid_frame::command], cmd::eq);
}

// Bad frames and repeated counters are misses; the connect reader also misses other commands.
TEST_F(Protocol, ReadersRejectBadFrames) {
    const FrameImage good = unit_frame(7, cmd::gen, rws::S, {{gen_frame::music_vol, 55}});
    const std::pair<std::size_t, const char*> faults[] = {{hid_frame::CHECK, "checksum"},
                                                          {hid_frame::end, "end byte"},
                                                          {254, "counter copy"},
                                                          {2, "start code"},
                                                          {4, "start code end"}};
    for (const auto& [at, what] : faults) {
        FrameImage f = good;
        f[at] ^= 0x21;
        if (at != hid_frame::CHECK) f[hid_frame::CHECK] = frame_checksum(f);
        s.hid_rx_miss_cou = 0;
        EXPECT_EQ(feed(f), 0) << "a bad " << what;
        EXPECT_EQ(s.hid_rx_miss_cou, 1) << "a bad " << what;
    }
    EXPECT_EQ(feed(good), 1);
    s.param_image.gen[gen_frame::music_vol] = 1;
    EXPECT_EQ(feed(good), 0) << "a repeated counter";
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 1);

    // Byte 3 counts only for the connect reader.
    EXPECT_EQ(feed_connect_reader(unit_frame(9, kCpuInfoRequestCommand, rws::S, {{3, 2}})), 0);
    EXPECT_EQ(feed(unit_frame(9, cmd::gen, rws::S, {{3, 2}})), 1);

    s.hid_rx_cou_last = 253;  // as after an open
    EXPECT_EQ(feed_connect_reader(unit_frame(10, cmd::gen, rws::S)), 0) << "another command";
    EXPECT_EQ(s.hid_rx_miss_cou, 1) << "misses after another command";
    EXPECT_EQ(feed_connect_reader(unit_frame(10, kCpuInfoRequestCommand, rws::S)), 1);
    EXPECT_EQ(s.hid_rx_miss_cou, 0) << "misses after the information frame";
    EXPECT_EQ(feed(unit_frame(253, cmd::gen, rws::S)), 0) << "the counter before an open";
}

// The connect reader takes the unit's wait request from every frame whose checksum fits, also from one it refuses;
// a frame with a wrong checksum asks for nothing.
TEST_F(Protocol, ConnectReaderWaitsWheneverTheChecksumFits) {
    s.hid_rx_cou_last = 20;
    struct Case {
        FrameImage frame;
        uint8_t result;
        std::vector<std::string> calls;
        const char* what;
    };
    FrameImage bad_sum = unit_frame(31, kCpuInfoRequestCommand, rws::S, {{253, 5}});
    bad_sum[hid_frame::CHECK] ^= 1;
    const std::string wait = "display_wait_youxian_x100ms(";
    const Case cases[] = {
        {unit_frame(21, cmd::gen, rws::S, {{253, 4}}), 0, {wait + "4)"}, "another command"},
        {unit_frame(20, kCpuInfoRequestCommand, rws::S, {{253, 6}}), 0, {wait + "6)"}, "a repeated counter"},
        {unit_frame(22, kCpuInfoRequestCommand, rws::S, {{3, 2}, {253, 7}}), 0, {wait + "7)"}, "a wrong byte 3"},
        {bad_sum, 0, {}, "a wrong checksum"},
        {unit_frame(23, kCpuInfoRequestCommand, rws::S, {{253, 3}}), 1, {wait + "3)"}, "the information frame"},
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        EXPECT_EQ(feed_connect_reader(c.frame), c.result) << c.what;
        EXPECT_EQ(ui.calls, c.calls) << "waits asked for by " << c.what;
        EXPECT_EQ(s.hid_buff[253], c.calls.empty() ? c.frame[253] : 0) << "busy time left in the buffer by " << c.what;
    }
    EXPECT_EQ(s.hid_rx_cou_last, 20) << "the connect reader keeps the last counter";
}

TEST_F(Protocol, DataFramesAreStoredClampedAndOthersOnlyGiveStatus) {
    // Stored clamped; the busy time asks for a wait; status: input 9, version 0x9001.
    const Bytes data = {
        {gen_frame::music_vol_abs_max, 0}, {gen_frame::music_vol, 77}, {252, 9}, {253, 15}, {246, 0x90}, {247, 1}};
    EXPECT_EQ(feed(unit_frame(1, cmd::gen, rws::S, data)), 1);
    const auto& g = s.param_image.gen;
    EXPECT_EQ(g[gen_frame::music_vol], 77);
    EXPECT_EQ(g[gen_frame::music_vol_abs_max], 128);
    EXPECT_EQ(s.cpu_state.busy_time, 0);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 9);
    EXPECT_EQ(s.cpu_state.cpu_version_r, 0x9001);
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"display_wait_youxian_x100ms(15)", "display_version_line", "set_all_dis"}));

    // An acknowledgement refreshes the status only.
    ui.calls.clear();
    EXPECT_EQ(feed(unit_frame(2, cmd::gen, rws::W, {{gen_frame::music_vol, 5}, {252, 11}, {246, 0x90}, {247, 1}})), 1);
    EXPECT_EQ(g[gen_frame::music_vol], 77);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 11);
    EXPECT_THAT(ui.calls, IsEmpty());
    // A reply to the mode command carries no status.
    EXPECT_EQ(feed(unit_frame(3, cmd::eeprom_mode, rws::W)), 1);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 11);

    // An EQ frame for channel 12 is accepted but stored nowhere.
    const ParamImage before = s.param_image;
    EXPECT_EQ(feed(unit_frame(4, cmd::eq, rws::S, {{eq_frame::EQ_CH, 12}})), 1);
    EXPECT_TRUE(same_image(s.param_image, before));
    // A name frame carries no status; its 40 bytes are decoded safely.
    FrameImage name = unit_frame(5, cmd::bt_name, rws::S, {{241, 3}});
    std::fill_n(name.begin() + 8, 41, 'a');
    name[9] = 0xFF;
    name[hid_frame::CHECK] = frame_checksum(name);
    EXPECT_EQ(feed(name), 1);
    EXPECT_EQ(ui.read_cpu_bt_name, "a\xEF\xBF\xBD" + std::string(38, 'a'));
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);
}

// Not a number: 0; above 255: 255.
TEST_F(Protocol, TestPanelNumbers) {
    for (const char* text : {"", "abc", "12x", "-4", "99999999999999999999x", "-99999999999999999999", "-"})
        EXPECT_EQ(cpu_test_value_from_text(text), 0) << text;
    for (const char* text : {"+255", "300", "99999999999999999999999"})
        EXPECT_EQ(cpu_test_value_from_text(text), 255) << text;
    EXPECT_EQ(cpu_test_value_from_text(" 17 "), 17);
}

// The information request, then the whole-state read with its waits; ticks meanwhile do nothing.
TEST(DeviceLink, ConnectsAndReadsTheWholeState) {
    LinkHarness h;
    std::vector<int> times;
    h.unit.on_write = [&](const FrameImage&) { times.push_back(h.time.t); };
    h.unit.on_read = [&] { times.push_back(h.time.t); };
    h.time.on_events = [&] {
        scan_timer_tick(h.link);
        send_timer_tick(h.link);
    };
    ASSERT_TRUE(h.connect(1));
    std::vector<std::string> names = {"10/0", "9/0", "12/0"};
    for (int ch = 0; ch < 10; ++ch) names.push_back("6." + std::to_string(ch) + "/0");
    names.insert(names.end(), {"8/0", "7/0"});
    EXPECT_EQ(h.names_since(0), names);
    std::vector<int> gaps, expected_gaps = {10, 5, 10, 5};
    for (std::size_t i = 3; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    for (int ch = 0; ch < 10; ++ch) expected_gaps.insert(expected_gaps.end(), {20, 20});
    expected_gaps.insert(expected_gaps.end(), {10, 5, 10});
    EXPECT_EQ(gaps, expected_gaps);

    std::vector<std::string> expected = {
        "display_model_layout", "model_r27_layout", "set_all_dis", "scan_timer_stop",           "set_all_dis",
        "disable_main_window",  "set_all_dis",      "set_all_dis", "set_dis_audio_mode_config", "display_version_line"};
    expected.insert(expected.end(), 12, "set_all_dis");  // EQ 0..9, general, effect
    expected.insert(expected.end(), {"enable_main_window", "set_all_dis", "set_all_dis", "set_dis_audio_mode_config",
                                     "display_wait_1s", "send_timer_start"});
    EXPECT_EQ(h.ui.calls, expected);

    scan_timer_tick(h.link);  // a late search tick changes nothing
    EXPECT_EQ(h.unit.received.size(), 15u);
}

// Five rejected reads in a row or an unplug drop the link; then it reconnects.
TEST(DeviceLink, DropsAfterFiveRejectedReadsOrAnUnplugAndReconnects) {
    LinkHarness h;
    h.unit.silent = 1;
    h.run(1);
    const HidHandle first = h.s.hid_handle;
    ASSERT_TRUE(h.connect(1));
    EXPECT_EQ(h.s.hid_handle, first) << "no new open";
    h.unit.corrupt_checksum = 4;  // four rejected replies, then a valid fifth
    h.run(10);
    EXPECT_TRUE(link_connected(h.s));

    h.s.cpu_state.cpu_busy = 1;
    h.unit.silent = -1;
    h.run(9);  // send, read ... the fifth read fails on the tenth tick
    EXPECT_TRUE(h.s.hid_device_detected);
    h.run(1);
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.unit.open_handle_count(), 0);
    EXPECT_EQ(h.s.cpu_state.cpu_busy, 0) << "busy";

    h.unit.silent = 0;
    h.ui.calls.clear();
    const std::size_t mark = h.unit.received.size();
    h.unit.on_write = [&](const FrameImage& f) {
        if (f[hid_frame::command] == cmd::eq && f[eq_frame::EQ_CH] == 3) h.unit.unplug();
    };
    h.run(1);
    h.unit.on_write = nullptr;
    EXPECT_EQ(h.unit.received.size() - mark, 1u + 6u) << "frames sent";
    EXPECT_FALSE(h.ui.send_timer_on);
    EXPECT_EQ(h.ui.count("enable_main_window"), 1);
    EXPECT_EQ(h.s.wait_busy, 0);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 0);
    const uint8_t poll_step = h.s.hid_poll_index;
    h.unit.replug("/dev/hidraw7");
    ASSERT_TRUE(h.connect());
    EXPECT_EQ(h.s.hid_poll_index, poll_step) << "poll step";
    EXPECT_TRUE(same_payloads(h.s.param_image, h.unit.image));
    EXPECT_EQ(h.unit.stale_calls, 0) << "closed handles used";
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
    }
}

// Usage or ids match, half a match is none; usage matches are tried first, five connect steps each.
TEST(DeviceLink, MatchRuleAndSearchOrder) {
    EXPECT_TRUE(hid_device_matches({"a", 0x1111, 0x2222, 0xFF00, 0x55AA}));
    EXPECT_TRUE(hid_device_matches({"b", 0x8888, 0x1234, 0x0001, 0x0006}));
    EXPECT_FALSE(hid_device_matches({"c", 0x1111, 0x2222, 0xFF01, 0x55AA}));
    EXPECT_FALSE(hid_device_matches({"d", 0x8888, 0x1235, 0xFF00, 0x55AB}));
    LinkHarness h;
    h.unit.decoys.push_back({{"/dev/hidraw1", 0x8888, 0x1234, 0x0001, 0x0001}});
    h.unit.interface_info.usage_page = 0x0001;  // the unit matches by ids only too
    h.unit.decoys.push_back({{"/dev/hidraw2", 0x1111, 0x2222, 0xFF00, 0x55AA}});
    h.run(5);
    EXPECT_EQ(h.unit.decoys[1].writes, 5) << "the usage match first";
    EXPECT_EQ(h.unit.decoys[0].opens, 0);
    h.run(5);
    EXPECT_EQ(h.unit.decoys[0].opens, 1);
    h.unit.silent = -1;
    h.run(10);
    EXPECT_EQ(h.unit.decoys[1].opens, 2) << "a new round";
    h.unit.silent = 0;
    h.run(10);
    ASSERT_TRUE(h.connect(1));
    EXPECT_EQ(h.unit.stale_calls, 0);
}

// The query frame and the lines of an answer.
TEST(DeviceVersion, QueryFrameAndAnswerLines) {
    SimulatedUnit unit;
    const HidHandle handle = unit.open(unit.interface_info.path, nullptr);
    const auto ask = [&](const HidReport& answer) {
        unit.scripted.push_back(answer);
        return display_device_version(unit, handle);
    };
    HidReport answer{0, 0xA5, 0x5A, 0, 7, 4, 1, 2, 3, 4, 5, 6, 0x16};
    EXPECT_EQ(ask(answer), (std::vector<std::string>{"TX30Pro", "固件版本1.2.3", "音库版本4.5.6"}));
    const FrameImage& query = unit.received.back();
    EXPECT_THAT(std::vector<int>(query.begin(), query.begin() + 7), ElementsAre(0, 0xA5, 0x5A, 0, 0, 0x16, 0));
    answer[5] = 9;
    EXPECT_EQ(ask(answer).size(), 2u) << "an unknown model";
    answer[12] = 0x15;
    EXPECT_THAT(ask(answer), IsEmpty()) << "a foreign answer";
}

// A unit that may not be opened is told once per plug-in; the sixth miss in a row leaves the standby look.
TEST(DeviceLinkPermission, ToldOncePerPlugInInTheWindowsLanguage) {
    LinkHarness h;
    h.s.Language = 1;
    h.s.cpu_state.cpu_music_input = 1;  // not ready
    h.unit.deny_permission = true;
    h.unit.decoys.push_back({{"/dev/hidraw4", 0x8888, 0x1234, 0x0001, 0x0001}});  // a second node of the unit
    h.run(5);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 1);
    h.run(1);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 20) << "out of standby on the sixth miss";
    const std::string en = permission_message("/dev/hidraw3", 1);
    EXPECT_EQ(h.ui.messages, std::vector<std::string>{en}) << "one for both nodes";
    EXPECT_NE(en.find(std::string("sudo tee ") + kUdevRulePath), std::string::npos) << en;
    for (const char* node : {"/dev/hidraw3", "/dev/hidraw4"})
        EXPECT_EQ(std::count(h.ui.debug_lines.begin(), h.ui.debug_lines.end(), permission_hint_line(node)), 1) << node;

    h.unit.unplug();
    h.s.cpu_state.cpu_music_input = 1;
    h.run(300);
    EXPECT_EQ(h.s.hid_not_found_cou, 255);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 1) << "once per run of misses";
    h.s.Language = 0;
    h.unit.replug("/dev/hidraw3");
    h.run(4);
    ASSERT_EQ(h.ui.messages.size(), 2u) << "messages after a second plug-in";
    EXPECT_EQ(h.ui.messages[1], permission_message("/dev/hidraw3", 0));
    EXPECT_NE(h.ui.messages[1].find("没有权限"), std::string::npos) << h.ui.messages[1];

    h.unit.deny_permission = false;
    EXPECT_TRUE(h.connect(4)) << "connects once permitted";
}

// One frame every second tick, in priority order, then the polls.
TEST_F(SendService, PendingGroupsGoOutInPriorityOrderOnePerTwoTicksThenPolls) {
    s.send_bt_name_req = s.send_audio_mode_config_req = kPending;
    s.send_eq_req.fill(kPending);  // every channel, the last included
    s.send_gen_req = s.send_input_req = s.send_effect_req = s.send_cpu_test_req = kPending;
    s.power_req = 1;
    s.mode_reset_req = {0, 0, 1};
    s.mode_save_req = {1, 16};
    h.unit.write_fails = 2;
    EXPECT_THAT(run(2), IsEmpty());
    EXPECT_THAT(h.ui.debug_lines, IsEmpty()) << "no line for a refused write";
    std::vector<std::string> sent;
    for (int i = 0; i < 66; ++i) {
        const auto frames = run(1);
        EXPECT_EQ(frames.size(), i % 2 == 0 ? 1u : 0u) << "tick " << i;
        sent.insert(sent.end(), frames.begin(), frames.end());
    }
    std::vector<std::string> expected = {"9/1", "12/1"};
    for (int ch = 0; ch < 10; ++ch) expected.push_back("6." + std::to_string(ch) + "/1");
    expected.insert(expected.end(), {"8/1", "7/1", "13/1", "11/1", "5/1", "5/1", "7/0"});
    for (int ch = 0; ch < 10; ++ch) expected.push_back("6." + std::to_string(ch) + "/0");
    expected.insert(expected.end(), {"9/0", "12/0", "8/0", "7/0"});
    EXPECT_EQ(sent, expected);
    const std::string ack =
        "收到命令为i_hid_cmd_read_write_eeprom_audio_mode 后cpu_to_pc_display_read_eeprom_audio_mode_index=";
    EXPECT_EQ(h.ui.debug_lines,
              (std::vector<std::string>{
                  "i_hid_cmd_pc_tx_req_read_wrtie_bt_name  RWS=W", "i_hid_cmd_read_wrtie_audio_mode_config  RWS=W",
                  "i_hid_pc_tx_cpu_test_cmd  RWS=W", "RESET eeprom.", ack, "write eeprom.  MODE========16", ack}))
        << "debug lines, in the order the frames went out and their replies came in";
    EXPECT_EQ(h.unit.received[h.unit.received.size() - 18][8], 1) << "power state";
}

// A recall reads everything back; a reset or save shows its wait, then the unit's busy time.
TEST_F(SendService, EepromRecallResetAndSave) {
    s.mode_recall_req = 3;
    const int start = h.time.t;
    const auto frames = run(1);
    ASSERT_EQ(frames.size(), 15u) << "frames";
    EXPECT_EQ(h.ui.debug_lines.front(), "read_eeprom.  MODE========3");
    EXPECT_EQ(h.ui.calls.back(), "display_wait_1s");
    EXPECT_EQ(h.time.t - start, 100 + 460) << "time";
    EXPECT_EQ(s.hid_wait_reply, 1);

    run(1);  // the answer awaited
    h.ui.calls.clear();
    h.unit.eeprom_busy_time = 23;
    s.mode_reset_req = {1, 0, 0};
    run(2);
    s.mode_save_req = {1, 16};
    run(2);
    EXPECT_EQ(s.mode_save_req, (std::array<uint8_t, 2>{0, kNoRequest}));
    EXPECT_EQ(s.mode_reset_req, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(h.unit.mode_index, 16);
    const std::string wait = "display_wait_1s", busy = "display_wait_youxian_x100ms(23)";
    EXPECT_EQ(h.ui.calls, (std::vector<std::string>{wait, busy, wait, busy}));
}

// A refused name is dropped; a whole-state read may rename the unit and send the test block.
TEST_F(SendService, BluetoothNameAndTestBlock) {
    s.Bt_Name = "bad\tname";
    s.send_bt_name_req = kPending;
    EXPECT_EQ(run(2), (std::vector<std::string>{"7/0"})) << "no name frame, then the next poll";
    EXPECT_EQ(s.send_bt_name_req, kClear);
    EXPECT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 9), "Unit Name");

    s.Bt_Name = "Party";
    s.bt_name_ready = false;
    s.send_bt_name_req = kPending;
    run(4);
    EXPECT_EQ(s.send_bt_name_req, kPending);
    s.bt_name_ready = true;
    run(4);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 6), std::string("Party\0", 6));

    h.ui.auto_bt_name = true;
    s.Bt_Name = "Renamed";
    s.cpu_test_data[8] = 1;
    h.ui.test_texts.fill("5");
    h.ui.test_texts[0] = "300";  // clamped to 255
    CPU_Connect_OK_Req_Read_MCU_All_State(h.link);
    run(4);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 7), "Renamed");
    EXPECT_THAT(std::vector<int>(h.unit.received.back().begin() + 6, h.unit.received.back().begin() + 10),
                ElementsAre(cmd::cpu_test, rws::W, 1, 255));
    EXPECT_EQ(h.unit.received.back()[18], 5);
}

// Offline nothing is raised; both clamp, and drop the mic1/mic2 mode without a mic-2 EQ.
TEST_F(SendService, SetAllRaisesOnlyWhileConnected) {
    s.send_gen_req = s.send_audio_mode_config_req = kPending;
    s.eq_band_count[2] = 0;
    s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = 1;
    send_req_clear_all(s);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_audio_mode_config_req, kPending);
    EXPECT_EQ(s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode], 0);

    s.cpu_connect_state = 2;
    s.param_image.gen[gen_frame::music_vol_abs_max] = 0;
    send_req_set_all(s, h.ui);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_THAT(h.ui.calls, IsEmpty());
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol_abs_max], 128);
}

// A refused write stays pending and counts as a miss.
TEST_F(SendService, RefusedWriteKeepsTheEditPendingAndCountsAsAMiss) {
    s.param_image.eq[4][eq_frame::eq_db + 2] = 150;
    s.param_image.gen[gen_frame::music_input_sel] = 8;
    s.send_eq_req[4] = s.send_gen_req = s.send_input_req = kPending;
    h.unit.write_fails = 2;
    EXPECT_THAT(run(2), IsEmpty());
    EXPECT_EQ(s.send_eq_req[4], kPending);
    EXPECT_EQ(s.hid_rx_miss_cou, 2);
    EXPECT_EQ(s.hid_wait_reply, 0) << "no answer awaited";
    run(6);
    EXPECT_EQ(h.unit.image.eq[4][eq_frame::eq_db + 2], 150);
    EXPECT_EQ(h.unit.music_input, 8) << "the input change";
    EXPECT_EQ(s.param_image.gen[gen_frame::music_input_sel], 255) << "an input change goes out once";
    EXPECT_EQ(s.cpu_state.cpu_music_input, 8) << "taken from the acknowledgement";
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(s.hid_rx_miss_cou, 0);

    s.send_effect_req = kPending;
    h.unit.write_fails = -1;
    run(4);
    EXPECT_EQ(s.send_effect_req, kPending);
    run(1);  // the fifth refused write drops the link
    EXPECT_FALSE(s.hid_device_detected);
}

// The fix the message gives, pasted as it stands into a shell started in an empty folder (sudo and udevadm
// stood in for, the rules folder moved into the test's folder): it writes packaging's rule and reloads.
TEST(DeviceLinkPermission, TheMessagesCommandWorksFromAnyFolder) {
    std::ifstream packaged(TUNER_TEST_DATA_DIR "/../../packaging/70-veltrana-tuner.rules");
    std::string rule, line;
    while (std::getline(packaged, line))
        if (!line.empty() && line[0] != '#') rule = line;
    ASSERT_FALSE(rule.empty()) << "no rule in packaging/70-veltrana-tuner.rules";

    for (uint8_t language : {uint8_t{0}, uint8_t{1}}) {
        SCOPED_TRACE(language ? "English" : "Chinese");
        TempDir dir("udev_fix");
        std::filesystem::create_directories(dir.path / "bin");
        std::filesystem::create_directories(dir.path / "cwd");
        std::ofstream(dir.file("bin/sudo")) << "#!/bin/sh\nexec \"$@\"\n";
        std::ofstream(dir.file("bin/udevadm")) << "#!/bin/sh\necho \"$@\" >> " << dir.file("udevadm.log") << "\n";
        for (const char* tool : {"bin/sudo", "bin/udevadm"})
            std::filesystem::permissions(dir.file(tool), std::filesystem::perms::owner_all);

        const std::string message = permission_message("/dev/hidraw3", language);
        const std::size_t from = message.find("echo '"),
                          to = message.find("\n\n", from);  // the command ends its paragraph
        ASSERT_NE(from, std::string::npos) << message;
        ASSERT_NE(to, std::string::npos) << message;
        std::string command = message.substr(from, to - from);
        const std::size_t at = command.find(kUdevRulePath);
        ASSERT_NE(at, std::string::npos) << command;
        command.replace(at, std::string(kUdevRulePath).size(), dir.file("70-veltrana-tuner.rules"));
        std::ofstream(dir.file("fix.sh")) << command << "\n";

        const std::string run = "cd " + dir.file("cwd") + " && PATH=" + dir.file("bin") + ":$PATH sh -e " +
                                dir.file("fix.sh") + " > /dev/null 2>&1";
        EXPECT_EQ(std::system(run.c_str()), 0) << "running\n" << command;
        EXPECT_EQ(slurp(dir.file("70-veltrana-tuner.rules")), rule + "\n") << "the rule the command writes";
        EXPECT_EQ(slurp(dir.file("udevadm.log")), "control --reload-rules\ntrigger\n") << "udevadm calls";
        EXPECT_EQ(std::filesystem::path(kUdevRulePath).filename(), "70-veltrana-tuner.rules")
            << "installed under the packaging file's name, whose 70- places it before the seat rules";
    }
}
