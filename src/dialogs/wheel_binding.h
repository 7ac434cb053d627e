// Binds the mouse wheel and the Up/Down keys of every parameter text box of
// the main window (and of the EQ graph) to the window's steppers.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace tuner {

// Steps one parameter: ("music_vol_inc", -1), ("eq_q_dec", band).
using StepperCall = std::function<void(std::string_view stepper, int index)>;
// The band selected in the EQ graph, 255 when none.
using SelectedBand = std::function<int()>;

constexpr int kNoSelectedBand = 255;

// One capture of the binding window: the control's name, the widget it
// binds (an array binds "<name>(0)".."<name>(9)"), and the stepper base
// that "_inc" / "_dec" complete.
struct WheelRoute {
    const char* control;  // "MWheel_music_vol"
    const char* target;   // "Text_music_vol"
    bool array;           // ten widgets, the index goes to the stepper
    const char* stepper;  // "music_vol"
    bool selected_band;   // the EQ graph: the index is its selected band
};

constexpr int kWheelRouteCount = 43;
extern const std::array<WheelRoute, kWheelRouteCount> kWheelRoutes;

// Object name of a bound widget: "Text_eq_q(3)" for an array, else the target.
std::string wheel_target_name(const WheelRoute& route, int index);

// Finds the bound controls under `root` by object name ("Text_music_vol",
// "Text_eq_q(3)", "PEQ") and binds them. Widgets not found are skipped; a
// second call binds only what is not bound yet.
void Text_add_mouse_and_key_up_down_output_function_power_on_call(QWidget* root, StepperCall step,
                                                                  SelectedBand selected_band);

}  // namespace tuner
