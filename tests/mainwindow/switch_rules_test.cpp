// Switches, selectors, check boxes and the test panel at the edges the end-to-end tests leave out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "core/image_match.h"
#include "mainwindow/test_panel_rules.h"
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
    for (auto [name, index, byte] :
         {std::tuple{"key_main_out_lch_mute", -1, g::main_out_lch_mute},
          std::tuple{"key_main_out_rch_mute", -1, g::main_out_rch_mute},
          std::tuple{"key_sub_out_mute", -1, g::sub_out_mute}, std::tuple{"key_sub_out_phase", -1, g::sub_out_phase},
          std::tuple{"key_mute", 0, g::master_mute}, std::tuple{"key_mute", 1, g::music_mute},
          std::tuple{"key_mute", 2, g::mic_mute}, std::tuple{"key_mute", 3, g::effect_mute}}) {
        SCOPED_TRACE((Ctl{name, index}.str()));
        gen(byte) = 5;  // anything but 0 clears
        s.send_gen_req = kClear;
        click(name, index);
        EXPECT_EQ(gen(byte), 0) << "byte after the first click";
        EXPECT_EQ(s.send_gen_req, kPending) << "gen send word after the first click";
        click(name, index);
        EXPECT_EQ(gen(byte), 1) << "byte after the second click";
    }
    const FrameImage before = s.param_image.gen;
    click("key_mute", 7);  // outside the array: nothing toggles, still redrawn
    EXPECT_TRUE(same_frame_bytes(s.param_image.gen, before)) << "gen frame after key_mute(7)";
    EXPECT_EQ(redraws(), 17) << "redraws by the toggles";
}

// The lit anti-feedback level does nothing at all, one that does not exist is ignored; power and clear buttons take
// only their indexes.
TEST_F(SwitchRulesTest, SelectorsTakeOnlyTheirIndexes) {
    gen(g::mic_fbx) = 3;
    for (auto [level, stored, redrawn] : {std::tuple{3, 3, 0}, std::tuple{6, 6, 1}, std::tuple{9, 6, 2}}) {
        SCOPED_TRACE("level " + std::to_string(level));
        click("key_mic_fbx", level);
        EXPECT_EQ(gen(g::mic_fbx), stored) << "level byte";
        EXPECT_EQ(redraws(), redrawn) << "redraws";
        EXPECT_EQ(s.send_gen_req, redrawn ? kPending : kClear) << "gen send word";
    }
    s.send_gen_req = kClear;
    click("key_power_bit", 2);
    click("key_power_bit", 9);  // not a power request
    EXPECT_EQ(s.power_req, 2) << "power request";
    EXPECT_EQ(s.send_gen_req, kClear) << "gen send word after the power buttons";
    for (int i = 0; i < 4; ++i) click("Command1", i);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"clear_list lstResults", "clear_list List_cpu_debug_out_display",
                                                       "clear_list List_pc_out_data_display"}));
}

TEST_F(SwitchRulesTest, AdjustModesWithoutMic2OnAnotherTabAndAlreadyInForce) {
    s.eq_band_count[2] = 0;  // without a microphone-2 EQ the mode stores 0 and the channel moves to 1
    s.eq_channel_sel = 2;
    gen(g::mic1_mic2_eq_adj_mode) = 1;
    click("key_mic1_mic2_eq_adj_mode", 2);
    EXPECT_EQ(gen(g::mic1_mic2_eq_adj_mode), 0) << "microphone adjust mode";
    EXPECT_EQ(s.eq_channel_sel, 1) << "EQ channel without a microphone-2 EQ";
    s.eq_channel_sel = 0;  // another channel's tab: only the byte changes
    click("key_echo_reverb_eq_adj_mode", 0);
    EXPECT_EQ(gen(g::echo_reverb_eq_adj_mode), 0) << "effect adjust mode";
    EXPECT_EQ(s.eq_channel_sel, 0) << "EQ channel on another channel's tab";
    const int before = redraws();
    click("key_echo_reverb_eq_adj_mode", 0);  // already in force
    EXPECT_EQ(redraws(), before) << "redraws by the mode in force";
    s.eq_channel_sel = 3;  // the effect tab: the channel follows the mode
    click("key_echo_reverb_eq_adj_mode", 2);
    EXPECT_EQ(s.eq_channel_sel, 4) << "EQ channel after effect adjust mode 2";
}

TEST_F(SwitchRulesTest, MusicInputOfflineFollowsAtOnceAndTheLitInputDoesNothing) {
    click("key_input", 12);
    EXPECT_EQ(svc.count("display_wait_youxian_x100ms(16)"), 1);  // online: the wait for this input
    set_connected(false);
    svc.calls.clear();
    s.send_gen_req = s.send_input_req = kClear;
    gen(g::music_input_sel) = 255;
    click("key_input", 10);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 10) << "input shown offline";
    EXPECT_EQ(gen(g::music_input_sel), 255) << "input byte offline";
    EXPECT_EQ(svc.calls, std::vector<std::string>{"set_all_dis"});  // no wait
    svc.calls.clear();
    for (bool online : {true, false}) {
        set_connected(online);
        click("key_input", 10);  // the lit input
        click("key_input", 20);  // no such button
    }
    EXPECT_THAT(svc.calls, ::testing::IsEmpty()) << "the lit input and a missing one";
    EXPECT_EQ(s.send_gen_req, kClear) << "gen send word";
    EXPECT_EQ(s.send_input_req, kClear) << "input send word";
}

