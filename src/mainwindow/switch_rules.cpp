// Placeholder until the module's rules are written.
#include "mainwindow/rules.h"

namespace tuner {

std::unique_ptr<RuleModule> make_switch_rules() { return std::make_unique<RuleModule>(); }

}  // namespace tuner
