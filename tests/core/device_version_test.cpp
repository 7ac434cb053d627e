#include "core/device_version.h"

#include <gtest/gtest.h>

namespace tuner::testing {
namespace {

// Answers the next read with `answer` and keeps what was written.
class OneAnswer : public HidTransport {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError*) override { return 1; }
    bool write_report(HidHandle, const HidReport& r) override { return written = r, true; }
    bool read_report(HidHandle, HidReport& r) override { return r = answer, true; }
    void close(HidHandle) override {}
    HidReport written{}, answer{};
};

HidReport version_answer(uint8_t model) {
    HidReport r{};
    r[1] = 0xA5, r[2] = 0x5A, r[3] = 0, r[4] = 7, r[12] = 0x16;
    r[5] = model;
    r[6] = 1, r[7] = 2, r[8] = 3, r[9] = 4, r[10] = 5, r[11] = 6;
    return r;
}

TEST(DeviceVersion, QueryFrameAndAnswerLines) {
    OneAnswer hid;
    hid.answer = version_answer(4);
    EXPECT_EQ(display_device_version(hid, 1), (std::vector<std::string>{"TX30Pro", "固件版本1.2.3", "音库版本4.5.6"}));
    EXPECT_EQ(hid.written[1], 0xA5);
    EXPECT_EQ(hid.written[2], 0x5A);
    EXPECT_EQ(hid.written[5], 0x16);
}

TEST(DeviceVersion, UnknownModelGivesOnlyVersionsAndAForeignAnswerNothing) {
    OneAnswer hid;
    hid.answer = version_answer(9);
    EXPECT_EQ(display_device_version(hid, 1).size(), 2u);
    hid.answer[12] = 0x15;
    EXPECT_TRUE(display_device_version(hid, 1).empty());
    hid.answer = HidReport{};
    EXPECT_TRUE(display_device_version(hid, 1).empty());
}

}  // namespace
}  // namespace tuner::testing
