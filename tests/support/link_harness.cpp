#include "support/link_harness.h"

namespace tuner::testing {

LinkHarness::LinkHarness() {
    s.Language = 1;
    ui.clr_bt_name_display_and_read_bt_name_file2();
    device_search_start(link);
    ui.calls.clear();
}

void LinkHarness::tick() {
    if (ui.scan_timer_on) scan_timer_tick(link);
    else if (ui.send_timer_on) send_timer_tick(link);
}

bool LinkHarness::connect(int max_ticks) {
    for (int i = 0; i < max_ticks && !link_connected(s); ++i) scan_timer_tick(link);
    return link_connected(s) && ui.send_timer_on;
}

std::vector<FrameImage> LinkHarness::frames_since(std::size_t from) const {
    if (from >= unit.received.size()) return {};
    return {unit.received.begin() + static_cast<std::ptrdiff_t>(from), unit.received.end()};
}

}  // namespace tuner::testing
