// Parameter editors, the compressor record and the EQ band editor at the edges the end-to-end tests leave out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/default_image.h"
#include "core/eq_filter.h"
#include "core/image_match.h"
#include "core/param_table.h"
#include "core/value_tables.h"
#include "mainwindow/eq_rules.h"
#include "rule_env_fixture.h"
#include "support/distinct_image.h"

namespace tuner::testing {
namespace {

using K = ParamKind;

namespace q = eq_frame;

// Slider ranges as after start-up, the MIC tab's compressor record, EQ channel 5 with flat bands; connected.
class EditorRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    EditorRulesTest() {
        for (const ParamRow& r : param_table())
            if (r.frame != ParamFrame::Eq && !r.slider.empty()) slider(Ctl{r.slider}, r.min, r.max, r.min);
        slider(Ctl{"vr_drc_threshold_db"}, -35, 0, -35);
        s.drc_channel_sel = 1;
        set_connected(true);
        s.eq_channel_sel = 5;
        for (std::size_t b = 0; b < kEqBands; ++b) {
            band(q::eq_db, b) = 120;
            band(q::eq_q_peq, b) = band(q::eq_q_shelf, b) = band(q::eq_q_pass, b) = 7;
            set_eq_freq(eq(), b, 200);
            band(q::eq_x_enable, b) = 1;
        }
        eq()[q::eq_pre_gain_db_index] = 120;
    }
    const ParamRow& row(std::string_view name) { return *find_param(name); }
    FrameImage& eq() { return s.param_image.eq[5]; }
    uint8_t& band(std::size_t field, std::size_t b) { return eq()[field + b]; }
    bool raised() const { return s.send_eq_req[5] == kPending; }
    void clear_word() { s.send_eq_req.fill(kClear); }
};

// EQ gain and frequency raise only on a change; power-on steps reach the volume slider's max, not its adjust maximum.
TEST_F(EditorRulesTest, EdgesSnapAndClampToTheLimitsInForce) {
    slider(Ctl{"vr_music_vol"}, 0, 60, 10);
    view.at(Ctl{"vr_music_vol"}).s_max_limit = 20;
    // band, raw delay mode or the band's type, typed, shown, stored, raised, redraws
    using Case = std::tuple<const char*, int, uint8_t, const char*, const char*, int32_t, bool, int>;
    for (auto [param, b, mode, typed, shown, stored, raises, redrawn] :
         {Case{"echo_a_delay_r", 0, 1, "17", "17", 17, true, 0},              // raw mode: a plain step
          Case{"echo_a_delay_r", 0, 1, "95", "30", 30, true, 0},              // the slider's max, not snapped
          Case{"music_noise_suppressor_ratio", 0, 0, "-5", "5", 5, true, 3},  // the minus is dropped
          Case{"music_vol", 0, 0, "25", "25", 25, true, 0},  // above the adjust maximum while the limit function is off
          Case{"music_vol_adj_max", 0, 0, "300", "60", 60, true, 1},
          Case{"mic1_exciter_freq_index_100", 0, 0, "1030", "1040", 2, true, 1},
          Case{"drc_attack", 0, 0, "2000.5", "2000.5", 2000, true, 0},  // the decimal is kept, the whole stored
          Case{"drc_ratio", 0, 0, "13.5", "13.5", 14, true, 0}, Case{"eq_freq", 4, 0, "1005", "1000", 239, true, 1},
          Case{"eq_freq", 4, 0, "1000", "1000", 239, false, 1}, Case{"eq_db", 2, 0, "0", "0", 120, false, 1},
          Case{"eq_db", 2, 0, "1.5", "1.6", 128, true, 1},
          Case{"eq_q", 1, 9, "30", "2", 20, true, 1},  // the Q of a slope variant stops at 2.0
          Case{"eq_pre_gain_db_index", 0, 0, "0", "0", 120, true, 1}}) {
        SCOPED_TRACE(std::string(param) + " typed " + typed + " mode " + std::to_string(mode));
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = band(q::eq_type, static_cast<std::size_t>(b)) = mode;
        const ParamRow& r = row(param);
        param_send_word(s, r) = kClear;
        const int before = redraws();
        EXPECT_EQ(type_enter(Ctl{r.text_box, r.per_band ? b : -1}, typed), shown);
        EXPECT_EQ(param_get(s, r, b), stored);
        EXPECT_EQ(param_send_word(s, r) == kPending, raises);
        EXPECT_EQ(redraws() - before, redrawn);
        if (r.kind == K::EchoDelay || r.kind == K::Volume) {
            EXPECT_EQ(view.slider_value(Ctl{r.slider}), stored);
        }
    }

    s.param_image.gen[gen_frame::vol_max_function_en] = 1;
    s.param_image.gen[gen_frame::music_vol_power_on] = 59;
    rules.step(env, "music_vol_power_on_inc");
    rules.step(env, "music_vol_power_on_inc");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol_power_on], 60);
    EXPECT_EQ(view.slider_value(Ctl{"vr_music_vol"}), 25);
}

