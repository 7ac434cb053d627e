// The events of the plain text boxes with focus rules (the version line, the
// Bluetooth name box) forwarded to the window rules: every mouse release,
// whichever button, and the focus gained and lost as the user sees it (a
// menu, the menu bar, the box's own context menu or another window does not
// take it). The context menu opens at the right button's release, after the
// release has been counted, as on the desktop the tool was made for.
#pragma once

#include "mainwindow/rules.h"

class QWidget;

namespace tuner {

void watch_plain_box(QWidget* box, WindowRules& rules, RuleEnv& env, Ctl ctl);

}  // namespace tuner
