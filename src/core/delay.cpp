#include "core/delay.h"

namespace tuner {

void delay_ms(int32_t ms, Clock& clock, EventPump& pump) {
    if (ms <= 0) return;
    // Computed in 64 bits: start + ms never overflows.
    int64_t start = clock.now_ms();
    for (;;) {
        int64_t now = clock.now_ms();
        if (now >= start + ms) return;
        pump.wait_for_events(static_cast<int32_t>(start + ms - now));
        now = clock.now_ms();
        if (now < start) start = now;  // the counter wrapped: wait again in full
    }
}

}  // namespace tuner