// Greyed counts as ticked; a tick that matches the byte raises nothing; the lock writes only 0 and 1 (a lock byte 2
// unticked: E2eTruth.CheckBoxesShowTheirBytesAfterAClick); with no vocal-cut option selected nothing is written but
// the frame is raised. A volume-function box is disabled during its short wait; the power-on one keeps its byte 1.
TEST_F(SwitchRulesTest, CheckBoxesWriteAndRaiseOnlyOnAChange) {
    for (auto [box, byte, before, tick, after] :
         {std::tuple{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en, 1, 1, 1},
          std::tuple{"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en, 7, 2, 1},
          std::tuple{"Check_mic1_exciter_en", g::mic1_exciter_en, 7, 0, 0}, std::tuple{"Check_lock", g::lock, 2, 1, 2},
          std::tuple{"Check_lock", g::lock, 1, 0, 0}}) {
        SCOPED_TRACE(std::string(box) + " byte " + std::to_string(before) + " ticked " + std::to_string(tick));
        gen(byte) = static_cast<uint8_t>(before);
        s.send_gen_req = kClear;
        user_sets(Ctl{box}, tick);
        EXPECT_EQ(gen(byte), after) << "byte";
        EXPECT_EQ(s.send_gen_req, before == after ? kClear : kPending) << "gen send word";
    }
    EXPECT_EQ(redraws(), 5) << "redraws by the boxes";
    gen(g::vocal_cut_mode) = 2;
    rules.check_mouse_up(env, Ctl{"Option_VC_Mode", 0});
    EXPECT_EQ(gen(g::vocal_cut_mode), 2) << "vocal-cut byte with no option selected";
    EXPECT_EQ(s.send_gen_req, kPending) << "gen send word with no option selected";

    const Ctl box{"Check_vol_power_on_read_eeprom_function_en"};
    gen(g::vol_power_on_read_eeprom_function_en) = 1;
    s.send_gen_req = kClear;
    std::vector<bool> enabled_while_waiting;
    time.on_events = [&] { enabled_while_waiting.push_back(view.enabled(box)); };
    const int32_t start = time.t;
    user_sets(box, 0);
    EXPECT_EQ(gen(g::vol_power_on_read_eeprom_function_en), 1) << "power-on box byte after clearing the box";
    EXPECT_GE(time.t - start, 10) << "wait in event-pump ticks";
    ASSERT_FALSE(enabled_while_waiting.empty());
    for (bool on : enabled_while_waiting) EXPECT_FALSE(on) << "box enabled during its wait";
    EXPECT_TRUE(view.enabled(box)) << "box enabled after its wait";
    EXPECT_EQ(s.send_gen_req, kPending) << "gen send word after the wait";
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
    EXPECT_EQ(gen(g::master_mute), 1) << "master mute";
    EXPECT_EQ(gen(g::mic_fbx), 4) << "anti-feedback level";
    EXPECT_EQ(gen(g::vocal_cut_mode), 2) << "vocal-cut mode";
    EXPECT_EQ(s.send_gen_req, kClear) << "gen send word";
    EXPECT_EQ(s.send_input_req, kClear) << "input send word";
    EXPECT_EQ(s.power_req, kNoRequest) << "power request";
}

Ctl test_box(int i) { return Ctl{"Text_cpu_test_data", i}; }

// The release counter stops at its limit with the panel open; a text that is no number keeps the byte. Steppers
// clamp at 0 and 255 and rewrite the box; they send only while connected, at a limit too. A greyed switch is off.
TEST_F(SwitchRulesTest, TestPanel) {
    for (int i = 0; i < 310; ++i) rules.check_mouse_up(env, Ctl{"Text_software_version"});
    EXPECT_EQ(std::count(actions.calls.begin(), actions.calls.end(), "show_test_panel 1"), 301);
    for (auto [text, stored, shown] : {std::tuple{"17", 17, "17"}, std::tuple{"-", 17, "17"}}) {
        view.set_text(test_box(3), text);
        rules.box_commit(env, test_box(3));
        EXPECT_EQ(s.cpu_test_data[kTestDataFirstByte + 3], stored) << "test byte 3 after \"" << text << "\"";
        EXPECT_EQ(view.text(test_box(3)), shown) << "box text after \"" << text << "\"";
    }
    for (bool online : {false, true}) {
        set_connected(online);
        for (auto [stepper, index, before, after] :
             {std::tuple{"cpu_test_data_inc", 9, 255, 255}, std::tuple{"cpu_test_data_dec", 0, 0, 0},
              std::tuple{"cpu_test_data_inc", 4, 1, 2}}) {
            SCOPED_TRACE(std::string(stepper) + " box " + std::to_string(index) + " from " + std::to_string(before) +
                         (online ? " online" : " offline"));
            uint8_t& byte = s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(index)];
            byte = static_cast<uint8_t>(before);
            s.send_cpu_test_req = kClear;
            EXPECT_TRUE(rules.step(env, stepper, index)) << "stepper not handled";
            EXPECT_EQ(byte, after) << "test byte";
            EXPECT_EQ(view.text(test_box(index)), std::to_string(after)) << "box text";
            EXPECT_TRUE(view.has_focus(test_box(index))) << "box focus";
            EXPECT_EQ(s.send_cpu_test_req, online ? kPending : kClear) << "test send word";
        }
    }
    EXPECT_FALSE(rules.step(env, "cpu_test_data_inc", 10));  // no such box
    EXPECT_FALSE(rules.step(env, "cpu_test_data_dec", -1)) << "stepper of box -1";
    user_sets(Ctl{"Check_cpu_test_sw"}, 2);  // greyed: off
    EXPECT_EQ(s.cpu_test_data[kTestSwitchByte], 0) << "test switch byte when greyed";
    EXPECT_EQ(s.send_cpu_test_req, kPending) << "test send word after the switch";
}

}  // namespace
}  // namespace tuner::testing
