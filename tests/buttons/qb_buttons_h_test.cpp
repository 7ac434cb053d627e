// The widget headless: what the windows do with it (caption, colour, font,
// visibility, Click) and how Qt input reaches the button.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "buttons/qb_buttons_h.h"

namespace tuner {
namespace {

struct WidgetTest : ::testing::Test {
    QWidget form;
    qbButtons_H* button = nullptr;
    int clicks = 0;
    int double_clicks = 0;
    void SetUp() override {
        PropertyBag bag;
        bag.write("BackStyle", int64_t{2}, int64_t{0});
        bag.write("Caption", std::string("MUTE"), std::string());
        button = new qbButtons_H(bag, &form);
        button->setGeometry(10, 10, 105, 29);
        QObject::connect(button, &qbButtons_H::Click, [this] { ++clicks; });
        QObject::connect(button, &qbButtons_H::DoubleClick, [this](int) { ++double_clicks; });
        form.resize(200, 100);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        button->setFocus();
    }
    // Pointer and keys go through the window system, as a user's do.
    QWindow* window() { return form.windowHandle(); }
    QPoint at(QPoint pos) const { return button->mapTo(&form, pos); }
    void press(QPoint pos, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(window(), b, {}, at(pos)); }
    void release(QPoint pos, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(window(), b, {}, at(pos)); }
    void key(bool down, bool repeat = false) {
        QTest::simulateEvent(window(), down, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
    }
    uint32_t face() const { return button->model().WindowImage().pixel(8, 14); }
};

TEST_F(WidgetTest, WhatTheWindowsUse) {
    button->setCaption(QStringLiteral("静音"));
    EXPECT_EQ(button->Caption(), QStringLiteral("静音"));
    button->setBackColor(0xFFFF80);
    const uint32_t lit = face();
    button->setBackColor(0xC0C0C0);
    EXPECT_NE(face(), lit);
    FontSpec f = button->Font();
    f.charset = 1;
    button->setFont(f);
    EXPECT_EQ(button->Font().charset, 1);
    // The window takes the shape: the corner pixels are cut.
    EXPECT_FALSE(button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->mask().contains(QPoint(50, 14)));
}

TEST_F(WidgetTest, ClicksDoubleClicksAndHeldSpace) {
    QTest::mouseDClick(window(), Qt::LeftButton, {}, at({20, 10}));  // no second click
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(double_clicks, 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    press({20, 10});
    EXPECT_EQ(QWidget::mouseGrabber(), button);  // held until the release, wherever it is
    release({150, 10});                          // released away, beside the button
    press({20, 10}, Qt::RightButton);
    release({20, 10}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
    key(true);
    for (int i = 0; i < 3; ++i) {
        key(false, true);
        key(true, true);
    }
    key(false);
    EXPECT_EQ(clicks, 2);  // one for the whole auto-repeat
}

TEST_F(WidgetTest, DoubleClickOrderThroughTheWindow) {
    std::vector<std::string> log;
    QObject::connect(button, &qbButtons_H::MouseDown,
                     [&](int b, int, float, float) { log.push_back("D" + std::to_string(b)); });
    QObject::connect(button, &qbButtons_H::MouseUp,
                     [&](int b, int, float, float) { log.push_back("U" + std::to_string(b)); });
    QObject::connect(button, &qbButtons_H::Click, [&] { log.push_back("Click"); });
    QObject::connect(button, &qbButtons_H::DoubleClick, [&](int b) { log.push_back("Dbl" + std::to_string(b)); });
    QTest::mouseDClick(window(), Qt::LeftButton, {}, at({20, 10}));
    // The double click stands for the second press and raises its MouseDown.
    EXPECT_EQ(log, (std::vector<std::string>{"D1", "U1", "Click", "Dbl1", "D1", "U1"}));
}

TEST_F(WidgetTest, DisabledFormDoesNotGreyTheFace) {
    const uint32_t before = face();
    form.setEnabled(false);
    EXPECT_TRUE(button->model().Enabled());
    EXPECT_FALSE(button->isEnabled());  // input is blocked all the same
    EXPECT_EQ(face(), before);
    form.setEnabled(true);
    button->model().setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_NE(face(), before);
    button->setEnabled(true);
    EXPECT_TRUE(button->model().Enabled());
}

}  // namespace
}  // namespace tuner
