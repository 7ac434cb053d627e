// Wheel turns and Up/Down keys over the bound boxes reach the steppers,
// delivered through the top-level window as the window system would.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "dialogs/wheel_binding.h"

using namespace tuner;

namespace {

struct Call {
    std::string stepper;
    int index;
    bool operator==(const Call&) const = default;
};

// A stand-in for the main window: the bound boxes in a grid, and the EQ graph.
struct Window {
    QWidget top;
    std::vector<Call> calls;
    int band = kNoSelectedBand;
    QWidget* peq = nullptr;

    Window() {
        int y = 0;
        auto add = [&](const QString& name) {
            auto* box = new QLineEdit(&top);
            box->setObjectName(name);
            box->setGeometry(10 + (y / 600) * 120, 10 + y % 600, 100, 20);
            y += 25;
        };
        for (const WheelRoute& r : kWheelRoutes) {
            if (r.selected_band) continue;
            for (int i = 0; i < (r.array ? 10 : 1); ++i) add(QString::fromStdString(wheel_target_name(r, i)));
        }
        peq = new QWidget(&top);
        peq->setObjectName(QStringLiteral("PEQ"));
        peq->setFocusPolicy(Qt::StrongFocus);
        peq->setGeometry(600, 10, 200, 150);
        top.resize(820, 640);
        top.show();
        top.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&top));
        Text_add_mouse_and_key_up_down_output_function_power_on_call(
            &top,
            [this](std::string_view s, int i) {
                calls.push_back({std::string(s), i});
            },
            [this] { return band; });
    }
    QWidget* w(const char* name) { return top.findChild<QWidget*>(QString::fromLatin1(name)); }
    // A wheel turn at the centre of `target`, handed to the top-level window.
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

TEST(WheelBinding, TableHasFortyThreeDistinctCapturesAndTargets) {
    std::set<std::string> controls, targets;
    int arrays = 0;
    for (const WheelRoute& r : kWheelRoutes) {
        EXPECT_TRUE(controls.insert(r.control).second) << r.control;
        EXPECT_TRUE(targets.insert(r.target).second) << r.target;
        arrays += r.array;
    }
    EXPECT_EQ(arrays, 4);
}

TEST(WheelBinding, WheelAndUpDownStepTheBoxUnderThem) {
    Window win;
    win.wheel(win.w("Text_music_vol"), 120);
    win.wheel(win.w("Text_music_vol"), -120);
    win.wheel(win.w("text_echo_reverb_bili"), 240);  // two notches
    win.wheel(win.w("Text_eq_q(3)"), 120);
    win.wheel(win.w("Text_cpu_test_data(7)"), -120);
    win.wheel(win.w("Text_eq_freq(9)"), 0, 120);  // horizontal: not a step
    win.key(win.w("Text_drc_attack"), Qt::Key_Up);
    win.key(win.w("Text_eq_db(0)"), Qt::Key_Down);
    win.key(win.w("Text_sub_out_mic_vol"), Qt::Key_Left);
    const std::vector<Call> want{
        {"music_vol_inc", -1}, {"music_vol_dec", -1},    {"echo_reverb_bili_inc", -1}, {"echo_reverb_bili_inc", -1},
        {"eq_q_inc", 3},       {"cpu_test_data_dec", 7}, {"drc_attack_inc", -1},       {"eq_db_dec", 0},
    };
    EXPECT_EQ(win.calls, want);
}

TEST(WheelBinding, EveryRouteReachesItsStepper) {
    Window win;
    for (const WheelRoute& r : kWheelRoutes) {
        if (r.selected_band) continue;
        const int i = r.array ? 5 : -1;
        win.calls.clear();
        win.wheel(win.top.findChild<QWidget*>(QString::fromStdString(wheel_target_name(r, r.array ? 5 : 0))), 120);
        EXPECT_EQ(win.calls, (std::vector<Call>{{std::string(r.stepper) + "_inc", i}})) << r.control;
    }
}

TEST(WheelBinding, OtherKeysStillTypeInTheBox) {
    Window win;
    auto* box = static_cast<QLineEdit*>(win.w("Text_mic_vol"));
    box->setFocus();
    QTest::keyClick(win.top.windowHandle(), Qt::Key_1);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_2);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_Left);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_3);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_End);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_Backspace);
    QTest::keyClick(win.top.windowHandle(), Qt::Key_Up);
    EXPECT_EQ(box->text(), "13");
    EXPECT_EQ(win.calls, (std::vector<Call>{{"mic_vol_inc", -1}}));
}

TEST(WheelBinding, EqGraphStepsTheSelectedBandOnly) {
    Window win;
    win.wheel(win.peq, 120);
    win.key(win.peq, Qt::Key_Up);
    EXPECT_TRUE(win.calls.empty());
    win.band = 4;
    win.wheel(win.peq, 120);
    win.wheel(win.peq, -120);
    win.key(win.peq, Qt::Key_Down);
    win.key(win.peq, Qt::Key_Up);
    EXPECT_EQ(win.calls, (std::vector<Call>{{"eq_db_inc", 4}, {"eq_db_dec", 4}, {"eq_db_dec", 4}, {"eq_db_inc", 4}}));
}

TEST(WheelBinding, SecondCallBindsNothingTwice) {
    Window win;
    Text_add_mouse_and_key_up_down_output_function_power_on_call(
        &win.top,
        [&](std::string_view s, int i) {
            win.calls.push_back({std::string(s) + "!", i});
        },
        [] { return 0; });
    win.wheel(win.w("Text_reverb_vol"), 120);
    EXPECT_EQ(win.calls, (std::vector<Call>{{"reverb_vol_inc", -1}}));
}
