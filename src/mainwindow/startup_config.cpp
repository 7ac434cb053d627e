// Placeholder until the start-up files are read.
#include "mainwindow/startup_config.h"

namespace tuner {

StartupConfig read_startup_config(const std::string&, AppState&, SettingsStore&) { return {}; }
std::optional<std::string> find_logo_file(const std::string&) { return std::nullopt; }

}  // namespace tuner
