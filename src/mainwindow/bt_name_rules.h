// The Bluetooth-name tools: the wanted name kept in the settings, its 40-byte
// send buffer, import from and export to text files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/app_state.h"
#include "core/file_dialogs.h"
#include "core/settings.h"
#include "core/window_services.h"
#include "display/main_view.h"

namespace tuner {

// Longest name the unit takes, in UTF-8 bytes (and in characters of the stored text).
constexpr std::size_t kBtNameBytes = 40;

// The message shown for a name with a control character.
constexpr const char* kBtNameRefusedText = "蓝牙名称不能出现非标字符，请检查 bt_name.ini 文件。";

// The send buffer of a name: its UTF-8 bytes cut after the last whole
// character that fits in 40 bytes, zero padded. Nothing when the name holds
// a control character (bytes 1..31) in those bytes; all zero for an empty name.
std::optional<std::array<uint8_t, kBtNameBytes>> bt_name_buffer(const std::string& name);

// Rebuilds bt_name_tx from the stored name and shows the name group; a name
// with a control character is refused with a message and nothing is built.
// Returns false when the name was refused: the buffer is then all zero and
// bt_name_ready false, so nothing goes to the unit.
bool clr_bt_name_display_and_read_bt_name_file2(AppState& s, MainView& view, SettingsStore& settings,
                                                WindowServices& svc);

// The import dialog: the first 40 characters of line 1 of the chosen text
// file, or nothing when the dialog was cancelled or the file could not be
// read (a missing file says so).
std::optional<std::string> clr_bt_name_display_and_read_bt_name_file3(const AppState& s, WindowServices& svc,
                                                                      FileDialogs& dialogs);

// Whether each unit that connects gets the name: the automatic rename box
// ticked and its edit box holding a name. For WindowServices::bt_name_auto_update.
bool bt_name_auto_update(const MainView& view);

}  // namespace tuner
