// The widget headless: what the windows do with it (caption, colour, font,
// visibility, Click) and how Qt input reaches the button.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

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
    }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(type, QPointF(pos), button->mapToGlobal(QPointF(pos)), b, held, Qt::NoModifier);
        QApplication::sendEvent(button, &e);
    }
    void key(QEvent::Type type, int k, bool repeat = false) {
        QKeyEvent e(type, k, Qt::NoModifier, k == Qt::Key_Space ? QStringLiteral(" ") : QString(), repeat);
        QApplication::sendEvent(button, &e);
    }
};

TEST_F(WidgetTest, WhatTheWindowsUse) {
    button->setCaption(QStringLiteral("静音"));
    EXPECT_EQ(button->Caption(), QStringLiteral("静音"));
    button->setBackColor(0xFFFF80);
    const uint32_t lit = button->model().WindowImage().pixel(8, 3);
    button->setBackColor(0xC0C0C0);
    EXPECT_NE(button->model().WindowImage().pixel(8, 3), lit);
    FontSpec f = button->Font();
    f.charset = 1;
    button->setFont(f);
    EXPECT_EQ(button->Font().charset, 1);
    button->setVisible(false);
    EXPECT_FALSE(button->isVisible());
    // The window takes the shape: the corner pixels are cut.
    EXPECT_FALSE(button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->mask().contains(QPoint(50, 14)));
}

TEST_F(WidgetTest, ClicksAndDoubleClicks) {
    mouse(QEvent::MouseButtonPress, {20, 10});
    mouse(QEvent::MouseButtonRelease, {20, 10});
    EXPECT_EQ(clicks, 1);
    mouse(QEvent::MouseButtonDblClick, {20, 10});
    mouse(QEvent::MouseButtonRelease, {20, 10});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(double_clicks, 1);
    // Released away from the button: no click.
    mouse(QEvent::MouseButtonPress, {20, 10});
    mouse(QEvent::MouseButtonRelease, {300, 10});
    EXPECT_EQ(clicks, 1);
    mouse(QEvent::MouseButtonPress, {20, 10}, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {20, 10}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetTest, HeldSpaceClicksOnce) {
    key(QEvent::KeyPress, Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        key(QEvent::KeyRelease, Qt::Key_Space, true);
        key(QEvent::KeyPress, Qt::Key_Space, true);
    }
    key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetTest, DisabledFormDoesNotGreyTheFace) {
    const uint32_t before = button->model().WindowImage().pixel(8, 14);
    form.setEnabled(false);
    EXPECT_TRUE(button->model().Enabled());
    EXPECT_FALSE(button->isEnabled());  // input is blocked all the same
    EXPECT_EQ(button->model().WindowImage().pixel(8, 14), before);
    form.setEnabled(true);
    button->model().setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_NE(button->model().WindowImage().pixel(8, 14), before);
    button->setEnabled(true);
    EXPECT_TRUE(button->model().Enabled());
}

}  // namespace
}  // namespace tuner
