// Reading the optional branding files beside the program.
#include "mainwindow/startup_config.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/app_paths.h"
#include "core/atomic_file.h"
#include "core/utf8.h"

namespace tuner {

namespace {

// Only ordinary files count; a folder of the same name is missing.
bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The whole file is readable and valid UTF-8. A file in a legacy code page
// (GBK titles) is treated like a missing one rather than shown garbled.
bool readable_utf8(const std::string& path) {
    std::string content;
    if (!read_whole_file(path, content)) return false;
    return utf8_sanitize(content) == content;
}

// The first n characters (code points) of valid UTF-8 text.
std::string first_chars(const std::string& text, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < text.size() && count < n; ++count) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    }
    return text.substr(0, pos);
}

}  // namespace

StartupConfig read_startup_config(const std::string& dir, AppState& s, SettingsStore& settings) {
    StartupConfig cfg;
    s.Language = 1;

    const std::string path = path_join(dir, kConfigFileName);
    if (file_exists(path) && readable_utf8(path)) {
        TextFileError err = TextFileError::None;
        cfg.config_check_line = first_chars(utf8_file_read_line(path, 4, &err), kConfigCheckChars);
        if (err == TextFileError::None && cfg.config_check_line == kConfigCheckText) {
            cfg.config_accepted = true;
            cfg.language_mode = utf8_file_read_line(path, 1);
            cfg.title_english = utf8_file_read_line(path, 3);
            cfg.title_chinese = utf8_file_read_line(path, 2);
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
