// What reaches the screen of the parameter controls: after a value, a state or
// a colour the host sets, and after the user's pointer, the window shows what
// the control paints now, not its old face.
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "controls/limiter.h"
#include "controls/param_text_box.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "support/screen_capture.h"

namespace tuner {
namespace {

using namespace tuner::testing;

QPoint nearest(double x, double y) {
    return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

struct ControlsScreen : ::testing::Test {
    QWidget form;

    void show_form(QSize size) { show_active_form(form, size); }
    QWindow* window() { return form.windowHandle(); }
};

// A window volume slider: values from the host and from the user's pointer and
// wheel, the pointer over the thumb, the enabled state and a colour.
TEST_F(ControlsScreen, SliderChangesReachTheScreen) {
    auto* s = new xiSlider(&form);
    s->setOrientation(1);
    s->set_thumb_size(28, 12);
    s->setMax(30);
    s->setValue(15);
    s->setGeometry(20, 20, 36, 146);
    show_form({120, 200});
    const SliderModel& m = s->model();
    auto thumb = [&] {
        return s->mapTo(&form, nearest(m.thumb_left() + m.thumb_w() / 2.0, m.thumb_top() + m.thumb_h() / 2.0));
    };
    expect_screen_follows(s, "the host's value", [&] { s->setValue(5); });
    expect_screen_follows(s, "the pointer over the thumb", [&] { pointer_to(&form, thumb()); });
    expect_screen_follows(s, "a drag of the thumb", [&] {
        const QPoint from = thumb();
        QTest::mousePress(window(), Qt::LeftButton, {}, from);
        QTest::mouseMove(window(), from + QPoint(0, -40));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, from + QPoint(0, -40));
    });
    xiSlider::close_value_tip();
    expect_screen_follows(s, "the pointer away", [&] { pointer_to(&form, QPoint(110, 190)); });
    expect_screen_follows(s, "a click on the rail below", [&] {
        const QPoint below = s->mapTo(&form, QPoint(18, 140));
        pointer_to(&form, below);
        QTest::mouseClick(window(), Qt::LeftButton, {}, below);
        pointer_to(&form, QPoint(110, 190));
    });
    xiSlider::close_value_tip();
    expect_screen_follows(s, "the host's step up", [&] { s->ui_inc(); });
    expect_screen_follows(s, "the back colour", [&] { s->setBackColor(0x00FF00); });
    // The ticks follow the scale, also where the value stays outside it or at its new end.
    s->setValue(20);
    expect_screen_follows(s, "the maximum below the value", [&] { s->setMax(10); });
    expect_screen_follows(s, "the maximum above the value", [&] { s->setMax(40); });
    s->setValue(5);
    expect_screen_follows(s, "the minimum at the value", [&] { s->setMin(5); });
    expect_screen_follows(s, "the tick colour", [&] { s->setLine_Sub_Color(0x0000FF); });
}

// The EQ graph: bands and the pre-gain from the host, the band chosen by the
// host and by a click, the bypass caption and a colour.
TEST_F(ControlsScreen, EqGraphChangesReachTheScreen) {
    auto* p = new PEQ(&form);
    p->setGeometry(10, 10, 520, 266);
    p->model().set_a__eq_num_max(9);
    for (int16_t b = 0; b <= 9; ++b) {
        p->EQ_init(b, 35, 395, 0, 99, 30, 180, true);
        p->EqIn(b, 0, static_cast<int>(40 + 35 * b), 14, 120);
    }
    show_form({540, 290});
    expect_screen_follows(p, "a band from the host", [&] { p->EqIn(3, 0, 150, 20, 170); });
    expect_screen_follows(p, "the pre-gain", [&] { p->peq_input_pre_gain(100); });
    expect_screen_follows(p, "the host chooses band 3", [&] { p->dis_peq_x(3); });
    expect_screen_follows(p, "a click on band 6's marker", [&] {
        const PeqModel& m = p->model();
        const auto mk = m.marker_rect(6);
        const QPoint at = p->mapTo(&form, nearest(m.px_x((mk.left + mk.right) / 2.0), m.px_y((mk.top + mk.bottom) / 2.0)));
        pointer_to(&form, at);
        QTest::mouseClick(window(), Qt::LeftButton, {}, at);
    });
    ASSERT_EQ(p->select_eq_index(), 6) << "the band chosen by the click";
    expect_screen_follows(p, "band 2 off", [&] { p->Set_eq_index_enable(2, 0); });
    expect_screen_follows(p, "the bypass caption", [&] { p->Dis_Bypass_on(118, 1, 60, "BYPASS", 0xFFFFFF); });
    expect_screen_follows(p, "the bypass caption away", [&] { p->Dis_Bypass_off(); });
    expect_screen_follows(p, "the grid colour", [&] { p->set_a__grid_line_color(0x808080); });
}

// The compressor's curve: the threshold from the host and from a drag of the
// knob, the OFF caption and a colour.
TEST_F(ControlsScreen, LimiterChangesReachTheScreen) {
    auto* lim = new Limiter(&form);
    lim->setGeometry(10, 10, 156, 156);
    lim->set_a__ui_db_adj(-12);
    show_form({180, 180});
    const LimiterModel& m = lim->model();
    expect_screen_follows(lim, "the host's threshold", [&] { lim->set_a__ui_db_adj(-20); });
    expect_screen_follows(lim, "the OFF caption away", [&] { lim->set_dis_off_bit(1); });
    expect_screen_follows(lim, "the OFF caption back", [&] { lim->set_dis_off_bit(0); });
    expect_screen_follows(lim, "a drag of the knob", [&] {
        const auto k = m.knob_rect();
        const QPoint knob = lim->mapTo(&form, nearest((k.left + k.right) / 2.0, (k.top + k.bottom) / 2.0));
        const QPoint lower = lim->mapTo(&form, nearest(m.px_x(-20), m.px_y(-30)));
        pointer_to(&form, knob);
        QTest::mousePress(window(), Qt::LeftButton, {}, knob);
        QTest::mouseMove(window(), lower);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, lower);
    });
    expect_screen_follows(lim, "the curve colour", [&] { lim->set_a__ui_Limiter_line_total_color(0x00FF00); });
}

// A numeric parameter box: the text and the colour the rules set, and the
// caret hidden and shown again while the box has the keyboard.
TEST_F(ControlsScreen, ParameterBoxChangesReachTheScreen) {
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);  // a caret that does not blink
    auto* box = new ParamTextBox(&form);
    box->setGeometry(10, 10, 80, 24);
    box->set_box({"12", 2});
    show_form({120, 50});
    box->setFocus();
    settle_screen();
    expect_screen_follows(box, "the text", [&] { box->set_box({"-7.5", 4}); });
    expect_screen_follows(box, "the text red", [&] { box->set_fore_color(0x0000FF); });
    expect_screen_follows(box, "the caret hidden", [&] { box->hide_caret(); });
    expect_screen_follows(box, "the caret shown", [&] { box->show_caret(); });
    expect_screen_follows(box, "disabled", [&] { box->setEnabled(false); });
    QApplication::setCursorFlashTime(flash);
}

}  // namespace
}  // namespace tuner
