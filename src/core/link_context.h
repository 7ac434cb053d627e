// What the device link, the frame protocol and the send service share: the
// link's collaborators (state, transport, window services, clock and pump),
// the device-match constants, and declaring the link lost. Each of the three
// includes this header and none includes another's, so they depend one way:
// device link -> send service -> frame protocol -> this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
    // Units found but not opened for lack of permission, each told to the
    // user once while it stays plugged in.
    std::vector<std::string> permission_denied_paths{};
    // Path of the interface now open (empty when none).
    std::string open_path{};
    // Interfaces whose connect step failed in this round of the search; the
    // search tries the others first and starts over once all have failed.
    std::vector<std::string> failed_paths{};
};

// True while a device is open and the link counts as connected.
inline bool link_connected(const AppState& s) { return s.hid_device_detected && cpu_connected(s); }

// Sets cpu_connect_state (a connect_state value) and redraws when it changes.
void set_connect_state(DeviceLink& link, uint8_t state);
// Closes the open device, if any.
void close_link_device(DeviceLink& link);
// Declares the link lost: closes the device, back to searching.
void pc_offline_call(DeviceLink& link);

}  // namespace tuner
