// Window helpers: the window icon from a file and the window title as
// Unicode text (Chinese titles show whatever the system locale).
#pragma once

#include <string>

class QWidget;

namespace tuner {

// Loads the icon file at 64 x 64 and makes it the window's icon. A missing or
// unreadable file changes nothing. Returns whether the icon was set.
bool set_window_icon(QWidget* window, const std::string& path);

// Sets the window's title from UTF-8 text.
void set_unicode_caption(QWidget* window, const std::string& text);

}  // namespace tuner
