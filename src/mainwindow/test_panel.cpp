// The hidden test panel: test switch and bytes, power requests, debug lists.
#include <QListWidget>

#include "mainwindow/area_panels.h"

namespace tuner {

void TestPanel::finish() {
    set_panel_background(reg_.widget("Frame_cpu_test"), 0xF0F0F0);
    for (const char* name : {"lstResults", "List_cpu_debug_out_display", "List_pc_out_data_display"})
        if (auto* l = reg_.get<QListWidget>(name)) l->setUniformItemSizes(true);
}

}  // namespace tuner