// Raw delay only in raw mode, a table's end beyond it; the window repaints at once for the dragged sliders.
TEST_F(EditorRulesTest, SliderMovesShowTheirValue) {
    view.set_text(Ctl{"Text_mic1_exciter_freq_index_100"}, "abc");
    view.at(Ctl{"VR_mic1_exciter_freq_index_100"}).s_max = 200;
    using Case = std::tuple<const char*, const char*, uint8_t, int32_t>;  // shown, raw delay mode, slider step
    for (auto [param, shown, raw_delay, step] :
         {Case{"echo_a_delay_r", "12", 1, 12}, Case{"echo_a_delay_r", "210", 0, 13},
          Case{"mic1_exciter_freq_index_100", "1210", 0, 10}, Case{"mic1_exciter_freq_index_100", "6000", 0, 150},
          Case{"plate_reverb_decay", "10", 0, 10}}) {
        SCOPED_TRACE(std::string(param) + " step " + std::to_string(step));
        const ParamRow& r = row(param);
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = raw_delay;
        s.send_effect_req = s.send_gen_req = kClear;
        view.at(Ctl{r.slider}).s_value = step;
        rules.slider_changed(env, Ctl{r.slider});
        EXPECT_EQ(view.text(Ctl{r.text_box}), shown);
        EXPECT_EQ(param_get(s, r), step);
        EXPECT_EQ(param_send_word(s, r), kPending);
    }
    EXPECT_EQ(view.count("repaint"), 3);
    EXPECT_EQ(redraws(), 0);
    view.clear_calls();
    rules.slider_changed(env, Ctl{"VR_plate_reverb_decay"});
    EXPECT_THAT(view.calls, ::testing::IsEmpty());
}

// The curve acts only on a change.
TEST_F(EditorRulesTest, CompressorCurveActsOnlyOnAChange) {
    write_u16(s.param_image.gen, gen_frame::drc(1) + gen_frame::drc_threshold_db, 0);
    view.at(Ctl{"vr_drc_threshold_db"}).s_value = 0;
    view.limiter = 0;
    s.send_gen_req = kClear;
    drc_on_limiter_output(env, 0);
    EXPECT_THAT(view.calls, ::testing::IsEmpty());
    EXPECT_EQ(s.send_gen_req, kClear);
}

TEST_F(EditorRulesTest, TabChoosesChannelRecordAndFramesUnderEveryAdjustMode) {
    // tab, microphone-2 bands, mic and effect adjust modes; channel, compressor record, frames shown
    using Case = std::tuple<int, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t, bool, bool, bool>;
    for (auto [tab, mic2_bands, mic_mode, eff_mode, channel, drc, drc_frame, eff_frame, mic_frame] :
         {Case{0, 10, 2, 2, 0, 0, true, false, false}, Case{1, 10, 2, 0, 2, 1, true, false, true},
          Case{1, 10, 1, 0, 1, 1, true, false, true}, Case{1, 0, 2, 0, 1, 1, true, false, false},  // no microphone-2 EQ
          Case{2, 10, 0, 2, 4, 4, false, true, false},                                             // record unchanged
          Case{2, 10, 0, 1, 3, 4, false, true, false}, Case{3, 10, 0, 0, 5, 2, false, false, false},
          Case{4, 10, 0, 0, 6, 3, false, false, false}}) {
        SCOPED_TRACE("tab " + std::to_string(tab) + " mic mode " + std::to_string(mic_mode));
        s.eq_band_count[2] = mic2_bands;
        s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = mic_mode;
        s.param_image.gen[gen_frame::echo_reverb_eq_adj_mode] = eff_mode;
        s.drc_channel_sel = 4;
        const int full_before = svc.full_redraws;
        eq_on_tab_before_switch(env, tab);
        EXPECT_EQ(s.eq_channel_sel, channel);
        EXPECT_EQ(s.drc_channel_sel, drc);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 3}), drc_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 5}), eff_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 10}), mic_frame);
        EXPECT_EQ(svc.full_redraws - full_before, 1);
        EXPECT_EQ(s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode], mic2_bands ? mic_mode : 0);
    }
}

