// The millisecond wait that keeps the user interface alive: it pumps events
// until a millisecond counter says the time is up, so timer ticks, clicks and
// paints run inside the wait. Between events it sleeps in the pump. Clock and pump come from outside (the program
// passes Qt's, tests pass fakes).
#pragma once

#include <cstdint>

namespace tuner {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from some start, as a signed 32-bit counter that may wrap.
    virtual int32_t now_ms() = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Processes all pending user-interface events once.
    virtual void process_events() = 0;
    // Sleeps until an event arrives or max_ms have passed, then processes
    // the pending events. The default does not sleep.
    virtual void wait_for_events(int32_t max_ms) {
        (void)max_ms;
        process_events();
    }
};

// Returns after at least `ms` milliseconds, pumping events meanwhile (each
// pump waits at most for the time left). With
// ms <= 0 it returns at once without pumping. A counter that wraps past its
// signed maximum restarts the wait from a fresh reading, so the full length
// is still waited after the wrap.
void delay_ms(int32_t ms, Clock& clock, EventPump& pump);

}  // namespace tuner
