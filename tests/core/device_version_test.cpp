#include "core/device_version.h"

#include <gtest/gtest.h>

namespace tuner::testing {
namespace {

// Answers every read with `answer` and keeps what was written.
struct OneAnswer : HidTransport {
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError*) override { return 1; }
    bool write_report(HidHandle, const HidReport& r) override { return written = r, true; }
    bool read_report(HidHandle, HidReport& r) override { return r = answer, true; }
    void close(HidHandle) override {}
    HidReport written{}, answer{};
};

// The query frame, the model and version lines of an answer; an unknown model gives only the versions, a foreign or
// empty answer nothing.
TEST(DeviceVersion, QueryFrameAndAnswerLines) {
    OneAnswer hid;
    hid.answer = HidReport{0, 0xA5, 0x5A, 0, 7, 4, 1, 2, 3, 4, 5, 6, 0x16};
    EXPECT_EQ(display_device_version(hid, 1), (std::vector<std::string>{"TX30Pro", "固件版本1.2.3", "音库版本4.5.6"}));
    EXPECT_TRUE(hid.written[1] == 0xA5 && hid.written[2] == 0x5A && hid.written[5] == 0x16);
    hid.answer[5] = 9;
    EXPECT_EQ(display_device_version(hid, 1).size(), 2u);
    hid.answer[12] = 0x15;
    EXPECT_TRUE(display_device_version(hid, 1).empty());
    hid.answer = HidReport{};
    EXPECT_TRUE(display_device_version(hid, 1).empty());
}

}  // namespace
}  // namespace tuner::testing
