#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "controls/limiter.h"
#include "controls/limiter_model.h"
#include "controls/peq_graph.h"
#include "controls/peq_model.h"
#include "support/golden.h"

using namespace tuner;

namespace {

struct Peq : ::testing::Test {
    PeqModel m;
    std::string log;
    std::vector<EqOutArgs> outs;
    std::vector<std::string> messages;
    Peq() {
        m.events.MouseMoveToPEQ = [this](int16_t b) { log += "M" + std::to_string(b) + " "; };
        m.events.MouseClickEQx = [this](int16_t b) { log += "C" + std::to_string(b) + " "; };
        m.events.EqOut = [this](const EqOutArgs& a) {
            outs.push_back(a);
            log += "O" + std::to_string(a.band) + " ";
        };
        m.events.message = [this](const std::string& t) { messages.push_back(t); };
        m.set_surface(640, 300);
        m.set_a__eq_num_max(9);
        for (int b = 0; b <= 9; ++b) m.EQ_init(static_cast<int16_t>(b), 35, 395, 0, 99, 30, 180, true);
    }
    void press_at(double x, double db) { m.press(1, m.px_x(x), m.px_y(db)); }
    void press_on(int band) { press_at(m.band(band).band_freq_index, m.band(band).band_gain_db); }
    void drag_to(double x, double db) { m.move(true, m.px_x(x), m.px_y(db)); }
    void press_centre(const GraphRect& r) { press_at((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    std::string click_on(int band) {
        log.clear();
        press_on(band);
        m.release();
        return log;
    }
};

}  // namespace

TEST(EqMaths, ConversionsAndGainSteps) {
    EXPECT_EQ(PeqModel::freq_index_to_freq(2.5), eq_freq_at(3)) << "half indexes round up";
    EXPECT_FLOAT_EQ(PeqModel::q_index_to_Q(15.5), 1.6f);
    // 0.2 dB steps (the last two in single precision); a step of 0 rounds to tenths.
    const std::array<double, 3> steps[] = {{0.36, 0.2, 0.4}, {1.25, 0.2, 1.2},  {1.31, 0.2, 1.2},  {-0.5, 0.2, -0.4},
                                           {-0.04, 0.2, 0},  {12, 0.2, 12},     {50.3, 0.2, 50.3}, {1.37, 0, 1.4},
                                           {2.4, 0.2f, 2.4}, {-2.5, 0.2f, -2.4}};
    for (const auto& [db, step, out] : steps) EXPECT_DOUBLE_EQ(db_to_ui_step_db(db, step), out) << db << " " << step;
    for (int tenths = 1; tenths < 480; tenths += 2)
        EXPECT_DOUBLE_EQ(db_to_ui_step_db(tenths / 10.0, 0.2), (tenths - 1) / 10.0) << "midway, " << tenths;
    const std::string text = PeqModel::send_new_freq_tab();
    EXPECT_EQ(text.rfind("10,\r\n10.2,\r\n", 0), 0u);
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), kEqFreqEntries) << "lines";
}

TEST_F(Peq, HostCallsAndProperties) {
    m.EqIn(39, 0, 10, 1, 1);  // beyond the bands: ignored
    EXPECT_EQ(m.select_eq_index, 255);
    m.EqIn(3, 0, 999, 255, 250);  // indexes from outside are held to their tables
    m.peq_input_pre_gain(250);
    EXPECT_EQ(m.band(3).band_freq_index, 402.f);
    EXPECT_EQ(m.band(3).band_gain_db, 24.f);
    EXPECT_EQ(m.pre_gain_db(), 24.0);
    m.set_a__eq_num_max(5);  // band 7 stored, never selected
    m.EqIn(7, 0, 100, 14, 120);
    m.dis_peq_x(7);
    EXPECT_EQ(m.select_eq_index, 255);
    EXPECT_EQ(outs.size(), 0u);

    m.set_a__eq_num_max(39);
    EXPECT_EQ(m.a__eq_num_max(), 38);
    EXPECT_EQ(messages, std::vector<std::string>{"超出设置范围"});
    m.set_a__eq_num_max(0);
    m.set_a__db_adj_step(0);
    m.set_a__SYSTEM_GRID_up_to_down_div(0.4);
    EXPECT_EQ(m.a__eq_num_max(), 38);
    EXPECT_EQ(m.a__SYSTEM_GRID_up_to_down_div(), 3);
    EXPECT_FLOAT_EQ(static_cast<float>(m.a__db_adj_step()), 0.2f);
    m.set_a__SYSTEM_GRID_up(-20);
    m.set_a__SYSTEM_GRID_down(12);
    EXPECT_EQ(m.a__SYSTEM_GRID_up(), 12.0);
    EXPECT_EQ(m.a__SYSTEM_GRID_down(), -18.0);
    m.EqIn(1, 0, 100, 14, 150);  // a re-layout deselects, enables all
    m.Set_eq_index_enable(4, 0);
    m.set_a__SYSTEM_GRID_up(15);
    EXPECT_EQ(m.select_eq_index, 255);
    EXPECT_EQ(m.band(4).band_enable, 1);
    m.EQ_init(0, -5, 900, -1, 999, 0, 123, true);  // gain indexes become whole dB
    EXPECT_EQ(m.band(0).gain_db_min, -24);
    EXPECT_EQ(m.band(0).gain_db_max, 1);
}

// A band outside 0..38 is an index error for every host call but EqIn, which ignores 39 and above; the call
// changes nothing. 255 stays the "no band" of dis_peq_x and display.
TEST_F(Peq, BandArgumentsOutsideTheBands) {
    m.EqIn(4, 0, 200, 20, 150);
    const PeqBand kept = m.band(4);
    const EqCurveSet::Curve total = m.curves().total();
    auto error_of = [](const std::function<void()>& call) -> std::string {
        try {
            call();
        } catch (const PeqError& e) {
            return std::to_string(e.number()) + " " + e.source() + ": " + e.what();
        }
        return "none";
    };
    for (const int16_t bad : {int16_t{-1}, int16_t{39}, int16_t{254}, int16_t{256}}) {
        SCOPED_TRACE("band " + std::to_string(bad));
        const std::pair<const char*, std::function<void()>> calls[] = {
            {"EQ_init", [&] { m.EQ_init(bad, 40, 300, 1, 50, 60, 150, false); }},
            {"dis_peq_x", [&] { m.dis_peq_x(bad); }},
            {"Set_eq_index_enable", [&] { m.Set_eq_index_enable(bad, 0); }},
            {"Set_b0b1b2a1a2_to_line_one_and_add_to_line_total",
             [&] { m.Set_b0b1b2a1a2_to_line_one_and_add_to_line_total(bad); }},
            {"updata_one_filter_to_total_line", [&] { m.updata_one_filter_to_total_line(bad); }},
            {"display", [&] { m.display(bad); }}};
        for (const auto& [member, call] : calls) {
            EXPECT_EQ(error_of(call), std::string("9 PEQ.") + member + ": Subscript out of range") << member;
            EXPECT_EQ(m.select_eq_index, 4) << "selection after " << member;
            EXPECT_EQ(m.displayed_band(), 4) << "band shown after " << member;
            EXPECT_TRUE(m.curves().total() == total) << "total curve after " << member;
        }
        const std::string eq_in = error_of([&] { m.EqIn(bad, 1, 100, 10, 60); });
        EXPECT_EQ(eq_in, bad < 0 ? "9 PEQ.EqIn: Subscript out of range" : "none") << "EqIn";
    }
    for (int b = 0; b < kPeqBands; ++b) {
        const PeqBand& now = m.band(b);
        EXPECT_EQ(now.band_enable, 1) << "band " << b << " enable";
        if (b != 4) continue;
        EXPECT_EQ(now.band_type, kept.band_type) << "band 4 type";
        EXPECT_EQ(now.band_gain_db, kept.band_gain_db) << "band 4 gain";
        EXPECT_EQ(now.freq_index_min, kept.freq_index_min) << "band 4 limits";
    }
    EXPECT_EQ(m.band(38).q_handle_enable, true) << "band 38's Q handles";
    EXPECT_EQ(outs.size(), 0u) << "EqOut raised";
    // The "no band" value still deselects.
    m.dis_peq_x(255);
    EXPECT_EQ(m.displayed_band(), 255) << "band shown after dis_peq_x(255)";
}

TEST_F(Peq, FlatCodesAndInfoText) {
    m.peq_input_pre_gain(90);    // -6 dB
    m.EqIn(0, 5, 239, 14, 180);  // a code without a formula: flat, no text, no handles
    EXPECT_NEAR(m.curves().total()[239], -6.0, 1e-6);
    EXPECT_FALSE(m.info_text().shown);
    EXPECT_FALSE(m.q_left().visible);

    m.EqIn(1, 0, 60, 125, 127);  // 31.9 Hz, Q 12.5, +1.4 dB
    EXPECT_EQ(m.info_text().lines, (std::vector<std::string>{"31.9Hz", "1.4dB", "Q：12.5"}));
    m.EqIn(1, 8, 239, 7, 127);
    EXPECT_EQ(m.info_text().lines, (std::vector<std::string>{"HPF", "1000Hz", "Q：0.70"}));
    m.EqIn(1, 29, 239, 7, 127);  // fixed Q: no Q line, no handles
    EXPECT_EQ(m.info_text().lines, (std::vector<std::string>{"LPF", "1000Hz"}));
    EXPECT_FALSE(m.q_left().visible);
    m.EQ_init(1, 35, 395, 0, 99, 30, 180, false);
    m.EqIn(1, 0, 239, 7, 120);
    EXPECT_EQ(m.info_text().lines.size(), 2u);
    EXPECT_NEAR(m.info_text().top, 3 * PeqModel::kRefBoxHPx * m.db_per_px(), 1e-9);
    m.dis_text_enable(0);
    EXPECT_FALSE(m.info_text().shown);
}

TEST_F(Peq, ClicksDragsAndQHandles) {
    m.EqIn(2, 0, 150, 14, 120);
    m.EqIn(5, 0, 300, 14, 150);
    EXPECT_EQ(click_on(2), "C2 O2 ");
    EXPECT_EQ(click_on(2), "C2 ") << "the band reported last, unchanged";
    EXPECT_EQ(click_on(5), "C5 O5 ");
    ASSERT_EQ(outs.size(), 2u);
    EXPECT_EQ(outs[1].gain_db, 6.0f);
    EXPECT_EQ(outs[1].gain_index, 150.f);
    log.clear();
    press_at(50, -15);
    EXPECT_EQ(log, "M255 ");
    m.EqIn(3, 0, 300, 14, 150);  // the lower band wins; a disabled one is not hit
    press_at(300, 6);
    EXPECT_EQ(m.select_eq_index, 3);
    m.Set_eq_index_enable(3, 0);
    press_at(300, 6);
    EXPECT_EQ(m.select_eq_index, 5);
    m.release();

    // Below both thresholds nothing; held at the limits; back inside at once.
    m.EqIn(1, 0, 200, 14, 120);
    press_on(1);
    outs.clear();
    for (const auto& [x, db, freq, gain] :
         {std::array{200.5, 0.1, 200.0, 0.0}, {201.2, 0.1, 201.2, 0.1}, {500, 40, 395, 12}, {380, 6, 380, 6}}) {
        drag_to(x, db);
        EXPECT_NEAR(m.band(1).band_freq_index, freq, 0.01) << "freq index at " << x << ", " << db;
        EXPECT_NEAR(m.band(1).band_gain_db, gain, 0.01) << "gain at " << x << ", " << db;
    }
    drag_to(380.5, 6);  // text shows the reported frequency
    ASSERT_FALSE(outs.empty());
    EXPECT_EQ(outs.back().freq_index, 380);
    EXPECT_EQ(m.info_text().lines[0], std::to_string(static_cast<int>(outs.back().freq)) + "Hz");
    m.release();
    m.move(false, m.px_x(300), m.px_y(0));  // no button: nothing
    EXPECT_EQ(m.band(1).band_freq_index, 380);
    m.set_a__operate_to_step(false);  // no thresholds
    press_on(1);
    drag_to(380.3, 6.05);
    EXPECT_NEAR(m.band(1).band_freq_index, 380.3, 1e-3) << "without the step threshold";
    m.release();

    m.EqIn(1, 0, 200, 20, 150);  // Q handles below a boost's marker
    ASSERT_TRUE(m.q_left().visible);
    EXPECT_LT(m.q_left().rect.top, 6.0 - PeqModel::kMarkerPx * m.db_per_px() / 2) << "handle top";
    for (const auto& [right, dx, q] : {std::tuple{false, 3.0, 26.0}, {false, 1000.0, 99.0}, {true, 2.0, 95.0}}) {
        const GraphRect r = right ? m.q_right().rect : m.q_left().rect;
        press_centre(r);
        drag_to((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2);
        EXPECT_NEAR(m.band(1).band_q_index, q, 0.05) << (right ? "right" : "left") << " handle dragged by " << dx;
    }
    m.release();
    m.EqIn(1, 17, 200, 20, 120);  // fixed Q: no handles to press
    press_centre(m.q_left().rect);
    EXPECT_EQ(m.select_eq_index, 255) << "press on a hidden handle";
}

TEST(PeqWidget, PropertiesAndGrid) {
    PEQ a;
    a.model().set_a__eq_num_max(9);
    PropertyBag bag;
    a.model().set_grid_range(15, -15);
    a.model().set_a__db_adj_step(0.5);
    a.write_properties(bag);
    PEQ b;
    b.read_properties(bag);
    EXPECT_EQ(b.model().a__eq_num_max(), 9);
    EXPECT_EQ(b.model().a__SYSTEM_GRID_up(), 15.0);
    EXPECT_EQ(b.model().a__SYSTEM_GRID_down(), -15.0);
    EXPECT_EQ(b.model().a__db_adj_step(), 0.5);
    EXPECT_EQ(b.model().a__SYSTEM_GRID_up_to_down_div(), 3.0) << "default grid division";
    b.render_surface();                  // the background is built once, then kept
    b.set_a__grid_line_color(0x808080);  // shows at once
    const QImage grid = b.render_surface();
    const int x20 = static_cast<int>(std::lround(b.model().px_x(freq_to_xy_x(20))));
    EXPECT_EQ(grid.pixel(x20, static_cast<int>(b.model().px_y(-13.5))) & 0xFFFFFF, 0x808080u) << "20 Hz line";
    b.model().set_grid_range(1e12, -1e12);  // no hang
    EXPECT_FALSE(b.render_surface().isNull());
    b.model().set_a__SYSTEM_GRID_up_to_down_div(1e30);
    EXPECT_EQ(b.model().grid_step(), 1000000);
    EXPECT_FALSE(b.render_surface().isNull());
}

// The window's graph with ten bands whose types, frequencies, Qs and gains all differ, under a pre-gain.
TEST(PeqWidget, GoldenLooks) {
    const std::pair<const char*, std::function<void(PEQ&)>> looks[] = {
        {"ctl_peq_plain", [](PEQ&) {}},
        {"ctl_peq_selected", [](PEQ& p) { p.dis_peq_x(4); }},
        {"ctl_peq_bypass", [](PEQ& p) { p.Dis_Bypass_on(118, 1, 60, "BYPASS", 0xFFFFFF); }}};
    // Type, frequency index, Q index, gain index of bands 0 to 9.
    constexpr std::array<std::array<int, 4>, 10> bands = {{{8, 40, 7, 120},
                                                           {1, 70, 12, 150},
                                                           {0, 110, 20, 95},
                                                           {0, 150, 35, 165},
                                                           {0, 185, 15, 105},
                                                           {0, 220, 60, 140},
                                                           {0, 255, 25, 80},
                                                           {0, 290, 45, 175},
                                                           {2, 330, 10, 110},
                                                           {29, 370, 7, 120}}};
    for (const auto& [name, set_up] : looks) {
        PEQ p;
        p.resize(520, 266);
        p.model().set_a__eq_num_max(9);
        for (int16_t b = 0; b <= 9; ++b) {
            p.EQ_init(b, 35, 395, 0, 99, 30, 180, true);
            const auto& [type, freq, q, gain] = bands[static_cast<std::size_t>(b)];
            p.EqIn(b, type, freq, q, gain);
        }
        p.peq_input_pre_gain(110);
        set_up(p);
        EXPECT_GOLDEN(p.render_surface(), name);
    }
}

TEST(LimiterModel, KnobDragCurveAndRounding) {
    LimiterModel m;
    std::vector<int> outs;
    m.events.output = [&](int16_t v) { outs.push_back(v); };
    m.set_surface(150, 150);
    auto move_y = [&](double db) { m.move(true, 75, m.px_y(db)); };
    m.set_a__ui_db_adj(-10);
    m.press(1, 10, 10);  // off the knob
    move_y(-20);
    EXPECT_EQ(m.a__ui_db_adj(), -10.f) << "after a drag begun off the knob";
    EXPECT_EQ(outs, std::vector<int>{}) << "reported";
    auto k = m.knob_rect();
    const double y0 = m.db_y((k.top + k.bottom) / 2.0);
    m.press(1, (k.left + k.right) / 2.0, (k.top + k.bottom) / 2.0);  // reports the host's new value
    EXPECT_EQ(outs, (std::vector<int>{-10}));
    // Held at -35, back up at once, and each whole dB reported once.
    for (const auto& [db, value] : {std::pair{y0 - 3.4, -13.4}, {y0 - 3.2, -13.2}, {-60.0, -35.0}, {-30.0, -30.0}}) {
        move_y(db);
        EXPECT_NEAR(m.a__ui_db_adj(), value, 1e-4) << "after a drag to " << db << " dB";
    }
    EXPECT_EQ(outs, (std::vector<int>{-10, -13, -35, -30}));
    move_y(20);
    m.move(false, 75, 75);  // no button: nothing
    EXPECT_FLOAT_EQ(m.a__ui_db_adj(), 0.f);

    using P = std::pair<double, double>;
    for (const auto& [db, y] : {std::pair{0.f, 0.0}, {-12.5f, -12.0}, {9.f, 5.0}}) {
        m.set_a__ui_db_adj(db);
        EXPECT_EQ(m.curve_points().back(), P(5, y)) << "last point at " << db << " dB";
    }
    for (const auto& [db, out] : {std::pair{-0.5f, 0}, {-1.5f, -2}, {-10.5f, -10}, {-11.5f, -12}})
        EXPECT_EQ(LimiterModel::db_to_ui_buchang_db(db), out) << db;
    m.set_surface(300, 120);
    m.set_a__ui_db_adj(-20);
    k = m.knob_rect();
    EXPECT_NEAR((k.left + k.right) / 2.0, m.px_x(-20), 1.0);
    EXPECT_NEAR((k.top + k.bottom) / 2.0, m.px_y(-20), 1.0);
}

TEST(LimiterWidget, ColoursAndOffBox) {
    Limiter a;
    a.set_a__ui_biaoge_back_color(0xC0C0C0);
    PropertyBag bag;
    a.write_properties(bag);
    Limiter b;
    b.read_properties(bag);
    EXPECT_EQ(b.a__ui_biaoge_back_color(), 0xC0C0C0);
    Limiter shown;  // as in the window, knob at -12 dB; OFF shows while the bit is clear
    shown.resize(156, 156);
    shown.set_a__ui_db_adj(-12);
    for (const auto& [bit, name] : {std::pair{0, "ctl_limiter_off"}, {1, "ctl_limiter_on"}}) {
        shown.set_dis_off_bit(static_cast<uint8_t>(bit));
        EXPECT_GOLDEN(shown.render_surface(), name);
    }
}
