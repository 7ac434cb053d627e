// The compressor record editor over the channel pages, with its limiter curve.
#include "mainwindow/area_panels.h"

#include "controls/limiter.h"
#include "platform/property_bag.h"

namespace tuner {

void CompressorPanel::finish() {
    if (auto* w = reg_.widget("Frame_all_1(3)")) w->raise();
    set_panel_background(reg_.widget("Frame_all_1(3)"), 0xF0F0F0);
    // The curve's saved settings: a grey graph, the other colours as created.
    if (auto* curve = reg_.get<Limiter>("Limiter_drc")) {
        PropertyBag saved;
        saved.write("a__ui_biaoge_back_color", int32_t{0xC0C0C0}, static_cast<int32_t>(0x8000000Cu));
        curve->read_properties(saved);
    }
}

}  // namespace tuner
