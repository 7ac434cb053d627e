// The about box: the program's title and version; modeless, closed by OK.
#pragma once

class QWidget;

namespace tuner {

// Creates and shows a new about box over `owner`; it deletes itself when closed.
QWidget* show_about_box(QWidget* owner);

}  // namespace tuner
