// The compressor record editor over the channel pages, with its limiter curve.
#include "mainwindow/area_panels.h"

#include "controls/slider.h"

namespace tuner {

void CompressorPanel::finish() {
    if (auto* w = reg_.widget("Frame_all_1(3)")) w->raise();
    set_panel_background(reg_.widget("Frame_all_1(3)"), 0xF0F0F0);
    if (auto* s = reg_.get<xiSlider>("vr_drc_threshold_db")) {
        s->setMin(-35);
        s->setMax(0);
        s->setMax_limit(0);
        s->setValue(-35);
    }
}

}  // namespace tuner
