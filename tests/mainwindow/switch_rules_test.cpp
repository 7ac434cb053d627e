// Switch buttons, selectors, check boxes and option buttons at the edges the end-to-end switch tests leave out:
// the byte each writes, what it raises and redraws, indexes out of range, and offline.
#include <gtest/gtest.h>

#include <string>

#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;

class SwitchRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    SwitchRulesTest() { set_connected(true); }
    uint8_t& gen(std::size_t off) { return s.param_image.gen[off]; }
    void click(std::string_view name, int index = -1) { rules.click(env, Ctl{name, index}); }
};

TEST_F(SwitchRulesTest, ToggleButtonsFlipTheirByte) {
    struct Case {
        std::string_view name;
        int index;
        std::size_t byte;
    } cases[] = {{"key_main_out_lch_mute", -1, g::main_out_lch_mute},
                 {"key_main_out_rch_mute", -1, g::main_out_rch_mute},
                 {"key_sub_out_mute", -1, g::sub_out_mute},
                 {"key_sub_out_phase", -1, g::sub_out_phase},
                 {"key_mute", 0, g::master_mute},
                 {"key_mute", 1, g::music_mute},
                 {"key_mute", 2, g::mic_mute},
                 {"key_mute", 3, g::effect_mute}};
    for (const Case& c : cases) {
        SCOPED_TRACE((Ctl{c.name, c.index}.str()));
        gen(c.byte) = 5;  // anything but 0 clears
        s.send_gen_req = kClear;
        click(c.name, c.index);
        EXPECT_EQ(gen(c.byte), 0);
        EXPECT_EQ(s.send_gen_req, kPending);
        click(c.name, c.index);
        EXPECT_EQ(gen(c.byte), 1);
    }
    EXPECT_EQ(redraws(), 16);
    const FrameImage before = s.param_image.gen;
    click("key_mute", 7);  // outside the array: nothing toggles, still redrawn and raised
    EXPECT_EQ(s.param_image.gen, before);
    EXPECT_EQ(redraws(), 17);
}

// The lit level does nothing at all; a level that does not exist is ignored.
TEST_F(SwitchRulesTest, AntiFeedbackSelector) {
    gen(g::mic_fbx) = 3;
    for (auto [level, stored, redrawn] : {std::tuple{3, 3, 0}, std::tuple{6, 6, 1}, std::tuple{9, 6, 2}}) {
        click("key_mic_fbx", level);
        EXPECT_EQ(gen(g::mic_fbx), stored);
        EXPECT_EQ(redraws(), redrawn);
        EXPECT_EQ(s.send_gen_req, redrawn ? kPending : kClear);
    }
}

TEST_F(SwitchRulesTest, AdjustModesMoveTheirChannelPair) {
    s.eq_band_count[2] = 0;  // without a microphone-2 EQ the mode stores 0 and the channel moves to 1
    s.eq_channel_sel = 2;
    gen(g::mic1_mic2_eq_adj_mode) = 1;
    click("key_mic1_mic2_eq_adj_mode", 2);
    EXPECT_EQ(gen(g::mic1_mic2_eq_adj_mode), 0);
    EXPECT_EQ(s.eq_channel_sel, 1);
    EXPECT_EQ(s.send_gen_req, kPending);
    s.eq_band_count[2] = 10;
    click("key_mic1_mic2_eq_adj_mode", 2);
    EXPECT_EQ(gen(g::mic1_mic2_eq_adj_mode), 2);
    EXPECT_EQ(s.eq_channel_sel, 2);

    s.eq_channel_sel = 4;
    click("key_echo_reverb_eq_adj_mode", 1);
    EXPECT_EQ(gen(g::echo_reverb_eq_adj_mode), 1);
    EXPECT_EQ(s.eq_channel_sel, 3);
    s.eq_channel_sel = 0;  // another channel's tab: only the byte changes
    click("key_echo_reverb_eq_adj_mode", 0);
    EXPECT_EQ(gen(g::echo_reverb_eq_adj_mode), 0);
    EXPECT_EQ(s.eq_channel_sel, 0);
    const int before = redraws();
    click("key_echo_reverb_eq_adj_mode", 0);  // already in force
    EXPECT_EQ(redraws(), before);
}

