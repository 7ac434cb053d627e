// The channel tab strip with its pages: music input, noise gates, exciter,
// anti-feedback, vocal cut and the two outputs.
#include <QLabel>

#include "mainwindow/area_panels.h"

namespace tuner {

void InputsPanel::finish() {
    for (int t = 0; t < 5; ++t)
        set_panel_background(reg_.widget("Picture_tab_page(" + std::to_string(t) + ")"), 0xF0F0F0);
    // Fader names centred over their faders.
    for (int i = 0; i < 3; ++i)
        if (auto* l = reg_.get<QLabel>("Label_sub_x_vol(" + std::to_string(i) + ")")) l->setAlignment(Qt::AlignCenter);
    // Four options share one narrow frame: marks close to their captions.
    for (int i = 0; i < 4; ++i)
        if (auto* o = reg_.widget("Option_VC_Mode(" + std::to_string(i) + ")"))
            o->setStyleSheet(QStringLiteral("QRadioButton{spacing:3px;}"));
}

}  // namespace tuner
