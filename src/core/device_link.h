// The USB HID link to the unit: finding and opening it, the connect step
// (its information frame), declaring it lost, and the two timer ticks that
// drive the search and the frame traffic.
#pragma once

#include <cstdint>
#include <string>

#include "core/app_state.h"
#include "core/delay.h"
#include "core/hid_transport.h"
#include "core/window_services.h"

namespace tuner {

// Device match: either pair identifies the unit.
constexpr uint16_t kUnitUsagePage = 0xFF00;
constexpr uint16_t kUnitUsage = 0x55AA;
constexpr uint16_t kUnitVendorId = 0x8888;
constexpr uint16_t kUnitProductId = 0x1234;

constexpr int kScanIntervalMs = 500;
constexpr int kSendIntervalMs = 50;
// Reads in a row without an accepted frame after which the link is dropped.
constexpr uint8_t kMaxMissedReads = 5;

// Everything the link works with. The program makes one; so does every test.
struct DeviceLink {
    AppState& s;
    HidTransport& hid;
    WindowServices& ui;
    Clock& clock;
    EventPump& pump;

    // Set while a timer tick runs: the waits inside a tick pump events, and a
    // tick arriving then must not start a second search or send.
    bool tick_running = false;
    // The missing-permission hint goes to the debug list once per run.
    bool permission_hint_shown = false;
};

bool hid_device_matches(const HidInterfaceInfo& info);

// One complete search; opens the first matching device. True when found.
bool hid_find_device(DeviceLink& link);
// The search service, one tick of the 500 ms timer.
void hid_device_scan(DeviceLink& link);
// Declares the link lost: closes the device, back to searching.
void pc_offline_call(DeviceLink& link);
// Shows the link pictures; non-zero shows the connected one.
void display_link_state(WindowServices& ui, uint8_t connected);

// Starts searching (at start-up); does nothing while connected.
void device_search_start(DeviceLink& link);
// Stops searching and marks the link as not connected.
void device_lost(DeviceLink& link);

// The two timers' tick handlers. Each does nothing while a tick is already
// running (a wait inside it is pumping events).
void scan_timer_tick(DeviceLink& link);
void send_timer_tick(DeviceLink& link);

// True while a device is open and the link counts as connected.
inline bool link_connected(const AppState& s) { return s.hid_device_detected && s.cpu_connect_state == 1; }

// Debug line written when a matching device exists but may not be opened.
std::string permission_hint_line(const std::string& path);

}  // namespace tuner