TEST_F(SwitchRulesTest, MusicInputOnlineWaitsOfflineFollowsLitDoesNothing) {
    s.cpu_state.cpu_music_input = 3;
    click("key_input", 12);
    EXPECT_EQ(svc.count("display_wait_youxian_x100ms(16)"), 1);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 3);  // waits for the unit

    set_connected(false);
    svc.calls.clear();
    s.send_gen_req = s.send_input_req = kClear;
    gen(g::music_input_sel) = 255;
    click("key_input", 6);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 6);
    EXPECT_EQ(gen(g::music_input_sel), 255);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(svc.calls, std::vector<std::string>{"set_all_dis"});  // no wait

    svc.calls.clear();
    for (bool online : {true, false}) {
        set_connected(online);
        click("key_input", 6);   // the lit input
        click("key_input", 20);  // no such button
    }
    EXPECT_TRUE(svc.calls.empty());
    EXPECT_EQ(s.send_input_req, kClear);
}

TEST_F(SwitchRulesTest, PowerRequestTakesOnlyItsButtons) {
    click("key_power_bit", 2);
    EXPECT_EQ(s.power_req, 2);
    click("key_power_bit", 9);  // not a power request
    EXPECT_EQ(s.power_req, 2);
    EXPECT_EQ(s.send_gen_req, kClear);
}

TEST_F(SwitchRulesTest, HeldBoxIsDisabledDuringItsWait) {
    const Ctl box{"Check_vol_power_on_read_eeprom_function_en"};
    gen(g::vol_power_on_read_eeprom_function_en) = 1;
    std::vector<bool> enabled_while_waiting;
    time.on_events = [&] { enabled_while_waiting.push_back(view.enabled(box)); };
    const int32_t start = time.t;
    user_sets(box, 0);  // cleared: the byte stays 1
    EXPECT_EQ(gen(g::vol_power_on_read_eeprom_function_en), 1);
    EXPECT_GE(time.t - start, 10);
    ASSERT_FALSE(enabled_while_waiting.empty());
    for (bool on : enabled_while_waiting) EXPECT_FALSE(on);
    EXPECT_TRUE(view.enabled(box));
    EXPECT_EQ(redraws(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);
}

// Greyed counts as ticked; a tick that matches the byte raises nothing; the lock writes only 0 and 1.
TEST_F(SwitchRulesTest, CheckBoxesWriteAndRaiseOnlyOnAChange) {
    struct Case {
        const char* box;
        std::size_t byte;
        uint8_t before;
        int tick;
        uint8_t after;
    } cases[] = {{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en, 1, 1, 1},
                 {"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en, 7, 2, 1},
                 {"Check_mic1_exciter_en", g::mic1_exciter_en, 7, 0, 0},
                 {"Check_lock", g::lock, 2, 0, 2},
                 {"Check_lock", g::lock, 2, 1, 2},
                 {"Check_lock", g::lock, 1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + std::to_string(c.tick));
        gen(c.byte) = c.before;
        s.send_gen_req = kClear;
        user_sets(Ctl{c.box}, c.tick);
        EXPECT_EQ(gen(c.byte), c.after);
        EXPECT_EQ(s.send_gen_req, c.before == c.after ? kClear : kPending);
    }
    EXPECT_EQ(redraws(), 6);
}

TEST_F(SwitchRulesTest, VocalCutWithNoOptionSelectedWritesNothingButRaises) {
    gen(g::vocal_cut_mode) = 2;
    rules.check_mouse_up(env, Ctl{"Option_VC_Mode", 0});
    EXPECT_EQ(gen(g::vocal_cut_mode), 2);
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(SwitchRulesTest, ClearButtonsClearTheirList) {
    for (int i = 0; i < 4; ++i) click("Command1", i);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"clear_list lstResults", "clear_list List_cpu_debug_out_display",
                                                       "clear_list List_pc_out_data_display"}));
    EXPECT_TRUE(svc.calls.empty());
}

TEST_F(SwitchRulesTest, NothingIsRaisedWhileOffline) {
    set_connected(false);
    for (auto [name, index] :
         {std::pair{"key_mute", 0}, std::pair{"key_sub_out_phase", -1}, std::pair{"key_mic_fbx", 4},
          std::pair{"key_echo_reverb_eq_adj_mode", 2}, std::pair{"key_mic1_mic2_eq_adj_mode", 1},
          std::pair{"key_input", 10}, std::pair{"key_power_bit", 0}})
        click(name, index);
    for (const char* box : {"Check_lock", "Check_music_noise_suppressor_en", "Check_vol_max_function_en"})
        user_sets(Ctl{box}, 1);
    user_sets(Ctl{"Option_VC_Mode", 2}, 1);
    EXPECT_EQ(gen(g::master_mute), 1);
    EXPECT_EQ(gen(g::mic_fbx), 4);
    EXPECT_EQ(gen(g::vocal_cut_mode), 2);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(s.power_req, kNoRequest);
}

}  // namespace
}  // namespace tuner::testing
