// Parameter editors and the compressor record: tables over the parameter table, and the edges the end-to-end tests
// leave out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "core/image_match.h"
#include "core/param_table.h"
#include "core/value_tables.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

using K = ParamKind;

class EditorRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    EditorRulesTest() {
        for (const ParamRow& r : param_table())  // slider ranges as after start-up
            if (r.frame != ParamFrame::Eq && !r.slider.empty()) slider(Ctl{r.slider}, r.min, r.max, r.min);
        slider(Ctl{"vr_drc_threshold_db"}, -35, 0, -35);
        s.drc_channel_sel = 1;  // the compressor record of the MIC tab
        set_connected(true);
    }
    // The stored value's range for a row as the editors see it now.
    std::pair<int32_t, int32_t> range(const ParamRow& r) {
        if (r.kind == K::AdjustMax || r.kind == K::PowerOn)
            return {view.slider_min(Ctl{r.limit_slider}), view.slider_max(Ctl{r.limit_slider})};
        return {r.min, r.max};
    }
    const ParamRow& row(std::string_view name) { return *find_param(name); }

    // A value inside the range, one above it and the maximum again. Level and adjust maximum refresh after Enter,
    // gate values after every key and Enter.
    void expect_enter(const ParamRow& r, bool online) {
        const auto [lo, hi] = range(r);
        for (auto [typed, want] : {std::pair{(lo + hi) / 2, (lo + hi) / 2}, std::pair{hi + 7, hi}, std::pair{hi, hi}}) {
            SCOPED_TRACE("typed " + std::to_string(typed));
            param_send_word(s, r) = kClear;
            const int before = redraws();
            type_enter(Ctl{r.text_box}, std::to_string(typed));
            EXPECT_EQ(param_get(s, r), want) << "stored value";
            EXPECT_EQ(param_send_word(s, r), online ? kPending : kClear) << "send word";
            const int keys = static_cast<int>(std::to_string(typed).size()) + 1;
            const bool after_enter = r.kind == K::Level || r.kind == K::AdjustMax;
            EXPECT_EQ(redraws() - before, after_enter ? 1 : r.kind == K::Gate16 ? keys : 0) << "redraws";
            if (r.kind == K::Plain || r.kind == K::Volume || r.kind == K::PowerOn) {
                EXPECT_EQ(view.text(Ctl{r.text_box}), std::to_string(want)) << "box text";
            }
            if (r.kind == K::Plain || r.kind == K::Volume) {
                EXPECT_EQ(view.slider_value(Ctl{r.slider}), want) << "slider value";
            }
        }
    }
    // Up and down from the middle of the range, up at its top, down at its bottom.
    void expect_steppers(const ParamRow& r, bool online) {
        const bool slider_stepped = r.kind == K::Plain || r.kind == K::Volume || r.kind == K::EchoDelay;
        const auto [lo, hi] = range(r);
        const std::string name(r.name);
        for (auto [stepper, from, to] : {std::tuple{name + "_inc", (lo + hi) / 2, (lo + hi) / 2 + 1},
                                         std::tuple{name + "_dec", (lo + hi) / 2, (lo + hi) / 2 - 1},
                                         std::tuple{name + "_inc", hi, hi}, std::tuple{name + "_dec", lo, lo}}) {
            SCOPED_TRACE(stepper + " from " + std::to_string(from));
            param_set(s, r, from);
            if (!r.slider.empty()) view.at(Ctl{r.slider}).s_value = from;
            param_send_word(s, r) = kClear;
            view.clear_calls();
            const int before = redraws();
            ASSERT_TRUE(rules.step(env, stepper)) << "stepper not handled";
            EXPECT_EQ(param_get(s, r), to) << "stored value";
            const bool nothing = slider_stepped && from == to;
            EXPECT_EQ(param_send_word(s, r), online && !nothing ? kPending : kClear) << "send word";
            if (nothing) {
                EXPECT_EQ(view.count("set_text"), 0) << "box writes at the slider's bound";
            }
            EXPECT_EQ(redraws() - before, slider_stepped ? 0 : 1) << "redraws";
        }
    }
};

