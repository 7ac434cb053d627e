#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "controls/peq_graph.h"
#include "controls/peq_model.h"

using namespace tuner;

namespace {

struct Peq {
    PeqModel m;
    std::string log;
    std::vector<EqOutArgs> outs;
    std::vector<std::string> messages;
    int redraws = 0;
    Peq() {
        m.events.MouseMoveToPEQ = [this](int16_t b) { log += "M" + std::to_string(b) + " "; };
        m.events.MouseClickEQx = [this](int16_t b) { log += "C" + std::to_string(b) + " "; };
        m.events.EqOut = [this](const EqOutArgs& a) {
            outs.push_back(a);
            log += "O" + std::to_string(a.band) + " ";
        };
        m.events.message = [this](const std::string& t) { messages.push_back(t); };
        m.events.redraw = [this] { ++redraws; };
        m.set_surface(640, 300);
        m.set_a__eq_num_max(9);
        for (int b = 0; b <= 9; ++b) m.EQ_init(static_cast<int16_t>(b), 35, 395, 0, 99, 30, 180, true);
    }
    // Pointer position of a point in graph units.
    double px(double x) const { return m.px_x(x); }
    double py(double db) const { return m.px_y(db); }
    void press_on(int band) { m.press(1, px(m.band(band).band_freq_index), py(m.band(band).band_gain_db)); }
    void drag_to(double x, double db) { m.move(true, px(x), py(db)); }
};

}  // namespace

TEST(EqMaths, ConversionsAndGainSteps) {
    EXPECT_DOUBLE_EQ(freq_to_xy_x(10), 0.0);
    EXPECT_NEAR(freq_to_xy_x(23600), 402.15, 0.005);
    EXPECT_NEAR(freq_to_xy_x(1000), 238.46, 0.005);
    EXPECT_EQ(PeqModel::freq_index_to_freq(2.5), eq_freq_at(3));
    EXPECT_FLOAT_EQ(PeqModel::q_index_to_Q(15.5), 1.6f);
    EXPECT_EQ(PeqModel::freq_index_to_freq(900), 23600.0);
    const double s = 0.2;
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(0.36, s), 0.4);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(1.25, s), 1.2);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(1.31, s), 1.2);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(0.1, s), 0.0);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(-0.5, s), -0.4);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(-0.04, s), 0.0);
    // Midway between steps goes towards zero at every magnitude.
    for (int tenths = 1; tenths < 480; tenths += 2) {
        EXPECT_DOUBLE_EQ(db_to_ui_step_db(tenths / 10.0, s), (tenths - 1) / 10.0) << tenths;
    }
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(12, s), 12.0);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(50.3, s), 50.3);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(1.37, 0), 1.4);
    // The step as the control keeps it (single precision) gives exact tenths.
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(2.4, 0.2f), 2.4);
    EXPECT_DOUBLE_EQ(db_to_ui_step_db(-2.5, 0.2f), -2.4);
}

TEST(EqMaths, FrequencyToolListsOneRoundedFrequencyPerTableEntry) {
    const std::string text = PeqModel::send_new_freq_tab();
    EXPECT_EQ(text.rfind("10,\r\n10.2,\r\n", 0), 0u);
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2) ++lines;
    EXPECT_EQ(lines, kEqFreqEntries);
}

TEST(EqMaths, FiltersStayFiniteAtTheExtremes) {
    // Peaking at 31.9 Hz, Q 10, -18 dB; Q 0; a shelf whose slope would take
    // a negative square root; a code without a formula.
    std::array<double, kCurvePoints> c{};
    for (const Biquad& bq :
         {design_biquad(0, 31.9, 10, -18), design_biquad(0, 1000, 0, 12), design_biquad(1, 100, 10, 24),
          design_biquad(2, 10000, 25, -24), design_biquad(4, 10, 25, 0), design_biquad(3, 23600, 0.1, 0)}) {
        eq_response_grid().band_curve(bq, c);
        for (double v : c) ASSERT_TRUE(std::isfinite(v));
    }
    eq_response_grid().band_curve(design_biquad(0, 31.9, 10, -18), c);
    EXPECT_NEAR(c[60], -18.0, 1e-6);  // entry 60 is 31.9 Hz
    for (int code : {5, 6, 32, 200}) {
        eq_response_grid().band_curve(design_biquad(code, 1000, 1, 12), c);
        for (double v : c) ASSERT_EQ(v, 0.0);
    }
    // Multipliers: code 16 draws half of code 17, code 19 twice.
    std::array<double, kCurvePoints> a{}, b{}, d{};
    eq_response_grid().band_curve(design_biquad(16, 1000, 3, 0), a);
    eq_response_grid().band_curve(design_biquad(17, 1000, 7, 0), b);
    eq_response_grid().band_curve(design_biquad(19, 1000, 1, 0), d);
    EXPECT_NEAR(a[100], b[100] / 2, 1e-9);
    EXPECT_NEAR(d[100], b[100] * 2, 1e-9);
}

