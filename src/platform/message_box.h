// Modal message boxes with an OK button, as the program shows them.
#pragma once

#include <string>

#include "core/window_services.h"

class QWidget;

namespace tuner {

// Shows `text` with `title` (empty: the program's title "Veltrana").
void show_message_box(QWidget* parent, const std::string& text, const std::string& title, MessageIcon icon);

constexpr const char* kProgramTitle = "Veltrana";

}  // namespace tuner
