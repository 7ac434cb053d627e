#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include <QTest>

#include "controls/slider.h"
#include "controls/slider_model.h"
#include "support/golden.h"

using namespace tuner;

namespace {

struct Recorder : ::testing::Test {
    SliderModel m;
    std::string log;
    std::vector<std::string> errors;
    Recorder() {
        m.events.Click = [this] { log += "C"; };
        m.events.ArrivedFirst = [this] { log += "F"; };
        m.events.ArrivedLast = [this] { log += "L"; };
        m.events.ValueChanged = [this] { log += "V"; };
        m.events.MouseDown = [this](int16_t&) { log += "D"; };
        m.events.MouseUp = [this](int16_t&) { log += "U"; };
        m.events.MouseOut = [this] { log += "O"; };
        m.events.slider_value_error = [this](const std::string& t) { errors.push_back(t); };
    }
    // The value and the events since the load, as "20 V".
    std::string state() const { return std::to_string(m.Value()) + " " + log; }
    // Vertical 0..30 with 100 pixels of travel (thumb 18 x 31).
    void vertical_volume(int value) {
        m.set_geometry(25, 131, 18, 31);
        m.load(0, 30, 2000, value);
        log.clear();
    }
};

}  // namespace

TEST_F(Recorder, SettersRefuseOutOfRangeAndClampToMaxLimit) {
    vertical_volume(10);
    m.setValue(31);
    EXPECT_EQ(m.Value(), 10);
    EXPECT_EQ(errors, std::vector<std::string>{"软件有可改进的地方，改进码：380"});
    m.load(0, 30, 20, 10);
    m.setValue(21);  // above max_limit: clamped silently
    EXPECT_EQ(state(), "20 ") << "no ValueChanged from code";
    m.load(0, 180, 2000, 10);
    m.setMin(30);
    EXPECT_EQ(state(), "30 F");
    EXPECT_FLOAT_EQ(m.thumb_top(), 100.f) << "thumb at the minimum end";
    m.load(0, 255, 2000, 10);  // a new scale moves the thumb
    m.setMax(60);
    EXPECT_FLOAT_EQ(m.thumb_top(), m.position_of(10));
}

TEST_F(Recorder, LoweredMaxLimitHoldsValueStepsAndDrag) {
    vertical_volume(25);
    m.setMax_limit(20);
    EXPECT_EQ(state(), "20 V");
    m.setMax_limit(20);
    m.ui_inc();  // at max_limit < max: no change, still reported
    EXPECT_EQ(state(), "20 VV");
    const float t20 = m.position_of(20);
    m.press(1, 5, t20 + 5, 0);
    m.move(5, -200);  // far upwards: the thumb stops at 20's place
    EXPECT_EQ(m.Value(), 20);
    EXPECT_EQ(m.thumb_top(), t20);
}

// 100 px for 30 values: 2 px (0.6 of a value) takes the nearer value.
TEST_F(Recorder, DragTakesNearestValueReleaseOutsideNoClick) {
    vertical_volume(0);
    m.pointer_entered();
    m.press(1, 9, 110, 0);  // on the thumb (top 100)
    ASSERT_TRUE(m.dragging());
    m.move(9, 110 - 2);
    EXPECT_EQ(m.Value(), 1);
    EXPECT_NEAR(m.thumb_top(), 100 - 100.0 / 30, 1e-4);
    m.move(9, 110 - 50);
    EXPECT_EQ(m.Value(), 15);
    m.pointer_left();  // waits for the release
    EXPECT_TRUE(m.mouse_inside());
    m.release(1, 9, 500, 0);
    EXPECT_EQ(log, "DVVUO");
}

TEST_F(Recorder, RailWheelAndKeysStepOnlyWhileEnabled) {
    vertical_volume(15);  // thumb top 50
    m.release(1, 9, 120, 0);
    EXPECT_EQ(state(), "14 VC");
    m.release(2, 9, 125, 0);  // right button: steps, no Click
    EXPECT_EQ(state(), "13 VCV");
    m.release(1, 9, 2, 0);                            // above the thumb: towards the maximum
    for (int delta : {120, 240, 60}) m.wheel(delta);  // one notch at a time, else nothing
    EXPECT_EQ(m.Value(), 15);
    m.wheel(-120);
    m.pointer_entered();
    for (int key : {38, 37}) m.key_down(key);  // Left: nothing when vertical
    EXPECT_EQ(m.Value(), 15);
    vertical_volume(30);
    m.ui_inc();
    EXPECT_EQ(state(), "30 ");
    vertical_volume(1);
    for (int i = 0; i < 2; ++i) m.ui_dec();
    EXPECT_EQ(state(), "0 FV");  // the second at the minimum raises nothing
    m.setEnabled(false);         // disabled: press, release and wheel do nothing
    m.press(1, 9, 110, 0);
    EXPECT_FALSE(m.dragging());
    m.release(1, 9, 2, 0);
    m.wheel(120);
    EXPECT_EQ(state(), "0 FV");
}