TEST_F(EditorRulesTest, LeavingABoxMarksItsBytesForRedraw) {
    for (auto [box, shown, first, rows] :
         {std::tuple{Ctl{"Text_eq_db", 3}, std::string("0.0"), q::eq_db + 3, 1},
          std::tuple{Ctl{"Text_eq_freq", 3}, double_to_text(eq_freq_at(200)), q::eq_freq_high + 3, 1},
          std::tuple{Ctl{"Text_eq_q", 3}, double_to_text(eq_q_at(7)), q::eq_q_peq + 3, 3},  // all three Q rows
          std::tuple{Ctl{"Text_eq_pre_gain_db_index"}, std::string("0.0"), q::eq_pre_gain_db_index, 1}}) {
        SCOPED_TRACE(box.str());
        rules.box_got_focus(env, box);
        s.param_display_cache.eq[5] = eq();
        FrameImage want = eq();
        for (int i = 0; i < rows; ++i) want[first + static_cast<std::size_t>(i) * kEqBands] = 255;
        const FrameImage stored = eq();
        view.set_text(box, shown);
        rules.box_commit(env, box);  // the Enter that leaving runs first
        rules.box_lost_focus(env, box);
        EXPECT_TRUE(same_frame_bytes(eq(), stored)) << "stored EQ frame";
        EXPECT_TRUE(same_frame_bytes(s.param_display_cache.eq[5], want)) << "drawn EQ frame";
    }
}

// A shelf's Q steps stop at 2.0 and still raise; names that are no stepper are not handled.
TEST_F(EditorRulesTest, ShelfQStepsAndUnknownSteppers) {
    band(q::eq_type, 3) = eq_type::low_shelf;
    band(q::eq_q_shelf, 3) = 20;
    EXPECT_TRUE(rules.step(env, "eq_q_inc", 3)) << "stepper not handled";
    EXPECT_EQ(band(q::eq_q_shelf, 3), 20) << "shelf Q byte";
    EXPECT_TRUE(raised()) << "EQ send word";
    EXPECT_FALSE(rules.step(env, "no_such_param_inc", -1)) << "unknown stepper";
    EXPECT_FALSE(rules.step(env, "music_vol_up", -1)) << "a name without _inc or _dec";
}

TEST_F(EditorRulesTest, GraphEditStoresTheTypesQRowAndRaisesOnlyOnAChange) {
    band(q::eq_type, 5) = 2;
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_EQ(band(q::eq_q_shelf, 5), 12);
    EXPECT_EQ(band(q::eq_type, 5), 2);
    EXPECT_TRUE(raised()) << "EQ send word";
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 5}), "1.2");
    clear_word();
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_FALSE(raised()) << "EQ send word after the same edit";
    eq_on_peq_eq_out(env, 5, 1, 240, 1020.0f, 12, 1.2f, 105.0f, -3.0f);  // frequency only
    EXPECT_TRUE(raised()) << "EQ send word after a frequency-only edit";
}

// Type buttons raise even unchanged, band enable (grey is on) only on a change; the pre-gain slider stops at 180.
TEST_F(EditorRulesTest, ButtonsBoxesAndThePreGainSlider) {
    using Button = std::pair<const char*, uint8_t>;
    for (const auto& [name, type] :
         {Button{"key_eq_type_peq", 0}, Button{"key_eq_type_ls", 1}, Button{"key_eq_type_hs", 2},
          Button{"key_eq_type_lp", 3}, Button{"key_eq_type_hp", 4}, Button{"key_eq_type_hp", 4}}) {
        clear_word();
        rules.click(env, Ctl{name, 8});
        EXPECT_EQ(band(q::eq_type, 8), type) << "type byte after " << name;
        EXPECT_TRUE(raised()) << "EQ send word after " << name;
    }
    for (auto [value, stored, raises] : {std::tuple{0, 0, true}, std::tuple{0, 0, false}, std::tuple{2, 1, true}}) {
        clear_word();
        user_sets(Ctl{"Check_eq_x_enable", 7}, value);
        EXPECT_EQ(band(q::eq_x_enable, 7), stored) << "enable byte after box value " << value;
        EXPECT_EQ(raised(), raises) << "EQ send word after box value " << value;
    }
    rules.click(env, Ctl{"key_eq_chx_bypass"});
    EXPECT_EQ(eq()[q::eq_chx_bypass], 1);
    for (uint8_t want : {9, 11}) {
        toggle_eq_band_slope(env, 8);
        EXPECT_EQ(band(q::eq_type, 8), want);
    }
    const Ctl pre_gain{"vr_eq_pre_gain_db_index"};
    slider(pre_gain, 30, 210, 200);
    rules.slider_changed(env, pre_gain);
    EXPECT_EQ(eq()[q::eq_pre_gain_db_index], 180);
    EXPECT_EQ(view.slider_value(pre_gain), 180);
    EXPECT_THAT(svc.messages, ::testing::IsEmpty());
    clear_word();
    set_connected(false);
    rules.click(env, Ctl{"key_eq_type_lp", 8});
    EXPECT_EQ(band(q::eq_type, 8), 3);
    EXPECT_FALSE(raised()) << "EQ send word offline";
}

