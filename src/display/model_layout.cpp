// The per-model layout: which control groups a unit shows and where they
// stand, by the capability bytes of its information block.
#include "display/model_layout.h"

#include <string_view>

#include "core/app_state.h"
#include "display/display.h"

namespace tuner {
namespace {

namespace b = cpu_info_byte;
using W = LayoutStep::What;

struct Builder {
    LayoutPlan plan;
    void show(Ctl c, bool on) { plan.push_back({c, W::Visible, on ? 1 : 0}); }
    void left(Ctl c, int x) { plan.push_back({c, W::Left, x}); }
    void top(Ctl c, int y) { plan.push_back({c, W::Top, y}); }
};

// Music-input buttons, always handled in this element order.
constexpr std::array<int, 6> kInputOrder{6, 10, 13, 14, 3, 12};

struct InputPlace {
    bool shown;
    bool moved;
    int left, top;  // offsets from the frame's position
};
struct InputLayout {
    std::array<uint8_t, 10> caps;      // exact bytes 65..74 that select it
    std::array<InputPlace, 6> places;  // in kInputOrder
    bool left_then_top_each;           // moves per element rather than all Lefts, then all Tops
};

constexpr std::array kInputLayouts{
    // "BT" and the AUX button.
    InputLayout{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0},
                {{{true, true, 480, 570},
                  {false, true, 0, 0},
                  {false, true, 0, 0},
                  {false, true, 0, 0},
                  {true, true, 2010, 570},
                  {false, true, 0, 0}}},
                false},
    // "BT", "USB/PC" and the AUX button.
    InputLayout{{1, 1, 0, 0, 0, 1, 0, 0, 0, 0},
                {{{true, true, 90, 570},
                  {true, true, 1260, 570},
                  {false, true, 0, 0},
                  {false, true, 0, 0},
                  {true, true, 2430, 570},
                  {false, true, 0, 0}}},
                false},
    // "USB/PC", "BT" and "Coaxial".
    InputLayout{{1, 1, 0, 0, 1, 0, 0, 0, 0, 0},
                {{{true, true, 1260, 570},
                  {true, true, 90, 570},
                  {false, true, 0, 0},
                  {true, true, 2430, 570},
                  {false, true, 2430, 570},
                  {false, true, 0, 0}}},
                false},
    // "USB/PC", the AUX button and "AUX 2".
    InputLayout{{0, 1, 0, 0, 0, 1, 1, 0, 0, 0},
                {{{false, false, 0, 0},
                  {true, true, 90, 570},
                  {false, false, 0, 0},
                  {false, false, 0, 0},
                  {true, true, 1260, 570},
                  {true, true, 2430, 570}}},
                true},
};
// Every other combination: all six in two rows.
constexpr InputLayout kInputGrid{{},
                                 {{{true, true, 90, 240},
                                   {true, true, 1260, 240},
                                   {true, true, 2430, 240},
                                   {true, true, 90, 900},
                                   {true, true, 1260, 900},
                                   {true, true, 2430, 900}}},
                                 false};

const InputLayout& input_layout(const CpuInfo& info) {
    for (const InputLayout& l : kInputLayouts) {
        bool match = true;
        for (std::size_t i = 0; i < 10 && match; ++i) match = info[b::cpu_input_caps + i] == l.caps[i];
        if (match) return l;
    }
    return kInputGrid;
}

void input_buttons(Builder& out, const CpuInfo& info, int fx, int fy) {
    const InputLayout& l = input_layout(info);
    for (std::size_t i = 0; i < kInputOrder.size(); ++i) out.show({"key_input", kInputOrder[i]}, l.places[i].shown);
    if (l.left_then_top_each) {
        for (std::size_t i = 0; i < kInputOrder.size(); ++i) {
            if (!l.places[i].moved) continue;
            out.left({"key_input", kInputOrder[i]}, fx + l.places[i].left);
            out.top({"key_input", kInputOrder[i]}, fy + l.places[i].top);
        }
        return;
    }
    for (std::size_t i = 0; i < kInputOrder.size(); ++i)
        if (l.places[i].moved) out.left({"key_input", kInputOrder[i]}, fx + l.places[i].left);
    for (std::size_t i = 0; i < kInputOrder.size(); ++i)
        if (l.places[i].moved) out.top({"key_input", kInputOrder[i]}, fy + l.places[i].top);
}

// Exciter controls, each group by its capability bit.
struct ExciterGroup {
    uint8_t bit;
    std::array<std::string_view, 3> controls;
};
constexpr std::array kExciterGroups{
    ExciterGroup{0x10, {"Check_mic1_exciter_en", "", ""}},
    ExciterGroup{0x08, {"Text_mic1_exciter_vol", "VR_mic1_exciter_vol", "Label_mic1_exciter_vol"}},
    ExciterGroup{
        0x04,
        {"Text_mic1_exciter_freq_index_100", "VR_mic1_exciter_freq_index_100", "Label_mic1_exciter_freq_index_100"}},
};

void effect_frames(Builder& out, std::string_view frame, uint8_t cap) {
    constexpr std::array<int, 5> five{30, 720, 1410, 2100, 2790};  // 690 apart
    constexpr std::array<int, 5> four{30, 120, 970, 1820, 2670};   // element 0 hidden, 850 apart
    out.show({frame, 0}, cap != 0);
    for (int i = 0; i < 5; ++i) out.left({frame, i}, (cap != 0 ? five : four)[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 5; ++i) out.top({frame, i}, 210);
}

}  // namespace

LayoutPlan model_lock_plan(const CpuInfo& info) {
    Builder out;
    const bool lock = info[b::cpu_cap_lock] != 0;
    out.show({"Check_lock"}, lock);
    out.show({"Label_lock"}, lock);
    out.left({"Frame31", 0}, lock ? 1620 : 1080);
    out.top({"Frame31", 0}, 210);
    out.left({"Display_Connect_State"}, lock ? 1200 : 690);
    out.top({"Display_Connect_State"}, 750);
    return out.plan;
}

LayoutPlan model_layout_plan(const CpuInfo& info, int frame_left, int frame_top) {
    Builder out;
    out.plan = model_lock_plan(info);

    // The vocal-cut frame follows either capability byte, both ways, so a
    // unit with the feature shows it again after one without.
    out.show({"Frame_all_1", 15}, info[b::cpu_cap_frame15] != 0 || info[b::cpu_cap_frame15_b] != 0);

    const uint8_t exciter = info[b::cpu_cap_exciter];
    bool any = false;
    for (const ExciterGroup& grp : kExciterGroups) {
        const bool on = (exciter & grp.bit) != 0;
        any = any || on;
        for (std::string_view c : grp.controls)
            if (!c.empty()) out.show({c}, on);
    }
    out.show({"Frame_mic_1_mic_exciter"}, any);
    out.show({"Picture_mic_1_mic_exciter"}, any);

    input_buttons(out, info, frame_left, frame_top);
    return out.plan;
}

LayoutPlan model_r27_plan(const CpuInfo& info) {
    Builder out;
    const bool vol = info[b::cpu_cap_vol_control] != 0;
    out.show({"Picture_vol", 2}, vol);
    out.show({"Text_effect_vol_adj_max"}, vol);
    out.show({"Label_vol_control", 6}, vol);
    out.left({"Picture_vol", 1}, vol ? 120 : 420);
    out.left({"Picture_vol", 2}, 1050);
    out.left({"Picture_vol", 0}, vol ? 1920 : 1490);
    for (int i : {1, 2, 0}) out.top({"Picture_vol", i}, 1560);
    out.left({"Text_mic_vol_adj_max"}, vol ? 120 : 400);
    out.left({"Label_vol_control", 5}, vol ? 210 : 500);
    out.left({"Text_music_vol_adj_max"}, vol ? 1740 : 1450);
    out.left({"Label_vol_control", 4}, vol ? 1890 : 1580);

    out.show({"Picture_mic_eff_echo_p", 15}, info[b::cpu_cap_mic_eff_echo] != 0);
    effect_frames(out, "Frame_echo_vr", info[b::cpu_cap_echo_vr]);
    effect_frames(out, "Frame_reverb_vr", info[b::cpu_cap_reverb_vr]);
    return out.plan;
}

void apply_layout(MainView& view, const LayoutPlan& plan) {
    for (const LayoutStep& step : plan) {
        switch (step.what) {
            case W::Visible: view.set_visible(step.ctl, step.value != 0); break;
            case W::Left: view.move(step.ctl, step.value, view.top(step.ctl)); break;
            case W::Top: view.move(step.ctl, view.left(step.ctl), step.value); break;
        }
    }
}

void Display::model_lock_layout() { apply_layout(v_, model_lock_plan(s_.cpu_info)); }

void Display::display_model_layout() {
    const Ctl frame{"Frame_music_input"};
    apply_layout(v_, model_layout_plan(s_.cpu_info, v_.left(frame), v_.top(frame)));
}

void Display::model_r27_layout() { apply_layout(v_, model_r27_plan(s_.cpu_info)); }

}  // namespace tuner
