// The clock and event pump that delay_ms runs on in the program.
#pragma once

#include <QElapsedTimer>

#include "core/delay.h"

namespace tuner {

// Milliseconds since the clock was made, as a wrapping signed 32-bit counter.
class QtClock : public Clock {
public:
    QtClock() { timer_.start(); }
    int32_t now_ms() override { return static_cast<int32_t>(static_cast<uint32_t>(timer_.elapsed())); }

private:
    QElapsedTimer timer_;
};

class QtEventPump : public EventPump {
public:
    void process_events() override;
    // Sleeps in the event loop until an event or a timer (at most max_ms)
    // wakes it, so a wait costs no processor time while nothing happens.
    void wait_for_events(int32_t max_ms) override;
};

// The program's wait: delay_ms on the Qt clock and event loop.
void qt_delay_ms(int32_t ms);

}  // namespace tuner
