// Presses of the right and middle buttons on the slider and on the compressor
// curve, through the window system as a user makes them.
#include <cmath>
#include <string>

#include <gtest/gtest.h>
#include <QTest>

#include "controls/limiter.h"
#include "controls/slider.h"

using namespace tuner;

namespace {

QPoint nearest(double x, double y) {
    return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void show_active(QWidget& form) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

}  // namespace

// A vertical 0..30 slider with the value tip on, as the window's volume sliders.
TEST(PointerButtons, SliderTakesOnlyLeftPressesButStepsOnAnyRelease) {
    QWidget form;
    auto* s = new xiSlider(&form);
    s->setOrientation(1);
    s->set_thumb_size(28, 12);
    s->setMax(30);
    s->setValue(15);
    s->setShowValueTip(true);
    s->setGeometry(20, 20, 36, 146);
    form.resize(120, 200);
    std::string log;
    QObject::connect(s, &xiSlider::MouseDown, [&](int) { log += "D"; });
    QObject::connect(s, &xiSlider::MouseUp, [&](int) { log += "U"; });
    QObject::connect(s, &xiSlider::Click, [&] { log += "C"; });
    show_active(form);
    xiSlider::close_value_tip();
    QWindow* win = form.windowHandle();
    auto at = [&](QPoint p) { return s->mapTo(&form, p); };
    const QPoint thumb = nearest(s->model().thumb_left() + s->model().thumb_w() / 2.0,
                                 s->model().thumb_top() + s->model().thumb_h() / 2.0);
    const QPoint below(thumb.x(), s->height() - 3);

    auto tip_shown = [] { return xiSlider::value_tip_window() && xiSlider::value_tip_window()->isVisible(); };
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        const std::string which = b == Qt::RightButton ? "right" : "middle";
        log.clear();
        const int before = s->Value();
        // The pointer goes there first: moves show the tip, the press alone must not.
        QTest::mouseMove(win, at(thumb));
        xiSlider::close_value_tip();
        // On the thumb: no drag, no tip, no MouseDown; the drag that follows moves nothing.
        QTest::mousePress(win, b, {}, at(thumb));
        EXPECT_FALSE(s->model().dragging()) << which << " press on the thumb";
        EXPECT_FALSE(tip_shown()) << which << " press on the thumb shows the value tip";
        EXPECT_EQ(log, "") << which << " press on the thumb raises an event";
        QTest::mouseMove(win, at(thumb + QPoint(0, 30)));
        EXPECT_EQ(s->Value(), before) << which << " drag of the thumb";
        // The release lies below the thumb now: one step down, and no Click for this button.
        QTest::mouseRelease(win, b, {}, at(thumb + QPoint(0, 30)));
        EXPECT_EQ(s->Value(), before - 1) << which << " release below the thumb";
        EXPECT_EQ(log, "") << which << " release raises an event";
        // On the rail below: the press does nothing, the release steps once more.
        QTest::mouseMove(win, at(below));
        xiSlider::close_value_tip();
        QTest::mousePress(win, b, {}, at(below));
        EXPECT_EQ(s->Value(), before - 1) << which << " press on the rail";
        EXPECT_FALSE(tip_shown()) << which << " press on the rail shows the value tip";
        QTest::mouseRelease(win, b, {}, at(below));
        EXPECT_EQ(s->Value(), before - 2) << which << " release on the rail";
        EXPECT_EQ(log, "") << which << " click on the rail raises an event";
    }

    // The left button, for comparison: MouseDown and the tip at the press.
    log.clear();
    QTest::mouseMove(win, at(below));
    xiSlider::close_value_tip();
    QTest::mousePress(win, Qt::LeftButton, {}, at(below));
    EXPECT_EQ(log, "D") << "left press on the rail";
    EXPECT_TRUE(tip_shown()) << "left press shows the value tip";
    QTest::mouseRelease(win, Qt::LeftButton, {}, at(below));
    EXPECT_EQ(log, "DC") << "left release on the rail";
    xiSlider::close_value_tip();
}

// The compressor's curve: the knob follows the left button alone, not the left with another button.
TEST(PointerButtons, CompressorCurveIgnoresOtherButtons) {
    QWidget form;
    auto* lim = new Limiter(&form);
    lim->setGeometry(10, 10, 150, 150);
    form.resize(180, 180);
    lim->set_a__ui_db_adj(-10);
    int outputs = 0;
    QObject::connect(lim, &Limiter::output, [&](int) { ++outputs; });
    show_active(form);
    QWindow* win = form.windowHandle();
    const LimiterModel& m = lim->model();
    const auto k = m.knob_rect();
    const QPoint knob = lim->mapTo(&form, nearest((k.left + k.right) / 2.0, (k.top + k.bottom) / 2.0));
    const QPoint lower = lim->mapTo(&form, nearest(m.px_x(-10), m.px_y(-25)));

    // A left click on the knob first: the knob it grabbed must not follow another button afterwards.
    QTest::mouseMove(win, knob);
    QTest::mouseClick(win, Qt::LeftButton, {}, knob);
    outputs = 0;  // the press reports the threshold it found
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        const std::string which = b == Qt::RightButton ? "right" : "middle";
        QTest::mouseMove(win, knob);
        QTest::mousePress(win, b, {}, knob);
        QTest::mouseMove(win, lower);
        QTest::mouseRelease(win, b, {}, lower);
        EXPECT_EQ(lim->a__ui_db_adj(), -10.f) << which << " drag of the knob";
        EXPECT_EQ(outputs, 0) << which << " drag reported a threshold";
    }

    // The left button held together with another one: a move does nothing until the other is let go.
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        const std::string which = b == Qt::RightButton ? "right" : "middle";
        const QPoint at = lim->mapTo(&form, nearest((k.left + k.right) / 2.0, (k.top + k.bottom) / 2.0));
        QTest::mouseMove(win, at);
        QTest::mousePress(win, Qt::LeftButton, {}, at);
        outputs = 0;
        QTest::mousePress(win, b, {}, at);
        QTest::mouseMove(win, lower);
        EXPECT_EQ(lim->a__ui_db_adj(), -10.f) << "drag with left and " << which << " held";
        EXPECT_EQ(outputs, 0) << "drag with left and " << which << " held reported a threshold";
        // With the left button alone again the grabbed knob follows.
        QTest::mouseRelease(win, b, {}, lower);
        QTest::mouseMove(win, lower + QPoint(0, 1));
        EXPECT_NEAR(lim->a__ui_db_adj(), -25.f, 1.5f) << "left alone again after " << which;
        QTest::mouseRelease(win, Qt::LeftButton, {}, lower);
        lim->set_a__ui_db_adj(-10);
    }

    // The left button drags it.
    QTest::mouseMove(win, knob);
    QTest::mousePress(win, Qt::LeftButton, {}, knob);
    QTest::mouseMove(win, lower);
    QTest::mouseRelease(win, Qt::LeftButton, {}, lower);
    EXPECT_NEAR(lim->a__ui_db_adj(), -25.f, 1.0f) << "left drag of the knob";
    EXPECT_GT(outputs, 0) << "left drag reports the threshold";
}
