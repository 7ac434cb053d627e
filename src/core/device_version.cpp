#include "core/device_version.h"

namespace tuner {
namespace {

constexpr uint8_t kQueryCode = 0x16;

std::string dotted(const HidReport& r, std::size_t first) {
    return std::to_string(r[first]) + "." + std::to_string(r[first + 1]) + "." + std::to_string(r[first + 2]);
}

}  // namespace

std::vector<std::string> display_device_version(HidTransport& hid, HidHandle handle) {
    HidReport report{};
    report[1] = 0xA5, report[2] = 0x5A, report[3] = 0, report[4] = 0, report[5] = kQueryCode;
    hid.write_report(handle, report);
    report.fill(0);
    hid.read_report(handle, report);
    if (report[1] != 0xA5 || report[2] != 0x5A || report[3] != 0 || report[4] != 7 || report[12] != kQueryCode)
        return {};
    std::vector<std::string> lines;
    if (report[5] < std::size(kDeviceModelNames)) lines.emplace_back(kDeviceModelNames[report[5]]);
    lines.push_back("固件版本" + dotted(report, 6));
    lines.push_back("音库版本" + dotted(report, 9));
    return lines;
}

}  // namespace tuner