TEST(PeqModel, HostCallsChangeOnlyWhatDiffers) {
    Peq p;
    p.m.EqIn(2, 0, 200, 14, 150);
    EXPECT_EQ(p.m.select_eq_index, 2);
    p.m.dis_peq_x(255);
    const int redraws = p.redraws;
    p.m.EqIn(2, 0, 200, 14, 150);
    EXPECT_EQ(p.redraws, redraws);
    EXPECT_EQ(p.m.select_eq_index, 255);
    p.m.EqIn(39, 0, 10, 1, 1);
    EXPECT_EQ(p.redraws, redraws);
    // Indexes from outside are clamped to their tables.
    p.m.EqIn(3, 0, 999, 255, 250);
    EXPECT_EQ(p.m.band(3).band_freq_index, 402.f);
    EXPECT_EQ(p.m.band(3).band_q_index, 250.f);
    EXPECT_EQ(p.m.band(3).band_gain_db, 24.f);
    p.m.peq_input_pre_gain(250);
    EXPECT_DOUBLE_EQ(p.m.pre_gain_db(), 24.0);
    // A band above the bands in use is stored but never selected.
    p.m.set_a__eq_num_max(5);
    p.m.EqIn(7, 0, 100, 14, 120);
    EXPECT_EQ(p.m.select_eq_index, 255);
    p.m.dis_peq_x(7);
    EXPECT_EQ(p.m.select_eq_index, 255);
    EXPECT_TRUE(p.outs.empty());
}

TEST(PeqModel, PropertiesRefuseValuesThatCannotBeDrawn) {
    Peq p;
    p.m.set_a__eq_num_max(39);
    EXPECT_EQ(p.m.a__eq_num_max(), 38);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], "超出设置范围");
    p.m.set_a__eq_num_max(0);
    EXPECT_EQ(p.m.a__eq_num_max(), 38);
    p.m.set_a__db_adj_step(0);
    p.m.set_a__db_adj_step(-1);
    EXPECT_FLOAT_EQ(static_cast<float>(p.m.a__db_adj_step()), 0.2f);
    p.m.set_a__SYSTEM_GRID_up_to_down_div(0.4);
    EXPECT_EQ(p.m.a__SYSTEM_GRID_up_to_down_div(), 3);
    p.m.set_a__SYSTEM_GRID_up(-20);
    p.m.set_a__SYSTEM_GRID_down(12);
    EXPECT_EQ(p.m.a__SYSTEM_GRID_up(), 12);
    EXPECT_EQ(p.m.a__SYSTEM_GRID_down(), -18);
    // A re-layout deselects and switches every band on again.
    p.m.EqIn(1, 0, 100, 14, 150);
    p.m.Set_eq_index_enable(4, 0);
    p.m.set_a__SYSTEM_GRID_up(15);
    EXPECT_EQ(p.m.select_eq_index, 255);
    EXPECT_EQ(p.m.band(4).band_enable, 1);
}

TEST(PeqModel, CurvesFollowPreGainEnableAndBypass) {
    Peq p;
    p.m.EqIn(0, 0, 239, 14, 180);  // +12 dB at 1 kHz
    EXPECT_NEAR(p.m.curves().total()[239], 12.0, 1e-6);
    p.m.peq_input_pre_gain(90);  // -6 dB
    EXPECT_NEAR(p.m.curves().total()[239], 6.0, 1e-6);
    EXPECT_NEAR(p.m.curves().total()[0], -6.0, 0.01);
    p.m.Set_eq_index_enable(0, 0);
    EXPECT_NEAR(p.m.curves().total()[239], -6.0, 1e-6);
    p.m.Set_eq_index_enable(0, 1);
    const int redraws = p.redraws;
    p.m.Dis_Bypass_on(10, 5, 12, "BYPASS", 0xFF);
    p.m.Dis_Bypass_on(10, 5, 12, "BYPASS", 0xFF);
    EXPECT_EQ(p.redraws, redraws + 1);
    for (double v : p.m.curves().total()) ASSERT_EQ(v, 0.0);
    p.m.Dis_Bypass_on(10, 5, 12, "OTHER", 0xFF);
    EXPECT_EQ(p.m.bypass().text, "OTHER");
    p.m.Dis_Bypass_off();
    EXPECT_NEAR(p.m.curves().total()[239], 6.0, 1e-6);
    // A code without a formula draws flat with no text and no handles.
    p.m.EqIn(0, 5, 239, 14, 180);
    EXPECT_NEAR(p.m.curves().total()[239], -6.0, 1e-6);
    EXPECT_FALSE(p.m.info_text().shown);
    EXPECT_FALSE(p.m.q_left().visible || p.m.q_right().visible);
}