// Typed values snap to a table and its ends, take raw steps, drop minus signs, obey limits that depend on state;
// power-on steps reach the volume slider's max, not its adjust maximum.
TEST_F(EditorRulesTest, EdgesSnapAndClampToTheLimitsInForce) {
    slider(Ctl{"vr_music_vol"}, 0, 60, 10);
    view.at(Ctl{"vr_music_vol"}).s_max_limit = 20;
    using Case = std::tuple<const char*, uint8_t, const char*, const char*, int32_t>;  // raw delay mode
    for (auto [param, raw_delay, typed, shown, stored] : {
             Case{"echo_a_delay_l", 0, "50", "80", 0},
             {"echo_a_delay_l", 0, "1000", "380", 30},
             {"echo_a_delay_r", 1, "17", "17", 17},              // raw mode: a plain step
             {"echo_a_delay_r", 1, "95", "30", 30},              // the slider's max, not snapped
             {"music_noise_suppressor_ratio", 0, "-5", "5", 5},  // the minus is dropped
             {"reverb_vol", 0, "-5", "0", 0},
             {"music_noise_suppressor_threshold", 0, "85", "80", 80},
             {"music_vol", 0, "25", "25", 25},  // above the adjust maximum while the limit function is off
             {"mic1_exciter_freq_index_100", 0, "1030", "1040", 2},  // half-way goes up
             {"mic1_exciter_freq_index_100", 0, "9000", "6000", 100},
             {"drc_threshold_db", 0, "-40", "-35", 35},    // the magnitude is stored
             {"drc_attack", 0, "2000.5", "2000.5", 2000},  // the decimal is kept, the whole stored
             {"drc_ratio", 0, "13.5", "13.5", 14},
             {"drc_release", 0, "9999", "5000", 5000},
         }) {
        SCOPED_TRACE(std::string(param) + " typed " + typed + " raw delay mode " + std::to_string(raw_delay));
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = raw_delay;
        const ParamRow& r = row(param);
        EXPECT_EQ(type_enter(Ctl{r.text_box}, typed), shown) << "box text";
        EXPECT_EQ(param_get(s, r), stored) << "stored value";
        const int32_t on_slider = r.kind == K::DrcThreshold ? -stored : stored;
        if (r.kind == K::EchoDelay || r.kind == K::Volume || r.kind == K::DrcThreshold) {
            EXPECT_EQ(view.slider_value(Ctl{r.slider}), on_slider) << "slider value";
        }
        if (r.kind == K::DrcThreshold) {
            EXPECT_EQ(view.limiter_db(), on_slider) << "curve threshold";
        }
    }
    EXPECT_EQ(read_u16(s.param_image.gen, gen_frame::drc(0) + gen_frame::drc_release), 0) << "another record";

    s.param_image.gen[gen_frame::vol_max_function_en] = 1;
    s.param_image.gen[gen_frame::music_vol_power_on] = 59;
    rules.step(env, "music_vol_power_on_inc");
    rules.step(env, "music_vol_power_on_inc");
    EXPECT_EQ(s.param_image.gen[gen_frame::music_vol_power_on], 60) << "power-on volume stepped twice from 59";
    EXPECT_EQ(view.slider_value(Ctl{"vr_music_vol"}), 25) << "volume slider after power-on steps";
}

// Every row but the EQ's and the threshold, online and offline. Enter stores, clamps, refreshes and raises by kind,
// also unchanged. Slider steppers at a bound do nothing at all; own steppers still store, refresh and raise.
TEST_F(EditorRulesTest, EnterAndSteppersByKind) {
    for (bool online : {true, false}) {
        set_connected(online);
        for (const ParamRow& r : param_table()) {
            if (r.frame == ParamFrame::Eq || r.kind == K::DrcThreshold) continue;
            SCOPED_TRACE(std::string(r.name) + (online ? " online" : " offline"));
            if (r.kind != K::EchoDelay && r.kind != K::ExciterFreq) expect_enter(r, online);
            expect_steppers(r, online);
        }
    }
    EXPECT_FALSE(rules.step(env, "no_such_param_inc")) << "unknown stepper";
    EXPECT_FALSE(rules.step(env, "music_vol_up")) << "a name without _inc or _dec";
}

