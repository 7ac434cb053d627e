#include <gtest/gtest.h>

#include "mainwindow/test_panel_rules.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

const Ctl kVersion{"Text_software_version"};
Ctl box(int i) { return Ctl{"Text_cpu_test_data", i}; }
uint8_t& test_byte(AppState& s, int i) { return s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(i)]; }

class TestPanelTest : public ::testing::Test {
protected:
    void release_on_version(int n) {
        for (int i = 0; i < n; ++i) f.rules.check_mouse_up(f.env, kVersion);
    }
    int panel_shows() const {
        return static_cast<int>(std::count(f.actions.calls.begin(), f.actions.calls.end(), "show_test_panel 1"));
    }
    testing::RuleEnvFixture f;
};

TEST_F(TestPanelTest, TenReleasesOpenThePanel) {
    release_on_version(9);
    EXPECT_EQ(panel_shows(), 0);
    release_on_version(1);
    EXPECT_EQ(panel_shows(), 1);
    release_on_version(300);  // the counter stops at 255, the panel stays open
    EXPECT_EQ(panel_shows(), 301);
}

TEST_F(TestPanelTest, LeavingTheVersionLineRestartsTheCount) {
    release_on_version(9);
    f.rules.box_lost_focus(f.env, kVersion);
    release_on_version(1);
    EXPECT_EQ(panel_shows(), 0);
    release_on_version(9);
    EXPECT_EQ(panel_shows(), 1);
}

TEST_F(TestPanelTest, SteppersClampAndRewriteTheBox) {
    test_byte(f.s, 9) = 255;
    EXPECT_TRUE(f.rules.step(f.env, "cpu_test_data_inc", 9));
    EXPECT_EQ(test_byte(f.s, 9), 255);
    EXPECT_EQ(f.view.text(box(9)), "255");
    EXPECT_TRUE(f.view.has_focus(box(9)));

    test_byte(f.s, 0) = 0;
    EXPECT_TRUE(f.rules.step(f.env, "cpu_test_data_dec", 0));
    EXPECT_EQ(test_byte(f.s, 0), 0);
    EXPECT_EQ(f.view.text(box(0)), "0");

    f.rules.step(f.env, "cpu_test_data_inc", 0);
    f.rules.step(f.env, "cpu_test_data_inc", 0);
    EXPECT_EQ(test_byte(f.s, 0), 2);
    EXPECT_EQ(f.view.text(box(0)), "2");
    // Offline: nothing to send.
    EXPECT_EQ(f.s.send_cpu_test_req, kClear);

    // A box that does not exist is no stepper of ours.
    EXPECT_FALSE(f.rules.step(f.env, "cpu_test_data_inc", 10));
    EXPECT_FALSE(f.rules.step(f.env, "cpu_test_data_dec", -1));
}

TEST_F(TestPanelTest, SteppersRaiseTheTestSendWhileConnected) {
    ASSERT_TRUE(f.connect());
    test_byte(f.s, 9) = 255;
    f.rules.step(f.env, "cpu_test_data_inc", 9);  // at the limit, still sent
    EXPECT_EQ(f.s.send_cpu_test_req, kPending);
    f.s.send_cpu_test_req = kClear;
    f.rules.step(f.env, "cpu_test_data_dec", 4);
    EXPECT_EQ(f.s.send_cpu_test_req, kPending);
}

TEST_F(TestPanelTest, TypedValueCommitsClampedByte) {
    const auto limits = f.rules.box_limits(f.env, box(0));
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->min, 0);
    EXPECT_EQ(limits->max, 255);
    EXPECT_FALSE(limits->snap);

    // "300" Enter: the input rules clamp the text, the commit stores it.
    TextBox tb{"300", 3};
    f.input.text_input_key_press(tb, kKeyEnter, limits->min, limits->max, limits->snap, limits->table);
    f.view.set_text(box(0), tb.Text);
    f.rules.box_commit(f.env, box(0));
    EXPECT_EQ(test_byte(f.s, 0), 255);
    EXPECT_EQ(f.view.text(box(0)), "255");

    f.view.set_text(box(3), "17");
    f.rules.box_commit(f.env, box(3));
    EXPECT_EQ(test_byte(f.s, 3), 17);

    // A text that is no number leaves the byte and shows it again.
    f.view.set_text(box(3), "-");
    f.rules.box_commit(f.env, box(3));
    EXPECT_EQ(test_byte(f.s, 3), 17);
    EXPECT_EQ(f.view.text(box(3)), "17");
}

TEST_F(TestPanelTest, TestSwitchWritesByteEightAndSendsWhileConnected) {
    const Ctl sw{"Check_cpu_test_sw"};
    f.view.set_value(sw, 1);
    f.rules.check_mouse_up(f.env, sw);
    EXPECT_EQ(f.s.cpu_test_data[kTestSwitchByte], 1);
    EXPECT_EQ(f.s.send_cpu_test_req, kClear);

    ASSERT_TRUE(f.connect());
    f.view.set_value(sw, 2);  // greyed
    f.rules.check_mouse_up(f.env, sw);
    EXPECT_EQ(f.s.cpu_test_data[kTestSwitchByte], 0);
    EXPECT_EQ(f.s.send_cpu_test_req, kPending);
    EXPECT_EQ(f.svc.count("set_all_dis"), 0);
}

TEST_F(TestPanelTest, FocusColours) {
    f.rules.box_got_focus(f.env, box(2));
    EXPECT_EQ(f.view.at(box(2)).fore, kTestBoxFocusColor);
    f.rules.box_lost_focus(f.env, box(2));
    EXPECT_EQ(f.view.at(box(2)).fore, kTestBoxTextColor);
}

}  // namespace
}  // namespace tuner