TEST(PeqModel, InfoTextLinesByType) {
    Peq p;
    p.m.EqIn(1, 0, 60, 125, 127);  // 31.9 Hz, Q 12.5, +1.4 dB
    auto it = p.m.info_text();
    ASSERT_TRUE(it.shown);
    EXPECT_EQ(it.lines, (std::vector<std::string>{"31.9Hz", "1.4dB", "Q：12.5"}));
    p.m.EqIn(1, 8, 239, 7, 127);
    EXPECT_EQ(p.m.info_text().lines, (std::vector<std::string>{"HPF", "1000Hz", "Q：0.70"}));
    p.m.EqIn(1, 29, 239, 7, 127);  // fixed Q: no Q line, no handles
    EXPECT_EQ(p.m.info_text().lines, (std::vector<std::string>{"LPF", "1000Hz"}));
    EXPECT_FALSE(p.m.q_left().visible);
    p.m.EQ_init(1, 35, 395, 0, 99, 30, 180, false);
    p.m.EqIn(1, 0, 239, 7, 120);
    it = p.m.info_text();
    EXPECT_EQ(it.lines.size(), 2u);
    EXPECT_NEAR(it.top, 0 + 3 * PeqModel::kRefBoxHPx * p.m.db_per_px(), 1e-9);
    p.m.dis_text_enable(0);
    EXPECT_FALSE(p.m.info_text().shown);
}

TEST(PeqModel, EqInitTurnsGainIndexesIntoWholeDb) {
    Peq p;
    p.m.EQ_init(0, 35, 395, 0, 99, 30, 180, true);
    EXPECT_EQ(p.m.band(0).gain_db_min, -18);
    EXPECT_EQ(p.m.band(0).gain_db_max, 12);
    p.m.EQ_init(0, -5, 900, -1, 999, 0, 123, true);
    EXPECT_EQ(p.m.band(0).gain_db_max, 1);
    EXPECT_EQ(p.m.band(0).freq_index_min, 0);
    EXPECT_EQ(p.m.band(0).freq_index_max, 402);
    EXPECT_EQ(p.m.band(0).q_index_max, 250);
}

TEST(PeqModel, ClicksSelectReportAndDeselect) {
    Peq p;
    p.m.EqIn(2, 0, 150, 14, 120);
    p.m.EqIn(5, 0, 300, 14, 150);
    p.press_on(2);
    p.m.release();
    EXPECT_EQ(p.log, "C2 O2 ");
    p.log.clear();
    p.press_on(2);  // the band reported last, unchanged
    p.m.release();
    EXPECT_EQ(p.log, "C2 ");
    p.log.clear();
    p.press_on(5);
    p.m.release();
    EXPECT_EQ(p.log, "C5 O5 ");
    ASSERT_EQ(p.outs.size(), 2u);
    EXPECT_EQ(p.outs[1].freq_index, 300);
    EXPECT_FLOAT_EQ(p.outs[1].gain_db, 6.0f);
    EXPECT_EQ(p.outs[1].gain_index, 150.f);
    p.log.clear();
    p.m.press(1, p.px(50), p.py(-15));
    EXPECT_EQ(p.log, "M255 ");
    EXPECT_EQ(p.m.select_eq_index, 255);
    // Overlapping markers: the lower band wins; a disabled band is not hit.
    p.m.EqIn(3, 0, 300, 14, 150);
    p.m.Set_eq_index_enable(3, 1);
    p.m.press(1, p.px(300), p.py(6));
    EXPECT_EQ(p.m.select_eq_index, 3);
    p.m.Set_eq_index_enable(3, 0);
    p.m.press(1, p.px(300), p.py(6));
    EXPECT_EQ(p.m.select_eq_index, 5);
}

