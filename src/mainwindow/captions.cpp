// Placeholder until the caption tables are written.
#include "mainwindow/captions.h"

namespace tuner {

void set_Language_display(const AppState&, MainView&) {}
std::vector<Ctl> caption_targets() { return {}; }

}  // namespace tuner
