#include "mainwindow/rules.h"

namespace tuner {

// The EQ module comes before the generic editors, which would otherwise take
// the EQ rows of the parameter table too.
WindowRules::WindowRules() {
    modules_.push_back(make_eq_rules());
    modules_.push_back(make_editor_rules());
    modules_.push_back(make_switch_rules());
    modules_.push_back(make_bt_name_rules());
    modules_.push_back(make_menu_rules());
}

void WindowRules::click(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->click(env, c)) return;
}
void WindowRules::check_mouse_up(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->check_mouse_up(env, c)) return;
}
void WindowRules::menu(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->menu(env, c)) return;
}
std::optional<BoxLimits> WindowRules::box_limits(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (auto l = m->box_limits(env, c)) return l;
    return std::nullopt;
}
void WindowRules::box_commit(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->box_commit(env, c)) return;
}
void WindowRules::box_key(RuleEnv& env, Ctl c, int key) {
    for (auto& m : modules_)
        if (m->box_key(env, c, key)) return;
}
void WindowRules::box_edited(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->box_edited(env, c)) return;
}
void WindowRules::box_got_focus(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->box_got_focus(env, c)) return;
}
void WindowRules::box_lost_focus(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->box_lost_focus(env, c)) return;
}
void WindowRules::slider_changed(RuleEnv& env, Ctl c) {
    for (auto& m : modules_)
        if (m->slider_changed(env, c)) return;
}
void WindowRules::slider_mouse(RuleEnv& env, Ctl c, bool in) {
    for (auto& m : modules_)
        if (m->slider_mouse(env, c, in)) return;
}
bool WindowRules::step(RuleEnv& env, std::string_view stepper, int index) {
    for (auto& m : modules_)
        if (m->step(env, stepper, index)) return true;
    return false;
}

}  // namespace tuner
