// Placeholder until the module's rules are written.
#include "mainwindow/rules.h"

namespace tuner {

std::unique_ptr<RuleModule> make_eq_rules() { return std::make_unique<RuleModule>(); }

}  // namespace tuner

namespace tuner {
void eq_on_tab_before_switch(RuleEnv&, int) {}
void eq_on_peq_eq_out(RuleEnv&, int, int, int, float, int, float, float, float) {}
}  // namespace tuner
