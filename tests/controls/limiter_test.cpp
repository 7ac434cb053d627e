#include <gtest/gtest.h>

#include <vector>

#include "controls/limiter.h"
#include "controls/limiter_model.h"

using namespace tuner;

namespace {

struct Lim {
    LimiterModel m;
    std::vector<int> outs;
    Lim() {
        m.events.output = [this](int16_t v) { outs.push_back(v); };
        m.set_surface(150, 150);
    }
    // Presses the knob's centre; returns the pointer's y in dB.
    double press_knob() {
        const auto k = m.knob_rect();
        const double y = (k.top + k.bottom) / 2.0;
        m.press(1, (k.left + k.right) / 2.0, y);
        return m.db_y(y);
    }
    // Moves the pointer to a y given in dB.
    void move_y(double db) { m.move(true, 75, m.px_y(db)); }
};

}  // namespace

TEST(LimiterModel, KnobDragReportsRoundedThresholdAndPinsAtTheLimits) {
    Lim l;
    l.m.set_a__ui_db_adj(-10);
    EXPECT_TRUE(l.outs.empty());  // set by the host: never reported
    l.m.press(1, 10, 10);         // off the knob
    l.move_y(-20);
    EXPECT_FLOAT_EQ(l.m.a__ui_db_adj(), -10.f);
    EXPECT_TRUE(l.outs.empty());
    const double y0 = l.press_knob();  // the host's new value differs from the last reported
    EXPECT_EQ(l.outs, (std::vector<int>{-10}));
    l.move_y(y0 - 3.4);
    EXPECT_NEAR(l.m.a__ui_db_adj(), -13.4, 1e-4);
    l.move_y(y0 - 3.2);
    EXPECT_EQ(l.outs, (std::vector<int>{-10, -13}));
    l.move_y(-60);
    EXPECT_FLOAT_EQ(l.m.a__ui_db_adj(), -35.f);
    l.move_y(-30);  // back up: follows at once
    EXPECT_NEAR(l.m.a__ui_db_adj(), -30, 1e-4);
    l.move_y(20);
    EXPECT_FLOAT_EQ(l.m.a__ui_db_adj(), 0.f);
    l.m.move(false, 75, 75);  // no button: nothing
    EXPECT_FLOAT_EQ(l.m.a__ui_db_adj(), 0.f);
}

TEST(LimiterModel, CurveRoundingOffFlagAndKnobCentre) {
    Lim l;
    using P = std::pair<double, double>;
    auto pts = l.m.curve_points();
    EXPECT_EQ(pts.front(), P(-40, -40));
    EXPECT_EQ(pts[pts.size() - 2], P(0, 0));
    EXPECT_EQ(pts.back(), P(5, 0));
    l.m.set_a__ui_db_adj(-12.5f);
    EXPECT_EQ(l.m.curve_points().back(), P(5, -12));
    l.m.set_a__ui_db_adj(9);
    EXPECT_EQ(l.m.curve_points().back(), P(5, 5));
    EXPECT_EQ(LimiterModel::db_to_ui_buchang_db(-0.5f), 0);
    EXPECT_EQ(LimiterModel::db_to_ui_buchang_db(-1.5f), -2);
    EXPECT_EQ(LimiterModel::db_to_ui_buchang_db(-10.5f), -10);
    EXPECT_EQ(LimiterModel::db_to_ui_buchang_db(-11.5f), -12);
    EXPECT_TRUE(l.m.off_text_visible());
    l.m.set_dis_off_bit(1);
    EXPECT_FALSE(l.m.off_text_visible());
    // Unequal scales: the knob stays centred on its point in pixels.
    l.m.set_surface(300, 120);
    l.m.set_a__ui_db_adj(-20);
    const auto k = l.m.knob_rect();
    EXPECT_NEAR((k.left + k.right) / 2.0, l.m.px_x(-20), 1.0);
    EXPECT_NEAR((k.top + k.bottom) / 2.0, l.m.px_y(-20), 1.0);
}

TEST(LimiterWidget, ColoursPersistAndOffShows) {
    Limiter a;
    a.set_a__ui_biaoge_back_color(0xC0C0C0);
    PropertyBag bag;
    a.write_properties(bag);
    EXPECT_EQ(bag.size(), 1u);
    Limiter b;
    b.read_properties(bag);
    EXPECT_EQ(b.a__ui_biaoge_back_color(), 0xC0C0C0);
    EXPECT_EQ(b.a__ui_text_off_color(), 0x404040);
    b.resize(150, 150);
    const QImage off = b.render_surface();
    b.set_dis_off_bit(1);
    EXPECT_NE(off, b.render_surface());
}
