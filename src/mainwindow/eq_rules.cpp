#include "mainwindow/eq_rules.h"

#include <algorithm>
#include <array>

#include "core/eq_filter.h"
#include "core/param_file.h"
#include "core/param_table.h"
#include "core/system_colors.h"
#include "core/value_tables.h"

namespace tuner {
namespace {

namespace q = eq_frame;

constexpr uint32_t kFocusTextColor = 0xFF;  // red while a box is edited
constexpr uint8_t kForceRedraw = 255;       // a cache byte that never matches
constexpr int kNoBand = 255;

// Q index limits by band type: peaking reaches 25.0, every other type 2.0.
constexpr int kQMinIndex = 1;
constexpr int kQMaxPeqIndex = 250;
constexpr int kQMaxOtherIndex = 20;

// Band types the five type buttons set.
struct TypeButton {
    std::string_view name;
    uint8_t type;
};
constexpr std::array kTypeButtons{
    TypeButton{"key_eq_type_peq", eq_type::peaking},   TypeButton{"key_eq_type_ls", eq_type::low_shelf},
    TypeButton{"key_eq_type_hs", eq_type::high_shelf}, TypeButton{"key_eq_type_lp", eq_type::low_pass},
    TypeButton{"key_eq_type_hp", eq_type::high_pass},
};

const ParamRow& row(std::string_view name) { return *find_param(name); }
const ParamRow& db_row() { return row("eq_db"); }
const ParamRow& q_row() { return row("eq_q"); }

bool is_band(int b) { return b >= 0 && b < static_cast<int>(kEqBands); }

std::size_t channel(const AppState& s) { return s.eq_channel_sel < kEqChannels ? s.eq_channel_sel : 0; }
FrameImage& eq_image(AppState& s) { return s.param_image.eq[channel(s)]; }
FrameImage& eq_cache(AppState& s) { return s.param_display_cache.eq[channel(s)]; }

// send_eq_req of the edited channel, only while connected.
void raise_eq(AppState& s) { param_raise(s, db_row()); }

uint8_t band_type(AppState& s, int band) { return eq_image(s)[q::eq_type + static_cast<std::size_t>(band)]; }
int q_max_index(uint8_t type) { return type == 0 ? kQMaxPeqIndex : kQMaxOtherIndex; }

std::span<const double> table_of(const ParamRow& r) {
    const ValueTables& t = value_tables();
    switch (r.table) {
        case ValueTable::EqFreq: return t.eq_freq_tab;
        case ValueTable::EqQ: return t.eq_q_tab;
        default: return t.eq_gain_tab;
    }
}

// The table index of a committed value: snapped to the nearest entry (so the
// look-up always finds it) and kept inside lo..hi.
int index_of(const ParamRow& r, float value, int lo, int hi) {
    const float v = TextInput::text_input_nearest(value, table_of(r));
    int i = 0;
    switch (r.table) {
        case ValueTable::EqFreq: i = peq_h_freq_index(v); break;
        case ValueTable::EqQ: i = peq_h_q_index(v); break;
        default: i = peq_h_gain_index(v); break;
    }
    return std::clamp(i, lo, hi);
}

BoxLimits limits_of(const ParamRow& r, int lo, int hi, int decimals, bool minus) {
    const std::span<const double> tab = table_of(r);
    BoxLimits l;
    l.min = static_cast<float>(tab[static_cast<std::size_t>(lo)]);
    l.max = static_cast<float>(tab[static_cast<std::size_t>(hi)]);
    l.snap = true;
    l.table = tab;
    l.decimals = decimals;
    l.allow_minus = minus;
    return l;
}

void refresh(RuleEnv& env) { env.svc.set_all_dis(); }

// Which EQ box a control is, or null. Band boxes need a band index.
const ParamRow* box_row(Ctl c) {
    const ParamRow* r = find_param_by_text_box(c.name);
    if (!r || r->frame != ParamFrame::Eq) return nullptr;
    if (r->per_band && !is_band(c.index)) return nullptr;
    return r;
}

class EqRules : public RuleModule {
public:
    bool click(RuleEnv& env, Ctl c) override {
        AppState& s = env.s;
        for (const TypeButton& t : kTypeButtons) {
            if (c.name != t.name) continue;
            if (is_band(c.index)) {
                eq_image(s)[q::eq_type + static_cast<std::size_t>(c.index)] = t.type;
                refresh(env);
                raise_eq(s);  // also when the band already had that type
            }
            return true;
        }
        if (c.name == "key_eq_chx_enable" || c.name == "key_eq_chx_bypass") {
            uint8_t& b = eq_image(s)[c.name == "key_eq_chx_enable" ? q::eq_chx_enable : q::eq_chx_bypass];
            b = b == 0 ? 1 : 0;
            refresh(env);
            raise_eq(s);
            return true;
        }
        if (c.name == "key_eq_reset") {
            reset(env);
            return true;
        }
        return false;
    }

