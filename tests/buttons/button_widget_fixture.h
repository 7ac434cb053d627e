// The button widget in a form, shown headless; pointer and keys go through the window system.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "buttons/qb_buttons_h.h"

namespace tuner::testing {

// The widget headless, with input through the window system.
struct WidgetTest : ::testing::Test {
    QWidget form;
    qbButtons_H* button = nullptr;
    std::vector<std::string> log;
    void SetUp() override {
        PropertyBag bag;
        bag.write("BackStyle", int64_t{2}, int64_t{0});
        bag.write("Caption", std::string("MUTE"), std::string());
        button = new qbButtons_H(bag, &form);
        button->setGeometry(10, 10, 105, 29);
        auto add = [this](std::string e) {
            return [this, e](int b, auto...) { log.push_back(e + std::to_string(b)); };
        };
        QObject::connect(button, &qbButtons_H::MouseDown, add("D"));
        QObject::connect(button, &qbButtons_H::MouseUp, add("U"));
        QObject::connect(button, &qbButtons_H::DoubleClick, add("Dbl"));
        QObject::connect(button, &qbButtons_H::Click, [this] { log.push_back("Click"); });
        form.resize(200, 100);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        button->setFocus();
    }
    // Pointer and keys go through the window system, as a user's do.
    QWindow* window() { return form.windowHandle(); }
    QPoint at(QPoint pos) const { return button->mapTo(&form, pos); }
    void press(QPoint pos) { QTest::mousePress(window(), Qt::LeftButton, {}, at(pos)); }
    void release(QPoint pos) { QTest::mouseRelease(window(), Qt::LeftButton, {}, at(pos)); }
    void key(bool down, bool repeat = false) {
        QTest::simulateEvent(window(), down, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
    }
    uint32_t face() const { return button->model().WindowImage().pixel(8, 14); }
};

}  // namespace tuner::testing
