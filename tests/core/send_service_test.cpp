#include <gtest/gtest.h>

#include "core/send_requests.h"
#include "core/send_service.h"
#include "support/link_harness.h"

using namespace tuner;
using namespace tuner::testing;

namespace {

struct SendService : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.connect());
        h.ui.calls.clear();
        h.ui.debug_lines.clear();
    }
    // Runs ticks and returns the frames sent meanwhile.
    std::vector<FrameImage> run(int ticks) {
        const std::size_t mark = h.unit.received.size();
        for (int i = 0; i < ticks; ++i) h.tick();
        return h.frames_since(mark);
    }
    // "command/rws" per frame, with the channel for EQ frames: "6.3/1".
    static std::vector<std::string> names(const std::vector<FrameImage>& frames) {
        std::vector<std::string> out;
        for (const FrameImage& f : frames) {
            std::string n = std::to_string(f[hid_frame::command]);
            if (f[hid_frame::command] == cmd::eq) n += "." + std::to_string(f[eq_frame::EQ_CH]);
            out.push_back(n + "/" + std::to_string(f[hid_frame::RWS]));
        }
        return out;
    }
    LinkHarness h;
};

}  // namespace

TEST_F(SendService, PendingGroupsGoOutInPriorityOrderOnePerTwoTicks) {
    h.s.send_bt_name_req = kPending;
    h.s.send_audio_mode_config_req = kPending;
    h.s.send_eq_req[7] = kPending;
    h.s.send_eq_req[3] = kPending;
    h.s.send_gen_req = kPending;
    h.s.send_input_req = kPending;
    h.s.send_effect_req = kPending;
    h.s.send_cpu_test_req = kPending;
    h.s.power_req = 0;
    h.s.mode_reset_req = {0, 0, 1};
    h.s.mode_save_req = {1, 16};
    const std::size_t mark = h.unit.received.size();
    for (int i = 0; i < 24; ++i) {
        h.tick();
        // A frame goes out only on every second tick; the other reads its answer.
        EXPECT_EQ(h.unit.received.size() - mark, static_cast<std::size_t>(i / 2 + 1)) << "tick " << i;
    }
    EXPECT_EQ(names(h.frames_since(mark)),
              (std::vector<std::string>{"9/1", "12/1", "6.3/1", "6.7/1", "8/1", "7/1", "13/1", "11/1", "5/1", "5/1",
                                        "7/0", "6.0/0"}));
    EXPECT_EQ(h.s.send_input_req, kClear);
    EXPECT_EQ(h.s.power_req, kNoRequest);
    EXPECT_EQ(h.s.mode_save_req, (std::array<uint8_t, 2>{0, kNoRequest}));
    EXPECT_EQ(h.s.mode_reset_req, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(h.unit.power_on, 0);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 2);
    EXPECT_TRUE(h.ui.has_debug_line("i_hid_cmd_pc_tx_req_read_wrtie_bt_name  RWS=W"));
    EXPECT_TRUE(h.ui.has_debug_line("i_hid_cmd_read_wrtie_audio_mode_config  RWS=W"));
    EXPECT_TRUE(h.ui.has_debug_line("RESET eeprom."));
    EXPECT_TRUE(h.ui.has_debug_line("write eeprom.  MODE========16"));
}

TEST_F(SendService, EditsReachTheUnit) {
    h.s.param_image.eq[4][eq_frame::eq_db + 2] = 150;
    h.s.param_image.gen[gen_frame::music_input_sel] = 8;
    h.s.send_eq_req[4] = kPending;
    h.s.send_gen_req = kPending;
    run(4);
    EXPECT_EQ(h.unit.image.eq[4][eq_frame::eq_db + 2], 150);
    EXPECT_EQ(h.unit.music_input, 8);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_input_sel], 255);
    EXPECT_EQ(h.s.cpu_state.cpu_music_input, 8);  // taken from the acknowledgement
}

TEST_F(SendService, PollCycleWithNothingPending) {
    const auto frames = run(30);
    std::vector<std::string> expected = {"7/0"};
    for (int ch = 0; ch < 10; ++ch) expected.push_back("6." + std::to_string(ch) + "/0");
    for (const char* n : {"9/0", "12/0", "8/0", "7/0"}) expected.push_back(n);
    EXPECT_EQ(names(frames), expected);
    // Changes made on the unit come back.
    h.unit.image.gen[gen_frame::mic_vol] = 12;
    run(28);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::mic_vol], 12);
}

