// The wheel capture's keys by modifier, and the compressor curve taking the
// keyboard on a click, through the window system as a user makes them.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "controls/limiter.h"
#include "controls/wheel_capture.h"

using namespace tuner;

namespace {

void show_active(QWidget& form) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Records the keys that reach a widget and those that come up to its parent.
class KeyLog : public QObject {
public:
    std::vector<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) keys.push_back(static_cast<QKeyEvent*>(e)->key());
        return false;
    }
};

}  // namespace

// Up and Down alone or with Shift or Ctrl raise KeyDown 38 / 40 and stay with
// the capture; with Alt (Ctrl or Shift too or not) they raise nothing and
// still do not reach the box. Other keys reach the box with any modifier.
TEST(CurveKeys, CaptureStepsUpAndDownWithoutAlt) {
    QWidget form;
    auto* box = new QLineEdit(&form);
    box->setGeometry(10, 10, 100, 22);
    form.resize(140, 50);
    show_active(form);
    box->setFocus();
    KeyLog reached;
    box->installEventFilter(&reached);  // before the capture's own filter, so it hears only what passes
    WheelCapture cap;
    cap.setHWndCapture(box);
    cap.EnableWheel();
    std::vector<int> downs;
    QObject::connect(&cap, &WheelCapture::KeyDown, [&](int, int, int key, int) { downs.push_back(key); });

    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers held;
        std::vector<int> raised;
        bool reaches_box;
    };
    const Case cases[] = {
        {Qt::Key_Up, {}, {38}, false},
        {Qt::Key_Down, {}, {40}, false},
        {Qt::Key_Up, Qt::ShiftModifier, {38}, false},
        {Qt::Key_Down, Qt::ControlModifier, {40}, false},
        {Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier, {38}, false},
        {Qt::Key_Up, Qt::AltModifier, {}, false},
        {Qt::Key_Down, Qt::AltModifier, {}, false},
        {Qt::Key_Up, Qt::AltModifier | Qt::ControlModifier, {}, false},
        {Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier, {}, false},
        {Qt::Key_PageUp, {}, {}, true},
        {Qt::Key_PageDown, Qt::AltModifier, {}, true},
    };
    for (const Case& c : cases) {
        const std::string what = QKeySequence(c.key | c.held).toString().toStdString();
        downs.clear();
        reached.keys.clear();
        QTest::keyClick(form.windowHandle(), c.key, c.held);
        EXPECT_EQ(downs, c.raised) << what << ": KeyDown codes raised";
        const bool got = std::count(reached.keys.begin(), reached.keys.end(), int{c.key}) > 0;
        EXPECT_EQ(got, c.reaches_box) << what << ": reached the box";
    }
}

// A click on the curve takes the keyboard from the box being edited (which
// hears its focus loss before the press reaches the curve); keys then stay
// with the curve and do not come up to its parent.
TEST(CurveKeys, CurveTakesTheKeyboardOnAClick) {
    QWidget form;
    auto* box = new QLineEdit(&form);
    box->setGeometry(10, 10, 100, 22);
    auto* curve = new Limiter(&form);
    curve->setGeometry(10, 40, 150, 150);
    form.resize(180, 200);
    show_active(form);
    box->setFocus();
    std::string order;
    KeyLog parent_keys;
    form.installEventFilter(&parent_keys);
    struct FocusLog : QObject {
        std::string* order;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::FocusOut) *order += "box left|";
            return false;
        }
    } box_log;
    box_log.order = &order;
    box->installEventFilter(&box_log);
    QObject::connect(curve, &Limiter::output, [&](int db) { order += "output " + std::to_string(db) + "|"; });

    // The press on the knob: the box is left first, then the knob reports.
    curve->set_a__ui_db_adj(-10);
    const auto k10 = curve->model().knob_rect();
    const QPoint knob10 = curve->mapTo(&form, QPoint((k10.left + k10.right) / 2, (k10.top + k10.bottom) / 2));
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, knob10);
    EXPECT_EQ(order, "box left|output -10|") << "what the click did, in order";
    EXPECT_EQ(QApplication::focusWidget(), curve) << "focus after the click on the curve";

    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_5, Qt::Key_Return})
        QTest::keyClick(form.windowHandle(), key);
    EXPECT_EQ(parent_keys.keys, std::vector<int>{}) << "keys that came up to the curve's parent";
    EXPECT_EQ(curve->a__ui_db_adj(), -10.0f) << "threshold after the keys";
    EXPECT_EQ(QApplication::focusWidget(), curve) << "focus after the keys";
}
