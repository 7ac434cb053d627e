// The Bluetooth-name tools: the wanted name kept in the settings, its 40-byte
// send buffer, import from and export to text files.
#pragma once

#include "core/app_state.h"
#include "core/settings.h"
#include "core/window_services.h"
#include "display/main_view.h"

namespace tuner {

// Rebuilds bt_name_tx from the stored name and shows the name group; a name
// with a control character is refused with a message and nothing is built.
void clr_bt_name_display_and_read_bt_name_file2(AppState& s, MainView& view, SettingsStore& settings,
                                                WindowServices& svc);

}  // namespace tuner
