// The hidden test panel: test switch and bytes, power requests, debug lists.
#include <QListWidget>

#include "mainwindow/area_panels.h"

namespace tuner {

void TestPanel::finish() {
    // Opaque over the EQ panel it covers: the group's style sheet paints the background.
    if (auto* f = reg_.widget("Frame_cpu_test")) {
        f->setAutoFillBackground(true);
        f->setStyleSheet(QStringLiteral("QGroupBox#Frame_cpu_test{background:#f0f0f0;background-clip:margin;}"));
    }
    for (const char* name : {"lstResults", "List_cpu_debug_out_display", "List_pc_out_data_display"})
        if (auto* l = reg_.get<QListWidget>(name)) l->setUniformItemSizes(true);
}

}  // namespace tuner
