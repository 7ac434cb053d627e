// Switch buttons, selectors, check boxes and option buttons of the tuning
// window: the byte each writes, what it raises and what it redraws.
#include <gtest/gtest.h>

#include <string>

#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;

class SwitchRulesTest : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    SwitchRulesTest() { set_connected(true); }
    uint8_t& gen(std::size_t off) { return s.param_image.gen[off]; }
    void click(std::string_view name, int index = -1) { rules.click(env, Ctl{name, index}); }
    // The user toggled a box: the window has its new state, then reports it.
    void user_sets(std::string_view name, int value, int index = -1) {
        view.at(Ctl{name, index}).value = value;
        rules.check_mouse_up(env, Ctl{name, index});
    }
};

TEST_F(SwitchRulesTest, ToggleButtonsFlipTheirByte) {
    struct Case {
        std::string_view name;
        int index;
        std::size_t byte;
    };
    for (Case c :
         {Case{"key_main_out_lch_mute", -1, g::main_out_lch_mute},
          Case{"key_main_out_rch_mute", -1, g::main_out_rch_mute}, Case{"key_sub_out_mute", -1, g::sub_out_mute},
          Case{"key_sub_out_phase", -1, g::sub_out_phase}, Case{"key_mute", 0, g::master_mute},
          Case{"key_mute", 1, g::music_mute}, Case{"key_mute", 2, g::mic_mute}, Case{"key_mute", 3, g::effect_mute}}) {
        SCOPED_TRACE((Ctl{c.name, c.index}.str()));
        gen(c.byte) = 5;  // anything but 0 clears
        s.send_gen_req = kClear;
        click(c.name, c.index);
        EXPECT_EQ(gen(c.byte), 0);
        EXPECT_EQ(s.send_gen_req, kPending);
        click(c.name, c.index);
        EXPECT_EQ(gen(c.byte), 1);
    }
    EXPECT_EQ(set_all_dis_count(), 16);
}

TEST_F(SwitchRulesTest, MuteOutsideTheArrayTogglesNothingButRedrawsAndRaises) {
    const FrameImage before = s.param_image.gen;
    click("key_mute", 7);
    EXPECT_EQ(s.param_image.gen, before);
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(SwitchRulesTest, AntiFeedbackSelector) {
    gen(g::mic_fbx) = 3;
    click("key_mic_fbx", 3);  // the lit level: nothing at all
    EXPECT_EQ(set_all_dis_count(), 0);
    EXPECT_EQ(s.send_gen_req, kClear);
    click("key_mic_fbx", 6);
    EXPECT_EQ(gen(g::mic_fbx), 6);
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);
    click("key_mic_fbx", 9);  // no such level
    EXPECT_EQ(gen(g::mic_fbx), 6);
}

TEST_F(SwitchRulesTest, MicAdjustModeWithoutMic2StoresZeroAndMovesTheChannel) {
    s.eq_band_count[2] = 0;
    s.eq_channel_sel = 2;
    gen(g::mic1_mic2_eq_adj_mode) = 1;
    click("key_mic1_mic2_eq_adj_mode", 2);
    EXPECT_EQ(gen(g::mic1_mic2_eq_adj_mode), 0);
    EXPECT_EQ(s.eq_channel_sel, 1);
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(set_all_dis_count(), 1);

    s.eq_band_count[2] = 10;
    click("key_mic1_mic2_eq_adj_mode", 2);
    EXPECT_EQ(gen(g::mic1_mic2_eq_adj_mode), 2);
    EXPECT_EQ(s.eq_channel_sel, 2);
}

TEST_F(SwitchRulesTest, EchoReverbAdjustModeMovesOnlyItsPair) {
    s.eq_channel_sel = 4;
    click("key_echo_reverb_eq_adj_mode", 1);
    EXPECT_EQ(gen(g::echo_reverb_eq_adj_mode), 1);
    EXPECT_EQ(s.eq_channel_sel, 3);
    click("key_echo_reverb_eq_adj_mode", 2);
    EXPECT_EQ(s.eq_channel_sel, 4);

    s.eq_channel_sel = 0;
    click("key_echo_reverb_eq_adj_mode", 0);
    EXPECT_EQ(gen(g::echo_reverb_eq_adj_mode), 0);
    EXPECT_EQ(s.eq_channel_sel, 0);
    const int redraws = set_all_dis_count();
    click("key_echo_reverb_eq_adj_mode", 0);  // already in force
    EXPECT_EQ(set_all_dis_count(), redraws);
}

TEST_F(SwitchRulesTest, MusicInputOnlineWaitsForTheUnit) {
    s.cpu_state.cpu_music_input = 3;
    click("key_input", 6);
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(s.send_input_req, kPending);
    EXPECT_EQ(gen(g::music_input_sel), 6);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 3);
    EXPECT_EQ(ui.count("display_wait_youxian_x100ms(23)"), 1);
    EXPECT_EQ(set_all_dis_count(), 0);
    click("key_input", 12);
    EXPECT_EQ(ui.count("display_wait_youxian_x100ms(16)"), 1);
}

TEST_F(SwitchRulesTest, MusicInputOfflineFollowsAtOnce) {
    set_connected(false);
    s.cpu_state.cpu_music_input = 3;
    gen(g::music_input_sel) = 255;
    click("key_input", 6);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 6);
    EXPECT_EQ(gen(g::music_input_sel), 255);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_TRUE(ui.calls.size() == 1);  // no wait
}

