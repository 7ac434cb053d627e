// The window's 43 sliders as designed: orientation, thumbs, ticks, range and value after the start-up and the
// display, limits, colours, no value tip, their size across the rail and their place; the compressor curve's grey.
#include <cstdlib>

#include <QLabel>

#include "controls/limiter.h"
#include "controls/slider.h"
#include "core/default_image.h"
#include "e2e_input.h"
#include "mainwindow/slider_instances.h"
#include "platform/twips.h"

namespace tuner::testing {
namespace {

constexpr OleColor kGrey = 0xE0E0E0, kCaption = static_cast<OleColor>(0x80000003u);

struct Expected {
    std::string name;
    bool vertical;
    int thumb_w, thumb_h;
    int line_mode, sub_div, main_div;
    int min, max, value, max_limit;
    OleColor back;
    int across;  // pixels across the rail
};

// A start-up file whose every slider-backed value is known: the display puts these into the sliders.
ParamImage startup_image() {
    ParamImage img = neutral_param_image();
    FrameImage& eq = img.eq[0];
    for (std::size_t b = 0; b < 10; ++b) {
        eq[eq_frame::eq_db + b] = static_cast<uint8_t>(40 + 12 * b);
        const int freq = 40 + 35 * static_cast<int>(b);
        eq[eq_frame::eq_freq_high + b] = static_cast<uint8_t>(freq >> 8);
        eq[eq_frame::eq_freq_low + b] = static_cast<uint8_t>(freq & 0xFF);
    }
    eq[eq_frame::eq_pre_gain_db_index] = 90;
    FrameImage& g = img.gen;
    using namespace gen_frame;
    g[vol_max_function_en] = 1;
    g[music_vol_abs_max] = 100, g[music_vol_adj_max] = 80, g[music_vol] = 35;
    g[mic_vol_abs_max] = 0, g[mic_vol_adj_max] = 60, g[mic_vol] = 20;            // no maximum: the clamp makes it 128
    g[effect_vol_abs_max] = 50, g[effect_vol_adj_max] = 40, g[effect_vol] = 45;  // above its limit: lowered to 40
    write_u16(g, drc(0) + drc_threshold_db, 20);
    g[music_noise_suppressor_threshold] = 40, g[mic1_noise_suppressor_threshold] = 70;
    g[mic1_exciter_vol] = 12, g[mic1_exciter_freq_index_100] = 55;
    g[sub_out_vol] = 21, g[sub_out_music_vol] = 6, g[sub_out_mic_vol] = 13;
    FrameImage& e = img.eff;
    using namespace eff_frame;
    e[echo_reverb_bili] = 7, e[echo_a_vol] = 3, e[echo_a_delay_l] = 11, e[echo_a_delay_r] = 17, e[echo_a_repeat] = 9;
    e[echo_a_lpf] = 27, e[reverb_vol] = 14, e[plate_reverb_predelay] = 66, e[plate_reverb_diffusion] = 19;
    e[plate_reverb_decay] = 23, e[plate_reverb_damping] = 4;
    return img;
}

std::vector<Expected> expected_sliders() {
    std::vector<Expected> x;
    for (int b = 0; b < 10; ++b) {
        const std::string i = "(" + std::to_string(b) + ")";
        const int gain = b == 0 || b == 9 ? 120 : 40 + 12 * b;  // the cut filters' columns stay at 0 dB
        x.push_back({"vr_eq_db" + i, true, 18, 31, 2, 6, 30, 30, 180, gain, 2000, kGrey, 25});
        x.push_back({"vr_eq_freq" + i, false, 19, 15, 0, 5, 30, 35, 395, 40 + 35 * b, 395,
                     b == 0 || b == 9 ? kCaption : kGrey, 22});
    }
    const std::vector<Expected> singles = {
        {"vr_eq_pre_gain_db_index", true, 18, 31, 2, 6, 30, 30, 180, 90, 2000, kGrey, 25},
        {"vr_music_vol", true, 18, 31, 2, 1, 5, 0, 100, 35, 80, kGrey, 25},
        {"vr_mic_vol", true, 18, 31, 2, 1, 5, 0, 128, 20, 60, kGrey, 25},
        {"vr_effect_vol", true, 18, 31, 2, 1, 5, 0, 50, 40, 40, kGrey, 25},
        {"vr_drc_threshold_db", true, 17, 25, 2, 1, 5, -35, 0, -20, 2000, kGrey, 24},
        {"VR_sub_out_mic_vol", true, 17, 25, 2, 1, 5, 0, 30, 13, 2000, kGrey, 24},
        {"VR_sub_out_music_vol", true, 17, 25, 2, 1, 5, 0, 30, 6, 2000, kGrey, 24},
        {"VR_sub_out_vol", true, 18, 31, 2, 1, 5, 0, 30, 21, 2000, kGrey, 25},
        {"VR_music_noise_suppressor_threshold", false, 19, 15, 2, 5, 20, 30, 80, 40, 2000, kGrey, 24},
        {"VR_mic1_noise_suppressor_threshold", false, 19, 15, 2, 5, 20, 30, 80, 70, 2000, kGrey, 24},
        {"VR_mic1_exciter_vol", false, 19, 15, 2, 5, 20, 0, 30, 12, 2000, kGrey, 24},
        {"VR_mic1_exciter_freq_index_100", false, 19, 15, 2, 5, 20, 0, 100, 55, 2000, kGrey, 24},
        {"VR_plate_reverb_diffusion", true, 17, 25, 2, 1, 5, 0, 30, 19, 2000, kGrey, 24},
        {"VR_plate_reverb_damping", true, 17, 25, 2, 1, 5, 0, 30, 4, 2000, kGrey, 24},
        {"VR_plate_reverb_decay", true, 17, 25, 2, 1, 5, 0, 30, 23, 2000, kGrey, 24},
        {"VR_reverb_vol", true, 17, 25, 2, 2, 10, 0, 30, 14, 2000, kGrey, 24},
        {"VR_plate_reverb_predelay", true, 17, 25, 2, 2, 10, 0, 100, 66, 2000, kGrey, 24},
        {"vr_echo_reverb_bili", false, 31, 18, 0, 5, 30, 0, 30, 7, 2000, kGrey, 25},
        {"VR_echo_a_vol", true, 17, 25, 2, 1, 5, 0, 30, 3, 2000, kGrey, 24},
        {"VR_echo_a_delay_l", true, 17, 25, 2, 1, 5, 0, 30, 11, 2000, kGrey, 24},
        {"VR_echo_a_delay_r", true, 17, 25, 2, 1, 5, 0, 30, 17, 2000, kGrey, 24},
        {"VR_echo_a_repeat", true, 17, 25, 2, 1, 5, 0, 30, 9, 2000, kGrey, 24},
        {"VR_echo_a_lpf", true, 17, 25, 2, 1, 5, 0, 30, 27, 2000, kGrey, 24},
    };
    x.insert(x.end(), singles.begin(), singles.end());
    return x;
}

TEST(WindowSliders, EveryInstanceAsDesignedAfterStartUpAndDisplay) {
    WindowUnderTest w("sliders", [](const std::string& dir) {
        std::ofstream(dir + "/" + kStartupFileName, std::ios::binary) << param_file_text(startup_image());
    });
    w.frm->show();
    QCoreApplication::processEvents();
    const std::vector<Expected> table = expected_sliders();
    ASSERT_EQ(table.size(), 43u);
    EXPECT_EQ(slider_instance_count(), 43) << "sliders the window's settings cover";
    int sliders_in_window = 0;
    for (const ControlRow& row : control_table()) sliders_in_window += row.kind == ControlKind::Slider;
    EXPECT_EQ(sliders_in_window, 43) << "sliders in the control table";

    for (const Expected& x : table) {
        SCOPED_TRACE(x.name);
        auto* s = w.frm->registry().get<xiSlider>(x.name);
        ASSERT_NE(s, nullptr) << x.name << " missing";
        const ControlRow* row = find_control_row(x.name);
        ASSERT_NE(row, nullptr) << x.name << " has no row";
        EXPECT_EQ(s->Orientation(), x.vertical ? 1 : 0) << x.name << " orientation";
        EXPECT_EQ((row->flags & kVertical) != 0, x.vertical) << x.name << " row's kVertical flag";
        const QSize thumb(x.thumb_w, x.thumb_h);
        EXPECT_EQ(s->MouseOutSliderIcon().size(), thumb) << x.name << " normal thumb picture";
        EXPECT_EQ(s->MouseInSliderIcon().size(), thumb) << x.name << " hovered thumb picture";
        EXPECT_EQ(QSize(s->model().thumb_w(), s->model().thumb_h()), thumb) << x.name << " thumb the model moves";
        EXPECT_EQ(s->Line_Mode(), x.line_mode) << x.name << " Line_Mode";
        EXPECT_EQ(s->Line_Sub_Div(), x.sub_div) << x.name << " Line_Sub_Div";
        EXPECT_EQ(s->Line_Main_Div(), x.main_div) << x.name << " Line_Main_Div";
        EXPECT_EQ(s->Line_Sta(), 10) << x.name << " Line_Sta";
        EXPECT_EQ(s->Line_Main_Len(), 6) << x.name << " Line_Main_Len";
        EXPECT_EQ(s->Line_Sub_Len(), 5) << x.name << " Line_Sub_Len";
        EXPECT_EQ(s->min(), x.min) << x.name << " min";
        EXPECT_EQ(s->max(), x.max) << x.name << " max";
        EXPECT_EQ(s->Value(), x.value) << x.name << " Value";
        EXPECT_EQ(s->max_limit(), x.max_limit) << x.name << " max_limit";
        EXPECT_EQ(s->BackColor(), x.back) << x.name << " surface colour";
        EXPECT_FALSE(s->ShowValueTip()) << x.name << " ShowValueTip";
        EXPECT_EQ(s->RailStyle(), 99) << x.name << " RailStyle";
        EXPECT_TRUE(s->RailPicture().isNull()) << x.name << " has a rail picture";
        EXPECT_TRUE(s->hua_slider_enable()) << x.name << " rail lines";

        // One thumb plus the extra size across the rail; the layout's length along it, at the layout's place.
        const QRect place(twips_to_px(row->left), twips_to_px(row->top), twips_to_px(row->width),
                          twips_to_px(row->height));
        EXPECT_EQ(x.vertical ? s->width() : s->height(), x.across) << x.name << " size across the rail";
        EXPECT_EQ(s->geometry(), place) << x.name << " place (the row's rectangle)";
        EXPECT_TRUE(s->parentWidget()->rect().contains(s->geometry())) << x.name << " inside its container";
        for (QObject* o : s->parentWidget()->children()) {
            auto* sibling = qobject_cast<QWidget*>(o);
            if (!sibling || sibling == s || sibling->isHidden()) continue;
            EXPECT_FALSE(sibling->geometry().intersects(s->geometry()))
                << x.name << " overlaps " << sibling->objectName().toStdString();
        }
    }
}

// The balance reads left to right: echo at the minimum end, reverb at the maximum end.
TEST(WindowSliders, BalanceEndsNamedWhereItsValuesGo) {
    WindowUnderTest w("slider_balance");
    w.frm->show();
    w.frm->registry().get<XTab>("ucXTab1")->setActiveTab(2);  // EFFECT
    QCoreApplication::processEvents();
    auto* s = w.frm->registry().get<xiSlider>("vr_echo_reverb_bili");
    auto* echo = w.frm->registry().get<QLabel>("Label_reverb_vol_Echo_max");
    auto* reverb = w.frm->registry().get<QLabel>("Label_reverb_vol_Reverb_max");
    ASSERT_TRUE(s && echo && reverb) << "balance controls";
    const int at_min = s->x() + static_cast<int>(s->model().position_of(s->min()));
    const int at_max = s->x() + static_cast<int>(s->model().position_of(s->max()) + s->model().thumb_w());
    EXPECT_LE(std::abs(echo->x() - at_min), 6) << "\"Echo Max\" over the left end " << at_min;
    EXPECT_LE(std::abs(reverb->geometry().right() + 1 - at_max), 6) << "\"Reverb Max\" over the right end " << at_max;
    EXPECT_EQ(int(echo->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignLeft)) << "Echo Max alignment";
    EXPECT_EQ(int(reverb->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignRight)) << "Reverb Max alignment";
}

// The compressor curve is drawn on grey: graph, grid, curve and the OFF box as the window stores them.
TEST(WindowSliders, CompressorCurveOnGrey) {
    WindowUnderTest w("slider_limiter");
    auto* curve = w.frm->registry().get<Limiter>("Limiter_drc");
    ASSERT_NE(curve, nullptr) << "Limiter_drc";
    EXPECT_EQ(curve->a__ui_biaoge_back_color(), 0xC0C0C0) << "back colour";
    EXPECT_EQ(curve->a__ui_biaoge_line_color(), 0x404040) << "grid colour";
    EXPECT_EQ(curve->a__ui_Limiter_line_total_color(), 0xFFFF00) << "curve colour";
    EXPECT_EQ(curve->a__ui_text_off_color(), 0x404040) << "OFF text colour";
    curve->set_dis_off_bit(0);
    const QImage pic = curve->render_surface();
    EXPECT_EQ(pic.pixel(3, 3) & 0xFFFFFF, 0xC0C0C0u) << "graph background in the top left cell";
    EXPECT_EQ(pic.pixel(pic.width() / 2 - 19, pic.height() / 2 - 7) & 0xFFFFFF, 0xC0C0C0u) << "OFF box background";
}

}  // namespace
}  // namespace tuner::testing
