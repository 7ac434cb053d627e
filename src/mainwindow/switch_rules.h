// Switch buttons and check boxes of the tuning window (make_switch_rules in
// rules.h): each sets one byte of the gen frame or a request byte, raises
// send_gen_req while connected and redraws. The EQ switches, the compressor
// enable box and the Bluetooth buttons belong to their own modules.
//
// Contract with the window for check boxes and option buttons:
// check_mouse_up is called whenever the USER toggled the control, by mouse
// or by keyboard (the window connects the button's clicked signal, which
// both raise), after the control shows its new state; the rule reads that
// state with MainView::value. A state set by the program (the display's
// redraw through MainView::set_value) is never reported, so a redraw never
// writes back into the image.
#pragma once

#include "mainwindow/rules.h"
