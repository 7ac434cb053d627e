#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/send_requests.h"
#include "core/send_service.h"
#include "support/link_harness.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::IsEmpty;

namespace {

struct SendService : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.connect());
        h.ui.calls.clear();
        h.ui.debug_lines.clear();
    }
    std::vector<std::string> run(int ticks) { return h.run(ticks); }
    LinkHarness h;
};

const std::string kEepromAnswer =
    "收到命令为i_hid_cmd_read_write_eeprom_audio_mode 后cpu_to_pc_display_read_eeprom_audio_mode_index=";

}  // namespace

// Refused writes leave no frame and no debug line; then one frame goes out on every second tick (the tick between reads
// its answer), in priority order.
TEST_F(SendService, PendingGroupsGoOutInPriorityOrderOnePerTwoTicks) {
    h.s.send_bt_name_req = h.s.send_audio_mode_config_req = kPending;
    h.s.send_eq_req[7] = h.s.send_eq_req[3] = kPending;
    h.s.send_gen_req = h.s.send_input_req = h.s.send_effect_req = h.s.send_cpu_test_req = kPending;
    h.s.power_req = 0;
    h.s.mode_reset_req = {0, 0, 1};
    h.s.mode_save_req = {1, 16};
    h.unit.write_fails = 2;
    EXPECT_THAT(run(2), IsEmpty());
    EXPECT_THAT(h.ui.debug_lines, IsEmpty());
    std::vector<std::string> sent;
    for (int i = 0; i < 24; ++i) {
        const auto frames = run(1);
        EXPECT_EQ(frames.size(), i % 2 == 0 ? 1u : 0u) << "tick " << i;
        sent.insert(sent.end(), frames.begin(), frames.end());
    }
    EXPECT_EQ(sent, (std::vector<std::string>{"9/1", "12/1", "6.3/1", "6.7/1", "8/1", "7/1", "13/1", "11/1", "5/1",
                                              "5/1", "7/0", "6.0/0"}));
    EXPECT_EQ(h.ui.debug_lines, (std::vector<std::string>{
                                    "i_hid_cmd_pc_tx_req_read_wrtie_bt_name  RWS=W",
                                    "i_hid_cmd_read_wrtie_audio_mode_config  RWS=W", "i_hid_pc_tx_cpu_test_cmd  RWS=W",
                                    "RESET eeprom.", kEepromAnswer, "write eeprom.  MODE========16", kEepromAnswer}));
    EXPECT_EQ(h.unit.received[h.unit.received.size() - 5][8], 0);  // the power frame carries the requested state
}

TEST_F(SendService, PollCycleWithNothingPending) {
    std::vector<std::string> expected = {"7/0"};
    for (int ch = 0; ch < 10; ++ch) expected.push_back("6." + std::to_string(ch) + "/0");
    expected.insert(expected.end(), {"9/0", "12/0", "8/0", "7/0"});
    EXPECT_EQ(run(30), expected);
    h.unit.image.gen[gen_frame::music_vol] = 12;  // changed on the unit: comes back
    run(28);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol], 12);
}

// A recall sends the mode and reads everything back; each reset and save shows its progress wait, then the busy time
// the unit answers with (payloads are pinned end to end).
TEST_F(SendService, EepromRecallResetAndSave) {
    h.unit.eeprom_modes[2].gen[gen_frame::music_vol] = 66;
    h.s.mode_recall_req = 3;
    const int start = h.time.t;
    const auto frames = run(1);
    ASSERT_EQ(frames.size(), 15u);
    EXPECT_EQ(frames[0], "5/1");
    EXPECT_EQ(h.ui.debug_lines.front(), "read_eeprom.  MODE========3");
    EXPECT_EQ(h.ui.calls.back(), "display_wait_1s");
    // Request cleared, the mode's values and index, the time (settle, then the whole-state read).
    EXPECT_EQ(h.s.mode_recall_req, kNoRequest);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol], 66);
    EXPECT_EQ(h.s.cpu_state.cpu_mode_index, 3);
    EXPECT_EQ(h.time.t - start, 100 + 460);
    EXPECT_EQ(h.s.hid_wait_reply, 1);

    run(1);  // the answer awaited
    h.ui.calls.clear();
    h.unit.eeprom_busy_time = 23;
    h.s.mode_reset_req = {1, 0, 0};
    run(2);
    h.s.mode_reset_req = {0, 0, 1};
    run(2);
    h.s.mode_save_req = {1, 16};
    run(2);
    EXPECT_EQ(h.s.mode_save_req, (std::array<uint8_t, 2>{0, kNoRequest}));
    EXPECT_EQ(h.s.mode_reset_req, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(h.unit.mode_index, 16);
    const std::string wait = "display_wait_1s", busy = "display_wait_youxian_x100ms(23)";
    EXPECT_EQ(h.ui.calls, (std::vector<std::string>{wait, busy, wait, busy, wait, busy}));
}

