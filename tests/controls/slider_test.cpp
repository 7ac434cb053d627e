#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QTest>

#include "controls/slider.h"
#include "controls/slider_model.h"

using namespace tuner;

namespace {

// A slider model with every event recorded as a letter.
struct Recorder {
    SliderModel m;
    std::string log;
    std::vector<std::string> errors;
    int redraws = 0;
    Recorder() {
        m.events.Click = [this] { log += "C"; };
        m.events.ArrivedFirst = [this] { log += "F"; };
        m.events.ArrivedLast = [this] { log += "L"; };
        m.events.ValueChanged = [this] { log += "V"; };
        m.events.MouseDown = [this](int16_t&) { log += "D"; };
        m.events.MouseUp = [this](int16_t&) { log += "U"; };
        m.events.MouseIn = [this] { log += "I"; };
        m.events.MouseOut = [this] { log += "O"; };
        m.events.slider_value_error = [this](const std::string& t) { errors.push_back(t); };
        m.events.redraw = [this] { ++redraws; };
    }
};

// Vertical 0..30 with 100 pixels of travel (thumb 18 x 31).
void vertical_volume(Recorder& r, int value) {
    r.m.set_geometry(25, 131, 18, 31);
    r.m.load(0, 30, 2000, value);
    r.log.clear();
}

}  // namespace

TEST(SliderModel, ValueOutsideRangeIsReportedAndRefusedButMaxLimitClampsSilently) {
    Recorder r;
    vertical_volume(r, 10);
    r.m.setValue(31);
    EXPECT_EQ(r.m.Value(), 10);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "软件有可改进的地方，改进码：380");
    r.m.load(0, 30, 20, 10);
    r.m.setValue(21);
    EXPECT_EQ(r.m.Value(), 20);
    EXPECT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.log, "");  // a value set by code raises no ValueChanged
}

TEST(SliderModel, SameValueDoesNothingAndBoundsBehaveAsStored) {
    Recorder r;
    r.m.set_geometry(25, 131, 18, 31);
    r.m.load(0, 180, 2000, 10);
    const int before = r.redraws;
    r.m.setValue(10);
    EXPECT_EQ(r.redraws, before);
    r.m.setMin(30);
    EXPECT_EQ(r.m.Value(), 30);
    EXPECT_FLOAT_EQ(r.m.thumb_top(), 100.f);  // minimum end
    EXPECT_EQ(r.log, "F");
    r.m.load(0, 180, 2000, 150);
    r.m.setMax(100);
    EXPECT_EQ(r.m.Value(), 150);
    // max <= min is reported and stored all the same.
    r.m.setMax(0);
    EXPECT_EQ(r.m.max(), 0);
    EXPECT_EQ(r.errors.size(), 1u);
}

TEST(SliderModel, LoweredMaxLimitPullsValueDownOnceAndHoldsTheDrag) {
    Recorder r;
    vertical_volume(r, 25);
    r.m.setMax_limit(20);
    EXPECT_EQ(r.m.Value(), 20);
    EXPECT_EQ(r.log, "V");
    r.m.setMax_limit(20);
    EXPECT_EQ(r.log, "V");
    // Drag from 20 far upwards: the thumb stops at 20's position.
    const float t20 = r.m.position_of(20);
    r.m.press(1, 5, t20 + 5, 0);
    r.m.move(5, -200);
    EXPECT_EQ(r.m.Value(), 20);
    EXPECT_FLOAT_EQ(r.m.thumb_top(), t20);
}

TEST(SliderModel, IncAndDecAtTheLimits) {
    Recorder r;
    vertical_volume(r, 20);
    r.m.setMax_limit(20);
    r.log.clear();
    r.m.ui_inc();  // at max_limit < max: no change, still reported
    EXPECT_EQ(r.m.Value(), 20);
    EXPECT_EQ(r.log, "V");
    vertical_volume(r, 30);
    r.m.ui_inc();
    EXPECT_EQ(r.log, "");
    vertical_volume(r, 1);
    r.m.ui_dec();
    EXPECT_EQ(r.m.Value(), 0);
    EXPECT_EQ(r.log, "FV");
    r.m.ui_dec();
    EXPECT_EQ(r.log, "FV");
}

