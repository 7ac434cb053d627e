// Forwards every control's events to the window rules by control name:
// button clicks, user toggles of check boxes and option buttons, menu
// entries, numeric boxes (limits asked at every key), sliders, the EQ graph,
// the limiter curve, the channel tab strip and the version box.
#pragma once

#include "mainwindow/control_registry.h"
#include "mainwindow/rules.h"

namespace tuner {

void wire_window_events(ControlRegistry& registry, WindowRules& rules, RuleEnv& env);

}  // namespace tuner
