// Design-time settings of the tuning window's sliders: thumb size, ticks,
// stored range and value, surface colour and the extra size across the rail.
// Each slider loads its row as its saved settings when the window builds it;
// the start-up and the display then change ranges and values at run time.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/system_colors.h"
#include "platform/property_bag.h"

namespace tuner {

class xiSlider;
struct ControlRow;

struct SliderInstance {
    std::string_view name;
    int first = -1, last = -1;  // array items first..last; -1 for a single control
    int thumb_w = 18, thumb_h = 31;
    int32_t line_mode = 2, line_sub_div = 5, line_main_div = 30;
    int32_t min = 0, max = 180, value = 0;
    OleColor back_color = 0xE0E0E0;
    int32_t width_adj = 100;  // twips
};

// The row of a slider by its name and array index (-1 for a single control), or null.
const SliderInstance* find_slider_instance(std::string_view name, int index);
// Number of slider controls the rows cover (arrays counted per item).
int slider_instance_count();

// The saved settings of a slider in property-bag form; `vertical` is the
// orientation its place in the window gives it.
PropertyBag slider_instance_bag(const SliderInstance& s, bool vertical);
// Loads the settings of the control row's slider (the control defaults when
// the table has no row for it) and draws its thumbs at the row's size.
void load_slider_instance(xiSlider& slider, const ControlRow& row);

}  // namespace tuner
