// Window helpers: the window icon from a file and the window title as
// Unicode text (Chinese titles show whatever the system locale).
#pragma once

#include <string>

#include <QImage>

class QWidget;

namespace tuner {

// Pictures the program shows from files beside it (logo, icon) are small:
// larger files or pictures are not read, so a huge file costs neither time
// nor memory.
constexpr qint64 kPictureMaxBytes = 16 * 1024 * 1024;
constexpr int kPictureMaxSide = 2048;

// The picture in an ordinary file, its format taken from the content; a null
// image when the file is missing, no picture, or larger than the limits.
QImage read_picture(const std::string& path);

// Loads the icon file at 64 x 64 and makes it the window's icon. A missing or
// unreadable file changes nothing. Returns whether the icon was set.
bool set_window_icon(QWidget* window, const std::string& path);

// Sets the window's title from UTF-8 text.
void set_unicode_caption(QWidget* window, const std::string& text);

}  // namespace tuner
