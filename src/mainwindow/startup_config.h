// The optional files beside the program that brand the window: "config.ini"
// (language mode and titles) and the logo picture.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"
#include "core/settings.h"

namespace tuner {

struct StartupConfig {
    std::string language_mode = "2";
    std::string title_chinese = "Veltrana";
    std::string title_english = "Veltrana";
    std::string config_check_line;
    bool language_menu_visible = true;
};

// Reads "config.ini" in `dir` (missing or unreadable: the defaults) and sets
// s.Language by its language mode (reading the stored choice where it says so).
StartupConfig read_startup_config(const std::string& dir, AppState& s, SettingsStore& settings);

// The first existing logo file of "logo_main.jpg", ".bmp", ".ini", ".gif" in `dir`.
std::optional<std::string> find_logo_file(const std::string& dir);

}  // namespace tuner
