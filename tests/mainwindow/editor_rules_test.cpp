// Parameter editors and the compressor record, driven as the window drives
// them: typed keys through the shared text-input rules with the limits the
// rules give, Enter commits, slider moves and the named steppers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/param_table.h"
#include "core/value_tables.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

using K = ParamKind;

bool is_eq(const ParamRow& r) {
    return r.kind == K::EqDb || r.kind == K::EqFreq || r.kind == K::EqQ || r.kind == K::EqPreGain;
}
bool slider_stepped(K k) { return k == K::Plain || k == K::Volume || k == K::EchoDelay; }

std::vector<const ParamRow*> rows_of(std::initializer_list<K> kinds) {
    std::vector<const ParamRow*> out;
    for (const ParamRow& r : param_table())
        for (K k : kinds)
            if (r.kind == k) out.push_back(&r);
    return out;
}

class EditorRulesTest : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    EditorRulesTest() {
        // Slider ranges as after start-up; the volume sliders up to 255.
        for (const ParamRow& r : param_table())
            if (!is_eq(r) && !r.slider.empty()) slider(r.slider, r.min, r.max, r.kind == K::DrcThreshold ? 0 : r.min);
        set_connected(true);
    }

    // Focus, typed keys, Enter: what the window does with a box.
    std::string type_enter(std::string_view name, const std::string& typed) {
        const Ctl c{name};
        rules.box_got_focus(env, c);
        TextBox tb{view.text(c), 0};
        input.text_input_got_focus(tb);
        for (char ch : typed) {
            auto l = rules.box_limits(env, c);
            EXPECT_TRUE(l.has_value()) << name;
            if (!l) return {};
            input.text_input_key_press(tb, ch, l->min, l->max, l->snap, l->table);
            tb.Text += ch;
            tb.SelStart = static_cast<int>(tb.Text.size());
            TextInput::text_input_change(tb, l->decimals, false, l->allow_minus);
            view.set_text(c, tb.Text);
            rules.box_key(env, c, ch);
        }
        auto l = rules.box_limits(env, c);
        input.text_input_key_press(tb, kKeyEnter, l->min, l->max, l->snap, l->table);
        view.set_text(c, tb.Text);
        rules.box_commit(env, c);
        rules.box_key(env, c, kKeyEnter);
        return view.text(c);
    }

    // The stored value's range for a row as the editors see it now.
    std::pair<int32_t, int32_t> range(const ParamRow& r) {
        if (r.kind == K::AdjustMax || r.kind == K::PowerOn)
            return {view.slider_min(Ctl{r.limit_slider}), view.slider_max(Ctl{r.limit_slider})};
        return {r.min, r.max};
    }
    int16_t& word(const ParamRow& r) { return param_send_word(s, r); }
    const ParamRow& row(std::string_view name) { return *find_param(name); }
};

TEST_F(EditorRulesTest, EnterStoresClampsAndRaisesByKind) {
    for (const ParamRow* r : rows_of({K::Plain, K::Volume, K::Level, K::Gate16, K::AdjustMax, K::PowerOn, K::Drc16})) {
        SCOPED_TRACE(std::string(r->name));
        const auto [lo, hi] = range(*r);
        for (bool online : {true, false}) {
            set_connected(online);
            for (auto [typed, want] : {std::pair{(lo + hi) / 2, (lo + hi) / 2}, std::pair{hi + 7, hi}}) {
                word(*r) = kClear;
                const int before = set_all_dis_count();
                type_enter(r->text_box, std::to_string(typed));
                EXPECT_EQ(param_get(s, *r), want);
                EXPECT_EQ(word(*r), online ? kPending : kClear);
                const int refreshes = set_all_dis_count() - before;
                if (r->kind == K::Level || r->kind == K::AdjustMax)
                    EXPECT_EQ(refreshes, 1);
                else if (r->kind == K::Gate16)  // after every key, Enter included
                    EXPECT_EQ(refreshes, static_cast<int>(std::to_string(typed).size()) + 1);
                else
                    EXPECT_EQ(refreshes, 0);
                if (r->kind == K::Plain || r->kind == K::Volume) {
                    EXPECT_EQ(view.slider_value(Ctl{r->slider}), want);
                    EXPECT_EQ(view.text(Ctl{r->text_box}), std::to_string(want));
                }
                if (r->kind == K::PowerOn) {
                    EXPECT_EQ(view.text(Ctl{r->text_box}), std::to_string(want));
                }
            }
        }
    }
}