TEST_F(SendService, RefusedBluetoothNameIsNotSent) {
    h.s.Bt_Name = "bad\tname";
    h.s.send_bt_name_req = kPending;
    EXPECT_EQ(run(2), (std::vector<std::string>{"7/0"}));  // no name frame, then the next poll
    EXPECT_EQ(h.s.send_bt_name_req, kClear);
    EXPECT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 9), "Unit Name");

    // A name request waits while the buffer is not ready; a good name goes out.
    h.s.Bt_Name = "Party";
    h.s.bt_name_ready = false;
    h.s.send_bt_name_req = kPending;
    run(4);
    EXPECT_EQ(h.s.send_bt_name_req, kPending);
    h.s.bt_name_ready = true;
    run(4);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 6), std::string("Party\0", 6));
}

// A clear leaves the configuration to the service; offline nothing is raised, though the image is clamped (raising
// while connected: the parameter file's tests).
TEST_F(SendService, SetAllRaisesOnlyWhileConnected) {
    h.s.send_gen_req = h.s.send_audio_mode_config_req = kPending;
    send_req_clear_all(h.s);
    EXPECT_EQ(h.s.send_gen_req, kClear);
    EXPECT_EQ(h.s.send_audio_mode_config_req, kPending);

    h.s.cpu_connect_state = 2;
    h.s.param_image.gen[gen_frame::music_vol_abs_max] = 0;
    send_req_set_all(h.s, h.ui);
    EXPECT_EQ(h.s.send_gen_req, kClear);
    EXPECT_THAT(h.ui.calls, IsEmpty());
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol_abs_max], 128);  // clamped all the same
}

TEST(SendServiceConnect, AutoRenameAndTestBlockFollowEveryConnection) {
    LinkHarness h;
    h.ui.auto_bt_name = true;
    h.s.Bt_Name = "Renamed";
    h.s.cpu_test_data[8] = 1;
    h.ui.test_texts.fill("5");
    h.ui.test_texts[0] = "300";  // clamped to 255
    ASSERT_TRUE(h.connect());
    for (int i = 0; i < 4; ++i) h.tick();
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 7), "Renamed");
    const FrameImage& test = h.unit.received.back();
    EXPECT_EQ(test[hid_frame::command], cmd::cpu_test);
    EXPECT_EQ(test[8], 1);
    EXPECT_EQ(test[9], 255);
    EXPECT_EQ(test[18], 5);
}

// Edits reach the unit. A write the transport refuses is not a sent frame: the request stays pending and goes out once
// writing works again, and every refused write is a miss, so a link that cannot be written to is dropped after five.
TEST_F(SendService, RefusedWriteKeepsTheEditPendingAndCountsAsAMiss) {
    h.s.param_image.eq[4][eq_frame::eq_db + 2] = 150;
    h.s.param_image.gen[gen_frame::music_input_sel] = 8;
    h.s.param_image.gen[gen_frame::vol_power_on_read_eeprom_function_en] = 0;
    h.s.send_eq_req[4] = h.s.send_gen_req = h.s.send_input_req = kPending;
    h.s.power_req = 1;
    h.unit.write_fails = 2;
    EXPECT_THAT(run(2), IsEmpty());
    EXPECT_EQ(h.s.send_eq_req[4], kPending);
    EXPECT_EQ(h.s.hid_rx_miss_cou, 2);
    EXPECT_EQ(h.s.hid_wait_reply, 0) << "no answer awaited for a frame never sent";
    run(8);
    EXPECT_EQ(h.unit.image.eq[4][eq_frame::eq_db + 2], 150);
    EXPECT_EQ(h.unit.music_input, 8);  // the input change was kept for the frame that went out
    EXPECT_EQ(h.unit.image.gen[gen_frame::vol_power_on_read_eeprom_function_en], 1);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_input_sel], 255);  // an input change goes out once
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 8);                      // taken from the acknowledgement
    EXPECT_EQ(h.s.send_eq_req[4], kClear);
    EXPECT_EQ(h.s.send_input_req, kClear);
    EXPECT_EQ(h.s.power_req, kNoRequest);
    EXPECT_EQ(h.s.hid_rx_miss_cou, 0);

    h.s.send_effect_req = kPending;
    h.unit.write_fails = -1;
    run(4);
    EXPECT_TRUE(link_connected(h.s));
    EXPECT_EQ(h.s.send_effect_req, kPending);
    run(1);  // the fifth refused write drops the link
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.ui.debug_lines.back(), "设备 = pc_offline_call");
}
