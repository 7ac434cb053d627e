// A clock that moves only when events are pumped, and a pump that can run
// a callback (a timer tick, an unplug) while a wait is in progress.
#pragma once

#include <cstdint>
#include <functional>

#include "core/delay.h"

namespace tuner::testing {

class FakeClock : public Clock {
public:
    int32_t now_ms() override { return t; }
    int32_t t = 0;
};

class FakePump : public EventPump {
public:
    explicit FakePump(FakeClock& clock) : clock_(clock) {}
    // Each pump lets one millisecond pass.
    void process_events() override {
        ++pumps;
        ++clock_.t;
        if (on_events) on_events();
    }
    std::function<void()> on_events;
    int pumps = 0;

private:
    FakeClock& clock_;
};

}  // namespace tuner::testing
