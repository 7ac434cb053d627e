// The channel tab strip with its pages: music input, noise gates, exciter,
// anti-feedback, vocal cut and the two outputs.
#include "mainwindow/area_panels.h"

namespace tuner {

void InputsPanel::finish() {
    for (int t = 0; t < 5; ++t)
        set_panel_background(reg_.widget("Picture_tab_page(" + std::to_string(t) + ")"), 0xF0F0F0);
}

}  // namespace tuner
