// Placeholder until the module's rules are written.
#include "mainwindow/rules.h"

namespace tuner {

std::unique_ptr<RuleModule> make_editor_rules() { return std::make_unique<RuleModule>(); }

}  // namespace tuner

namespace tuner {
void drc_on_limiter_output(RuleEnv&, int) {}
}  // namespace tuner
