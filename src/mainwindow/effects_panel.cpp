// Echo, plate reverb and the echo / reverb balance of the EFFECT page.
#include "mainwindow/area_panels.h"

#include <QLabel>

namespace tuner {

void EffectsPanel::finish() {
    for (const auto& row : control_table()) {
        if (row.area != ControlArea::Effects) continue;
        // The strips are narrow: their names in a smaller face, centred.
        if (row.kind == ControlKind::Label && row.width <= 46 * 15) {
            auto* l = reg_.get<QLabel>(row.object_name());
            QFont f = l->font();
            f.setPointSizeF(7.5);
            l->setFont(f);
            l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        }
    }
    // The balance reads as a group: a border like the echo and reverb
    // frames, its title on the line over the page's colour.
    if (auto* box = reg_.get<QLabel>("Picture_mic_eff_echo_p(15)")) {
        box->setProperty("group", true);
        box->setStyleSheet(QString());  // re-polish with the property
    }
    if (auto* title = reg_.get<QLabel>("Label_echo_reverb_bili")) {
        title->setAutoFillBackground(true);
        title->setStyleSheet(QStringLiteral("QLabel{background:#f0f0f0;padding:0 2px 0 0;}"));
    }
    // The balance's ends: echo at the left (0), reverb at the right (30).
    if (auto* l = reg_.get<QLabel>("Label_reverb_vol_Echo_max")) l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (auto* l = reg_.get<QLabel>("Label_reverb_vol_Reverb_max")) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace tuner
