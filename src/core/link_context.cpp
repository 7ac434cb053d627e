#include "core/link_context.h"

#include "core/send_requests.h"

namespace tuner {

void set_connect_state(DeviceLink& link, uint8_t state) {
    if (link.s.cpu_connect_state == state) return;
    link.s.cpu_connect_state = state;
    link.ui.set_all_dis();
}

void close_link_device(DeviceLink& link) {
    if (link.s.hid_handle != kNoHidHandle) link.hid.close(link.s.hid_handle);
    link.s.hid_handle = kNoHidHandle;
}

void pc_offline_call(DeviceLink& link) {
    AppState& s = link.s;
    link.ui.debug_line("设备 = pc_offline_call");
    close_link_device(link);
    s.hid_device_detected = false;
    link.ui.send_timer_stop();
    link.ui.scan_timer_start(kScanIntervalMs);
    // A unit gone while busy must not keep the progress wait open.
    s.cpu_state.cpu_busy = 0;
    drop_mode_requests(s);
    set_connect_state(link, connect_state::kSearching);
}

}  // namespace tuner
