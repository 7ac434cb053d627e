// The about box: the program's title and version; modeless, closed by OK.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace tuner {

// "About Veltrana": the box's title and lblTitle.
QString about_title();
// "Software Vertion:  " and the running program's version.
QString about_version_line();

// The box's own 32 x 32 icon in 16 colours (not the window's icon).
QImage about_icon();

// Creates and shows a new about box over `owner`; it deletes itself when
// closed. It has no QWidget parent (a disabled main window leaves it
// usable) and goes with its owner.
QWidget* show_about_box(QWidget* owner);

}  // namespace tuner
