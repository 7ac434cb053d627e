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
    void key(QEvent::Type type, bool repeat = false) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
        QApplication::sendEvent(button, &e);
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
    mouse(QEvent::MouseButtonPress, {20, 10});
    mouse(QEvent::MouseButtonRelease, {20, 10});
    mouse(QEvent::MouseButtonDblClick, {20, 10});
    mouse(QEvent::MouseButtonRelease, {20, 10});  // no second click
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(double_clicks, 1);
    mouse(QEvent::MouseButtonPress, {20, 10});
    mouse(QEvent::MouseButtonRelease, {300, 10});  // released away
    mouse(QEvent::MouseButtonPress, {20, 10}, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {20, 10}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
    key(QEvent::KeyPress);
    for (int i = 0; i < 3; ++i) {
        key(QEvent::KeyRelease, true);
        key(QEvent::KeyPress, true);
    }
    key(QEvent::KeyRelease);
    EXPECT_EQ(clicks, 2);  // one for the whole auto-repeat
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
