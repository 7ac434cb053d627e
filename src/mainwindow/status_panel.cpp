// The status row: panel lock, link LED, connection text, version and logo.
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include "mainwindow/area_panels.h"

namespace tuner {

namespace {

QPixmap led(const QColor& c) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(c);
    p.drawEllipse(1, 1, 14, 14);
    return pm;
}

}  // namespace

void StatusPanel::finish() {
    struct Led {
        const char* name;
        QColor colour;
    };
    for (const Led& l :
         {Led{"Picture_LED_1_ON_1(0)", QColor(0, 200, 60)}, Led{"Picture_LED_1_OFF_1(0)", QColor(210, 40, 40)},
          Led{"Picture_LED_1_OFF_2(0)", QColor(150, 150, 150)}})
        if (auto* p = reg_.get<QLabel>(l.name)) p->setPixmap(led(l.colour));
    if (auto* p = reg_.get<QLabel>("Picture_power_off_tishi(0)")) set_panel_background(p, 0x80FFFF);
    if (auto* l = reg_.get<QLabel>("Label_system_setup(5)")) l->setAlignment(Qt::AlignCenter);
    if (auto* l = reg_.get<QLabel>("Label_logo_text")) l->setAlignment(Qt::AlignCenter);
    if (auto* p = reg_.get<QLabel>("Picture_logo")) p->setScaledContents(false), p->setAlignment(Qt::AlignCenter);
    // The lock and link corner is a group like the Bluetooth name beside it.
    if (auto* p = reg_.get<QLabel>("Picture_status")) {
        p->setFrameStyle(QFrame::NoFrame);
        p->setProperty("group", true);
        p->setStyleSheet(QString());
    }
    // The version line is information, not an input: no box, flush right.
    if (auto* v = reg_.get<QLineEdit>("Text_software_version")) {
        v->setFrame(false);
        QFont f = v->font();
        f.setPointSizeF(7.5);
        v->setFont(f);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;color:#404040;}"));
    }
}

}  // namespace tuner
