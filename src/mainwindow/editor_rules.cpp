// The parameter editors: box limits, commits, slider handlers and steppers
// for every non-EQ row of the parameter table, chosen by the row's kind.
#include "mainwindow/editor_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/value_tables.h"

namespace tuner {
namespace editor {

std::optional<double> box_number(const RuleEnv& env, Ctl box) { return parse_number_text(env.view.text(box)); }

int32_t round_half_even(double x) {
    const double lo = std::floor(x);
    const double diff = x - lo;
    double r = lo;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(lo, 2.0) != 0.0)) r = lo + 1;
    return static_cast<int32_t>(std::clamp(r, -2147483648.0, 2147483647.0));
}

std::string int_text(int32_t v) { return std::to_string(v); }

}  // namespace editor

namespace {

using namespace editor;
using K = ParamKind;

bool is_eq_row(const ParamRow& r) {
    return r.kind == K::EqDb || r.kind == K::EqFreq || r.kind == K::EqQ || r.kind == K::EqPreGain;
}

const ParamRow* own_row(const ParamRow* r) { return r && !is_eq_row(*r) ? r : nullptr; }

// The right echo delay is a raw step 0..30 while the unit says so; it is
// then edited exactly like a plain slider parameter. Read anew at every use.
K kind_now(const AppState& s, const ParamRow& r) { return param_shows_raw(s, r) ? K::Plain : r.kind; }

bool steps_by_slider(K k) { return k == K::Plain || k == K::Volume || k == K::EchoDelay || k == K::DrcThreshold; }

std::span<const double> table_of(K k) {
    if (k == K::EchoDelay) return value_tables().echo_delay_tab;
    if (k == K::ExciterFreq) return value_tables().exciter_freq_tab;
    return {};
}

BoxLimits limits_for(const RuleEnv& env, const ParamRow& r) {
    BoxLimits l;
    l.allow_minus = true;
    auto from_slider = [&](std::string_view slider) {
        l.min = static_cast<float>(env.view.slider_min(Ctl{slider}));
        l.max = static_cast<float>(env.view.slider_max(Ctl{slider}));
    };
    const K k = kind_now(env.s, r);
    switch (k) {
        case K::Plain:
        case K::DrcThreshold: from_slider(r.slider); break;
        case K::Volume:
            from_slider(r.slider);
            if (env.s.param_image.gen[gen_frame::vol_max_function_en] == 1)
                l.max = static_cast<float>(env.view.slider_max_limit(Ctl{r.slider}));
            break;
        case K::EchoDelay:
        case K::ExciterFreq:
            l.table = table_of(k);
            l.min = static_cast<float>(l.table.front());
            l.max = static_cast<float>(l.table.back());
            l.snap = true;
            break;
        case K::AdjustMax:
        case K::PowerOn: from_slider(r.limit_slider); break;
        case K::Drc16: l.decimals = 1; [[fallthrough]];
        case K::Gate16: l.allow_minus = false; [[fallthrough]];
        default:
            l.min = static_cast<float>(r.min);
            l.max = static_cast<float>(r.max);
            break;
    }
    return l;
}

// Bounds of the steppers that do their own arithmetic.
std::pair<int32_t, int32_t> step_bounds(const RuleEnv& env, const ParamRow& r) {
    if (r.kind == K::AdjustMax || r.kind == K::PowerOn)
        return {env.view.slider_min(Ctl{r.limit_slider}), env.view.slider_max(Ctl{r.limit_slider})};
    return {r.min, r.max};
}

int32_t to_byte(int32_t v) { return std::clamp(v, 0, 255); }

// The text a box shows for the stored value.
std::string shown_text(K k, int32_t stored) {
    if (k == K::EchoDelay) return single_to_text(static_cast<float>(echo_delay_at(stored)));
    if (k == K::ExciterFreq) return single_to_text(static_cast<float>(exciter_freq_at(stored)));
    return int_text(stored);
}

void commit(RuleEnv& env, const ParamRow& r, Ctl box) {
    const std::optional<double> typed = box_number(env, box);
    if (!typed) return;  // the Enter commit always leaves a number; nothing to store otherwise
    // Kept within the limits in force even if the box was committed with others.
    const BoxLimits l = limits_for(env, r);
    const double x =
        l.min <= l.max ? std::clamp(*typed, static_cast<double>(l.min), static_cast<double>(l.max)) : *typed;
    const int32_t v = round_half_even(x);
    AppState& s = env.s;
    const K k = kind_now(s, r);
    switch (k) {
        case K::Plain:
        case K::Volume:
            param_set(s, r, to_byte(v));
            env.view.set_slider_value(Ctl{r.slider}, param_get(s, r));
            env.view.set_text(box, int_text(param_get(s, r)));
            break;
        case K::EchoDelay: {
            const int32_t index = peq_h_echo_delay_index(static_cast<float>(x));
            param_set(s, r, index);
            env.view.set_slider_value(Ctl{r.slider}, index);
            env.view.set_text(box, shown_text(k, index));
            break;
        }
        case K::ExciterFreq:
            param_set(s, r, peq_h_exciter_freq_index(static_cast<float>(x)));
            env.svc.set_all_dis();
            break;
        case K::Level:
        case K::AdjustMax:
            param_set(s, r, to_byte(v));
            env.svc.set_all_dis();
            break;
        case K::Gate16: param_set(s, r, std::clamp(v, 0, 0xFFFF)); break;  // refresh follows in box_key
        case K::PowerOn:
            param_set(s, r, to_byte(v));
            env.view.set_text(box, int_text(param_get(s, r)));
            break;
        case K::DrcThreshold:
        case K::Drc16: drc_commit(env, r, box, x); return;
        default: return;
    }
    param_raise(s, r);
}

void slider_moved(RuleEnv& env, const ParamRow& r, Ctl slider) {
    AppState& s = env.s;
    const K k = kind_now(s, r);
    const Ctl box{r.text_box};
    const int32_t value = env.view.slider_value(slider);
    if (k == K::Level || k == K::ExciterFreq) {
        // Guarded: stores |Value|, then pulls slider and box to the stored value.
        const int32_t v = to_byte(std::abs(value));
        if (v == param_get(s, r)) return;
        param_set(s, r, v);
        const int32_t stored = param_get(s, r);
        if (env.view.slider_value(slider) != stored) env.view.set_slider_value(slider, stored);
        const double shown = k == K::ExciterFreq ? exciter_freq_at(stored) : stored;
        const std::optional<double> now = box_number(env, box);
        if (!now || *now != shown) env.view.set_text(box, shown_text(k, stored));
        param_raise(s, r);
        return;
    }
    // Simple: plain, volume and echo delay.
    if (param_get(s, r) == value) return;
    param_set(s, r, to_byte(value));
    env.view.set_text(box, shown_text(k, param_get(s, r)));
    param_raise(s, r);
    env.view.repaint();
}

void step_own(RuleEnv& env, const ParamRow& r, bool up) {
    const auto [lo, hi] = step_bounds(env, r);
    int32_t v = param_get(env.s, r);
    if (up && v < hi) ++v;
    if (!up && v > lo) --v;
    param_set(env.s, r, v);  // written back even at a bound
    env.svc.set_all_dis();
    param_raise(env.s, r);
}

class EditorRules : public RuleModule {
public:
    std::optional<BoxLimits> box_limits(RuleEnv& env, Ctl box) override {
        const ParamRow* r = own_row(find_param_by_text_box(box.name));
        if (!r) return std::nullopt;
        return limits_for(env, *r);
    }
    bool box_commit(RuleEnv& env, Ctl box) override {
        const ParamRow* r = own_row(find_param_by_text_box(box.name));
        if (!r) return false;
        commit(env, *r, box);
        return true;
    }
    bool box_key(RuleEnv& env, Ctl box, int) override {
        const ParamRow* r = own_row(find_param_by_text_box(box.name));
        if (!r) return false;
        if (r->kind == K::Gate16) env.svc.set_all_dis();
        return true;
    }
    bool box_got_focus(RuleEnv& env, Ctl box) override { return colour(env, box, kEditingColor); }
    bool box_lost_focus(RuleEnv& env, Ctl box) override { return colour(env, box, kSysWindowText); }

