// Main volumes: the three volume faders with their mutes, the upper limits
// and the power-on volumes. The faders take their scale from the display.
#include "mainwindow/area_panels.h"

#include <QLabel>

namespace tuner {

void VolumesPanel::finish() {
    set_panel_background(reg_.widget("Picture_main_vol_page"), 0xF0F0F0);
    // Fader names centred over their faders.
    for (int i = 0; i < 3; ++i)
        if (auto* l = reg_.get<QLabel>("Label_vol_control(" + std::to_string(i) + ")"))
            l->setAlignment(Qt::AlignCenter);
}

}  // namespace tuner
