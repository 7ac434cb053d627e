// Raising or dropping every pending parameter send at once.
#pragma once

#include "core/app_state.h"
#include "core/window_services.h"

namespace tuner {

// Clamps the image and drops every pending parameter send (after a connect).
void send_req_clear_all(AppState& s);

// Drops the audio-mode requests (recall, save, reset) not yet sent: at start-up
// and when the link is lost, so that none reaches a unit connected later.
void drop_mode_requests(AppState& s);

// Clamps the image and, while connected, shows the transfer wait and marks
// the whole image to be sent (after a parameter file load).
void send_req_set_all(AppState& s, WindowServices& ui);

}  // namespace tuner