    bool slider_changed(RuleEnv& env, Ctl slider) override {
        const ParamRow* r = own_row(find_param_by_slider(slider.name));
        if (!r) return false;
        if (r->kind == K::DrcThreshold)
            drc_threshold_slider_changed(env, *r);
        else
            slider_moved(env, *r, slider);
        return true;
    }

    bool step(RuleEnv& env, std::string_view stepper, int) override {
        constexpr std::string_view inc = "_inc", dec = "_dec";
        if (stepper.size() <= inc.size()) return false;
        const std::string_view end = stepper.substr(stepper.size() - inc.size());
        if (end != inc && end != dec) return false;
        const ParamRow* r = own_row(find_param(stepper.substr(0, stepper.size() - inc.size())));
        if (!r) return false;
        const bool up = end == inc;
        env.view.set_focus(Ctl{r->text_box});
        if (steps_by_slider(r->kind)) {
            // The slider moves within its limits and reports through slider_changed.
            const Ctl slider{r->slider};
            up ? env.view.slider_ui_inc(slider) : env.view.slider_ui_dec(slider);
        } else {
            step_own(env, *r, up);
        }
        return true;
    }

    bool check_mouse_up(RuleEnv& env, Ctl c) override { return drc_check_mouse_up(env, c); }

private:
    static bool colour(RuleEnv& env, Ctl box, uint32_t ole) {
        if (!own_row(find_param_by_text_box(box.name))) return false;
        env.view.set_fore_color(box, ole);
        return true;
    }
};

}  // namespace

std::unique_ptr<RuleModule> make_editor_rules() { return std::make_unique<EditorRules>(); }

}  // namespace tuner