TEST_F(EditorRulesTest, LeavingABoxUnchangedStillRaises) {
    const ParamRow& r = row("echo_a_vol");
    param_set(s, r, 12);
    view.set_text(Ctl{"Text_echo_a_vol"}, "12");
    type_enter("Text_echo_a_vol", "");  // focus in and out: the commit of the unchanged text
    EXPECT_EQ(param_get(s, r), 12);
    EXPECT_EQ(s.send_effect_req, kPending);
    EXPECT_EQ(s.send_gen_req, kClear);
}

TEST_F(EditorRulesTest, StepperMovesOneAndRaisesByKind) {
    for (const ParamRow& r : param_table()) {
        if (is_eq(r) || r.kind == K::DrcThreshold) continue;
        SCOPED_TRACE(std::string(r.name));
        const auto [lo, hi] = range(r);
        const std::string name(r.name);
        auto put = [&](int32_t v) {
            param_set(s, r, v);
            if (!r.slider.empty()) view.at(Ctl{r.slider}).s_value = v;
            word(r) = kClear;
        };
        put((lo + hi) / 2);
        ASSERT_TRUE(rules.step(env, name + "_inc"));
        EXPECT_EQ(param_get(s, r), (lo + hi) / 2 + 1);
        EXPECT_EQ(word(r), kPending);
        EXPECT_EQ(view.focused, std::string(r.text_box));
        put((lo + hi) / 2);
        ASSERT_TRUE(rules.step(env, name + "_dec"));
        EXPECT_EQ(param_get(s, r), (lo + hi) / 2 - 1);

        // At a bound: slider steppers do nothing at all, own steppers still refresh and raise.
        for (auto [stepper, bound] : {std::pair{name + "_inc", hi}, std::pair{name + "_dec", lo}}) {
            put(bound);
            view.clear_calls();
            const int before = set_all_dis_count();
            ASSERT_TRUE(rules.step(env, stepper));
            EXPECT_EQ(param_get(s, r), bound);
            if (slider_stepped(r.kind)) {
                EXPECT_EQ(word(r), kClear);
                EXPECT_EQ(set_all_dis_count(), before);
                EXPECT_EQ(view.count("set_text"), 0);
            } else {
                EXPECT_EQ(word(r), kPending);
                EXPECT_EQ(set_all_dis_count(), before + 1);
            }
        }
    }
    EXPECT_FALSE(rules.step(env, "no_such_param_inc"));
    EXPECT_FALSE(rules.step(env, "music_vol_up"));
}

TEST_F(EditorRulesTest, OfflineEditsChangeTheImageAndRaiseNothing) {
    set_connected(false);
    type_enter("Text_music_vol", "40");
    rules.step(env, "echo_a_vol_inc");
    rules.step(env, "music_noise_suppressor_attack_inc");
    view.at(Ctl{"VR_mic1_exciter_vol"}).s_value = 7;
    rules.slider_changed(env, Ctl{"VR_mic1_exciter_vol"});
    type_enter("Text_drc_attack", "100");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 40);
    EXPECT_EQ(s.param_image.eff[eff_frame::echo_a_vol], 1);
    EXPECT_EQ(read_u16(s.param_image.gen, gen_frame::music_noise_suppressor_attack), 1);
    EXPECT_EQ(s.param_image.gen[gen_frame::mic1_exciter_vol], 7);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_effect_req, kClear);
}

TEST_F(EditorRulesTest, EchoDelaySnapsToTheTableAndStoresTheIndex) {
    struct Case {
        const char* typed;
        const char* shown;
        int index;
    };
    for (Case c : {Case{"95", "100", 2}, Case{"50", "80", 0}, Case{"1000", "380", 30}, Case{"240", "240", 16}}) {
        EXPECT_EQ(type_enter("Text_echo_a_delay_l", c.typed), c.shown) << c.typed;
        EXPECT_EQ(s.param_image.eff[eff_frame::echo_a_delay_l], c.index);
        EXPECT_EQ(view.slider_value(Ctl{"VR_echo_a_delay_l"}), c.index);
    }
    EXPECT_EQ(s.send_effect_req, kPending);
}