    // Reached for the user's toggle by mouse and by keyboard alike, so a band
    // switched with the space bar is stored as one switched with the mouse.
    bool check_mouse_up(RuleEnv& env, Ctl c) override {
        if (c.name != "Check_eq_x_enable") return false;
        if (!is_band(c.index)) return true;
        uint8_t& en = eq_image(env.s)[q::eq_x_enable + static_cast<std::size_t>(c.index)];
        const uint8_t want = env.view.value(c) == 0 ? 0 : 1;  // ticked or grey is on
        if (en != want) {
            en = want;
            raise_eq(env.s);
        }
        refresh(env);
        return true;
    }

    std::optional<BoxLimits> box_limits(RuleEnv& env, Ctl c) override {
        const ParamRow* r = box_row(c);
        if (!r) return std::nullopt;
        switch (r->kind) {
            case ParamKind::EqDb: return limits_of(*r, r->min, r->max, 1, true);
            case ParamKind::EqFreq: return limits_of(*r, r->min, r->max, 1, false);
            case ParamKind::EqQ: return limits_of(*r, kQMinIndex, q_max_index(band_type(env.s, c.index)), 2, false);
            case ParamKind::EqPreGain: return limits_of(*r, r->min, r->max, 1, true);
            default: return std::nullopt;
        }
    }

    bool box_commit(RuleEnv& env, Ctl c) override {
        const ParamRow* r = box_row(c);
        if (!r) return false;
        const std::optional<double> typed = parse_number_text(env.view.text(c));
        if (!typed) return true;  // the text-input commit always leaves a number
        const auto v = static_cast<float>(*typed);
        AppState& s = env.s;
        const int band = r->per_band ? c.index : 0;
        switch (r->kind) {
            case ParamKind::EqDb:
            case ParamKind::EqFreq: {
                const int i = index_of(*r, v, r->min, r->max);
                if (param_get(s, *r, band) != i) {
                    param_set(s, *r, i, band);
                    raise_eq(s);
                }
                break;
            }
            case ParamKind::EqQ:
                param_set(s, *r, index_of(*r, v, kQMinIndex, q_max_index(band_type(s, band))), band);
                raise_eq(s);
                break;
            case ParamKind::EqPreGain:
                // A box entered or left without an edit keeps the byte: one
                // below the box's reach (as a unit or a file may hold it)
                // would otherwise be raised to -18 dB unasked.
                if (pre_gain_untouched_)
                    eq_cache(s)[q::eq_pre_gain_db_index] = kForceRedraw;  // the box shows the byte again
                else
                    param_set(s, *r, index_of(*r, v, r->min, r->max));
                raise_eq(s);
                break;
            default: break;
        }
        refresh(env);
        return true;
    }

    bool box_got_focus(RuleEnv& env, Ctl c) override {
        const ParamRow* r = box_row(c);
        if (!r) return false;
        if (r->kind == ParamKind::EqPreGain) pre_gain_untouched_ = true;
        env.view.set_fore_color(c, kFocusTextColor);
        return true;
    }

    bool box_edited(RuleEnv&, Ctl c) override {
        const ParamRow* r = box_row(c);
        if (!r) return false;
        if (r->kind == ParamKind::EqPreGain) pre_gain_untouched_ = false;
        return true;
    }

    // Runs after the box's own Enter commit; marks the field so the refresh
    // shows the stored value again.
    bool box_lost_focus(RuleEnv& env, Ctl c) override {
        const ParamRow* r = box_row(c);
        if (!r) return false;
        env.view.set_fore_color(c, kSysWindowText);
        if (r->kind == ParamKind::EqPreGain) pre_gain_untouched_ = false;
        FrameImage& cache = eq_cache(env.s);
        const auto b = static_cast<std::size_t>(r->per_band ? c.index : 0);
        switch (r->kind) {
            case ParamKind::EqDb: cache[q::eq_db + b] = kForceRedraw; break;
            case ParamKind::EqFreq: cache[q::eq_freq_high + b] = kForceRedraw; break;
            case ParamKind::EqQ:
                cache[q::eq_q_peq + b] = kForceRedraw;
                cache[q::eq_q_shelf + b] = kForceRedraw;
                cache[q::eq_q_pass + b] = kForceRedraw;
                break;
            default: cache[q::eq_pre_gain_db_index] = kForceRedraw; break;
        }
        refresh(env);
        return true;
    }

