// The diagnostic query of the unit's model and firmware: one frame of its
// own, outside the send service, answered at once by the unit.
#pragma once

#include <string>
#include <vector>

#include "core/hid_transport.h"

namespace tuner {

// Model names by the model byte of the answer.
constexpr const char* kDeviceModelNames[] = {"TX300", "TX310", "TX100", "TX110", "TX30Pro"};

// Sends the query on `handle` and reads the answer; the lines for the
// results list: the model name (when known), "固件版本a.b.c" and "音库版本a.b.c".
// An answer that is not the query's gives no line.
std::vector<std::string> display_device_version(HidTransport& hid, HidHandle handle);

}  // namespace tuner