TEST_F(EditorRulesTest, RightEchoDelayInRawModeIsAPlainStep) {
    s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = 1;
    EXPECT_EQ(type_enter("Text_echo_a_delay_r", "17"), "17");
    EXPECT_EQ(s.param_image.eff[eff_frame::echo_a_delay_r], 17);
    EXPECT_EQ(view.slider_value(Ctl{"VR_echo_a_delay_r"}), 17);
    EXPECT_EQ(type_enter("Text_echo_a_delay_r", "95"), "30");  // the slider's max, not snapped
    // The slider shows the raw step too.
    view.at(Ctl{"VR_echo_a_delay_r"}).s_value = 12;
    rules.slider_changed(env, Ctl{"VR_echo_a_delay_r"});
    EXPECT_EQ(view.text(Ctl{"Text_echo_a_delay_r"}), "12");
    // Looked at anew: back in table mode the same slider step shows milliseconds.
    s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = 0;
    view.at(Ctl{"VR_echo_a_delay_r"}).s_value = 13;
    rules.slider_changed(env, Ctl{"VR_echo_a_delay_r"});
    EXPECT_EQ(view.text(Ctl{"Text_echo_a_delay_r"}), "210");
}

TEST_F(EditorRulesTest, MinusSignDroppedInGateBoxesAndClampedElsewhere) {
    EXPECT_EQ(type_enter("Text_music_noise_suppressor_ratio", "-5"), "5");
    EXPECT_EQ(read_u16(s.param_image.gen, gen_frame::music_noise_suppressor_ratio), 5);
    EXPECT_EQ(type_enter("Text_reverb_vol", "-5"), "0");
    EXPECT_EQ(s.param_image.eff[eff_frame::reverb_vol], 0);
    EXPECT_EQ(type_enter("Text_music_noise_suppressor_threshold", "85"), "80");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_noise_suppressor_threshold], 80);
}

TEST_F(EditorRulesTest, VolumeLimitIsMaxLimitWhileTheFunctionIsOn) {
    slider("vr_music_vol", 0, 60, 10);
    view.at(Ctl{"vr_music_vol"}).s_max_limit = 20;
    s.param_image.gen[gen_frame::vol_max_function_en] = 1;
    EXPECT_EQ(type_enter("Text_music_vol", "25"), "20");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol], 20);
    s.param_image.gen[gen_frame::vol_max_function_en] = 0;
    EXPECT_EQ(type_enter("Text_music_vol", "25"), "25");
}

TEST_F(EditorRulesTest, PowerOnSteppingReachesTheSliderMaxNotTheAdjustMax) {
    slider("vr_music_vol", 0, 60, 10);
    view.at(Ctl{"vr_music_vol"}).s_max_limit = 20;
    s.param_image.gen[gen_frame::vol_max_function_en] = 1;
    s.param_image.gen[gen_frame::music_vol_power_on] = 59;
    rules.step(env, "music_vol_power_on_inc");
    rules.step(env, "music_vol_power_on_inc");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol_power_on], 60);
    EXPECT_EQ(view.slider_value(Ctl{"vr_music_vol"}), 10);  // own steppers never touch a slider
}

TEST_F(EditorRulesTest, SimpleSliderAtTheStoredValueDoesNothing) {
    param_set(s, row("plate_reverb_decay"), 9);
    view.at(Ctl{"VR_plate_reverb_decay"}).s_value = 9;
    view.clear_calls();
    rules.slider_changed(env, Ctl{"VR_plate_reverb_decay"});
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(s.send_effect_req, kClear);

    view.at(Ctl{"VR_plate_reverb_decay"}).s_value = 10;
    rules.slider_changed(env, Ctl{"VR_plate_reverb_decay"});
    EXPECT_EQ(s.param_image.eff[eff_frame::plate_reverb_decay], 10);
    EXPECT_EQ(view.text(Ctl{"Text_plate_reverb_decay"}), "10");
    EXPECT_EQ(view.count("repaint"), 1);
    EXPECT_EQ(s.send_effect_req, kPending);
}

