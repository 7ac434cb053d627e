// Main volumes: the three volume faders with their mutes, the upper limits
// and the power-on volumes.
#include "mainwindow/area_panels.h"

#include <QLabel>

#include "controls/slider.h"

namespace tuner {

void VolumesPanel::finish() {
    set_panel_background(reg_.widget("Picture_main_vol_page"), 0xF0F0F0);
    // Fader names centred over their faders.
    for (int i = 0; i < 3; ++i)
        if (auto* l = reg_.get<QLabel>("Label_vol_control(" + std::to_string(i) + ")"))
            l->setAlignment(Qt::AlignCenter);
    // Until the unit reports its maxima the faders span a byte.
    for (const char* name : {"vr_music_vol", "vr_mic_vol", "vr_effect_vol"}) {
        if (auto* s = reg_.get<xiSlider>(name)) {
            s->setMax(255);
            s->setMax_limit(255);
            s->setShowValueTip(true);
        }
    }
}

}  // namespace tuner
