// HidTransport on hidapi's hidraw backend. Reads fetch the device's current
// input report (hid_get_input_report), so no call waits for the unit.
#pragma once

#include <map>

#include "core/hid_transport.h"

struct hid_device_;

namespace tuner {

class HidapiTransport : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidInterfaceInfo> enumerate() override;
    HidHandle open(const std::string& path, HidOpenError* error) override;
    bool write_report(HidHandle handle, const HidReport& report) override;
    bool read_report(HidHandle handle, HidReport& report) override;
    void close(HidHandle handle) override;

private:
    hid_device_* device(HidHandle handle) const;

    bool initialised_ = false;
    // hidapi frees a device on close: a closed handle is removed here, so
    // it can never reach hidapi again.
    std::map<HidHandle, hid_device_*> devices_;
    HidHandle next_handle_ = 1;
};

}  // namespace tuner
