#include <gtest/gtest.h>

#include "platform/hidapi_transport.h"

using namespace tuner;

// Runs on machines without the unit: listing works, and handles that name no
// open device are refused without reaching hidapi.
TEST(HidapiTransport, SafeWithoutADevice) {
    HidapiTransport hid;
    const auto list = hid.enumerate();
    for (const auto& info : list) EXPECT_FALSE(info.path.empty());

    HidReport report{};
    report[5] = 42;
    EXPECT_FALSE(hid.write_report(kNoHidHandle, report));
    EXPECT_FALSE(hid.read_report(kNoHidHandle, report));
    EXPECT_EQ(report[5], 42) << "a failed read leaves the report as it was";
    EXPECT_FALSE(hid.read_report(12345, report));
    hid.close(kNoHidHandle);
    hid.close(12345);

    HidOpenError error = HidOpenError::None;
    EXPECT_EQ(hid.open("/dev/no-such-hidraw-node", &error), kNoHidHandle);
    EXPECT_NE(error, HidOpenError::None);
}