// A pre-gain below the box's reach (-22 dB from a file or the unit) stays while the box is only entered and left;
// what the user types, pastes or steps is written.
TEST_F(EditorRulesTest, APreGainBelowReachIsWrittenOnlyByTheUsersChange) {
    const Ctl box{"Text_eq_pre_gain_db_index"}, pre_slider{"vr_eq_pre_gain_db_index"};
    slider(pre_slider, 30, 180, 120);
    auto from_low = [&] {
        eq()[q::eq_pre_gain_db_index] = 10;
        view.set_text(box, "-22.0");
        clear_word();
    };
    from_low();
    type_enter(box, "");
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 10) << "pre-gain byte after Enter without an edit";
    rules.box_lost_focus(env, box);
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 10) << "pre-gain byte after leaving the box";
    EXPECT_TRUE(raised()) << "EQ send word (the channel goes out with its own byte)";

    from_low();
    type_enter(box, "-20");
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 30) << "pre-gain byte after typing -20 (clamped to -18)";
    EXPECT_TRUE(raised()) << "EQ send word after typing -20";
    rules.box_lost_focus(env, box);

    from_low();
    rules.box_got_focus(env, box);
    view.set_text(box, "-6");  // pasted: no key press reaches the rules
    rules.box_edited(env, box);
    rules.box_commit(env, box);
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 90) << "pre-gain byte after pasting -6";
    rules.box_lost_focus(env, box);

    // A step starts from what the box shows, not from the slider's old thumb (120, 0 dB): up goes to the lowest
    // value the editor reaches (-18 dB), down keeps the byte.
    from_low();
    EXPECT_TRUE(rules.step(env, "eq_pre_gain_db_index_dec")) << "pre-gain stepper not handled";
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 10) << "pre-gain byte after a step down from below the reach";
    EXPECT_FALSE(raised()) << "EQ send word after a step down that changed nothing";
    EXPECT_TRUE(rules.step(env, "eq_pre_gain_db_index_inc")) << "pre-gain stepper not handled";
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 30) << "pre-gain byte after a step up from below the reach";
    EXPECT_TRUE(raised()) << "EQ send word after the step up";
}

TEST_F(EditorRulesTest, ResetRefusesWithoutAStartupImageAndAsksFirst) {
    s.param_image = distinct_param_image();
    const ParamImage before = s.param_image;
    s.Language = 1;
    rules.click(env, Ctl{"key_eq_reset"});
    EXPECT_EQ(svc.messages, std::vector<std::string>{eq_reset_no_default_text(s)});

    s.param_image_default = distinct_startup_image();
    view.answer_yes = false;
    rules.click(env, Ctl{"key_eq_reset"});
    EXPECT_EQ(view.count("ask_yes_no [Reset Eq] Reset Eq channel actived, are you sure ?"), 1);
    EXPECT_TRUE(same_image(s.param_image, before)) << "image after the refusals and the answers No";
    EXPECT_FALSE(raised()) << "EQ send word after the answers No";
    s.Language = 0;
    rules.click(env, Ctl{"key_eq_reset"});
    EXPECT_EQ(view.count("ask_yes_no [EQ复位] 是否复位当前EQ？"), 1);
    view.answer_yes = true;
    rules.click(env, Ctl{"key_eq_reset"});
    ParamImage reset = before;
    reset.eq[5] = s.param_image_default.eq[5];
    EXPECT_TRUE(same_image(s.param_image, reset)) << "after Yes: channel 5 from the start-up image, the rest kept";
    EXPECT_TRUE(raised()) << "EQ send word after Yes";
}

}  // namespace
}  // namespace tuner::testing
