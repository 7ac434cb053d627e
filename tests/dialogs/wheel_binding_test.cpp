#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "dialogs/wheel_binding.h"

using namespace tuner;

namespace {

// A stand-in for the main window: the bound boxes in a grid, and the EQ graph.
struct Window {
    QWidget top;
    std::string calls;  // "stepper index|" per call
    int band = kNoSelectedBand;
    QWidget* peq = new QWidget(&top);

    Window() {
        int y = 0;
        for (const WheelRoute& r : kWheelRoutes)
            for (int i = 0; !r.selected_band && i < (r.array ? 10 : 1); ++i, y += 25) {
                auto* box = new QLineEdit(&top);
                box->setObjectName(QString::fromStdString(wheel_target_name(r, i)));
                box->setGeometry(10 + (y / 600) * 120, 10 + y % 600, 100, 20);
            }
        peq->setObjectName(QStringLiteral("PEQ"));
        peq->setFocusPolicy(Qt::StrongFocus);
        peq->setGeometry(600, 10, 200, 150);
        top.resize(820, 640), top.show();
        top.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
        bind([this](std::string_view s, int i) { calls += std::string(s) + " " + std::to_string(i) + "|"; });
    }
    void bind(std::function<void(std::string_view, int)> step) {
        Text_add_mouse_and_key_up_down_output_function_power_on_call(&top, step, [this] { return band; });
    }
    QWidget* w(const std::string& name) { return top.findChild<QWidget*>(QString::fromStdString(name)); }
    void wheel(QWidget* target, int dy, int dx = 0) {
        const QPointF at = target->mapTo(&top, target->rect().center());
        QWheelEvent e(at, target->mapToGlobal(target->rect().center()), QPoint(), QPoint(dx, dy), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(top.windowHandle(), &e);
    }
    void key(QWidget* target, Qt::Key k) {
        target->setFocus();
        QTest::keyClick(top.windowHandle(), k);
    }
};

}  // namespace

// Only the vertical wheel and Up/Down step; other keys type.
TEST(WheelBinding, OnlyVerticalWheelAndUpDownStep) {
    Window win;
    win.wheel(win.w("text_echo_reverb_bili"), 240);
    win.wheel(win.w("Text_eq_freq(9)"), 0, 120);
    auto* box = static_cast<QLineEdit*>(win.w("Text_mic_vol"));
    box->setFocus();
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_Left, Qt::Key_3, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Up})
        QTest::keyClick(win.top.windowHandle(), k);
    EXPECT_EQ(box->text(), "13");
    EXPECT_EQ(win.calls, "echo_reverb_bili_inc -1|echo_reverb_bili_inc -1|mic_vol_inc -1|");

    // The EQ graph steps the selected band; binding twice adds no route.
    win.calls.clear();
    win.wheel(win.peq, 120);
    win.key(win.peq, Qt::Key_Up);
    EXPECT_EQ(win.calls, "");
    win.band = 4;
    win.wheel(win.peq, -120);
    win.key(win.peq, Qt::Key_Up);
    win.bind([&](std::string_view, int) { win.calls += "again|"; });
    win.wheel(win.w("Text_reverb_vol"), 120);
    EXPECT_EQ(win.calls, "eq_db_dec 4|eq_db_inc 4|reverb_vol_inc -1|");
}

// Text_x (or Text_x(i)) steps x_inc (with i).
TEST(WheelBinding, EveryBoxStepsItsOwnValue) {
    Window win;
    for (const WheelRoute& r : kWheelRoutes) {
        for (int i = 0; !r.selected_band && i < (r.array ? 10 : 1); ++i) {
            const std::string box = wheel_target_name(r, i);
            win.calls.clear();
            win.wheel(win.w(box), 120);
            EXPECT_EQ(win.calls, box.substr(5, box.find('(') - 5) + "_inc " + std::to_string(r.array ? i : -1) + "|")
                << box;
        }
    }
}
