// The hidden test panel at its edges: the release counter past its limit, steppers at 0 and 255 and outside the
// ten boxes, texts that are no number, the greyed switch, and what is sent offline and online.
#include <gtest/gtest.h>

#include "mainwindow/test_panel_rules.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

Ctl box(int i) { return Ctl{"Text_cpu_test_data", i}; }

class TestPanelTest : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    uint8_t& byte(int i) { return s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(i)]; }
};

TEST_F(TestPanelTest, ReleasesPastTheLimitKeepThePanelOpen) {
    for (int i = 0; i < 310; ++i) rules.check_mouse_up(env, Ctl{"Text_software_version"});
    EXPECT_EQ(std::count(actions.calls.begin(), actions.calls.end(), "show_test_panel 1"), 301);
}

TEST_F(TestPanelTest, SteppersClampAndSendOnlyWhileConnected) {
    struct Case {
        const char* stepper;
        int index;
        uint8_t before, after;
    } cases[] = {{"cpu_test_data_inc", 9, 255, 255}, {"cpu_test_data_dec", 0, 0, 0}, {"cpu_test_data_inc", 4, 1, 2}};
    for (bool online : {false, true}) {
        ASSERT_EQ(online && !connect(), false);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.stepper << c.index << online);
            byte(c.index) = c.before;
            s.send_cpu_test_req = kClear;
            EXPECT_TRUE(rules.step(env, c.stepper, c.index));
            EXPECT_EQ(byte(c.index), c.after);
            EXPECT_EQ(view.text(box(c.index)), std::to_string(c.after));
            EXPECT_TRUE(view.has_focus(box(c.index)));
            EXPECT_EQ(s.send_cpu_test_req, online ? kPending : kClear);  // sent at a limit too
        }
    }
    EXPECT_FALSE(rules.step(env, "cpu_test_data_inc", 10));  // no such box
    EXPECT_FALSE(rules.step(env, "cpu_test_data_dec", -1));
}

TEST_F(TestPanelTest, TypedTextThatIsNoNumberKeepsTheByte) {
    const auto limits = rules.box_limits(env, box(0));
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->min, 0);
    EXPECT_EQ(limits->max, 255);
    view.set_text(box(3), "17");
    rules.box_commit(env, box(3));
    EXPECT_EQ(byte(3), 17);
    view.set_text(box(3), "-");
    rules.box_commit(env, box(3));
    EXPECT_EQ(byte(3), 17);
    EXPECT_EQ(view.text(box(3)), "17");
}

TEST_F(TestPanelTest, GreyedSwitchClearsByteEightAndSendsWhileConnected) {
    user_sets(Ctl{"Check_cpu_test_sw"}, 1);
    EXPECT_EQ(s.cpu_test_data[kTestSwitchByte], 1);
    EXPECT_EQ(s.send_cpu_test_req, kClear);
    ASSERT_TRUE(connect());
    user_sets(Ctl{"Check_cpu_test_sw"}, 2);
    EXPECT_EQ(s.cpu_test_data[kTestSwitchByte], 0);
    EXPECT_EQ(s.send_cpu_test_req, kPending);
    EXPECT_EQ(redraws(), 0);
}

}  // namespace
}  // namespace tuner