TEST_F(Recorder, ZeroAndHugeRanges) {
    m.set_geometry(25, 137, 18, 31);
    m.load(5, 5, 2000, 5);  // zero range, then no travel
    EXPECT_EQ(m.position_of(5), 106.f) << "zero range";
    m.set_geometry(25, 31, 18, 31);
    m.press(1, 5, 5, 0);
    m.move(5, 40);
    EXPECT_EQ(m.Value(), 5) << "no travel";
    m.set_geometry(25, 131, 18, 31);  // a range beyond 32 bits
    m.load(-2000000000, 2000000000, 2000000000, 0);
    EXPECT_FLOAT_EQ(m.position_of(0), 50.f);
    m.press(1, 5, 55, 0);
    m.move(5, 5);
    EXPECT_EQ(m.Value(), 2000000000);
}

// A horizontal 0..30 slider in a window.
TEST(SliderWidget, DragRailClicksAndArrowKeys) {
    QWidget form;
    auto* s = new xiSlider(&form);
    std::string log;
    s->setOrientation(0);
    s->setMax(30);
    s->setValue(10);
    s->setGeometry(20, 20, 200, 10);
    form.resize(300, 100);
    QObject::connect(s, &xiSlider::MouseDown, [&](int) { log += "D"; });
    QObject::connect(s, &xiSlider::MouseUp, [&](int) { log += "U"; });
    QObject::connect(s, &xiSlider::ValueChanged, [&] { log += "V"; });
    QObject::connect(s, &xiSlider::Click, [&] { log += "C"; });
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QWindow* win = form.windowHandle();
    auto at = [&](QPointF p) { return s->mapTo(&form, p.toPoint()); };
    const QPointF from(s->model().thumb_left() + s->model().thumb_w() / 2.0,
                       s->model().thumb_top() + s->model().thumb_h() / 2.0);
    QTest::mousePress(win, Qt::LeftButton, {}, at(from));
    EXPECT_TRUE(s->hasFocus());  // a click gives the slider the keyboard focus
    ASSERT_TRUE(s->model().dragging());
    QTest::mouseMove(win, at(from + QPointF(20, 0)));
    QTest::mouseMove(win, at(from + QPointF(20, 50)));  // off the slider, still held
    QTest::mouseRelease(win, Qt::LeftButton, {}, at(from + QPointF(20, 50)));
    EXPECT_EQ(s->Value(), 13);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(log, "DVU") << "no Click away from the slider";
    QTest::mouseClick(win, Qt::LeftButton, {}, at(QPointF(190, 5)));  // on the rail: one step, a Click
    EXPECT_EQ(log, "DVUDVC");
    QTest::mouseMove(win, QPoint(250, 80));
    QTest::keyClick(win, Qt::Key_Right);  // pointer outside: nothing
    EXPECT_EQ(s->Value(), 14);
    QTest::mouseMove(win, at({5, 5}));
    ASSERT_TRUE(s->wheel_capture().hooked());
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}) QTest::keyClick(win, k);  // Up: wheel
    EXPECT_EQ(s->Value(), 16);
}

TEST(SliderWidget, LayoutFromThumbAndWidth) {
    xiSlider s;
    s.setOrientation(0);
    s.set_thumb_size(19, 15);
    s.setBackColor(0xFFFFFF);
    s.setHua_slider_enable(false);
    s.setLine_Mode(1);
    s.setLine_Sub_Div(0);
    s.setLine_Main_Div(20);
    s.setWidth_ADJ(450);
    s.resize(219, 10);
    s.setMax(80);
    s.setMin(30);
    EXPECT_EQ(s.render_surface().size(), QSize(219, 45));
    s.setLine_Main_Div(-3);
    s.setMax(2000000000);
    EXPECT_FALSE(s.render_surface().isNull());

    xiSlider l;  // the control is sized from its thumb and width adjustment
    l.resize(10, 160);
    l.setWidth_ADJ(150);  // 10 pixels
    EXPECT_EQ(l.size(), QSize(18 + 10, 160));
    l.setOrientation(0);
    l.set_thumb_size(19, 15);
    EXPECT_EQ(l.height(), 15 + 10);
    EXPECT_EQ(l.rail_rect(), QRect(QPoint(8, 6), QPoint(l.width() + 8 - 19 + 4 - 1, 9)));
    l.setWidth_ADJ(2147483647);  // held within 4096 pixels
    EXPECT_EQ(l.height(), 15 + 4096);
}

