// Placeholder until the refresh is written.
#include "display/display.h"

namespace tuner {

Display::Display(AppState& s, MainView& view, DisplayHooks hooks) : s_(s), v_(view), hooks_(std::move(hooks)) {}
void Display::set_all_dis() { s_.refresh_incremental = 1; }
void Display::display_version_line() {}
void Display::set_eq_enable_seg_display() {}
void Display::display_eq_band_limits(int) {}
void Display::display_model_layout() {}
void Display::model_lock_layout() {}
void Display::model_r27_layout() {}

}  // namespace tuner