TEST_F(EditorRulesTest, GuardedSliderPullsBoxToTheStoredValue) {
    view.set_text(Ctl{"Text_mic1_exciter_freq_index_100"}, "abc");
    view.at(Ctl{"VR_mic1_exciter_freq_index_100"}).s_value = 10;
    view.clear_calls();
    rules.slider_changed(env, Ctl{"VR_mic1_exciter_freq_index_100"});
    EXPECT_EQ(s.param_image.gen[gen_frame::mic1_exciter_freq_index_100], 10);
    EXPECT_EQ(view.text(Ctl{"Text_mic1_exciter_freq_index_100"}), "1210");
    EXPECT_EQ(view.count("set_slider_value"), 0);
    EXPECT_EQ(view.count("repaint"), 0);
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(set_all_dis_count(), 0);

    // An index beyond the table (slider range widened) reads the table's end.
    view.at(Ctl{"VR_mic1_exciter_freq_index_100"}).s_max = 200;
    view.at(Ctl{"VR_mic1_exciter_freq_index_100"}).s_value = 150;
    rules.slider_changed(env, Ctl{"VR_mic1_exciter_freq_index_100"});
    EXPECT_EQ(view.text(Ctl{"Text_mic1_exciter_freq_index_100"}), "6000");
}

TEST_F(EditorRulesTest, ExciterFrequencyCommitsTheNearerEntry) {
    // 1030 Hz lies half-way between 1020 and 1040 and goes up.
    EXPECT_EQ(type_enter("Text_mic1_exciter_freq_index_100", "1030"), "1040");
    EXPECT_EQ(s.param_image.gen[gen_frame::mic1_exciter_freq_index_100], 2);
    EXPECT_EQ(type_enter("Text_mic1_exciter_freq_index_100", "9000"), "6000");
    EXPECT_EQ(s.param_image.gen[gen_frame::mic1_exciter_freq_index_100], 100);
    EXPECT_GE(set_all_dis_count(), 2);
}

TEST_F(EditorRulesTest, FocusColoursRedWhileEditing) {
    rules.box_got_focus(env, Ctl{"Text_sub_out_vol"});
    EXPECT_EQ(view.at(Ctl{"Text_sub_out_vol"}).fore, 0xFFu);
    rules.box_lost_focus(env, Ctl{"Text_sub_out_vol"});
    EXPECT_EQ(view.at(Ctl{"Text_sub_out_vol"}).fore, 0x80000008u);
    rules.box_got_focus(env, Ctl{"Text_drc_ratio"});
    EXPECT_EQ(view.at(Ctl{"Text_drc_ratio"}).fore, 0xFFu);
}

// ---- Compressor record ----

class CompressorTest : public EditorRulesTest {
protected:
    CompressorTest() {
        slider("vr_drc_threshold_db", -35, 0, -35);
        s.drc_channel_sel = 1;
    }
    std::size_t rec(std::size_t off) const { return gen_frame::drc(1) + off; }
    const FrameImage& gen() const { return s.param_image.gen; }
};

TEST_F(CompressorTest, ThresholdEnterKeepsAllThreeViewsInStep) {
    EXPECT_EQ(type_enter("Text_drc_threshold_db", "-20"), "-20");
    EXPECT_EQ(gen()[rec(gen_frame::drc_threshold_db)], 0);
    EXPECT_EQ(gen()[rec(gen_frame::drc_threshold_db) + 1], 20);
    EXPECT_EQ(view.slider_value(Ctl{"vr_drc_threshold_db"}), -20);
    EXPECT_EQ(view.limiter_db(), -20);
    EXPECT_EQ(s.send_gen_req, kPending);

    EXPECT_EQ(type_enter("Text_drc_threshold_db", "-40"), "-35");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_threshold_db)), 35);
    EXPECT_EQ(view.limiter_db(), -35);
}

