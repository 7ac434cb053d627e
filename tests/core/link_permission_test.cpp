// A unit that is found but may not be opened: the user is told once per
// plug-in, in the window's language, with the fix.
#include <algorithm>

#include <gtest/gtest.h>

#include "core/device_link.h"
#include "support/link_harness.h"

namespace tuner::testing {
namespace {

int count_of(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

TEST(DeviceLinkPermission, ToldOncePerPlugInInTheWindowsLanguage) {
    LinkHarness h;
    h.s.Language = 1;
    h.unit.deny_permission = true;
    h.run(6);  // searches while the unit stays plugged in
    const std::string en = permission_message("/dev/hidraw3", 1);
    EXPECT_EQ(h.ui.messages, std::vector<std::string>{en}) << "one message while plugged in";
    EXPECT_NE(en.find("/dev/hidraw3"), std::string::npos) << en;
    EXPECT_NE(en.find("sudo install -m 644 packaging/70-veltrana-tuner.rules /etc/udev/rules.d/"), std::string::npos)
        << en;
    EXPECT_EQ(count_of(h.ui.debug_lines, permission_hint_line("/dev/hidraw3")), 1) << "debug hint lines";
    EXPECT_FALSE(h.s.hid_device_detected);
    EXPECT_EQ(h.s.cpu_connect_state, 2) << "the link still searches";

    // Unplugged and plugged in again, still refused: told again, now in Chinese.
    h.unit.unplug();
    h.run(2);
    h.s.Language = 0;
    h.unit.replug("/dev/hidraw3");
    h.run(4);
    ASSERT_EQ(h.ui.messages.size(), 2u) << "messages after a second plug-in";
    EXPECT_EQ(h.ui.messages[1], permission_message("/dev/hidraw3", 0));
    EXPECT_NE(h.ui.messages[1].find("权限"), std::string::npos) << h.ui.messages[1];

    // The rule installed: the unit opens and nothing more is said.
    h.unit.deny_permission = false;
    EXPECT_TRUE(h.connect(4)) << "connects once permitted";
    EXPECT_EQ(h.ui.messages.size(), 2u) << "messages after connecting";
}

}  // namespace
}  // namespace tuner::testing