TEST_F(SendService, RecallSendsTheModeAndReadsEverythingBack) {
    h.unit.eeprom_modes[2].gen[gen_frame::music_vol] = 66;
    h.s.mode_recall_req = 3;
    const auto frames = run(1);
    ASSERT_EQ(frames.size(), 15u);
    const FrameImage& f = frames[0];
    EXPECT_EQ(f[hid_frame::command], cmd::eeprom_mode);
    const uint8_t payload[10] = {0, 0xFF, 1, 3, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f[8 + i], payload[i]) << "byte " << 8 + i;
    EXPECT_TRUE(h.ui.has_debug_line("read_eeprom.  MODE========3"));
    EXPECT_EQ(h.s.mode_recall_req, kNoRequest);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol], 66);
    EXPECT_EQ(h.s.cpu_state.cpu_mode_index, 3);
    EXPECT_GE(h.clock.t, 100);
}

TEST_F(SendService, ResetAndSavePayloads) {
    h.s.mode_reset_req = {1, 0, 0};
    auto f = run(1).at(0);
    EXPECT_EQ(f[15], 1);
    EXPECT_EQ(f[16], 0);
    EXPECT_EQ(f[17], 0);
    EXPECT_EQ(f[9], 0xFF);
    EXPECT_EQ(f[11], 0xFF);
    run(1);
    h.s.mode_save_req = {1, 16};
    f = run(1).at(0);
    EXPECT_EQ(f[8], 1);
    EXPECT_EQ(f[9], 16);
    EXPECT_EQ(f[10], 0);
    EXPECT_EQ(f[11], 0xFF);
    EXPECT_EQ(h.unit.mode_index, 16);
}

TEST_F(SendService, BusyTimeAsksForAProgressWait) {
    h.unit.eeprom_busy_time = 23;
    h.s.mode_save_req = {1, 2};
    run(2);
    EXPECT_EQ(h.ui.count("display_wait_youxian_x100ms(23)"), 1);
}

TEST_F(SendService, RefusedBluetoothNameIsNotSent) {
    h.s.Bt_Name = "bad\tname";
    h.s.send_bt_name_req = kPending;
    const auto frames = run(2);
    EXPECT_EQ(h.s.send_bt_name_req, kClear);
    EXPECT_EQ(h.ui.messages.size(), 1u);
    for (const auto& n : names(frames)) EXPECT_NE(n, "9/1");
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 9), "Unit Name");

    // A good name goes out; a name request waits while the buffer is not ready.
    h.s.Bt_Name = "Party";
    h.s.bt_name_ready = false;
    h.s.send_bt_name_req = kPending;
    run(4);
    EXPECT_EQ(h.s.send_bt_name_req, kPending);
    h.s.bt_name_ready = true;
    run(4);
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 6), std::string("Party\0", 6));
}

TEST_F(SendService, SetAllRaisesOnlyWhileConnected) {
    send_req_set_all(h.s, h.ui);
    EXPECT_EQ(h.s.send_gen_req, kPending);
    EXPECT_EQ(h.s.send_eq_req[9], kPending);
    send_req_clear_all(h.s);
    EXPECT_EQ(h.s.send_gen_req, kClear);

    h.s.cpu_connect_state = 2;
    h.ui.calls.clear();
    h.s.param_image.gen[gen_frame::music_vol_abs_max] = 0;
    send_req_set_all(h.s, h.ui);
    EXPECT_EQ(h.s.send_gen_req, kClear);
    EXPECT_EQ(h.ui.count("display_wait_1s"), 0);
    EXPECT_EQ(h.s.param_image.gen[gen_frame::music_vol_abs_max], 128);
}

TEST(SendServiceConnect, AutoRenameAndTestBlockFollowEveryConnection) {
    LinkHarness h;
    h.ui.auto_bt_name = true;
    h.s.Bt_Name = "Renamed";
    h.s.cpu_test_data[8] = 1;
    h.ui.test_texts.fill("5");
    ASSERT_TRUE(h.connect());
    EXPECT_EQ(h.s.send_bt_name_req, kPending);
    EXPECT_EQ(h.s.send_cpu_test_req, kPending);
    for (int i = 0; i < 4; ++i) h.tick();
    EXPECT_EQ(std::string(h.unit.bt_name.begin(), h.unit.bt_name.begin() + 7), "Renamed");
    EXPECT_EQ(h.unit.test_block[8], 1);
    EXPECT_EQ(h.unit.test_block[18], 5);
}