TEST(PeqModel, DragFollowsThePointerWithinTheLimits) {
    Peq p;
    p.m.EqIn(1, 0, 200, 14, 120);
    p.press_on(1);
    p.outs.clear();
    p.drag_to(200.5, 0.1);  // below both thresholds: nothing
    EXPECT_EQ(p.m.band(1).band_freq_index, 200.f);
    p.drag_to(201.2, 0.1);
    EXPECT_NEAR(p.m.band(1).band_freq_index, 201.2, 1e-3);
    p.drag_to(500, 40);  // beyond the limits: held there
    EXPECT_EQ(p.m.band(1).band_freq_index, 395.f);
    EXPECT_EQ(p.m.band(1).band_gain_db, 12.f);
    p.drag_to(380, 6);  // back inside: follows at once
    EXPECT_NEAR(p.m.band(1).band_freq_index, 380, 0.01);
    EXPECT_NEAR(p.m.band(1).band_gain_db, 6, 0.01);
    ASSERT_FALSE(p.outs.empty());
    EXPECT_EQ(p.outs.back().freq_index, 380);
    // The frequency shown is the one reported, also at .5 positions.
    p.drag_to(380.5, 6);
    EXPECT_EQ(p.outs.back().freq_index, 380);
    EXPECT_EQ(p.m.info_text().lines[0], std::to_string(static_cast<int>(p.outs.back().freq)) + "Hz");
    p.m.release();
    const std::size_t n = p.outs.size();
    p.m.move(false, p.px(300), p.py(0));  // no button: nothing
    EXPECT_EQ(p.outs.size(), n);

    p.m.set_a__operate_to_step(false);
    p.m.EqIn(1, 0, 200, 14, 120);
    p.press_on(1);
    p.drag_to(200.3, 0.05);
    EXPECT_NEAR(p.m.band(1).band_freq_index, 200.3, 1e-3);
}

TEST(PeqModel, QHandlesDragTheQAndOnlyVisibleOnesCanBeGrabbed) {
    Peq p;
    p.m.EqIn(1, 0, 200, 20, 150);
    const GraphRect l = p.m.q_left().rect;
    ASSERT_TRUE(p.m.q_left().visible);
    const double cx = (l.left + l.right) / 2, cy = (l.top + l.bottom) / 2;
    p.m.press(1, p.px(cx), p.py(cy));
    p.drag_to(cx + 3, cy);
    EXPECT_NEAR(p.m.band(1).band_q_index, 26, 0.05);
    p.drag_to(cx + 1000, cy);
    EXPECT_EQ(p.m.band(1).band_q_index, 99.f);
    p.m.release();
    const GraphRect r = p.m.q_right().rect;
    p.m.press(1, p.px((r.left + r.right) / 2), p.py((r.top + r.bottom) / 2));
    p.drag_to((r.left + r.right) / 2 + 2, (r.top + r.bottom) / 2);
    EXPECT_NEAR(p.m.band(1).band_q_index, 95, 0.05);
    p.m.release();
    // A fixed-Q band hides its handles: a press there is a press on the graph.
    p.m.EqIn(1, 17, 200, 20, 120);
    const GraphRect hidden = p.m.q_left().rect;
    p.m.press(1, p.px((hidden.left + hidden.right) / 2), p.py((hidden.top + hidden.bottom) / 2));
    EXPECT_EQ(p.m.select_eq_index, 255);
}

TEST(PeqWidget, PropertiesPersistAndTheBackgroundIsCached) {
    PEQ a;
    PropertyBag bag;
    a.write_properties(bag);
    EXPECT_TRUE(bag.contains("a__grid_back_color"));  // the new control's 0 is not the bag default
    a.model().set_a__eq_num_max(9);
    a.set_a__grid_back_color(static_cast<OleColor>(0x8000000Cu));
    a.model().set_grid_range(15, -15);
    a.model().set_a__db_adj_step(0.5);
    bag.clear();
    a.write_properties(bag);
    EXPECT_FALSE(bag.contains("a__grid_back_color"));
    PEQ b;
    b.read_properties(bag);
    EXPECT_EQ(b.model().a__eq_num_max(), 9);
    EXPECT_EQ(b.model().a__SYSTEM_GRID_up(), 15);
    EXPECT_EQ(b.model().a__SYSTEM_GRID_down(), -15);
    EXPECT_FLOAT_EQ(static_cast<float>(b.model().a__db_adj_step()), 0.5f);
    b.render_surface();
    const int builds = b.background_builds();
    b.model().EqIn(1, 0, 200, 14, 150);
    b.render_surface();
    b.render_surface();
    EXPECT_EQ(b.background_builds(), builds);
    b.set_a__grid_line_color(0x808080);
    b.render_surface();
    EXPECT_EQ(b.background_builds(), builds + 1);
    // A range of far more grid lines than pixel rows, or a huge division,
    // draws without hanging.
    b.model().set_grid_range(1e12, -1e12);
    EXPECT_FALSE(b.render_surface().isNull());
    b.model().set_a__SYSTEM_GRID_up_to_down_div(1e30);
    EXPECT_EQ(b.model().grid_step(), 1000000);
    EXPECT_FALSE(b.render_surface().isNull());
}
