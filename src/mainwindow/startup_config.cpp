// Reading the optional branding files beside the program.
#include "mainwindow/startup_config.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/app_paths.h"
#include "core/utf8.h"

namespace tuner {

namespace {

// Only ordinary files count; a folder of the same name is missing.
bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

StartupConfig read_startup_config(const std::string& dir, AppState& s, SettingsStore& settings) {
    StartupConfig cfg;
    s.Language = 1;

    // Only the four lines are read, each only as far as it is used, so a
    // huge file neither slows the start nor fills the memory.
    const std::string path = path_join(dir, kConfigFileName);
    TextFileError err = TextFileError::None;
    const std::vector<std::string> lines = utf8_file_read_lines(path, 4, kConfigLineMaxBytes, &err);
    // Line 4 alone decides whether the file counts. A file saved in a legacy
    // code page fails it there; bytes that are not UTF-8 in a line of an
    // accepted file show as replacement characters and the line still counts.
    if (err == TextFileError::None && lines.size() == 4) {
        cfg.config_check_line = utf8_first_chars(utf8_sanitize(lines[3]), kConfigCheckChars);
        if (cfg.config_check_line == kConfigCheckText) {
            cfg.config_accepted = true;
            cfg.language_mode = utf8_sanitize(lines[0]);
            cfg.title_chinese = utf8_first_chars(utf8_sanitize(lines[1]), kTitleMaxChars);
            cfg.title_english = utf8_first_chars(utf8_sanitize(lines[2]), kTitleMaxChars);
        }
    }

    if (!cfg.language_mode.empty()) {
        switch (cfg.language_mode.front()) {
            case '1':
                cfg.language_menu_visible = false;
                s.Language = 0;
                break;
            case '2':
                cfg.language_menu_visible = false;
                s.Language = 1;
                break;
            default:
                read_language_setting(s, settings);
                cfg.language_menu_visible = true;
                break;
        }
    }
    return cfg;
}

void apply_language_menu(const StartupConfig& config, MainView& view) {
    view.set_visible(Ctl{"menu_key_language"}, config.language_menu_visible);
}

std::optional<std::string> find_logo_file(const std::string& dir) {
    for (const char* name : {"logo_main.jpg", "logo_main.bmp", "logo_main.ini", "logo_main.gif"}) {
        const std::string path = path_join(dir, name);
        if (file_exists(path)) return path;
    }
    return std::nullopt;
}

std::optional<std::string> find_icon_file(const std::string& dir) {
    const std::string path = path_join(dir, kIconFileName);
    if (file_exists(path)) return path;
    return std::nullopt;
}

}  // namespace tuner
