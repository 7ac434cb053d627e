// The EQ band editor of the tuning window: the channel chosen by the tab
// strip, the band columns (type buttons, enable box, gain, frequency and Q),
// the pre-gain, the channel switches and the reset. Every edit writes the
// channel eq_channel_sel of the live image and, while connected, raises its
// send word; the send service writes the whole channel frame.
#pragma once

#include <string>

#include "mainwindow/rules.h"

namespace tuner {

// Switches band `band` (0..9) between the two high-pass slopes (type 9,
// 12 dB/octave, and type 11, 24 dB/octave). No control is bound to it.
void toggle_eq_band_slope(RuleEnv& env, int band);

// Asks the English reset question and takes no action on the answer (the
// reset button asks its own question in the current language). No control
// is bound to it.
void confirm_eq_reset(RuleEnv& env);

// The reset's question and its refusal when no valid start-up image was
// loaded, in the current language.
std::string eq_reset_title(const AppState& s);
std::string eq_reset_question(const AppState& s);
std::string eq_reset_no_default_text(const AppState& s);

}  // namespace tuner