// The window's sliders on their grey surface: a level (thumb 19 x 15, ticks below), a fader (18 x 31, ticks
// right of the rail, one thumb plus 7 pixels wide) and the balance (31 x 18, ticks above and so outside), at both
// ends and under the pointer.
TEST(SliderWidget, GoldenLooks) {
    enum Kind { Level, Fader, Balance };
    const std::tuple<const char*, Kind, int, bool> looks[] = {
        {"ctl_slider_h_min", Level, 0, false},     {"ctl_slider_h_max", Level, 30, false},
        {"ctl_slider_h_hot", Level, 12, true},     {"ctl_slider_v_min", Fader, 0, false},
        {"ctl_slider_v_max", Fader, 30, false},    {"ctl_slider_v_hot", Fader, 12, true},
        {"ctl_slider_balance", Balance, 7, false}, {"ctl_slider_balance_hot", Balance, 7, true}};
    for (const auto& [name, kind, value, hot] : looks) {
        xiSlider s;
        s.setBackColor(0xE0E0E0);
        s.setOrientation(kind == Fader ? 1 : 0);
        if (kind == Level) {
            s.set_thumb_size(19, 15);
            s.setWidth_ADJ(135);
            s.setLine_Main_Div(20);
            s.resize(118, 24);
        } else if (kind == Fader) {
            s.set_thumb_size(18, 31);
            s.setLine_Sub_Div(1);
            s.setLine_Main_Div(5);
            s.resize(25, 114);
        } else {
            s.set_thumb_size(31, 18);
            s.setLine_Mode(0);
            s.resize(160, 25);
        }
        EXPECT_EQ(kind == Fader ? s.width() : s.height(), kind == Level ? 24 : 25) << name << " across the rail";
        s.setMax(30);
        s.setValue(value);
        if (hot) s.model().pointer_entered();
        EXPECT_GOLDEN(s.render_surface(), name);
    }
}

TEST(SliderWidget, PropertiesKeepOnlyChangedSettings) {
    xiSlider a;
    PropertyBag bag;
    a.write_properties(bag);
    ASSERT_EQ(bag.size(), 0u);
    a.setLine_Sub_Div(6);
    a.setBackColor(0xE0E0E0);
    a.setMax(30);
    a.setValue(12);
    a.setShowValueTip(true);
    a.set_thumb_size(17, 25);
    a.write_properties(bag);
    for (const char* key : {"m_line_sub_div", "BACKCOLOR", "MouseOutSliderIcon"}) EXPECT_TRUE(bag.contains(key)) << key;
    xiSlider b;  // every setting comes back, the thumb picture among them
    b.read_properties(PropertyBag::from_text(bag.to_text()));
    PropertyBag again;
    b.write_properties(again);
    EXPECT_EQ(again.to_text(), bag.to_text());
    EXPECT_EQ(b.MouseOutSliderIcon().size(), QSize(17, 25));
}

TEST(SliderWidget, ValueTipAndSunkenGroove) {
    xiSlider h;
    h.setOrientation(0);
    h.set_thumb_size(19, 15);
    h.setWidth_ADJ(300);
    h.setMax(100);
    h.setMin(-100);
    h.setValue(-35);
    h.resize(220, 10);
    h.show();
    h.model().pointer_entered();
    h.show_value_tip();
    const QRect g = xiSlider::value_tip_window()->geometry().translated(-h.mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(g.bottom() + 1, static_cast<int>(h.model().thumb_top()) - 2) << "tip bottom";
    EXPECT_NEAR(g.center().x() + 0.5, h.model().thumb_left() + 19 / 2.0, 1.0) << "tip centre";
    h.setRailStyle(0);  // a sunken groove, which widens the control
    EXPECT_EQ(h.height(), 15 + 20);
    const QRect rail = h.rail_rect();
    EXPECT_EQ(h.render_surface().pixel(rail.left() + 2, rail.top()) & 0xFFFFFF, 0x808080u) << "groove top edge";
    xiSlider::close_value_tip();
}
