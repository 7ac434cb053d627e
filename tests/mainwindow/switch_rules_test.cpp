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
    using Row = std::tuple<const char*, int, std::size_t>;
    for (auto [name, index, byte] :
         {Row{"key_main_out_lch_mute", -1, g::main_out_lch_mute},
          Row{"key_main_out_rch_mute", -1, g::main_out_rch_mute}, Row{"key_sub_out_mute", -1, g::sub_out_mute},
          Row{"key_sub_out_phase", -1, g::sub_out_phase}, Row{"key_mute", 0, g::master_mute},
          Row{"key_mute", 1, g::music_mute}, Row{"key_mute", 2, g::mic_mute}, Row{"key_mute", 3, g::effect_mute}}) {
        SCOPED_TRACE((Ctl{name, index}.str()));
        gen(byte) = 5;  // anything but 0 clears
        s.send_gen_req = kClear;
        click(name, index);
        EXPECT_EQ(gen(byte), 0) << "byte after one click";
        EXPECT_EQ(s.send_gen_req, kPending) << "gen send word";
        click(name, index);
        EXPECT_EQ(gen(byte), 1) << "byte after two clicks";
    }
    const FrameImage before = s.param_image.gen;
    click("key_mute", 7);  // outside the array: nothing toggles, still redrawn
    EXPECT_TRUE(same_frame_bytes(s.param_image.gen, before)) << "gen frame after key_mute(7)";
    EXPECT_EQ(redraws(), 17) << "redraws";
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

// On its own tab an adjust mode moves the EQ channel (mode 2: the pair's second); elsewhere only the byte changes.
TEST_F(SwitchRulesTest, AdjustModesMoveTheChannelOfTheirTab) {
    using Row = std::tuple<const char*, int, uint8_t, uint8_t, uint8_t, uint8_t>;  // mic-2 bands, channel before/after
    for (auto [selector, mode, mic2_bands, stored, before, after] :
         {Row{"key_mic1_mic2_eq_adj_mode", 2, 10, 2, 1, 2}, Row{"key_mic1_mic2_eq_adj_mode", 1, 10, 1, 2, 1},
          Row{"key_mic1_mic2_eq_adj_mode", 2, 0, 0, 2, 1},  // without a microphone-2 EQ: mode 0, channel 1
          Row{"key_echo_reverb_eq_adj_mode", 2, 0, 2, 3, 4}, Row{"key_echo_reverb_eq_adj_mode", 0, 0, 0, 0, 0}}) {
        SCOPED_TRACE(std::string(selector) + " " + std::to_string(mode));
        s.eq_band_count[2] = mic2_bands;
        s.eq_channel_sel = before;
        click(selector, mode);
        const bool mic = std::string_view(selector) == "key_mic1_mic2_eq_adj_mode";
        EXPECT_EQ(gen(mic ? g::mic1_mic2_eq_adj_mode : g::echo_reverb_eq_adj_mode), stored) << "mode byte";
        EXPECT_EQ(s.eq_channel_sel, after) << "EQ channel";
    }
    const int before = redraws();
    click("key_echo_reverb_eq_adj_mode", 0);  // already in force
    EXPECT_EQ(redraws(), before) << "redraws by the mode in force";
}

TEST_F(SwitchRulesTest, MusicInputOfflineFollowsAtOnceAndTheLitInputDoesNothing) {
    click("key_input", 12);
    click("key_input", 10);
    EXPECT_EQ(svc.calls,
              (std::vector<std::string>{"display_wait_youxian_x100ms(16)", "display_wait_youxian_x100ms(23)"}))
        << "waits for inputs 12 and 10";
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

// Greyed counts as ticked; a tick that matches the byte raises nothing; the lock writes only 0 and 1; with no
// vocal-cut option selected nothing is written but the frame is raised. A volume-function box is disabled during its
// short wait; the power-on one keeps its byte 1.
TEST_F(SwitchRulesTest, CheckBoxesWriteAndRaiseOnlyOnAChange) {
    using Row = std::tuple<const char*, std::size_t, int, int, int>;  // byte before, tick, byte after
    for (auto [box, byte, before, tick, after] :
         {Row{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en, 1, 1, 1},
          Row{"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en, 7, 2, 1},
          Row{"Check_mic1_exciter_en", g::mic1_exciter_en, 7, 0, 0}, Row{"Check_lock", g::lock, 2, 1, 2},
          Row{"Check_lock", g::lock, 1, 0, 0}}) {
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

// The release counter opens the panel from the tenth release on; a text that is no number keeps the byte. Steppers
// clamp at 0 and 255 and rewrite the box; they send only while connected, at a limit too. A greyed switch is off.
TEST_F(SwitchRulesTest, TestPanel) {
    const Ctl line{"Text_software_version"};
    for (int i = 0; i < 310; ++i) rules.check_mouse_up(env, line);
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
    EXPECT_FALSE(rules.step(env, "cpu_test_data_inc", 10)) << "stepper of box 10";
    EXPECT_FALSE(rules.step(env, "cpu_test_data_dec", -1)) << "stepper of box -1";
    user_sets(Ctl{"Check_cpu_test_sw"}, 2);  // greyed: off
    EXPECT_EQ(s.cpu_test_data[kTestSwitchByte], 0) << "test switch byte when greyed";
    EXPECT_EQ(s.send_cpu_test_req, kPending) << "test send word after the switch";
}

}  // namespace
}  // namespace tuner::testing
