// Binds the mouse wheel and the Up/Down keys of every parameter text box of
// the main window (and of the EQ graph) to the window's steppers.
#pragma once

#include <functional>
#include <string_view>

class QWidget;

namespace tuner {

// Steps one parameter: ("music_vol_inc", -1), ("eq_q_dec", band).
using StepperCall = std::function<void(std::string_view stepper, int index)>;
// The band selected in the EQ graph, 255 when none.
using SelectedBand = std::function<int()>;

// Finds the bound controls under `root` by object name ("Text_music_vol",
// "Text_eq_q(3)", "PEQ") and binds them.
void Text_add_mouse_and_key_up_down_output_function_power_on_call(QWidget* root, StepperCall step,
                                                                  SelectedBand selected_band);

}  // namespace tuner
