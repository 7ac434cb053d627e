// Placeholder until the binding is written.
#include "dialogs/wheel_binding.h"

namespace tuner {

void Text_add_mouse_and_key_up_down_output_function_power_on_call(QWidget*, StepperCall, SelectedBand) {}

}  // namespace tuner
