#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::test {
namespace {

using V = std::vector<std::string>;

struct InputTest : ::testing::Test {
    RecordingHost host;
    std::unique_ptr<ButtonModel> b = make_button(&host);
    EventLog log;
    void SetUp() override { log.attach(*b); }
    void click(ButtonModel& m, int button = 1) {
        m.MousePress(button, 0, 10, 10);
        m.MouseRelease(button, 0, 10, 10);
        m.ClickNotification();
    }
};

TEST_F(InputTest, LeftClickPressesCapturesAndClicks) {
    b->MousePress(1, 0, 10, 10);
    EXPECT_TRUE(b->StateFlags() & button_state::kPressed);
    EXPECT_TRUE(b->HeldDown());
    EXPECT_TRUE(host.capture);
    b->MouseRelease(1, 0, 10, 10);
    EXPECT_FALSE(host.capture);
    b->ClickNotification();
    EXPECT_EQ(log.events, (V{"MouseDown(1)", "MouseUp(1)", "Click"}));
    EXPECT_FALSE(b->StateFlags() & button_state::kPressed);
}

TEST_F(InputTest, RightClickRaisesNoClick) {
    click(*b, 2);
    EXPECT_EQ(log.events, (V{"MouseDown(2)", "MouseUp(2)"}));
    EXPECT_FALSE(host.capture);
    EXPECT_EQ(b->StateFlags() & button_state::kPressed, 0);
}

TEST_F(InputTest, DoubleClickSequence) {
    click(*b);
    b->DoubleClickNotification(10, 10);  // in place of the second press
    b->MouseRelease(1, 0, 10, 10);
    b->ClickNotification();
    EXPECT_EQ(log.events, (V{"MouseDown(1)", "MouseUp(1)", "Click", "DoubleClick(1)", "MouseDown(1)", "MouseUp(1)"}));
    click(*b);  // the next click counts again
    EXPECT_EQ(log.count("Click"), 2);
}

TEST_F(InputTest, SpaceOrderDependsOnMode) {
    b->KeyDownNotification(32, 0);
    EXPECT_TRUE(b->StateFlags() & button_state::kPressed);
    EXPECT_FALSE(b->StateFlags() & button_state::kOver);  // not hovering: the over bit goes again
    b->KeyUpNotification(32, 0);
    EXPECT_EQ(log.events, (V{"KeyDown(32)", "Click", "KeyUp(32)"}));

    log.events.clear();
    b->setMode(1);
    b->KeyDownNotification(32, 0);
    b->KeyUpNotification(32, 0);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(log.events, (V{"KeyDown(32)", "KeyUp(32)", "Click"}));
}

TEST_F(InputTest, ArrowKeysGoToTheContainer) {
    for (int k : {39, 40, 37, 38}) {
        b->KeyDownNotification(k, 0);
        b->KeyUpNotification(k, 0);
    }
    EXPECT_TRUE(log.events.empty());
    ASSERT_EQ(host.posted_keys.size(), 4u);
    EXPECT_EQ(host.posted_keys[0], (std::pair<int, uint32_t>{39, 0x4D0001}));
    EXPECT_EQ(host.posted_keys[1], (std::pair<int, uint32_t>{40, 0x500001}));
    EXPECT_EQ(host.posted_keys[2], (std::pair<int, uint32_t>{37, 0x4B0001}));
    EXPECT_EQ(host.posted_keys[3], (std::pair<int, uint32_t>{38, 0x480001}));
    b->KeyUpNotification(16, 0);
    b->KeyUpNotification(65, 0);
    EXPECT_EQ(log.events, (V{"KeyUp(65)"}));
}

TEST_F(InputTest, HoverStartsAtFirstMoveAndEndsAtTimer) {
    b->MouseMoveTo(0, 0, 5, 5, false);  // another window under the pointer
    EXPECT_FALSE(b->HoverActive());
    b->MouseMoveTo(0, 0, 5, 5, true);
    b->MouseMoveTo(0, 0, 6, 5, true);
    EXPECT_TRUE(b->HoverActive());
    EXPECT_TRUE(host.hover_timer);
    EXPECT_EQ(b->LastDrawState(), 3);
    b->HoverTimerCheck(true);
    EXPECT_TRUE(b->HoverActive());
    b->HoverTimerCheck(false);
    EXPECT_FALSE(b->HoverActive());
    EXPECT_FALSE(host.hover_timer);
    EXPECT_EQ(log.events, (V{"MouseOnButton(1)", "MouseOnButton(0)"}));
}

TEST_F(InputTest, PressedLookFollowsThePointerWhileHeld) {
    b->MouseMoveTo(0, 0, 5, 5, true);
    b->MousePress(1, 0, 5, 5);
    EXPECT_EQ(b->LastDrawState(), 2);
    b->HoverTimerCheck(false);  // dragged off the button
    EXPECT_NE(b->LastDrawState(), 2);
    b->MouseMoveTo(1, 0, 5, 5, true);  // and back on
    EXPECT_EQ(b->LastDrawState(), 2);
}

TEST_F(InputTest, ReleaseAwayFromCheckButtonDropsPressedLook) {
    b->setMode(1);
    b->MouseMoveTo(0, 0, 5, 5, true);
    b->MousePress(1, 0, 5, 5);
    const int redraws = b->RedrawCount();
    b->MouseRelease(1, 0, 500, 500);  // no click notification follows
    EXPECT_GT(b->RedrawCount(), redraws);
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(b->StateFlags() & button_state::kPressed, 0);
}

TEST_F(InputTest, AccessKeysAndDefaultKeys) {
    b->AccessKeyPress('M');
    EXPECT_EQ(log.count("Click"), 1);
    b->setMode(1);
    b->AccessKeyPress(13);
    b->AccessKeyPress(27);
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_FALSE(b->Value());
}

TEST(OptionGroup, ClickingChecksOneAndUnchecksTheRest) {
    int container = 0;
    RecordingHost h;
    auto a = make_button(&h, 50, 20, &container);
    auto b = make_button(&h, 50, 20, &container);
    auto c = make_button(&h, 50, 20, &container);
    for (auto* m : {a.get(), b.get(), c.get()}) m->setMode(2);
    EXPECT_EQ(OptionGroups::instance().Count(&container), 3);
    EventLog log;
    log.attach(*b);
    a->setValue(true);
    b->MousePress(1, 0, 1, 1);
    b->MouseRelease(1, 0, 1, 1);
    b->ClickNotification();
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(a->Value());
    EXPECT_EQ(log.count("Click"), 1);
    b->MousePress(1, 0, 1, 1);
    b->MouseRelease(1, 0, 1, 1);
    b->ClickNotification();  // already checked: no event
    EXPECT_EQ(log.count("Click"), 1);

    // Focus checks a button only when the group has none checked.
    a->FocusReceived();
    EXPECT_FALSE(a->Value());
    b->setValue(false);
    a->FocusReceived();
    EXPECT_TRUE(a->Value());

    // An arrow key onto an unchecked option button checks it.
    c->KeyUpNotification(39, 0);
    EXPECT_TRUE(c->Value());
    EXPECT_FALSE(a->Value());
}

TEST(OptionGroup, UnregisteringAndTeardown) {
    int container = 0;
    RecordingHost h;
    auto a = make_button(&h, 50, 20, &container);
    auto b = make_button(&h, 50, 20, &container);
    auto c = make_button(&h, 50, 20, &container);
    for (auto* m : {a.get(), b.get(), c.get()}) m->setMode(2);
    a->setMode(0);
    OptionGroups& g = OptionGroups::instance();
    EXPECT_EQ(g.Count(&container), 2);
    EXPECT_EQ(g.Slot(&container, 1), b.get());
    EXPECT_EQ(g.Slot(&container, 2), c.get());
    EXPECT_EQ(g.Slot(&container, 3), nullptr);
    // A button that is not registered changes nothing.
    bool any = false;
    a->OptionGroupUpdate(-1, any);
    EXPECT_EQ(g.Count(&container), 2);
    // A destroyed button leaves its group; the last one removes the group.
    c.reset();
    EXPECT_EQ(g.Count(&container), 1);
    b->setMode(1);
    EXPECT_EQ(g.Count(&container), 0);
}

TEST(PressNudge, MovesWhilePressedAndBackWhenNoLongerApplies) {
    RecordingHost h;
    auto b = make_button(&h);
    b->setCustomClick(7);
    b->MouseMoveTo(0, 0, 5, 5, true);
    const int refreshes = h.refreshes;
    b->MousePress(1, 0, 5, 5);
    ASSERT_EQ(h.moves.size(), 1u);
    EXPECT_EQ(h.moves[0], QPoint(0, 1));
    EXPECT_EQ(b->LastDrawState(), 0);  // nothing painted on the pass that moved
    EXPECT_EQ(h.refreshes, refreshes + 1);
    b->Paint();  // the paint after the move draws the pressed face
    EXPECT_EQ(b->LastDrawState(), 2);
    b->MouseRelease(1, 0, 5, 5);
    ASSERT_EQ(h.moves.size(), 2u);
    EXPECT_EQ(h.moves[1], QPoint(0, -1));

    // Leaving while held moves back too.
    b->MousePress(1, 0, 5, 5);
    b->HoverTimerCheck(false);
    EXPECT_EQ(h.moves.back(), QPoint(0, -1));

    // So does a change of CustomClick or Mode while nudged, and teardown.
    b->MouseMoveTo(1, 0, 5, 5, true);
    const size_t n = h.moves.size();
    b->setCustomClick(2);
    ASSERT_EQ(h.moves.size(), n + 1);
    EXPECT_EQ(h.moves.back(), QPoint(0, -1));  // by the offset it was moved with
    b->Paint();
    EXPECT_EQ(h.moves.back(), QPoint(1, -1));
    b->Terminate();
    EXPECT_EQ(h.moves.back(), QPoint(-1, 1));
}

}  // namespace
}  // namespace tuner::test
