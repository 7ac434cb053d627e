// The USB HID link to the unit: finding and opening it, the connect step
// (its information frame), declaring it lost, and the two timer ticks that
// drive the search and the frame traffic.
#pragma once

#include <cstdint>
#include <string>

#include "core/link_context.h"

namespace tuner {

bool hid_device_matches(const HidInterfaceInfo& info);

// One complete search; opens a matching device. Interfaces matching by usage
// page and usage come before those matching by ids only, and interfaces whose
// connect step failed in this round come last. True when found.
bool hid_find_device(DeviceLink& link);
// The search service, one tick of the 500 ms timer.
void hid_device_scan(DeviceLink& link);
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

// The udev rule that lets the user at the seat open the unit (the one of
// packaging/70-veltrana-tuner.rules) and where it is installed.
constexpr const char* kUdevRule =
    "SUBSYSTEM==\"hidraw\", KERNEL==\"hidraw*\", ATTRS{idVendor}==\"8888\", ATTRS{idProduct}==\"1234\", "
    "TAG+=\"uaccess\"";
constexpr const char* kUdevRulePath = "/etc/udev/rules.d/70-veltrana-tuner.rules";

// Debug line written when a matching device exists but may not be opened.
std::string permission_hint_line(const std::string& path);
// What the user is told then, in the window's language (0 Chinese), with the fix.
std::string permission_message(const std::string& path, uint8_t language);

}  // namespace tuner
