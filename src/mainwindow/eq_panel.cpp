// The shared EQ panel: graph, pre-gain, channel switches and the ten band columns.
#include <QWidget>

#include "mainwindow/area_panels.h"

namespace tuner {

void EqPanel::finish() {
    set_panel_background(reg_.widget("Picture_eq_panel"), 0xE8E8E8);
    // Alternate column shades keep each band's controls together for the eye.
    for (int b = 0; b < 10; ++b)
        set_panel_background(reg_.widget("Picture_eqx(" + std::to_string(b) + ")"), b % 2 ? 0xF4F4F4 : 0xFAFAFA);
    // The band columns are narrow: the on/off box keeps its caption close.
    for (int b = 0; b < 10; ++b)
        if (auto* c = reg_.widget("Check_eq_x_enable(" + std::to_string(b) + ")")) {
            c->setStyleSheet(QStringLiteral("QCheckBox{spacing:2px;}"));
            QFont f = c->font();
            f.setPointSizeF(7.5);
            c->setFont(f);
        }
}

}  // namespace tuner
