// The parameter editors of the tuning window: one generic path over the
// parameter table for every level, effect and volume parameter and for the
// compressor record of the current tab (EQ rows belong to the EQ module).
//
// How events arrive (the window forwards them by control name):
// - numeric boxes: the window runs the text-input rules itself with the
//   limits of box_limits, read anew at every key press; on Enter it calls
//   box_commit, which reads the committed text and stores it; box_key follows
//   every key, Enter included. Leaving a box runs the same Enter path
//   (box_commit included) before box_lost_focus, which only restores the
//   idle text colour.
// - sliders: slider_changed for every ValueChanged, the user's moves and
//   slider_ui_inc / slider_ui_dec alike; values set by the program raise none.
// - steppers "<param>_inc" / "<param>_dec": by name through step(); the
//   wheel and arrow-key binding calls them, and so can any other caller.
// - Check_drc_enable: check_mouse_up whenever the user toggled it, by mouse
//   or by keyboard; ticks set by the display never arrive here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/param_table.h"
#include "core/system_colors.h"
#include "mainwindow/rules.h"

namespace tuner::editor {

// Text colours of a box: red while it is being edited, kSysWindowText after.
constexpr uint32_t kEditingColor = 0x000000FF;

// The number a box shows, or nothing when its text is not a number.
std::optional<double> box_number(const RuleEnv& env, Ctl box);
// Whole number nearest to x, an exact half going to the even neighbour.
int32_t round_half_even(double x);
// Decimal text of a whole number.
std::string int_text(int32_t v);

// Compressor record: threshold and ratio / attack / release commits with
// the committed value x; the threshold slider's ValueChanged; the enable box.
void drc_commit(RuleEnv& env, const ParamRow& row, Ctl box, double x);
void drc_threshold_slider_changed(RuleEnv& env, const ParamRow& row);
bool drc_check_mouse_up(RuleEnv& env, Ctl c);

}  // namespace tuner::editor