TEST(SliderModel, DragStepsByWholeValuesAndReleaseOutsideGivesNoClick) {
    Recorder r;
    vertical_volume(r, 0);
    r.m.pointer_entered();
    r.log.clear();
    r.m.press(1, 9, 110, 0);  // on the thumb (top 100)
    ASSERT_TRUE(r.m.dragging());
    r.m.move(9, 110 - 3.4f);
    EXPECT_EQ(r.m.Value(), 1);
    EXPECT_NEAR(r.m.thumb_top(), 100 - 100.0 / 30, 1e-4);
    r.m.move(9, 110 - 50);
    EXPECT_EQ(r.m.Value(), 15);
    r.m.pointer_left();  // waits for the release
    EXPECT_TRUE(r.m.mouse_inside());
    r.m.release(1, 9, 500, 0);
    EXPECT_EQ(r.log, "DVVUO");
    EXPECT_FALSE(r.m.mouse_inside());
}

TEST(SliderModel, RailClicksStepByOne) {
    Recorder r;
    vertical_volume(r, 15);  // thumb top 50
    r.m.release(1, 9, 120, 0);
    EXPECT_EQ(r.m.Value(), 14);
    EXPECT_EQ(r.log, "VC");
    r.log.clear();
    r.m.release(2, 9, 125, 0);  // right button: steps, no Click
    EXPECT_EQ(r.m.Value(), 13);
    EXPECT_EQ(r.log, "V");
    r.m.release(1, 9, 2, 0);  // above the thumb: towards the maximum
    EXPECT_EQ(r.m.Value(), 14);

    SliderModel h;
    h.setOrientation(0);
    h.set_geometry(200, 15, 19, 15);
    h.load(0, 100, 2000, 50);
    h.release(1, 5, 5, 0);
    EXPECT_EQ(h.Value(), 49);
    h.release(1, 195, 5, 0);
    EXPECT_EQ(h.Value(), 50);
}

TEST(SliderModel, DisabledSliderIgnoresPressReleaseAndWheel) {
    Recorder r;
    vertical_volume(r, 15);
    r.m.setEnabled(false);
    r.m.press(1, 9, 60, 0);
    EXPECT_FALSE(r.m.dragging());
    r.m.release(1, 9, 120, 0);
    r.m.wheel(120);
    EXPECT_EQ(r.m.Value(), 15);
    EXPECT_EQ(r.log, "");
}

TEST(SliderModel, WheelNotchesAndKeys) {
    Recorder r;
    vertical_volume(r, 15);
    r.m.wheel(120);
    EXPECT_EQ(r.m.Value(), 16);
    r.m.wheel(-120);
    r.m.wheel(240);  // notches arrive one at a time; anything else is ignored
    r.m.wheel(60);
    EXPECT_EQ(r.m.Value(), 15);
    r.m.key_down(38);  // keys only while the pointer is inside
    EXPECT_EQ(r.m.Value(), 15);
    r.m.pointer_entered();
    r.m.key_down(38);
    r.m.key_down(37);  // Left does nothing on a vertical slider
    EXPECT_EQ(r.m.Value(), 16);
}

TEST(SliderModel, GeometryOfThumbAndTicks) {
    SliderModel m;
    m.set_geometry(25, 137, 18, 31);
    m.load(0, 30, 2000, 0);
    EXPECT_FLOAT_EQ(m.thumb_top(), 106.f);
    EXPECT_DOUBLE_EQ(m.tick_position(0), 121.5);
    EXPECT_DOUBLE_EQ(m.tick_position(30), 15.5);
    m.setValue(30);
    EXPECT_FLOAT_EQ(m.thumb_top(), 0.f);
    // A zero range or a thumb as long as the surface must not fail.
    m.load(5, 5, 2000, 5);
    EXPECT_FLOAT_EQ(m.position_of(5), 106.f);
    m.set_geometry(25, 31, 18, 31);
    m.press(1, 5, 5, 0);
    m.move(5, 40);
    m.release(1, 5, 5, 0);
    EXPECT_EQ(m.Value(), 5);
    // Bounds whose difference needs more than 32 bits.
    m.set_geometry(25, 131, 18, 31);
    m.load(-2000000000, 2000000000, 2000000000, 0);
    EXPECT_FLOAT_EQ(m.position_of(0), 50.f);
    m.press(1, 5, 55, 0);
    m.move(5, 5);
    EXPECT_EQ(m.Value(), 2000000000);
}

