// The button's mouse events as a host receives them through the window system: button 1 left, 2 right, 4 middle;
// Shift 1, Ctrl 2, Alt 4 added up; X and Y the pixel in the button; MouseMove with the buttons held; MouseOnButton
// on entering and leaving; DoubleClick with the button.
#include <gtest/gtest.h>

#include "button_widget_fixture.h"

namespace tuner::testing {
namespace {

using Log = std::vector<std::string>;

std::string args(const char* e, int b, int s, float x, float y) {
    return std::string(e) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
           std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
}

struct ButtonEventArgs : WidgetTest {
    Log events;
    void SetUp() override {
        WidgetTest::SetUp();
        QObject::connect(button, &qbButtons_H::MouseDown,
                         [this](int b, int s, float x, float y) { events.push_back(args("Down", b, s, x, y)); });
        QObject::connect(button, &qbButtons_H::MouseUp,
                         [this](int b, int s, float x, float y) { events.push_back(args("Up", b, s, x, y)); });
        QObject::connect(button, &qbButtons_H::MouseMove,
                         [this](int b, int s, float x, float y) { events.push_back(args("Move", b, s, x, y)); });
        QObject::connect(button, &qbButtons_H::MouseOnButton,
                         [this](bool on) { events.push_back(on ? "OnButton 1" : "OnButton 0"); });
        QObject::connect(button, &qbButtons_H::DoubleClick,
                         [this](int b) { events.push_back("DoubleClick " + std::to_string(b)); });
        QObject::connect(button, &qbButtons_H::Click, [this] { events.push_back("Click"); });
    }
};

TEST_F(ButtonEventArgs, PressAndReleaseCarryButtonShiftAndPosition) {
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers held;
        QPoint pos;
        Log expected;
    };
    const Case cases[] = {
        {Qt::LeftButton, {}, {20, 10}, {"Down 1 0 20 10", "Up 1 0 20 10", "Click"}},
        {Qt::LeftButton, Qt::ControlModifier, {3, 25}, {"Down 1 2 3 25", "Up 1 2 3 25", "Click"}},
        {Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier, {100, 4}, {"Down 1 5 100 4", "Up 1 5 100 4", "Click"}},
        {Qt::RightButton, Qt::ShiftModifier, {50, 14}, {"Down 2 1 50 14", "Up 2 1 50 14"}},
        {Qt::MiddleButton, Qt::AltModifier, {60, 20}, {"Down 4 4 60 20", "Up 4 4 60 20"}},
    };
    for (const Case& c : cases) {
        events.clear();
        QTest::mouseClick(window(), c.button, c.held, at(c.pos));
        Log got;
        for (const std::string& e : events) {
            if (e.rfind("Move", 0) != 0 && e.rfind("OnButton", 0) != 0) got.push_back(e);
        }
        EXPECT_EQ(got, c.expected) << "click at " << c.pos.x() << "," << c.pos.y();
    }
}

TEST_F(ButtonEventArgs, MovesEnteringLeavingAndDoubleClicks) {
    QTest::mouseMove(window(), QPoint(180, 80));  // beside the button
    events.clear();
    QTest::mouseMove(window(), at({40, 12}));
    EXPECT_EQ(events, (Log{"OnButton 1", "Move 0 0 40 12"})) << "entering the button";
    events.clear();
    QTest::mouseMove(window(), QPoint(180, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::ranges::count(events, "OnButton 0") == 1; }, 2000))
        << "no MouseOnButton(False) after leaving: " << ::testing::PrintToString(events);
    QTest::mouseMove(window(), at({40, 12}));
    QTest::mousePress(window(), Qt::LeftButton, {}, at({40, 12}));
    events.clear();
    QTest::mouseMove(window(), at({42, 13}));
    EXPECT_EQ(events, (Log{"Move 1 0 42 13"})) << "a move with the left button held";
    QTest::mouseRelease(window(), Qt::LeftButton, {}, at({42, 13}));
    events.clear();
    QTest::mouseDClick(window(), Qt::LeftButton, {}, at({30, 9}));
    Log got;
    for (const std::string& e : events) {
        if (e.rfind("Move", 0) != 0 && e.rfind("OnButton", 0) != 0) got.push_back(e);
    }
    EXPECT_EQ(got, (Log{"Down 1 0 30 9", "Up 1 0 30 9", "Click", "DoubleClick 1", "Down 1 0 30 9", "Up 1 0 30 9"}))
        << "a double click with the left button";
}

}  // namespace
}  // namespace tuner::testing
