// The keyboard between the program's windows. A secondary window takes the
// keyboard when it is shown, also where no window manager activates a new
// window; when it goes while holding the keyboard, the window that had the
// keyboard before it (or else its owner) takes it back, and the control
// there goes on where it stopped.
#pragma once

class QWidget;

namespace tuner {

// Watches `window`'s showing and hiding by the program. A window with
// Qt::WA_ShowWithoutActivating (a notice without input) takes no keyboard
// when shown, but still gives it back if the user had given it to it.
// `owner` may be null.
void hand_over_keyboard(QWidget* window, QWidget* owner);

}  // namespace tuner
