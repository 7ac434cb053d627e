#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::testing {
namespace {

using V = std::vector<std::string>;
using namespace button_state;

void click(ButtonModel& m, int button = 1) {
    m.MousePress(button, 0, 10, 10);
    m.MouseRelease(button, 0, 10, 10);
    m.ClickNotification();
}

struct InputTest : ::testing::Test {
    RecordingHost host;
    std::unique_ptr<ButtonModel> b = make_button(&host);
    EventLog log;
    void SetUp() override { log.attach(*b); }
};

TEST_F(InputTest, LeftAndRightClicks) {
    b->MousePress(1, 0, 10, 10);
    EXPECT_TRUE(b->StateFlags() & kPressed);
    EXPECT_TRUE(b->HeldDown());
    EXPECT_TRUE(host.capture);
    b->MouseRelease(1, 0, 10, 10);
    EXPECT_FALSE(host.capture);
    EXPECT_FALSE(b->StateFlags() & kPressed);
    b->ClickNotification();
    // The right button raises no Click and neither captures nor presses.
    b->MousePress(2, 0, 10, 10);
    EXPECT_FALSE(host.capture || (b->StateFlags() & kPressed));
    b->MouseRelease(2, 0, 10, 10);
    b->ClickNotification();
    // A double click: the notification takes the place of the second press.
    click(*b);
    b->DoubleClickNotification(10, 10);
    b->MouseRelease(1, 0, 10, 10);
    b->ClickNotification();
    EXPECT_EQ(log.events, (V{"MouseDown(1)", "MouseUp(1)", "Click", "MouseDown(2)", "MouseUp(2)", "MouseDown(1)",
                             "MouseUp(1)", "Click", "DoubleClick(1)", "MouseDown(1)", "MouseUp(1)"}));
    click(*b);  // the next click counts again
    // An access key clicks; Enter and Escape do nothing outside command mode.
    b->AccessKeyPress('M');
    b->setMode(1);
    b->AccessKeyPress(13);
    b->AccessKeyPress(27);
    EXPECT_EQ(log.count("Click"), 4);
    EXPECT_FALSE(b->Value());
}

TEST_F(InputTest, SpaceOrderDependsOnMode) {
    b->KeyDownNotification(32, 0);
    EXPECT_TRUE(b->StateFlags() & kPressed);
    EXPECT_FALSE(b->StateFlags() & kOver);  // not hovering: the over bit goes again
    b->KeyUpNotification(32, 0);
    b->setMode(1);
    b->KeyDownNotification(32, 0);
    b->KeyUpNotification(32, 0, true);  // auto-repeat: no click per repeat
    b->KeyDownNotification(32, 0, true);
    b->KeyUpNotification(32, 0);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(log.events, (V{"KeyDown(32)", "Click", "KeyUp(32)", "KeyDown(32)", "KeyDown(32)", "KeyUp(32)", "Click"}));
}

TEST_F(InputTest, ArrowKeysGoToTheContainer) {
    for (int k : {39, 40, 37, 38, 16}) {
        b->KeyDownNotification(k, 0);
        b->KeyUpNotification(k, 0);
    }
    using P = std::pair<int, uint32_t>;
    EXPECT_EQ(host.posted_keys, (std::vector<P>{{39, 0x4D0001}, {40, 0x500001}, {37, 0x4B0001}, {38, 0x480001}}));
    EXPECT_EQ(log.events, (V{"KeyDown(16)"}));  // Shift's key up is consumed too
    b->KeyUpNotification(65, 0);
    EXPECT_EQ(log.count("KeyUp(65)"), 1);
}

TEST_F(InputTest, HoverAndThePressedLook) {
    b->MouseMoveTo(0, 0, 5, 5, false);  // another window under the pointer
    EXPECT_FALSE(b->HoverActive());
    b->MouseMoveTo(0, 0, 5, 5, true);
    b->MouseMoveTo(0, 0, 6, 5, true);
    EXPECT_TRUE(b->HoverActive() && host.hover_timer);
    EXPECT_EQ(b->LastDrawState(), 3);
    b->HoverTimerCheck(true);
    EXPECT_TRUE(b->HoverActive());
    b->MousePress(1, 0, 5, 5);
    EXPECT_EQ(b->LastDrawState(), 2);
    b->HoverTimerCheck(false);  // dragged off the button
    EXPECT_FALSE(b->HoverActive() || host.hover_timer);
    EXPECT_NE(b->LastDrawState(), 2);
    b->MouseMoveTo(1, 0, 5, 5, true);  // and back on
    EXPECT_EQ(b->LastDrawState(), 2);
    EXPECT_EQ(log.count("MouseOnButton(1)"), 2);
    EXPECT_EQ(log.count("MouseOnButton(0)"), 1);
}

TEST_F(InputTest, ReleaseAwayFromCheckOrOptionButtonDropsPressedLook) {
    for (int mode : {1, 2}) {
        b->setMode(mode);
        b->MouseMoveTo(0, 0, 5, 5, true);
        b->MousePress(1, 0, 5, 5);
        ASSERT_EQ(b->LastDrawState(), 2);
        b->MouseRelease(1, 0, 500, 500);  // no click notification follows
        EXPECT_NE(b->LastDrawState(), 2) << mode;
        EXPECT_FALSE(b->Value());
    }
}

// Three option buttons registered in one container.
struct Group {
    int container = 0;
    RecordingHost h;
    std::unique_ptr<ButtonModel> a = make_button(&h, 50, 20, &container), b = make_button(&h, 50, 20, &container),
                                 c = make_button(&h, 50, 20, &container);
    Group() {
        for (auto* m : {&a, &b, &c}) (*m)->setMode(2);
    }
    int count() const { return OptionGroups::instance().Count(&container); }
};

TEST(OptionGroup, ClickFocusAndArrowKeys) {
    Group g;
    EXPECT_EQ(g.count(), 3);
    EventLog log;
    log.attach(*g.b);
    g.a->setValue(true);
    click(*g.b);
    EXPECT_TRUE(g.b->Value());
    EXPECT_FALSE(g.a->Value());
    click(*g.b);  // already checked: no event
    EXPECT_EQ(log.count("Click"), 1);

    // Focus checks a button only when the group has none checked.
    g.a->FocusReceived();
    EXPECT_FALSE(g.a->Value());
    g.b->setValue(false);
    g.a->FocusReceived();
    EXPECT_TRUE(g.a->Value());

    // An arrow key onto an unchecked option button checks it.
    g.c->KeyUpNotification(39, 0);
    EXPECT_TRUE(g.c->Value());
    EXPECT_FALSE(g.a->Value());
}

TEST(OptionGroup, LeavingTheGroup) {
    Group g;
    g.a->setMode(0);
    EXPECT_EQ(g.count(), 2);
    const OptionGroups& groups = OptionGroups::instance();
    EXPECT_EQ(groups.Slot(&g.container, 1), g.b.get());
    EXPECT_EQ(groups.Slot(&g.container, 2), g.c.get());
    EXPECT_EQ(groups.Slot(&g.container, 3), nullptr);
    bool any = false;
    g.a->OptionGroupUpdate(-1, any);  // not registered: changes nothing
    EXPECT_EQ(g.count(), 2);
    g.c.reset();  // a destroyed button leaves its group
    EXPECT_EQ(g.count(), 1);
    // Loaded again into another container, a button leaves the first group.
    int other = 0;
    PropertyBag bag;
    bag.write("Mode", int64_t{2}, int64_t{0});
    ButtonAmbient amb;
    amb.container = &other;
    g.b->ReadProperties(bag, amb);
    EXPECT_EQ(g.count(), 0);
    EXPECT_EQ(groups.Slot(&other, 1), g.b.get());
    g.b->setMode(1);  // the last one removes the group
    EXPECT_EQ(groups.Count(&other), 0);
}

TEST(PressNudge, MovesWhilePressedAndBackWhenNoLongerApplies) {
    RecordingHost h;
    auto b = make_button(&h);
    b->setCustomClick(7);
    b->MouseMoveTo(0, 0, 5, 5, true);
    const int refreshes = h.refreshes;
    b->MousePress(1, 0, 5, 5);
    EXPECT_EQ(h.moves, (std::vector<QPoint>{{0, 1}}));
    EXPECT_EQ(b->LastDrawState(), 0);  // nothing painted on the pass that moved
    EXPECT_EQ(h.refreshes, refreshes + 1);
    b->Paint();  // the paint after the move draws the pressed face
    EXPECT_EQ(b->LastDrawState(), 2);
    b->MouseRelease(1, 0, 5, 5);
    b->MousePress(1, 0, 5, 5);
    b->HoverTimerCheck(false);  // leaving while held moves back too
    EXPECT_EQ(h.moves, (std::vector<QPoint>{{0, 1}, {0, -1}, {0, 1}, {0, -1}}));

    // So does a change of CustomClick or Mode while nudged (by the offset it
    // was moved with), and teardown.
    b->MouseMoveTo(1, 0, 5, 5, true);
    b->setCustomClick(2);
    EXPECT_EQ(h.moves.back(), QPoint(0, -1));
    b->Paint();
    EXPECT_EQ(h.moves.back(), QPoint(1, -1));
    b->setMode(1);
    EXPECT_EQ(h.moves.back(), QPoint(-1, 1));
    b->setMode(0);  // nudged again by its redraw
    b->Terminate();
    EXPECT_EQ(h.moves.size(), 10u);
    EXPECT_EQ(h.moves.back(), QPoint(-1, 1));
}

}  // namespace
}  // namespace tuner::testing
