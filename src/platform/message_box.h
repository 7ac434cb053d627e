// Modal message boxes, as the program shows them: shown, they take the
// keyboard; answered, the window behind takes it back.
#pragma once

#include <string>

#include "core/window_services.h"

class QWidget;

namespace tuner {

// Shows `text` with `title` (empty: the program's title "Veltrana").
void show_message_box(QWidget* parent, const std::string& text, const std::string& title, MessageIcon icon);

// Asks `text` with `title` and the buttons Yes and No; true for Yes.
bool ask_yes_no_box(QWidget* parent, const std::string& text, const std::string& title);

constexpr const char* kProgramTitle = "Veltrana";

}  // namespace tuner