TEST_F(CompressorTest, RatioAttackReleaseKeepTheDecimalAndStoreWhole) {
    EXPECT_EQ(type_enter("Text_drc_attack", "2000.5"), "2000.5");
    EXPECT_EQ(gen()[rec(gen_frame::drc_attack)], 7);
    EXPECT_EQ(gen()[rec(gen_frame::drc_attack) + 1], 208);
    type_enter("Text_drc_ratio", "12.5");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_ratio)), 12);
    type_enter("Text_drc_ratio", "13.5");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_ratio)), 14);
    EXPECT_EQ(type_enter("Text_drc_release", "9999"), "5000");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_release)), 5000);
    EXPECT_EQ(read_u16(gen(), gen_frame::drc(0) + gen_frame::drc_release), 0);  // other records untouched
}

TEST_F(CompressorTest, StepperAtABoundStillRefreshesAndRaises) {
    write_u16(s.param_image.gen, rec(gen_frame::drc_attack), 5000);
    rules.step(env, "drc_attack_inc");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_attack)), 5000);
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);
    write_u16(s.param_image.gen, rec(gen_frame::drc_ratio), 1);
    rules.step(env, "drc_ratio_dec");
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_ratio)), 1);
    EXPECT_EQ(view.focused, "Text_drc_ratio");
}

TEST_F(CompressorTest, ThresholdStepperGoesThroughTheSlider) {
    write_u16(s.param_image.gen, rec(gen_frame::drc_threshold_db), 20);
    view.at(Ctl{"vr_drc_threshold_db"}).s_value = -20;
    view.limiter = -20;
    rules.step(env, "drc_threshold_db_inc");  // towards 0 dB: the magnitude falls
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_threshold_db)), 19);
    EXPECT_EQ(view.text(Ctl{"Text_drc_threshold_db"}), "-19");
    EXPECT_EQ(view.limiter_db(), -19);
    EXPECT_EQ(s.send_gen_req, kPending);

    s.send_gen_req = kClear;
    write_u16(s.param_image.gen, rec(gen_frame::drc_threshold_db), 0);
    view.at(Ctl{"vr_drc_threshold_db"}).s_value = 0;
    rules.step(env, "drc_threshold_db_inc");  // at the slider's end: nothing
    EXPECT_EQ(s.send_gen_req, kClear);
}

TEST_F(CompressorTest, LimiterDragStoresOnlyAChange) {
    write_u16(s.param_image.gen, rec(gen_frame::drc_threshold_db), 20);
    view.limiter = -20;
    view.clear_calls();
    drc_on_limiter_output(env, -20);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(s.send_gen_req, kClear);

    view.limiter = -10;  // the curve has moved its knob
    drc_on_limiter_output(env, -10);
    EXPECT_EQ(read_u16(gen(), rec(gen_frame::drc_threshold_db)), 10);
    EXPECT_EQ(view.slider_value(Ctl{"vr_drc_threshold_db"}), -10);
    EXPECT_EQ(view.text(Ctl{"Text_drc_threshold_db"}), "-10");
    EXPECT_EQ(view.count("limiter_set_db"), 0);
    EXPECT_EQ(s.send_gen_req, kPending);
}

TEST_F(CompressorTest, EnableBoxWritesTheCurrentRecordOnly) {
    const FrameImage before = gen();
    view.at(Ctl{"Check_drc_enable"}).value = 1;
    rules.check_mouse_up(env, Ctl{"Check_drc_enable"});
    EXPECT_EQ(gen()[20], 1);
    for (std::size_t i = 0; i < before.size(); ++i)
        if (i != 20) {
            EXPECT_EQ(gen()[i], before[i]) << i;
        }
    EXPECT_EQ(set_all_dis_count(), 1);
    EXPECT_EQ(s.send_gen_req, kPending);

    set_connected(false);
    s.send_gen_req = kClear;
    view.at(Ctl{"Check_drc_enable"}).value = 0;
    rules.check_mouse_up(env, Ctl{"Check_drc_enable"});
    EXPECT_EQ(gen()[20], 0);
    EXPECT_EQ(s.send_gen_req, kClear);
}

}  // namespace
}  // namespace tuner::testing
