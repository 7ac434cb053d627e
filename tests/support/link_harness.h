// A whole link for tests: state, simulated unit, recording window services,
// fake clock and pump, and the DeviceLink over them, with the program's
// start-up values (English, searching).
#pragma once

#include <cstddef>
#include <vector>

#include "core/device_link.h"
#include "support/fake_clock.h"
#include "support/recording_window_services.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

struct LinkHarness {
    LinkHarness();

    // Runs the timer that is on: a scan tick while searching, else a send tick.
    void tick();
    // Scan ticks until the link is up (at most max_ticks); true when connected.
    bool connect(int max_ticks = 3);
    // Frames the unit received from index `from` on.
    std::vector<FrameImage> frames_since(std::size_t from) const;

    AppState s;
    SimulatedUnit unit;
    RecordingWindowServices ui{s};
    FakeClock clock;
    FakePump pump{clock};
    DeviceLink link{s, unit, ui, clock, pump};
};

}  // namespace tuner::testing
