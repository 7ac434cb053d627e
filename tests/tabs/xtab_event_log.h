// Records the tab strip's host events as text, in order; can cancel switches.
#pragma once

#include <string>
#include <vector>

#include "tabs/xtab_model.h"

namespace tuner {

using Events = std::vector<std::string>;

struct EventLog {
    Events events;
    bool cancel_next = false;

    explicit EventLog(XTabModel& m) {
        auto add = [this](const char* e) { return [this, e] { events.push_back(e); }; };
        auto add_i = [this](const char* e) { return [this, e](int i) { events.push_back(e + std::to_string(i)); }; };
        auto add_xy = [this](const char* e) { return [this, e](float, float) { events.push_back(e); }; };
        QObject::connect(&m, &XTabModel::BeforeTabSwitch, [this](int n, bool& cancel) {
            events.push_back("Before " + std::to_string(n));
            cancel = cancel_next;
        });
        QObject::connect(&m, &XTabModel::TabSwitch, add_i("Switch "));
        QObject::connect(&m, &XTabModel::TabInsert, add_i("Insert "));
        QObject::connect(&m, &XTabModel::TabRemove, add_i("Remove "));
        QObject::connect(&m, &XTabModel::MouseEnter, add("Enter"));
        QObject::connect(&m, &XTabModel::ControlBoxEnter, add("BoxEnter"));
        QObject::connect(&m, &XTabModel::ControlBoxExit, add("BoxExit"));
        QObject::connect(&m, &XTabModel::ControlBoxHover, add_xy("BoxHover"));
        QObject::connect(&m, &XTabModel::ControlBoxMouseDown, add_xy("BoxDown"));
        QObject::connect(&m, &XTabModel::ControlBoxMouseUp, add_xy("BoxUp"));
    }
};

}  // namespace tuner
