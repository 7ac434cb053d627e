// Placeholder until the box is written.
#include "dialogs/about_box.h"

namespace tuner {

QWidget* show_about_box(QWidget*) { return nullptr; }

}  // namespace tuner
