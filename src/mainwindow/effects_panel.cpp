// Echo, plate reverb and the echo / reverb balance of the EFFECT page.
#include "mainwindow/area_panels.h"

#include "controls/slider.h"

namespace tuner {

void EffectsPanel::finish() {
    for (const auto& row : control_table()) {
        if (row.area != ControlArea::Effects || row.kind != ControlKind::Slider) continue;
        if (auto* s = reg_.get<xiSlider>(row.object_name())) s->setShowValueTip(true);
    }
}

}  // namespace tuner
