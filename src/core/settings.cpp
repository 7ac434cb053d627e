#include "core/settings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace tuner {

std::optional<uint8_t> parse_byte_setting(const std::string& text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    if (b == e) return std::nullopt;
    const std::string t = text.substr(b, e - b);
    // Plain decimal only: digits with at most one point and an optional sign.
    bool digit = false;
    bool point = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if ((c == '-' || c == '+') && i == 0) {
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    const double v = std::nearbyint(std::strtod(t.c_str(), nullptr));  // half to even
    if (!(v >= 0.0 && v <= 255.0)) return std::nullopt;
    return static_cast<uint8_t>(v);
}

void read_language_setting(AppState& s, SettingsStore& store) {
    const auto text = store.get(kSettingsApp, kSettingsSection, "Language");
    s.Language = text ? parse_byte_setting(*text).value_or(0) : 0;
}

bool save_language_setting(const AppState& s, SettingsStore& store) {
    return store.write(kSettingsApp, kSettingsSection, "Language", std::to_string(s.Language));
}

bool save_language_setting(const AppState& s, SettingsStore& store, WindowServices& ui) {
    const bool ok = save_language_setting(s, store);
    report_settings_write(ok, s, store, ui);
    return ok;
}

void read_bt_name_setting(AppState& s, SettingsStore& store) {
    s.Bt_Name = store.get(kSettingsApp, kSettingsSection, "Bt_Name").value_or(kDefaultBtName);
}

bool save_bt_name_setting(const AppState& s, SettingsStore& store) {
    return store.write(kSettingsApp, kSettingsSection, "Bt_Name", s.Bt_Name);
}

bool save_bt_name_setting(const AppState& s, SettingsStore& store, WindowServices& ui) {
    const bool ok = save_bt_name_setting(s, store);
    report_settings_write(ok, s, store, ui);
    return ok;
}

void report_settings_write(bool ok, const AppState& s, SettingsStore& store, WindowServices& ui) {
    if (ok || store.write_failure_reported) return;
    store.write_failure_reported = true;
    const std::string where = store.location();
    ui.debug_line("Settings not saved" + (where.empty() ? std::string() : ": cannot write " + where));
    ui.message_box(english(s) ? "The settings could not be saved; changes last only until the program ends."
                              : "设置无法保存，更改只在本次运行中有效。",
                   "", MessageIcon::Exclamation);
}

}  // namespace tuner
