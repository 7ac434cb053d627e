// The per-user settings that survive a restart: the language and the last
// Bluetooth name, under one application key and section. The store itself
// is the platform's (an INI file in the user's config folder).
#pragma once

#include <optional>
#include <string>

#include "core/app_state.h"
#include "core/window_services.h"

namespace tuner {

constexpr const char* kSettingsApp = "Veltrana_m202301";
constexpr const char* kSettingsSection = "eeprom";
constexpr const char* kDefaultBtName = "Bt_Audio";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> get(const std::string& app, const std::string& section,
                                           const std::string& key) = 0;
    virtual void set(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
    // Stores a value and says whether it reached the store. A store that
    // cannot fail keeps this default.
    virtual bool write(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) {
        set(app, section, key, value);
        return true;
    }
    // Where the values live, for the report of a failed write (may be empty).
    virtual std::string location() const { return {}; }

    // Set once a failed write was reported: the user hears of it once a run.
    bool write_failure_reported = false;
};

// Language := the stored number; absent, not a number, or outside 0..255 gives 0.
void read_language_setting(AppState& s, SettingsStore& store);
// The savers return false when the store could not be written; the forms
// with window services also report the first failure (debug line and message)
// and the program runs on.
bool save_language_setting(const AppState& s, SettingsStore& store);
bool save_language_setting(const AppState& s, SettingsStore& store, WindowServices& ui);
// Bt_Name := the stored name, or "Bt_Audio" when absent.
void read_bt_name_setting(AppState& s, SettingsStore& store);
bool save_bt_name_setting(const AppState& s, SettingsStore& store);
bool save_bt_name_setting(const AppState& s, SettingsStore& store, WindowServices& ui);

// Reports a failed settings write once per store; does nothing when `ok`.
void report_settings_write(bool ok, const AppState& s, SettingsStore& store, WindowServices& ui);

// A stored number text as a byte, or nullopt when it is not one: blanks
// around it are allowed, fractions round half to even.
std::optional<uint8_t> parse_byte_setting(const std::string& text);

}  // namespace tuner
