// Placeholder until the module's rules are written.
#include "mainwindow/rules.h"

namespace tuner {

std::unique_ptr<RuleModule> make_bt_name_rules() { return std::make_unique<RuleModule>(); }

}  // namespace tuner

#include "mainwindow/bt_name_rules.h"

namespace tuner {
void clr_bt_name_display_and_read_bt_name_file2(AppState&, MainView&, SettingsStore&, WindowServices&) {}
}  // namespace tuner
