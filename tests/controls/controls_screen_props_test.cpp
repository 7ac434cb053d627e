// Every setting a host makes on the slider, the EQ graph and the compressor
// curve that changes their face: the window shows the new face at once. One
// row per property or host method, each from a starting state in which its
// new value shows (a band chosen for the band's own curve, the hovered look
// for the hovered thumb picture).
//
// No row for what leaves the face as it is: the slider's Enabled (stored; it
// only stops presses) and ShowValueTip (the tip is a window of its own); the
// graph's EQ_init (editing limits only), display (the same face again) and its
// arithmetic helpers; the curve's display and db_to_ui_buchang_db; hWnd of each.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QPainter>
#include <QTest>

#include "controls/limiter.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "support/screen_capture.h"

namespace tuner {
namespace {

using namespace tuner::testing;

QImage block_image(int w, int h, QColor a, QColor b) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(a);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, w / 2, h / 2), b);
    return img;
}

struct ControlsScreenProps : ::testing::Test {
    QWidget form;

    void show_form(QSize size) { show_active_form(form, size); }
};

using S = xiSlider;

TEST_F(ControlsScreenProps, EverySliderSettingReachesTheScreen) {
    auto* s = new xiSlider(&form);
    s->setGeometry(20, 20, 36, 146);
    s->setMax(30);
    s->setLine_Sub_Div(1);
    s->setLine_Main_Div(5);
    s->setValue(15);
    PropertyBag stored;
    s->write_properties(stored);
    show_form({160, 200});
    auto reset = [&] {
        // Orientation and Width_ADJ size the slider anew: the host's length comes back after the load.
        s->read_properties(stored);
        s->setGeometry(20, 20, 36, 146);
        s->ui_Dis_Mouse_out();
    };
    const QImage thumb = block_image(18, 31, QColor(0, 0, 255), QColor(255, 255, 0));
    expect_rows_reach_screen<S>(
        s, *s, reset,
        {
            {"Value", nullptr, [](S& x) { x.setValue(5); }},
            {"min", nullptr, [](S& x) { x.setMin(10); }},
            {"max", nullptr, [](S& x) { x.setMax(40); }},
            {"max_limit", nullptr, [](S& x) { x.setMax_limit(10); }},
            {"BackColor", nullptr, [](S& x) { x.setBackColor(0x00FF00); }},
            {"Slder_XY_ADJ", nullptr, [](S& x) { x.setSlder_XY_ADJ(4); }},
            {"Width_ADJ", nullptr, [](S& x) { x.setWidth_ADJ(600); }},
            {"Orientation", nullptr, [](S& x) { x.setOrientation(0); }},
            {"RailStyle", nullptr, [](S& x) { x.setRailStyle(0); }},
            {"hua_slider_main_Color", nullptr, [](S& x) { x.setHua_slider_main_Color(0x0000FF); }},
            {"hua_slider_sub_Color", nullptr, [](S& x) { x.setHua_slider_sub_Color(0x00FF00); }},
            {"hua_slider_main_line_width", nullptr, [](S& x) { x.setHua_slider_main_line_width(1); }},
            {"hua_slider_sub_line_width", nullptr, [](S& x) { x.setHua_slider_sub_line_width(2); }},
            {"hua_slider_enable", nullptr, [](S& x) { x.setHua_slider_enable(false); }},
            {"Line_Mode", nullptr, [](S& x) { x.setLine_Mode(1); }},
            {"Line_Sub_Div", nullptr, [](S& x) { x.setLine_Sub_Div(3); }},
            {"Line_Main_Div", nullptr, [](S& x) { x.setLine_Main_Div(10); }},
            {"Line_Main_Color", nullptr, [](S& x) { x.setLine_Main_Color(0x0000FF); }},
            {"Line_Sub_Color", nullptr, [](S& x) { x.setLine_Sub_Color(0x0000FF); }},
            {"Line_Sta", nullptr, [](S& x) { x.setLine_Sta(4); }},
            {"Line_Main_Len", nullptr, [](S& x) { x.setLine_Main_Len(2); }},
            {"Line_Sub_Len", nullptr, [](S& x) { x.setLine_Sub_Len(2); }},
            {"ui_Dis_Mouse_in", nullptr, [](S& x) { x.ui_Dis_Mouse_in(); }},
            {"ui_Dis_Mouse_out", [](S& x) { x.ui_Dis_Mouse_in(); }, [](S& x) { x.ui_Dis_Mouse_out(); }},
            {"ui_inc", nullptr, [](S& x) { x.ui_inc(); }},
            {"ui_dec", nullptr, [](S& x) { x.ui_dec(); }},
            {"RailPicture", nullptr,
             [](S& x) { x.setRailPicture(block_image(40, 140, QColor(90, 60, 30), QColor(0, 128, 0))); }},
            {"MouseOutSliderIcon", nullptr, [&](S& x) { x.setMouseOutSliderIcon(thumb); }},
            {"MouseInSliderIcon", [](S& x) { x.ui_Dis_Mouse_in(); }, [&](S& x) { x.setMouseInSliderIcon(thumb); }},
        });
}