// A slider move stores the step and shows it in the box: raw right echo delay steps only in raw mode, a guarded
// slider writes the box over what was typed, an index beyond a table (slider range widened) reads its end. The
// window repaints at once for the simple sliders, which are dragged.
TEST_F(EditorRulesTest, SliderMovesShowTheirValue) {
    view.set_text(Ctl{"Text_mic1_exciter_freq_index_100"}, "abc");
    view.at(Ctl{"VR_mic1_exciter_freq_index_100"}).s_max = 200;
    using Case = std::tuple<const char*, const char*, uint8_t, int32_t>;  // shown, raw delay mode, slider step
    for (auto [param, shown, raw_delay, step] : {Case{"echo_a_delay_r", "12", 1, 12},
                                                 {"echo_a_delay_r", "210", 0, 13},
                                                 {"mic1_exciter_freq_index_100", "1210", 0, 10},
                                                 {"mic1_exciter_freq_index_100", "6000", 0, 150},
                                                 {"plate_reverb_decay", "10", 0, 10}}) {
        SCOPED_TRACE(std::string(param) + " step " + std::to_string(step));
        const ParamRow& r = row(param);
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = raw_delay;
        s.send_effect_req = s.send_gen_req = kClear;
        view.at(Ctl{r.slider}).s_value = step;
        rules.slider_changed(env, Ctl{r.slider});
        EXPECT_EQ(view.text(Ctl{r.text_box}), shown) << "box text";
        EXPECT_EQ(param_get(s, r), step) << "stored value";
        EXPECT_EQ(param_send_word(s, r), kPending) << "send word";
    }
    EXPECT_EQ(view.count("repaint"), 3) << "repaints by the moves of the delay and decay sliders";
    EXPECT_EQ(redraws(), 0) << "redraws by slider moves";
    view.clear_calls();
    rules.slider_changed(env, Ctl{"VR_plate_reverb_decay"});
    EXPECT_THAT(view.calls, ::testing::IsEmpty()) << "a slider at the stored value";
}

// The threshold steps through its slider, keeping box and curve in step; the curve's output acts only on a change.
// The enable box writes the current record only, also when unchanged.
TEST_F(EditorRulesTest, CompressorThresholdEnableAndCurve) {
    const std::size_t at = gen_frame::drc(1) + gen_frame::drc_threshold_db;
    auto set_threshold = [&](uint16_t v) {
        write_u16(s.param_image.gen, at, v);
        view.at(Ctl{"vr_drc_threshold_db"}).s_value = -v;
        view.limiter = -v;
    };
    set_threshold(20);
    rules.step(env, "drc_threshold_db_inc");  // towards 0 dB: the magnitude falls
    EXPECT_EQ(read_u16(s.param_image.gen, at), 19) << "stored magnitude";
    EXPECT_EQ(view.text(Ctl{"Text_drc_threshold_db"}), "-19") << "threshold box";
    EXPECT_EQ(view.limiter_db(), -19) << "curve threshold";
    EXPECT_EQ(s.send_gen_req, kPending) << "gen send word after the step";
    s.send_gen_req = kClear;
    set_threshold(0);
    rules.step(env, "drc_threshold_db_inc");  // at the slider's end: nothing
    view.clear_calls();
    drc_on_limiter_output(env, 0);
    EXPECT_THAT(view.calls, ::testing::IsEmpty()) << "the curve's output at the stored threshold";
    EXPECT_EQ(s.send_gen_req, kClear) << "gen send word after the curve's output";
    for (int value : {1, 0}) {
        set_connected(value == 1);
        s.send_gen_req = kClear;
        FrameImage want = s.param_image.gen;
        want[20] = static_cast<uint8_t>(value);
        user_sets(Ctl{"Check_drc_enable"}, value);
        EXPECT_TRUE(same_frame_bytes(s.param_image.gen, want)) << "gen frame after ticking " << value;
        EXPECT_EQ(s.send_gen_req, value == 1 ? kPending : kClear) << "send word after ticking " << value;
    }
    EXPECT_EQ(redraws(), 2) << "redraws by the enable box";
}

}  // namespace
}  // namespace tuner::testing