TEST(SliderWidget, LayoutSizesTheControlFromThumbAndWidthAdj) {
    xiSlider s;
    s.resize(10, 160);
    s.setWidth_ADJ(150);  // 10 pixels
    EXPECT_EQ(s.width(), 18 + 10);
    EXPECT_EQ(s.height(), 160);
    s.setOrientation(0);
    s.set_thumb_size(19, 15);
    EXPECT_EQ(s.height(), 15 + 10);
    EXPECT_EQ(s.rail_rect(), QRect(QPoint(8, 6), QPoint(s.width() + 8 - 19 + 4 - 1, 9)));
    s.setWidth_ADJ(2147483647);  // held within 4096 pixels
    EXPECT_EQ(s.height(), 15 + 4096);
}

// A window holding one horizontal slider 0..30; pointer and keys go
// through the window system, as a user's do.
struct SliderWindow {
    QWidget form;
    xiSlider* s = new xiSlider(&form);
    std::string log;
    SliderWindow() {
        s->setOrientation(0);
        s->setMax(30);
        s->setValue(10);
        s->setGeometry(20, 20, 200, 10);
        form.resize(300, 100);
        QObject::connect(s, &xiSlider::MouseDown, [this](int) { log += "D"; });
        QObject::connect(s, &xiSlider::MouseUp, [this](int) { log += "U"; });
        QObject::connect(s, &xiSlider::ValueChanged, [this] { log += "V"; });
        QObject::connect(s, &xiSlider::Click, [this] { log += "C"; });
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QWindow* window() { return form.windowHandle(); }
    QPoint at(QPointF p) const { return s->mapTo(&form, p.toPoint()); }
    // The centre of the thumb.
    QPointF thumb() const {
        return {s->model().thumb_left() + s->model().thumb_w() / 2.0,
                s->model().thumb_top() + s->model().thumb_h() / 2.0};
    }
};

TEST(SliderWidget, ArrowKeysStepTheSliderUnderThePointerAfterAClick) {
    SliderWindow w;
    EXPECT_EQ(w.s->focusPolicy(), Qt::ClickFocus);
    w.s->setFocus(Qt::MouseFocusReason);
    auto key = [&](Qt::Key k) { QTest::keyClick(w.window(), k); };
    key(Qt::Key_Right);  // pointer outside: nothing
    EXPECT_EQ(w.s->Value(), 10);
    QTest::mouseMove(w.window(), w.at({5, 5}));
    ASSERT_TRUE(w.s->wheel_capture().hooked());
    key(Qt::Key_Right);
    key(Qt::Key_Up);  // through the wheel capture
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    EXPECT_EQ(w.s->Value(), 12);
}

TEST(SliderWidget, DragReleasedOutsideTheSliderStillEnds) {
    SliderWindow w;
    const QPointF from = w.thumb();
    QTest::mousePress(w.window(), Qt::LeftButton, {}, w.at(from));
    EXPECT_TRUE(w.s->hasFocus());  // a click gives the slider the keyboard focus
    ASSERT_TRUE(w.s->model().dragging());
    QTest::mouseMove(w.window(), w.at(from + QPointF(20, 0)));
    QTest::mouseMove(w.window(), w.at(from + QPointF(20, 50)));  // off the slider, still held
    QTest::mouseRelease(w.window(), Qt::LeftButton, {}, w.at(from + QPointF(20, 50)));
    EXPECT_FALSE(w.s->model().dragging());
    EXPECT_EQ(w.s->Value(), 13);
    EXPECT_EQ(w.log, "DVU");  // no Click away from the slider
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    // A click on the rail right of the thumb steps once towards the maximum.
    QTest::mouseClick(w.window(), Qt::LeftButton, {}, w.at(QPointF(190, 5)));
    EXPECT_EQ(w.s->Value(), 14);
    EXPECT_EQ(w.log, "DVUDVC");
}

TEST(SliderWidget, MajorTicksAtThumbCentresAndBadDivisionsDrawNothing) {
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
    const QImage img = s.render_surface();
    ASSERT_EQ(img.size(), QSize(219, 45));
    // Major ticks at 30, 50 and 70, below the centre line (c = 7.5).
    const int y = 7 + 10 + 2;
    for (int v : {30, 50, 70}) {
        const int x = static_cast<int>(std::nearbyint((219 - 19) * (v - 30) / 50.0 + 9.5));
        EXPECT_EQ(img.pixel(x, y) & 0xFFFFFF, 0u) << v;
    }
    EXPECT_EQ(img.pixel(static_cast<int>(std::nearbyint(200 * 0.3 + 9.5)), y) & 0xFFFFFF, 0xFFFFFFu);
    s.setLine_Main_Div(-3);
    s.setMax(2000000000);
    EXPECT_FALSE(s.render_surface().isNull());
}

TEST(SliderWidget, PropertyBagKeepsOnlyChangedSettingsUnderTheirKeys) {
    xiSlider a;
    PropertyBag bag;
    a.write_properties(bag);
    EXPECT_EQ(bag.size(), 0u);
    a.setLine_Sub_Div(6);
    a.setBackColor(0xE0E0E0);
    a.setMax(30);
    a.setValue(12);
    a.setShowValueTip(true);
    a.set_thumb_size(17, 25);
    a.write_properties(bag);
    EXPECT_TRUE(bag.contains("m_line_sub_div"));
    EXPECT_TRUE(bag.contains("BACKCOLOR"));
    EXPECT_TRUE(bag.contains("MouseOutSliderIcon"));
    EXPECT_FALSE(bag.contains("Min"));
    xiSlider b;
    b.read_properties(PropertyBag::from_text(bag.to_text()));
    EXPECT_EQ(b.Line_Sub_Div(), 6);
    EXPECT_EQ(b.BackColor(), 0xE0E0E0);
    EXPECT_EQ(b.max(), 30);
    EXPECT_EQ(b.Value(), 12);
    EXPECT_TRUE(b.ShowValueTip());
    EXPECT_EQ(b.MouseOutSliderIcon().size(), QSize(17, 25));
}

// The grey rail band is solid and 2 x sub width + 1 pixels wide whether the
// centre line falls on a whole or a half pixel (odd or even thumb across).
TEST(SliderWidget, RailBandIsSolidForOddAndEvenThumbs) {
    struct Case {
        int orientation, thumb_w, thumb_h;
    };
    constexpr uint32_t kGrey = 0xC0C0C0;
    for (const Case& k : {Case{0, 19, 15}, Case{0, 19, 16}, Case{1, 17, 31}, Case{1, 18, 31}}) {
        SCOPED_TRACE(testing::Message() << "orientation " << k.orientation << " thumb " << k.thumb_w << "x"
                                        << k.thumb_h);
        xiSlider s;
        s.setOrientation(k.orientation);
        s.set_thumb_size(k.thumb_w, k.thumb_h);
        s.setBackColor(0xFFFFFF);
        s.setLine_Mode(3);  // no ticks
        s.setHua_slider_main_Color(static_cast<OleColor>(kGrey));
        if (k.orientation == 0)
            s.resize(200, 10);
        else
            s.resize(10, 200);
        const QImage img = s.render_surface();
        const bool horiz = k.orientation == 0;
        // Across the rail in the middle of the travel, away from the thumb at the minimum end.
        const int across = horiz ? img.height() : img.width();
        std::vector<int> grey;
        for (int i = 0; i < across; ++i) {
            const QRgb p = horiz ? img.pixel(100, i) : img.pixel(i, 90);
            if ((p & 0xFFFFFF) == kGrey)
                grey.push_back(i);
            else
                EXPECT_EQ(p & 0xFFFFFF, 0xFFFFFFu) << i;
        }
        ASSERT_EQ(grey.size(), 2u * 6 + 1);
        EXPECT_EQ(grey.back() - grey.front(), 12);
        const double centre = (horiz ? k.thumb_h : k.thumb_w) / 2.0;
        EXPECT_LE(std::abs((grey.front() + grey.back()) / 2.0 - centre), 0.5);
    }
}