TEST_F(SwitchRulesTest, LitMusicInputDoesNothingOnlineOrOffline) {
    s.cpu_state.cpu_music_input = 6;
    for (bool online : {true, false}) {
        set_connected(online);
        click("key_input", 6);
        click("key_input", 20);  // no such button
    }
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 6);
}

TEST_F(SwitchRulesTest, PowerRequestOnlyWhileConnected) {
    set_connected(false);
    click("key_power_bit", 1);
    EXPECT_EQ(s.power_req, kNoRequest);
    EXPECT_EQ(set_all_dis_count(), 1);
    set_connected(true);
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
    user_sets(box.name, 0);  // cleared: the byte stays 1
    EXPECT_EQ(gen(g::vol_power_on_read_eeprom_function_en), 1);
    EXPECT_GE(time.t - start, 10);
    ASSERT_FALSE(enabled_while_waiting.empty());
    for (bool on : enabled_while_waiting) EXPECT_FALSE(on);
    EXPECT_TRUE(view.enabled(box));
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);

    user_sets("Check_vol_max_function_en", 1);
    EXPECT_EQ(gen(g::vol_max_function_en), 1);
    user_sets("Check_vol_max_function_en", 0);
    EXPECT_EQ(gen(g::vol_max_function_en), 0);
}

TEST_F(SwitchRulesTest, LockWritesOnlyZeroAndOne) {
    gen(g::lock) = 2;
    user_sets("Check_lock", 0);
    user_sets("Check_lock", 1);
    EXPECT_EQ(gen(g::lock), 2);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(set_all_dis_count(), 2);
    gen(g::lock) = 1;
    user_sets("Check_lock", 0);
    EXPECT_EQ(gen(g::lock), 0);
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(SwitchRulesTest, EnableBoxesWriteAndRaiseOnlyOnAChange) {
    for (auto [name, byte] : {std::pair{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en},
                              std::pair{"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en},
                              std::pair{"Check_mic1_exciter_en", g::mic1_exciter_en}}) {
        SCOPED_TRACE(name);
        gen(byte) = 1;
        s.send_gen_req = kClear;
        user_sets(name, 1);
        EXPECT_EQ(s.send_gen_req, kClear);
        gen(byte) = 7;
        user_sets(name, 2);  // greyed counts as ticked
        EXPECT_EQ(gen(byte), 1);
        EXPECT_EQ(s.send_gen_req, kPending);
        user_sets(name, 0);
        EXPECT_EQ(gen(byte), 0);
    }
    EXPECT_EQ(set_all_dis_count(), 9);
}

// The window reports every user toggle, keyboard included, through
// check_mouse_up; ticks set by the display are never reported.
TEST_F(SwitchRulesTest, KeyboardToggleActsLikeTheMouse) {
    gen(g::mic1_exciter_en) = 0;
    view.set_value(Ctl{"Check_mic1_exciter_en"}, 1);  // a redraw: nothing reaches the rules
    EXPECT_EQ(gen(g::mic1_exciter_en), 0);
    user_sets("Check_mic1_exciter_en", 1);  // space bar on the focused box
    EXPECT_EQ(gen(g::mic1_exciter_en), 1);
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(SwitchRulesTest, VocalCutOptionsSetModeAndPriority) {
    struct Case {
        int button;
        uint8_t vocal_cut, priority;
    };
    for (Case c : {Case{1, 1, 0}, Case{2, 2, 0}, Case{3, 0, 1}, Case{0, 0, 0}}) {
        for (int i = 0; i < 4; ++i) view.at(Ctl{"Option_VC_Mode", i}).value = i == c.button;
        gen(g::vocal_cut_mode) = 9, gen(g::mic_priority) = 9;
        rules.check_mouse_up(env, Ctl{"Option_VC_Mode", c.button});
        EXPECT_EQ(gen(g::vocal_cut_mode), c.vocal_cut) << c.button;
        EXPECT_EQ(gen(g::mic_priority), c.priority) << c.button;
    }
    for (int i = 0; i < 4; ++i) view.at(Ctl{"Option_VC_Mode", i}).value = 0;
    s.send_gen_req = kClear;
    rules.check_mouse_up(env, Ctl{"Option_VC_Mode", 0});
    EXPECT_EQ(gen(g::vocal_cut_mode), 0);  // none selected: nothing written
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(SwitchRulesTest, ClearButtonsClearTheirList) {
    for (int i = 0; i < 4; ++i) click("Command1", i);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"clear_list lstResults", "clear_list List_cpu_debug_out_display",
                                                       "clear_list List_pc_out_data_display"}));
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(SwitchRulesTest, NothingIsRaisedWhileOffline) {
    set_connected(false);
    for (auto [name, index] :
         {std::pair{"key_mute", 0}, std::pair{"key_sub_out_phase", -1}, std::pair{"key_mic_fbx", 4},
          std::pair{"key_echo_reverb_eq_adj_mode", 2}, std::pair{"key_mic1_mic2_eq_adj_mode", 1},
          std::pair{"key_input", 10}, std::pair{"key_power_bit", 0}})
        click(name, index);
    for (const char* box : {"Check_lock", "Check_music_noise_suppressor_en", "Check_vol_max_function_en"})
        user_sets(box, 1);
    user_sets("Option_VC_Mode", 1, 2);
    EXPECT_EQ(gen(g::master_mute), 1);
    EXPECT_EQ(gen(g::mic_fbx), 4);
    EXPECT_EQ(gen(g::vocal_cut_mode), 2);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_input_req, kClear);
    EXPECT_EQ(s.power_req, kNoRequest);
}

}  // namespace
}  // namespace tuner::testing
