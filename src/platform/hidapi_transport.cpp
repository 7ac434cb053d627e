#include "platform/hidapi_transport.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <cerrno>

namespace tuner {

HidapiTransport::HidapiTransport() : initialised_(hid_init() == 0) {}

HidapiTransport::~HidapiTransport() {
    for (auto& [handle, dev] : devices_) hid_close(dev);
    devices_.clear();
    if (initialised_) hid_exit();
}

std::vector<HidInterfaceInfo> HidapiTransport::enumerate() {
    std::vector<HidInterfaceInfo> list;
    if (!initialised_) return list;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* d = all; d != nullptr; d = d->next) {
        if (d->path == nullptr) continue;
        list.push_back({d->path, d->vendor_id, d->product_id, d->usage_page, d->usage});
    }
    hid_free_enumeration(all);
    return list;
}

HidHandle HidapiTransport::open(const std::string& path, HidOpenError* error) {
    if (error) *error = HidOpenError::Failed;
    if (!initialised_) return kNoHidHandle;
    hid_device* dev = hid_open_path(path.c_str());
    if (dev == nullptr) {
        // hidapi does not tell why; the node's access bits do.
        if (error && access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) *error = HidOpenError::PermissionDenied;
        return kNoHidHandle;
    }
    const HidHandle handle = next_handle_++;
    devices_[handle] = dev;
    if (error) *error = HidOpenError::None;
    return handle;
}

hid_device* HidapiTransport::device(HidHandle handle) const {
    const auto it = devices_.find(handle);
    return it == devices_.end() ? nullptr : it->second;
}

bool HidapiTransport::write_report(HidHandle handle, const HidReport& report) {
    hid_device* dev = device(handle);
    if (dev == nullptr) return false;
    // Byte 0 is the report id (0); hidapi sends the rest.
    return hid_write(dev, report.data(), report.size()) >= 0;
}

bool HidapiTransport::read_report(HidHandle handle, HidReport& report) {
    hid_device* dev = device(handle);
    if (dev == nullptr) return false;
    HidReport buffer{};  // byte 0 asks for report id 0
    const int n = hid_get_input_report(dev, buffer.data(), buffer.size());
    if (n <= 0) return false;
    report = buffer;
    return true;
}

void HidapiTransport::close(HidHandle handle) {
    const auto it = devices_.find(handle);
    if (it == devices_.end()) return;
    hid_close(it->second);
    devices_.erase(it);
}

}  // namespace tuner
