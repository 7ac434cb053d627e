// The value groups of the refresh: the volume-limit switches and the three
// volume channels (the one place the refresh corrects the image: limits to
// their maximum, volumes to their limit), then every parameter shown in a
// text box and slider, the noise gates, the exciter and the compressor
// record, driven by the parameter table.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "controls/text_input.h"
#include "core/param_table.h"
#include "display/display.h"
#include "display/display_colors.h"

namespace tuner {
namespace {

namespace g = gen_frame;

// One volume channel: its four bytes and its controls.
struct VolumeChannel {
    std::size_t abs_max, power_on, adj_max, vol;
    std::string_view slider, power_on_box, adj_max_box, vol_box;
};
constexpr std::array kVolumes{
    VolumeChannel{g::music_vol_abs_max, g::music_vol_power_on, g::music_vol_adj_max, g::music_vol, "vr_music_vol",
                  "Text_music_vol_power_on", "Text_music_vol_adj_max", "Text_music_vol"},
    VolumeChannel{g::mic_vol_abs_max, g::mic_vol_power_on, g::mic_vol_adj_max, g::mic_vol, "vr_mic_vol",
                  "Text_mic_vol_power_on", "Text_mic_vol_adj_max", "Text_mic_vol"},
    VolumeChannel{g::effect_vol_abs_max, g::effect_vol_power_on, g::effect_vol_adj_max, g::effect_vol, "vr_effect_vol",
                  "Text_effect_vol_power_on", "Text_effect_vol_adj_max", "Text_effect_vol"},
};

// One value group: a parameter of the table, or an on/off byte shown in a
// check box (general frame; `in_drc` for the current compressor record).
struct ValueItem {
    std::string_view param;
    std::size_t check_offset = 0;
    std::string_view check_box = {};
    bool in_drc = false;
};
constexpr ValueItem check(std::size_t off, std::string_view box) { return {"", off, box}; }

// In the order the refresh draws them.
constexpr std::array kValueItems{
    ValueItem{"echo_a_delay_l"},
    ValueItem{"echo_a_delay_r"},
    ValueItem{"echo_a_vol"},
    ValueItem{"reverb_vol"},
    ValueItem{"echo_a_repeat"},
    ValueItem{"echo_a_lpf"},
    ValueItem{"plate_reverb_predelay"},
    ValueItem{"plate_reverb_decay"},
    ValueItem{"plate_reverb_diffusion"},
    ValueItem{"plate_reverb_damping"},
    ValueItem{"echo_reverb_bili"},
    ValueItem{"sub_out_music_vol"},
    ValueItem{"sub_out_mic_vol"},
    ValueItem{"sub_out_vol"},
    check(g::music_noise_suppressor_en, "Check_music_noise_suppressor_en"),
    ValueItem{"music_noise_suppressor_threshold"},
    ValueItem{"music_noise_suppressor_attack"},
    ValueItem{"music_noise_suppressor_release"},
    ValueItem{"music_noise_suppressor_ratio"},
    check(g::mic1_exciter_en, "Check_mic1_exciter_en"),
    ValueItem{"mic1_exciter_vol"},
    ValueItem{"mic1_exciter_freq_index_100"},
    check(g::mic1_noise_suppressor_en, "Check_mic1_noise_suppressor_en"),
    ValueItem{"mic1_noise_suppressor_threshold"},
    ValueItem{"mic1_noise_suppressor_attack"},
    ValueItem{"mic1_noise_suppressor_release"},
    ValueItem{"mic1_noise_suppressor_ratio"},
    ValueItem{"", g::drc_enable, "Check_drc_enable", true},
    ValueItem{"drc_threshold_db"},
    ValueItem{"drc_ratio"},
    ValueItem{"drc_attack"},
    ValueItem{"drc_release"},
};

// The table rows of the items, looked up once.
const std::array<const ParamRow*, kValueItems.size()>& item_rows() {
    static const auto rows = [] {
        std::array<const ParamRow*, kValueItems.size()> r{};
        for (std::size_t i = 0; i < kValueItems.size(); ++i)
            r[i] = kValueItems[i].param.empty() ? nullptr : find_param(kValueItems[i].param);
        return r;
    }();
    return rows;
}

std::string number(int32_t v) { return std::to_string(v); }

}  // namespace

namespace {

// A limit below the thumb makes the slider lower itself and report the move
// as the user's, and its handler would store the limit over a lower volume
// the unit has just sent (and send it back). The thumb goes to the image's
// volume first when that volume already lies within the limit.
void set_volume_limit(MainView& v, Ctl slider, int limit, int volume) {
    if (v.slider_value(slider) > limit && volume <= limit && volume >= v.slider_min(slider))
        v.set_slider_value(slider, volume);
    v.set_slider_max_limit(slider, limit);
}

}  // namespace

void Display::refresh_volume_groups() {
    FrameImage& gen = s_.param_image.gen;
    FrameImage& cache = s_.param_display_cache.gen;
    const uint8_t en = gen[g::vol_max_function_en];
    const bool en_changed = full() || en != cache[g::vol_max_function_en];

    if (en_changed) {
        v_.set_value({"Check_vol_max_function_en"}, en != 0 ? 1 : 0);
        for (const VolumeChannel& c : kVolumes) v_.set_fore_color({c.adj_max_box}, en != 0 ? kSysWindowText : kGrey);
    }
    if (take(gen, cache, g::vol_power_on_read_eeprom_function_en)) {
        // Ticked when the power-on volumes are the ones set here, not the unit's own.
        const bool from_eeprom = gen[g::vol_power_on_read_eeprom_function_en] == 1;
        v_.set_value({"Check_vol_power_on_read_eeprom_function_en"}, from_eeprom ? 0 : 1);
        for (const VolumeChannel& c : kVolumes)
            v_.set_fore_color({c.power_on_box}, from_eeprom ? kGrey : kSysWindowText);
    }

    for (const VolumeChannel& c : kVolumes) {
        const Ctl slider{c.slider};
        if (take(gen, cache, c.power_on)) v_.set_text({c.power_on_box}, number(gen[c.power_on]));

        // The limit and its switch are cached at the end of the refresh.
        const bool limit_changed = gen[c.adj_max] != cache[c.adj_max];
        if (en_changed || limit_changed) {
            if (gen[c.adj_max] > gen[c.abs_max]) gen[c.adj_max] = gen[c.abs_max];
            if (en == 1) {
                if (gen[c.vol] > gen[c.adj_max]) gen[c.vol] = gen[c.adj_max];
                set_volume_limit(v_, slider, gen[c.adj_max], gen[c.vol]);
            } else if (en == 0) {
                set_volume_limit(v_, slider, gen[c.abs_max], gen[c.vol]);
            }
            v_.set_text({c.adj_max_box}, number(gen[c.adj_max]));
        }

        if (full() || en_changed || gen[c.vol] != cache[c.vol] || gen[c.adj_max] != cache[c.adj_max]) {
            v_.set_slider_max(slider, gen[c.abs_max]);
            if (gen[c.adj_max] > gen[c.abs_max]) gen[c.adj_max] = gen[c.abs_max];
            if (en == 1) {
                set_volume_limit(v_, slider, gen[c.adj_max], std::min(gen[c.vol], gen[c.adj_max]));
                if (gen[c.vol] > gen[c.adj_max]) gen[c.vol] = gen[c.adj_max];
            } else if (en == 0) {
                set_volume_limit(v_, slider, gen[c.abs_max], gen[c.vol]);
            }
            v_.set_slider_value(slider, gen[c.vol]);
            v_.set_text({c.vol_box}, number(gen[c.vol]));
            cache[c.vol] = gen[c.vol];
        }
    }
}

void Display::refresh_value_groups() {
    const auto& rows = item_rows();
    FrameImage& gen = s_.param_image.gen;
    FrameImage& cache = s_.param_display_cache.gen;
    const std::size_t rec = gen_frame::drc(s_.drc_channel_sel < g::drc_rec_count ? s_.drc_channel_sel : 0);

    for (std::size_t i = 0; i < kValueItems.size(); ++i) {
        const ValueItem& item = kValueItems[i];
        const ParamRow* row = rows[i];
        if (!row) {
            if (!item.check_box.empty()) {
                const std::size_t off = item.in_drc ? rec + item.check_offset : item.check_offset;
                if (!take(gen, cache, off)) continue;
                v_.set_value({item.check_box}, gen[off] != 0 ? 1 : 0);
                if (item.in_drc) v_.limiter_set_dis_off_bit(gen[off]);
            }
            continue;
        }
        if (!take(param_frame(s_, *row), param_cache_frame(s_, *row), param_offset(s_, *row), row->width)) continue;

        const int32_t stored = param_get(s_, *row);
        const Ctl box{row->text_box};
        const Ctl slider{row->slider};
        switch (row->kind) {
            case ParamKind::DrcThreshold: {
                // Stored as a magnitude, shown and drawn as the negative level.
                const int32_t db = -stored;
                v_.set_slider_value(slider, db);
                v_.set_text(box, number(db));
                v_.limiter_set_db(db);
                break;
            }
            case ParamKind::Gate16:
            case ParamKind::Drc16: v_.set_text(box, number(stored)); break;
            case ParamKind::Level:
            case ParamKind::ExciterFreq:
                v_.set_text(box, double_to_text(param_shown_value(s_, *row, stored)));
                v_.set_slider_value(slider, stored);
                break;
            default:
                v_.set_slider_value(slider, stored);
                v_.set_text(box, double_to_text(param_shown_value(s_, *row, stored)));
                break;
        }
    }
}

}  // namespace tuner
