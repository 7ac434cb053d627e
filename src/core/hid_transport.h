// Access to the machine's HID interfaces: list them, open one, exchange
// 257-byte reports (report id 0 in byte 0), close it. The program uses the
// hidapi implementation; tests use a simulated unit.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tuner {

constexpr std::size_t kHidReportSize = 257;
using HidReport = std::array<uint8_t, kHidReportSize>;

// An open device. Handles are never reused, so a stale handle names no
// device; 0 names none.
using HidHandle = uint32_t;
constexpr HidHandle kNoHidHandle = 0;

struct HidInterfaceInfo {
    std::string path;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t usage_page = 0;  // top-level collection
    uint16_t usage = 0;
};

enum class HidOpenError { None, PermissionDenied, Failed };

class HidTransport {
public:
    virtual ~HidTransport() = default;

    // The HID interfaces present now (one entry per top-level collection).
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    // Opens a path for reading and writing; kNoHidHandle on failure, with the
    // reason in *error when given.
    virtual HidHandle open(const std::string& path, HidOpenError* error = nullptr) = 0;
    // Sends one output report. False when the handle names no open device or
    // the write failed.
    virtual bool write_report(HidHandle handle, const HidReport& report) = 0;
    // Fetches the device's current input report at once (never waits for a
    // new one). False when nothing could be fetched; the report is then left
    // as it was.
    virtual bool read_report(HidHandle handle, HidReport& report) = 0;
    // Closes the handle; an unknown or null handle is ignored.
    virtual void close(HidHandle handle) = 0;
};

}  // namespace tuner
