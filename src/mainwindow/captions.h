// The window's captions in both languages, as tables, and the operation that
// sets them all in the current language.
#pragma once

#include <vector>

#include "core/app_state.h"
#include "display/main_view.h"

namespace tuner {

// Every caption of the main window (and the window title, control "FrmMain")
// in the language of s.Language (0 Chinese, anything else English).
void set_Language_display(const AppState& s, MainView& view);

// Every control the caption tables write, for checks against the window.
std::vector<Ctl> caption_targets();

}  // namespace tuner