    bool slider_changed(RuleEnv& env, Ctl c) override {
        const ParamRow* r = find_param_by_slider(c.name);
        if (!r || r->frame != ParamFrame::Eq) return false;
        if (r->per_band && !is_band(c.index)) return true;
        AppState& s = env.s;
        const int band = r->per_band ? c.index : 0;
        int32_t v = env.view.slider_value(c);
        if (r->kind == ParamKind::EqPreGain) {
            // Below the slider's reach its thumb stands at the lowest end: a
            // step up from there (wheel, key, rail click) goes to the lowest
            // value it reaches; a drag goes where the pointer puts it.
            if (param_get(s, *r) < r->min && !env.view.slider_dragging(c)) v = r->min;
            // The slider's design range reaches past +12 dB; the stored index stays in 30..180.
            v = std::clamp<int32_t>(v, r->min, r->max);
            if (v != env.view.slider_value(c)) env.view.set_slider_value(c, v);
        }
        if (param_get(s, *r, band) != v) {
            param_set(s, *r, v, band);
            raise_eq(s);
        }
        refresh(env);
        env.view.repaint();
        return true;
    }

    bool slider_mouse(RuleEnv& env, Ctl c, bool in) override {
        if (c.name == "vr_eq_db") {
            env.view.peq_dis_peq_x(in && is_band(c.index) ? c.index : kNoBand);
            return true;
        }
        if (c.name == "vr_eq_pre_gain_db_index") {
            env.view.peq_dis_peq_x(kNoBand);
            return true;
        }
        return false;
    }

    bool step(RuleEnv& env, std::string_view stepper, int index) override {
        const bool inc = stepper.ends_with("_inc");
        if (!inc && !stepper.ends_with("_dec")) return false;
        const ParamRow* r = find_param(stepper.substr(0, stepper.size() - 4));
        if (!r || r->frame != ParamFrame::Eq) return false;
        if (r->per_band && !is_band(index)) return true;
        const Ctl slider{r->slider, r->per_band ? index : -1};
        switch (r->kind) {
            case ParamKind::EqDb:
            case ParamKind::EqFreq: env.view.set_focus(Ctl{r->text_box, index}); [[fallthrough]];
            case ParamKind::EqPreGain:  // the focus stays where it is
                // A byte below the editor's reach (from the unit or a file)
                // is shown in the box while the slider keeps an old thumb: a
                // step up goes to the lowest value the editor reaches, not a
                // jump from that thumb; a step down keeps the byte.
                if (r->kind == ParamKind::EqPreGain && param_get(env.s, *r) < r->min) {
                    if (inc) {
                        param_set(env.s, *r, r->min);
                        raise_eq(env.s);
                        refresh(env);
                    }
                    break;
                }
                if (inc)
                    env.view.slider_ui_inc(slider);
                else
                    env.view.slider_ui_dec(slider);
                break;
            case ParamKind::EqQ: step_q(env, index, inc); break;
            default: break;
        }
        return true;
    }

private:
    // The pre-gain box has the focus and its text is still the one shown.
    bool pre_gain_untouched_ = false;

    // Q steps move the byte the band type selects; the word is raised also
    // when the byte stood at its limit.
    static void step_q(RuleEnv& env, int band, bool inc) {
        AppState& s = env.s;
        const int v = param_get(s, q_row(), band);
        if (inc && v < q_max_index(band_type(s, band))) param_set(s, q_row(), v + 1, band);
        if (!inc && v > kQMinIndex) param_set(s, q_row(), v - 1, band);
        env.view.set_focus(Ctl{q_row().text_box, band});
        refresh(env);
        raise_eq(s);
    }

