// Echo, plate reverb and the echo / reverb balance of the EFFECT page.
#include "mainwindow/area_panels.h"

#include <QLabel>

#include "controls/slider.h"

namespace tuner {

void EffectsPanel::finish() {
    for (const auto& row : control_table()) {
        if (row.area != ControlArea::Effects) continue;
        if (auto* s = reg_.get<xiSlider>(row.object_name())) s->setShowValueTip(true);
        // The strips are narrow: their names in a smaller face, centred.
        if (row.kind == ControlKind::Label && row.width <= 46 * 15) {
            auto* l = reg_.get<QLabel>(row.object_name());
            QFont f = l->font();
            f.setPointSizeF(7.5);
            l->setFont(f);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        }
    }
}

}  // namespace tuner
