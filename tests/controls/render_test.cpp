// Renders the controls in a few states into the build's test-output folder
// for a look, and checks a few pixels that must be there.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "controls/limiter.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"

using namespace tuner;

namespace {

QString out_path(const QString& name) {
    QDir().mkpath(QStringLiteral(TUNER_TEST_OUTPUT_DIR));
    return QStringLiteral(TUNER_TEST_OUTPUT_DIR) + "/" + name;
}

// The slider with its tip window drawn where it would stand on screen.
QImage slider_with_tip(xiSlider& s) {
    s.model().pointer_entered();
    s.show_value_tip();
    QWidget* tip = xiSlider::value_tip_window();
    const QImage surface = s.render_surface();
    QImage tip_img = tip->grab().toImage();
    const QPoint origin = s.mapToGlobal(QPoint(0, 0));
    const QPoint at = tip->pos() - origin;
    const int margin = 40;
    QImage out(surface.width() + 2 * margin, surface.height() + 2 * margin, QImage::Format_RGB32);
    out.fill(to_qcolor(kSysButtonFace));
    QPainter p(&out);
    p.drawImage(margin, margin, surface);
    p.drawImage(margin + at.x(), margin + at.y(), tip_img);
    p.end();
    xiSlider::close_value_tip();
    s.model().pointer_left();
    return out;
}

}  // namespace

TEST(Render, SlidersBothOrientationsWithValueTip) {
    xiSlider v;
    v.setBackColor(0xE0E0E0);
    v.setLine_Sub_Div(1);
    v.setLine_Main_Div(5);
    v.setWidth_ADJ(500);
    v.setMax(30);
    v.setValue(21);
    v.resize(10, 160);
    v.show();
    const QImage vimg = slider_with_tip(v);
    ASSERT_TRUE(vimg.save(out_path("slider_vertical.png")));

    xiSlider h;
    h.setOrientation(0);
    h.set_thumb_size(19, 15);
    h.setBackColor(0xE0E0E0);
    h.setLine_Mode(1);
    h.setLine_Main_Div(20);
    h.setWidth_ADJ(300);
    h.setMax(100);
    h.setMin(-100);
    h.setValue(-35);
    h.resize(220, 10);
    h.show();
    const QImage himg = slider_with_tip(h);
    ASSERT_TRUE(himg.save(out_path("slider_horizontal.png")));
    // The tip reads the value, centred over the thumb, 2 pixels above it.
    auto* tip = xiSlider::value_tip_window();
    const QRect g = tip->geometry().translated(-h.mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(g.bottom() + 1, static_cast<int>(h.model().thumb_top()) - 2);
    EXPECT_NEAR(g.center().x() + 0.5, h.model().thumb_left() + 19 / 2.0, 1.0);

    h.setRailStyle(0);
    ASSERT_TRUE(h.render_surface().save(out_path("slider_groove.png")));
    EXPECT_EQ(h.height(), 15 + 20);
}

TEST(Render, EqGraphWithBandTypesAndSelection) {
    PEQ peq;
    peq.resize(640, 300);
    peq.model().set_a__eq_num_max(9);
    peq.set_a__peq_line_one_color(0x40C0FF);
    peq.model().set_a__peq_line_total_width(2);
    for (int b = 0; b <= 9; ++b) peq.EQ_init(static_cast<int16_t>(b), 0, 402, 1, 99, 0, 240, true);
    peq.EqIn(0, 16, 40, 7, 120);   // high-pass 1/sqrt2, 6 dB/oct
    peq.EqIn(1, 1, 90, 10, 150);   // low shelf +6
    peq.EqIn(2, 0, 150, 20, 80);   // peak -8
    peq.EqIn(3, 0, 230, 14, 170);  // peak +10
    peq.EqIn(4, 0, 280, 40, 90);   // narrow -6
    peq.EqIn(5, 2, 330, 10, 140);  // high shelf +4
    peq.EqIn(6, 29, 385, 7, 120);  // low-pass 1/sqrt2
    peq.EqIn(7, 0, 200, 14, 120);
    peq.EqIn(8, 0, 250, 14, 120);
    peq.EqIn(9, 0, 300, 14, 120);
    peq.peq_input_pre_gain(110);  // -2 dB
    peq.dis_peq_x(3);
    const QImage img = peq.render_surface();
    ASSERT_TRUE(img.save(out_path("eq_graph.png")));
    peq.Dis_Bypass_on(150, 8, 14, "EQ BYPASS", 0x0000FF);
    ASSERT_TRUE(peq.render_surface().save(out_path("eq_graph_bypass.png")));
}

TEST(Render, LimiterOnAndOff) {
    Limiter lim;
    lim.set_a__ui_biaoge_back_color(0xC0C0C0);
    lim.resize(150, 150);
    lim.set_a__ui_db_adj(-12);
    lim.set_dis_off_bit(1);
    ASSERT_TRUE(lim.render_surface().save(out_path("limiter_on.png")));
    lim.set_dis_off_bit(0);
    ASSERT_TRUE(lim.render_surface().save(out_path("limiter_off.png")));
}
