// The switch and selector groups of the refresh: buttons lit or grey by a
// byte of the general frame, the vocal-cut option group, the music-input
// buttons by the input the unit reports, and the panel-lock check box.
#include <array>
#include <string_view>

#include "display/display.h"
#include "display/display_colors.h"

namespace tuner {
namespace {

namespace g = gen_frame;

enum class SwitchRule : uint8_t {
    OneOfSeven,   // item == value lit; a value above 6 leaves the buttons alone
    ThreeWay,     // 0 -> item 0, 2 -> item 2, anything else -> item 1
    LitWhenSet,   // one button lit when the byte is not 0
    LitWhenZero,  // one button lit when the byte is 0
};

struct SwitchGroup {
    std::size_t offset;
    std::string_view control;
    int index;  // item of a control array, -1 for a single control
    SwitchRule rule;
};

// In the order the refresh draws them; the vocal-cut group runs after the
// first three.
constexpr std::array kSelectors{
    SwitchGroup{g::mic_fbx, "key_mic_fbx", -1, SwitchRule::OneOfSeven},
    SwitchGroup{g::echo_reverb_eq_adj_mode, "key_echo_reverb_eq_adj_mode", -1, SwitchRule::ThreeWay},
    SwitchGroup{g::mic1_mic2_eq_adj_mode, "key_mic1_mic2_eq_adj_mode", -1, SwitchRule::ThreeWay},
};
constexpr std::array kButtons{
    SwitchGroup{g::main_out_lch_mute, "key_main_out_lch_mute", -1, SwitchRule::LitWhenSet},
    SwitchGroup{g::main_out_rch_mute, "key_main_out_rch_mute", -1, SwitchRule::LitWhenSet},
    SwitchGroup{g::sub_out_mute, "key_sub_out_mute", -1, SwitchRule::LitWhenSet},
    SwitchGroup{g::master_mute, "key_mute", 0, SwitchRule::LitWhenSet},
    SwitchGroup{g::music_mute, "key_mute", 1, SwitchRule::LitWhenSet},
    SwitchGroup{g::mic_mute, "key_mute", 2, SwitchRule::LitWhenSet},
    SwitchGroup{g::effect_mute, "key_mute", 3, SwitchRule::LitWhenSet},
    SwitchGroup{g::sub_out_phase, "key_sub_out_phase", -1, SwitchRule::LitWhenZero},
};

void draw(MainView& v, const SwitchGroup& grp, uint8_t value) {
    switch (grp.rule) {
        case SwitchRule::OneOfSeven:
            if (value > 6) return;
            for (int i = 0; i < 7; ++i) v.set_back_color({grp.control, i}, lit_if(i == value));
            return;
        case SwitchRule::ThreeWay: {
            const int item = value == 0 ? 0 : value == 2 ? 2 : 1;
            for (int i = 0; i < 3; ++i) v.set_back_color({grp.control, i}, lit_if(i == item));
            return;
        }
        case SwitchRule::LitWhenSet: v.set_back_color({grp.control, grp.index}, lit_if(value != 0)); return;
        case SwitchRule::LitWhenZero: v.set_back_color({grp.control, grp.index}, lit_if(value == 0)); return;
    }
}

}  // namespace

void Display::refresh_switch_groups() {
    const FrameImage& gen = s_.param_image.gen;
    FrameImage& cache = s_.param_display_cache.gen;
    for (const SwitchGroup& grp : kSelectors)
        if (take(gen, cache, grp.offset)) draw(v_, grp, gen[grp.offset]);

    // Vocal cut and microphone priority share one option group: priority
    // wins over the vocal-cut choice made first.
    const bool vc = take(gen, cache, g::vocal_cut_mode);
    const bool prio = take(gen, cache, g::mic_priority);
    if (vc || prio) {
        const uint8_t mode = gen[g::vocal_cut_mode];
        v_.set_value({"Option_VC_Mode", mode == 1 ? 1 : mode == 2 ? 2 : 0}, 1);
        if (gen[g::mic_priority] == 1) v_.set_value({"Option_VC_Mode", 3}, 1);
    }

    for (const SwitchGroup& grp : kButtons)
        if (take(gen, cache, grp.offset)) draw(v_, grp, gen[grp.offset]);

    // The input the unit reports, not the request byte of the image; every
    // item is set, also the ones the layout hides.
    const uint8_t input = s_.cpu_state.cpu_music_input;
    if (take_status(input, shown_cpu_music_input))
        for (int i = 0; i < 20; ++i) v_.set_back_color({"key_input", i}, lit_if(i == input));
}

void Display::refresh_lock_group() {
    const FrameImage& gen = s_.param_image.gen;
    if (take(gen, s_.param_display_cache.gen, g::lock)) v_.set_value({"Check_lock"}, gen[g::lock] != 0 ? 1 : 0);
}

}  // namespace tuner
