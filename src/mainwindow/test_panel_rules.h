// The hidden test panel of the tuning window: ten raw test bytes and a test
// switch, sent to the unit as the test block.
//
// What the window forwards here:
//  - a mouse release (any button) on the version line "Text_software_version"
//    as check_mouse_up(Ctl{"Text_software_version"}) (the window sends the
//    mouse release of every plain text box there), and its focus loss as
//    box_lost_focus(Ctl{"Text_software_version"}): ten releases without the
//    box losing the focus in between open the panel through
//    WindowActions::show_test_panel(true), which shows "Frame_Run_Test_Mode"
//    and "Frame_cpu_test" and brings "Frame_cpu_test" to the front;
//  - "Check_cpu_test_sw" as check_mouse_up (its Value read from the view);
//  - the boxes "Text_cpu_test_data"(0..9) as numeric boxes (box_limits,
//    box_commit on Enter, focus colours);
//  - the steppers "cpu_test_data_inc" / "cpu_test_data_dec" with the box's index.
#pragma once

#include <cstdint>
#include <memory>

#include "mainwindow/rules.h"

namespace tuner {

constexpr int kTestPanelOpenClicks = 10;
constexpr uint32_t kTestBoxFocusColor = 0x000000FF;

std::unique_ptr<RuleModule> make_test_panel_rules();

}  // namespace tuner
