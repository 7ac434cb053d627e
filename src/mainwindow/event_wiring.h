// Forwards every control's events to the window rules by control name:
// button clicks, user toggles of check boxes and option buttons, menu
// entries, numeric boxes (limits asked at every key), sliders, the EQ graph,
// the limiter curve, the channel tab strip and the version box.
#pragma once

#include <functional>

#include "controls/param_text_box.h"
#include "mainwindow/control_registry.h"
#include "mainwindow/rules.h"

namespace tuner {

// Like wire_numeric_box, but the limits come from `limits` at every key
// press and change (no limits: the text-input rules stay out and only the
// rules' events run), and each step reports to the rules.
struct RuleBoxHooks {
    std::function<std::optional<BoxLimits>()> limits;
    std::function<void()> commit;  // after the Enter commit
    std::function<void(int)> key;  // after every key press, Enter included (and after the focus-loss commit)
    std::function<void()> got_focus;
    std::function<void()> lost_focus;  // after the commit and the text-input rules
};
void wire_rule_box(ParamTextBox* box, TextInput& input, RuleBoxHooks hooks);

void wire_window_events(ControlRegistry& registry, WindowRules& rules, RuleEnv& env);

}  // namespace tuner