TEST_F(ControlsScreenProps, EveryEqGraphSettingReachesTheScreen) {
    auto* p = new PEQ(&form);
    p->setGeometry(10, 10, 520, 266);
    p->model().set_a__eq_num_max(9);
    PropertyBag stored;
    p->write_properties(stored);
    auto bands = [&] {
        for (int16_t b = 0; b <= 9; ++b) {
            p->EQ_init(b, 35, 395, 0, 99, 30, 180, true);
            p->EqIn(b, 0, static_cast<int>(40 + 35 * b), 14, 120);
        }
    };
    bands();
    show_form({540, 290});
    auto reset = [&] {
        p->read_properties(stored);
        bands();
        p->peq_input_pre_gain(120);
        p->Dis_Bypass_off();
        p->dis_text_enable(1);
        p->dis_peq_x(255);
    };
    // Band 3 raised and chosen, band 6 lowered: band 3's own curve stands apart from the total.
    auto band3 = [](PEQ& x) {
        x.EqIn(6, 0, 250, 20, 60);
        x.EqIn(3, 0, 150, 20, 170);
        x.dis_peq_x(3);
    };
    PeqModel& m = p->model();
    expect_rows_reach_screen<PEQ>(
        p, *p, reset,
        {
            {"a__eq_num_max", nullptr, [&](PEQ&) { m.set_a__eq_num_max(5); }},
            {"a__grid_back_color", nullptr, [](PEQ& x) { x.set_a__grid_back_color(0x402000); }},
            {"a__grid_line_color", nullptr, [](PEQ& x) { x.set_a__grid_line_color(0x808080); }},
            {"a__grid_text_color", nullptr, [](PEQ& x) { x.set_a__grid_text_color(0x0000FF); }},
            {"a__grid_f_q_g_text_color", band3, [](PEQ& x) { x.set_a__grid_f_q_g_text_color(0x0000FF); }},
            {"a__peq_line_total_color", nullptr, [](PEQ& x) { x.set_a__peq_line_total_color(0x0000FF); }},
            {"a__peq_line_one_color", band3, [](PEQ& x) { x.set_a__peq_line_one_color(0x0000FF); }},
            {"a__line_one_display_enable", band3, [&](PEQ&) { m.set_a__line_one_display_enable(false); }},
            {"a__SYSTEM_GRID_up", nullptr, [&](PEQ&) { m.set_a__SYSTEM_GRID_up(18); }},
            {"a__SYSTEM_GRID_down", nullptr, [&](PEQ&) { m.set_a__SYSTEM_GRID_down(-24); }},
            {"a__SYSTEM_GRID_up_to_down_div", nullptr, [&](PEQ&) { m.set_a__SYSTEM_GRID_up_to_down_div(6); }},
            {"a__peq_line_one_width", band3, [&](PEQ&) { m.set_a__peq_line_one_width(3); }},
            {"a__peq_line_total_width", nullptr, [&](PEQ&) { m.set_a__peq_line_total_width(3); }},
            {"a__db_adj_step", band3, [&](PEQ&) { m.set_a__db_adj_step(0.5); }},
            {"a__operate_to_step", band3, [&](PEQ&) { m.set_a__operate_to_step(false); }},
            {"peq_input_pre_gain", nullptr, [](PEQ& x) { x.peq_input_pre_gain(100); }},
            {"EqIn", nullptr, [](PEQ& x) { x.EqIn(3, 0, 150, 20, 170); }},
            {"dis_peq_x", nullptr, [](PEQ& x) { x.dis_peq_x(3); }},
            {"Set_eq_index_enable", nullptr, [](PEQ& x) { x.Set_eq_index_enable(2, 0); }},
            {"Dis_Bypass_on", nullptr, [](PEQ& x) { x.Dis_Bypass_on(118, 1, 60, QStringLiteral("BYPASS"), 0xFFFFFF); }},
            {"Dis_Bypass_off", [](PEQ& x) { x.Dis_Bypass_on(118, 1, 60, QStringLiteral("BYPASS"), 0xFFFFFF); },
             [](PEQ& x) { x.Dis_Bypass_off(); }},
            {"dis_text_enable", band3, [](PEQ& x) { x.dis_text_enable(0); }},
        });
}

TEST_F(ControlsScreenProps, EveryCurveSettingReachesTheScreen) {
    auto* lim = new Limiter(&form);
    lim->setGeometry(10, 10, 156, 156);
    PropertyBag stored;
    lim->write_properties(stored);
    show_form({180, 180});
    auto reset = [&] {
        lim->read_properties(stored);
        lim->set_a__ui_db_adj(-12);
        lim->set_dis_off_bit(0);
    };
    expect_rows_reach_screen<Limiter>(
        lim, *lim, reset,
        {
            {"a__ui_db_adj", nullptr, [](Limiter& x) { x.set_a__ui_db_adj(-20); }},
            {"set_dis_off_bit", nullptr, [](Limiter& x) { x.set_dis_off_bit(1); }},
            {"a__ui_biaoge_back_color", nullptr, [](Limiter& x) { x.set_a__ui_biaoge_back_color(0x402000); }},
            {"a__ui_biaoge_line_color", nullptr, [](Limiter& x) { x.set_a__ui_biaoge_line_color(0x0000FF); }},
            {"a__ui_Limiter_line_total_color", nullptr,
             [](Limiter& x) { x.set_a__ui_Limiter_line_total_color(0x00FF00); }},
            {"a__ui_text_off_color", nullptr, [](Limiter& x) { x.set_a__ui_text_off_color(0x0000FF); }},
        });
}

}  // namespace
}  // namespace tuner
