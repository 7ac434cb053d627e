// The optional files beside the program that brand the window: "config.ini"
// (language mode and titles), the window icon and the logo picture.
//
// "config.ini" is UTF-8 text, at least four lines:
//   1  language mode, first character only: "1" Chinese only, "2" English
//      only (both hide the language menu), any other text the user's stored
//      choice with the menu shown; an empty line changes nothing
//   2  window title in Chinese        3  window title in English
//   4  encoding check line, must begin with "此行为中文编码测试行请不要修改"
// A file that is missing, unreadable or fails the check line leaves every
// default: "2", English only, both titles "Veltrana". In a file that passes,
// bytes that are not UTF-8 read as U+FFFD and the line counts as it stands.
// Titles are cut to 255 characters; nothing after line 4 is read.
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"
#include "core/settings.h"
#include "display/main_view.h"
#include "mainwindow/captions.h"

namespace tuner {

constexpr const char* kConfigFileName = "config.ini";
constexpr const char* kConfigCheckText = "此行为中文编码测试行请不要修改";
constexpr std::size_t kConfigCheckChars = 15;
constexpr std::size_t kTitleMaxChars = 255;
constexpr std::size_t kConfigLineMaxBytes = kTitleMaxChars * 4;  // a title's characters at most
constexpr const char* kIconFileName = "logo.ico";

struct StartupConfig {
    std::string language_mode = "2";
    std::string title_chinese = "Veltrana";
    std::string title_english = "Veltrana";
    std::string config_check_line;  // the first 15 characters of line 4
    bool config_accepted = false;   // the file existed and passed the check line
    bool language_menu_visible = true;

    WindowTitles titles() const { return {title_chinese, title_english}; }
};

// Reads "config.ini" in `dir` and sets s.Language by its language mode
// (Language := 1 first; the stored choice is read only where the mode says).
StartupConfig read_startup_config(const std::string& dir, AppState& s, SettingsStore& settings);

// Shows or hides the language menu as the configuration says.
void apply_language_menu(const StartupConfig& config, MainView& view);

// The first existing logo file of "logo_main.jpg", ".bmp", ".ini", ".gif" in `dir`.
std::optional<std::string> find_logo_file(const std::string& dir);

// "logo.ico" in `dir` when it exists.
std::optional<std::string> find_icon_file(const std::string& dir);

}  // namespace tuner
