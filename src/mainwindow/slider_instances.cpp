#include "mainwindow/slider_instances.h"

#include "controls/slider.h"
#include "mainwindow/control_table.h"

namespace tuner {
namespace {

// Thumbs (width x height in pixels).
constexpr int kFaderW = 18, kFaderH = 31;      // large vertical fader
constexpr int kSmallW = 17, kSmallH = 25;      // small vertical fader
constexpr int kLevelW = 19, kLevelH = 15;      // horizontal level
constexpr int kBalanceW = 31, kBalanceH = 18;  // the balance's wide thumb

// The horizontal 19 x 15 sliders with ticks below the rail stand 9 pixels
// over their thumb, so that the long ticks (10 to 16 pixels from the rail's
// centre) end inside the control; the usual 7 would cut them short.
constexpr int32_t kTicksBelowAdj = 135;

constexpr OleColor kSurface = 0xE0E0E0;

SliderInstance fader(std::string_view name, int first, int last, int w, int h, int32_t sub, int32_t main, int32_t min,
                     int32_t max, int32_t value) {
    SliderInstance s;
    s.name = name, s.first = first, s.last = last;
    s.thumb_w = w, s.thumb_h = h;
    s.line_sub_div = sub, s.line_main_div = main;
    s.min = min, s.max = max, s.value = value;
    return s;
}

SliderInstance single(std::string_view name, int w, int h, int32_t sub, int32_t main, int32_t min, int32_t max,
                      int32_t value = 0) {
    return fader(name, -1, -1, w, h, sub, main, min, max, value);
}

SliderInstance level(std::string_view name, int32_t min, int32_t max, int32_t value = 0) {
    SliderInstance s = single(name, kLevelW, kLevelH, 5, 20, min, max, value);
    s.width_adj = kTicksBelowAdj;
    return s;
}

SliderInstance eq_freq(int first, int last, int32_t max, OleColor surface) {
    SliderInstance s = fader("vr_eq_freq", first, last, kLevelW, kLevelH, 5, 30, 0, max, 0);
    s.line_mode = 0;
    s.back_color = surface;
    return s;
}

SliderInstance balance() {
    SliderInstance s = single("vr_echo_reverb_bili", kBalanceW, kBalanceH, 5, 30, 0, 30);
    s.line_mode = 0;
    return s;
}

const SliderInstance kSliders[] = {
    fader("vr_eq_db", 0, 9, kFaderW, kFaderH, 6, 30, 30, 210, 30),
    // The cut filters' columns mark their frequency sliders with the caption colour.
    eq_freq(0, 0, 402, kSysActiveCaption),
    eq_freq(1, 8, 180, kSurface),
    eq_freq(9, 9, 402, kSysActiveCaption),
    single("vr_eq_pre_gain_db_index", kFaderW, kFaderH, 6, 30, 30, 210, 30),
    single("vr_music_vol", kFaderW, kFaderH, 1, 5, 0, 30, 30),
    single("vr_mic_vol", kFaderW, kFaderH, 1, 5, 0, 30, 30),
    single("vr_effect_vol", kFaderW, kFaderH, 1, 5, 0, 30, 30),
    single("vr_drc_threshold_db", kSmallW, kSmallH, 1, 5, -35, 0, -35),
    single("VR_sub_out_mic_vol", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_sub_out_music_vol", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_sub_out_vol", kFaderW, kFaderH, 1, 5, 0, 30),
    level("VR_music_noise_suppressor_threshold", -100, 100, -100),
    level("VR_mic1_noise_suppressor_threshold", -100, 100, -100),
    level("VR_mic1_exciter_vol", 0, 30),
    level("VR_mic1_exciter_freq_index_100", 0, 100),
    single("VR_plate_reverb_diffusion", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_plate_reverb_damping", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_plate_reverb_decay", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_reverb_vol", kSmallW, kSmallH, 2, 10, 0, 30),
    single("VR_plate_reverb_predelay", kSmallW, kSmallH, 2, 10, 0, 100),
    balance(),
    single("VR_echo_a_vol", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_echo_a_delay_l", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_echo_a_delay_r", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_echo_a_repeat", kSmallW, kSmallH, 1, 5, 0, 30),
    single("VR_echo_a_lpf", kSmallW, kSmallH, 1, 5, 0, 30),
};

}  // namespace

const SliderInstance* find_slider_instance(std::string_view name, int index) {
    for (const SliderInstance& s : kSliders)
        if (s.name == name && index >= s.first && index <= s.last) return &s;
    return nullptr;
}

int slider_instance_count() {
    int n = 0;
    for (const SliderInstance& s : kSliders) n += s.last - s.first + 1;
    return n;
}

PropertyBag slider_instance_bag(const SliderInstance& s, bool vertical) {
    PropertyBag bag;
    bag.write("BackColor", s.back_color, static_cast<int32_t>(kSysButtonFace));
    bag.write("Orientation", int32_t{vertical ? 1 : 0}, 1);
    bag.write("m_Line_Mode", s.line_mode, 2);
    bag.write("m_Line_Sub_Div", s.line_sub_div, 5);
    bag.write("m_Line_Main_Div", s.line_main_div, 30);
    bag.write("Min", s.min, 0);
    bag.write("Max", s.max, 180);
    bag.write("m_Width_ADJ", s.width_adj, 100);
    bag.write("Value", s.value, 0);
    return bag;
}

void load_slider_instance(xiSlider& slider, const ControlRow& row) {
    const bool vertical = (row.flags & kVertical) != 0;
    const SliderInstance* s = find_slider_instance(row.name, row.index);
    if (!s) {
        slider.setOrientation(vertical ? 1 : 0);
        return;
    }
    slider.read_properties(slider_instance_bag(*s, vertical));
    slider.set_thumb_size(s->thumb_w, s->thumb_h);
}

}  // namespace tuner
