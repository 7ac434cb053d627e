// The compressor record of the current tab (drc_channel_sel): the enable
// box, ratio / attack / release, and the threshold, which three controls show
// at once (its box, vr_drc_threshold_db and the limiter curve). Each of the
// three writes only what differs, so a change settles in one pass.
#include <algorithm>
#include <cstdlib>

#include "mainwindow/editor_rules.h"

namespace tuner {
namespace editor {
namespace {

constexpr std::string_view kThresholdBox = "Text_drc_threshold_db";
constexpr std::string_view kThresholdSlider = "vr_drc_threshold_db";

std::size_t record_start(const AppState& s) {
    const std::size_t k = s.drc_channel_sel < gen_frame::drc_rec_count ? s.drc_channel_sel : 0;
    return gen_frame::drc(k);
}

// The threshold to show: the shown value is the negative of the stored magnitude.
void show_threshold(RuleEnv& env, int32_t db, bool set_slider) {
    const Ctl slider{kThresholdSlider}, box{kThresholdBox};
    if (set_slider && env.view.slider_value(slider) != db) env.view.set_slider_value(slider, db);
    const std::optional<double> shown = box_number(env, box);
    if (!shown || *shown != db) env.view.set_text(box, int_text(db));
    if (env.view.limiter_db() != db) env.view.limiter_set_db(db);
}

// Stores |db| unless it is already stored; true when it was written.
bool store_threshold(RuleEnv& env, const ParamRow& row, int32_t db) {
    const int32_t m = std::abs(db);
    if (m == param_get(env.s, row)) return false;
    param_set(env.s, row, m);
    return true;
}

}  // namespace

void drc_commit(RuleEnv& env, const ParamRow& row, Ctl box, double x) {
    const int32_t v = round_half_even(x);
    if (row.kind == ParamKind::DrcThreshold) {
        // Every Enter writes all three views, changed or not.
        param_set(env.s, row, std::abs(v));
        env.view.set_slider_value(Ctl{kThresholdSlider}, v);
        env.view.set_text(box, int_text(v));
        env.view.limiter_set_db(v);
    } else {
        // Ratio, attack and release keep the typed decimal in the box; the unit takes whole numbers.
        param_set(env.s, row, std::clamp(v, 0, 0xFFFF));
    }
    param_raise(env.s, row);
}

void drc_threshold_slider_changed(RuleEnv& env, const ParamRow& row) {
    const int32_t v = env.view.slider_value(Ctl{kThresholdSlider});
    if (!store_threshold(env, row, v)) return;
    show_threshold(env, v, false);
    param_raise(env.s, row);
}

bool drc_check_mouse_up(RuleEnv& env, Ctl c) {
    if (c.name != "Check_drc_enable") return false;
    // Written even when it already holds that value.
    env.s.param_image.gen[record_start(env.s) + gen_frame::drc_enable] = env.view.value(c) != 0 ? 1 : 0;
    env.svc.set_all_dis();
    if (cpu_connected(env.s)) env.s.send_gen_req = kPending;
    return true;
}

}  // namespace editor

void drc_on_limiter_output(RuleEnv& env, int db) {
    const ParamRow* row = find_param("drc_threshold_db");
    if (!row) return;
    // The curve drags within -35..0; a value beyond the slider's range is held to it.
    const Ctl slider{editor::kThresholdSlider};
    const int32_t lo = env.view.slider_min(slider), hi = env.view.slider_max(slider);
    const int32_t v = lo <= hi ? std::clamp<int32_t>(db, lo, hi) : db;
    if (!editor::store_threshold(env, *row, v)) return;
    editor::show_threshold(env, v, true);
    param_raise(env.s, *row);
}

}  // namespace tuner