    // Restores the edited channel from the start-up image, after asking. An
    // image that never passed the start-up file's checks is not restored from:
    // its channel would be all zeros and silence the unit.
    static void reset(RuleEnv& env) {
        AppState& s = env.s;
        if (!param_image_valid(s.param_image_default)) {
            env.svc.message_box(eq_reset_no_default_text(s), eq_reset_title(s), MessageIcon::Exclamation);
            return;
        }
        if (!env.view.ask_yes_no(eq_reset_question(s), eq_reset_title(s))) return;
        eq_image(s) = s.param_image_default.eq[channel(s)];
        raise_eq(s);
        refresh(env);
    }
};

}  // namespace

std::unique_ptr<RuleModule> make_eq_rules() { return std::make_unique<EqRules>(); }

std::string eq_reset_title(const AppState& s) { return english(s) ? "Reset Eq" : "EQ复位"; }
std::string eq_reset_question(const AppState& s) {
    return english(s) ? "Reset Eq channel actived, are you sure ?" : "是否复位当前EQ？";
}
std::string eq_reset_no_default_text(const AppState& s) {
    return english(s) ? "No valid start-up parameter file was loaded, so there is nothing to reset the EQ to."
                      : "未载入有效的开机参数文件，无法复位当前EQ。";
}

void confirm_eq_reset(RuleEnv& env) { env.view.ask_yes_no("Reset Eq channel actived, are you sure ?", "Reset Eq"); }

void toggle_eq_band_slope(RuleEnv& env, int band) {
    if (!is_band(band)) return;
    uint8_t& t = eq_image(env.s)[q::eq_type + static_cast<std::size_t>(band)];
    t = t == 9 ? 11 : 9;
    refresh(env);
    raise_eq(env.s);
}

void eq_on_tab_before_switch(RuleEnv& env, int new_tab) {
    AppState& s = env.s;
    MainView& v = env.view;
    const auto frame = [&](int i, bool show) { v.set_visible(Ctl{"Frame_all_1", i}, show); };
    constexpr int kDrcFrame = 3, kEffectSelFrame = 5, kMicSelFrame = 10;
    switch (new_tab) {
        case 0:
            frame(kMicSelFrame, false);
            frame(kEffectSelFrame, false);
            s.eq_channel_sel = 0;
            s.drc_channel_sel = 0;
            frame(kDrcFrame, true);
            break;
        case 1:
            if (s.eq_band_count[2] != 0) {
                frame(kMicSelFrame, true);
                s.eq_channel_sel = s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] == 2 ? 2 : 1;
            } else {
                // No microphone-2 EQ on this unit: its selector is hidden and
                // falls back to MIC1+2 (the unit does not use the byte then).
                frame(kMicSelFrame, false);
                s.eq_channel_sel = 1;
                s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = 0;
            }
            frame(kEffectSelFrame, false);
            s.drc_channel_sel = 1;
            frame(kDrcFrame, true);
            break;
        case 2:
            frame(kMicSelFrame, false);
            frame(kEffectSelFrame, true);
            frame(kDrcFrame, false);
            s.eq_channel_sel = s.param_image.gen[gen_frame::echo_reverb_eq_adj_mode] == 2 ? 4 : 3;
            break;
        case 3:
        case 4:
            frame(kMicSelFrame, false);
            frame(kEffectSelFrame, false);
            frame(kDrcFrame, false);
            s.eq_channel_sel = new_tab == 3 ? 5 : 6;
            s.drc_channel_sel = new_tab == 3 ? 2 : 3;
            break;
        default: break;
    }
    // Every band control, the pre-gain, the switches and the graph show the new channel.
    s.refresh_incremental = 0;
    env.svc.set_all_dis();
    env.display.set_eq_enable_seg_display();
}

// A mouse edit in the graph: the band's sliders and boxes follow, and the
// four bytes are stored. The type byte is never written here; the type only
// chooses which Q byte the edit lands in.
void eq_on_peq_eq_out(RuleEnv& env, int band, int type, int freq_index, float freq, int q_index, float qv,
                      float gain_index, float gain_db) {
    if (!is_band(band)) return;
    MainView& v = env.view;
    // The graph keeps its values inside the tables; indexes are still kept
    // inside them here, so a stray value cannot wrap into another byte.
    const auto gi = static_cast<uint8_t>(std::clamp(gain_index, 0.0f, static_cast<float>(kEqGainEntries - 1)));
    freq_index = clamp_table_index(freq_index, kEqFreqEntries);
    q_index = clamp_table_index(q_index, kEqQEntries);
    v.set_slider_value(Ctl{"vr_eq_freq", band}, freq_index);
    v.set_slider_value(Ctl{"vr_eq_db", band}, gi);
    v.set_text(Ctl{"Text_eq_db", band}, format_number_text(single_to_text(gain_db), "0.0"));
    v.set_text(Ctl{"Text_eq_q", band}, format_number_text(single_to_text(qv), "0.0"));
    v.set_text(Ctl{"Text_eq_freq", band}, single_to_text(freq));

    FrameImage& f = eq_image(env.s);
    const auto b = static_cast<std::size_t>(band);
    const std::size_t q_at = eq_q_row_for_type(static_cast<uint8_t>(type)) + b;
    const auto fi = static_cast<uint16_t>(freq_index);
    const auto qi = static_cast<uint8_t>(q_index);
    const bool changed = f[q::eq_db + b] != gi || eq_freq(f, b) != fi || f[q_at] != qi;
    f[q::eq_db + b] = gi;
    set_eq_freq(f, b, fi);
    f[q_at] = qi;
    if (changed) raise_eq(env.s);
}

}  // namespace tuner
