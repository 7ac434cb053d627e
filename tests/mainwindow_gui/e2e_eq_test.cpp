// The EQ editor and the compressor end to end: graph drags, type buttons,
// typed band values, reset, the channel tabs and the limiter curve reach
// the unit as the exact frames.
#include <cmath>

#include "controls/limiter.h"
#include "controls/peq_graph.h"
#include "core/value_tables.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

namespace e = eq_frame;

QPoint marker_centre(PEQ* peq, int band) {
    const PeqModel& m = peq->model();
    const GraphRect r = m.marker_rect(band);
    return QPoint(static_cast<int>(std::lround(m.px_x((r.left + r.right) / 2))),
                  static_cast<int>(std::lround(m.px_y((r.top + r.bottom) / 2))));
}

// The last EQ write of a channel from `from` on.
std::optional<FrameImage> last_eq_write(WindowUnderTest& w, int ch, std::size_t from) {
    std::optional<FrameImage> out;
    for (const FrameImage& f : writes_of(w.unit, cmd::eq, from))
        if (f[e::EQ_CH] == ch) out = f;
    return out;
}

bool same_payload(const FrameImage& a, const FrameImage& b) {
    return std::equal(a.begin() + 8, a.begin() + 164, b.begin() + 8);
}

TEST(E2eEq, ABandDraggedOnTheGraphReachesTheUnitExactly) {
    WindowUnderTest w("e2e_peq_drag");
    const int band = 4;
    FrameImage& unit_eq = w.unit.image.eq[0];
    unit_eq[e::eq_x_enable + band] = 1;  // a disabled band has no marker to grab
    set_eq_freq(unit_eq, band, 200);
    show_and_connect(w);
    PEQ* peq = w.frm->view().peq();
    ASSERT_NE(peq, nullptr);
    ASSERT_TRUE(peq->model().marker_visible(band));
    const FrameImage before = w.frm->state().param_image.eq[0];
    const QPoint from_px = marker_centre(peq, band);
    const std::size_t from = w.unit.received.size();
    drag(w, peq, from_px, from_px + QPoint(40, -30), 8);
    w.ticks(6);
    const FrameImage& now = w.frm->state().param_image.eq[0];
    EXPECT_NE(now[e::eq_db + band], before[e::eq_db + band]) << "the gain moved";
    EXPECT_NE(eq_freq(now, band), eq_freq(before, band)) << "the frequency moved";
    EXPECT_EQ(now[e::eq_type + band], before[e::eq_type + band]);
    // Only the band's gain, frequency and Q bytes changed.
    for (std::size_t i = 8; i < 164; ++i) {
        const bool band_byte = i == e::eq_db + band || i == e::eq_freq_high + band || i == e::eq_freq_low + band ||
                               i == e::eq_q_peq + band || i == e::eq_q_shelf + band || i == e::eq_q_pass + band;
        if (!band_byte) {
            EXPECT_EQ(now[i], before[i]) << "byte " << i;
        }
    }
    const auto sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_TRUE(same_payload(*sent, now));
    EXPECT_TRUE(same_payload(w.unit.image.eq[0], now));
    // Box and slider show the band as the graph left it.
    MainView& v = w.frm->view();
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_db", band}), now[e::eq_db + band]);
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_freq", band}), eq_freq(now, band));
}

TEST(E2eEq, ATypeButtonChangesTheLimitsAndTheCurve) {
    WindowUnderTest w("e2e_eq_type");
    show_and_connect(w);
    const int band = 3;
    PEQ* peq = w.frm->view().peq();
    std::size_t from = w.unit.received.size();
    click(w, "key_eq_type_ls(" + std::to_string(band) + ")");
    w.ticks(4);
    auto sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ((*sent)[e::eq_type + band], 1);
    EXPECT_EQ(peq->model().band(band).band_type, 1);

    // A shelf's Q goes up to 2.0 only.
    from = w.unit.received.size();
    enter_value(w, "Text_eq_q(" + std::to_string(band) + ")", "30");
    w.ticks(4);
    sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ((*sent)[e::eq_q_shelf + band], 20);
    EXPECT_NEAR(peq->model().band(band).band_q_index, 20, 0.5);

    // Back to peaking: 25 is allowed again.
    click(w, "key_eq_type_peq(" + std::to_string(band) + ")");
    from = w.unit.received.size();
    enter_value(w, "Text_eq_q(" + std::to_string(band) + ")", "30");
    w.ticks(4);
    sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ((*sent)[e::eq_type + band], 0);
    EXPECT_EQ((*sent)[e::eq_q_peq + band], 250);
}

TEST(E2eEq, TypedBandValuesSnapToTheTables) {
    WindowUnderTest w("e2e_eq_typed");
    show_and_connect(w);
    const int band = 2;
    const std::string b = "(" + std::to_string(band) + ")";
    std::size_t from = w.unit.received.size();
    click(w, "Text_eq_freq" + b);
    type(w, "1000");
    key(w, Qt::Key_Return);
    click(w, "Text_eq_db" + b);
    type(w, "-5.3");
    key(w, Qt::Key_Return);
    w.ticks(6);
    auto sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_EQ(eq_freq(*sent, band), peq_h_freq_index(static_cast<float>(1000)));
    const uint8_t g = (*sent)[e::eq_db + band];
    EXPECT_NEAR(eq_gain_at(g), -5.3, 0.11);
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_eq_db", band}), g);

    // Out of range: the table's ends.
    from = w.unit.received.size();
    click(w, "Text_eq_freq" + b);
    type(w, "30000");
    key(w, Qt::Key_Return);
    w.ticks(4);
    sent = last_eq_write(w, 0, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_NEAR(eq_freq_at(eq_freq(*sent, band)), 20600, 0.5);
    EXPECT_EQ(text_of(w, "Text_eq_freq", band), "20600");
}

TEST(E2eEq, ResetRestoresTheStartUpChannel) {
    WindowUnderTest w("e2e_eq_reset");
    show_and_connect(w);
    click_tab(w, 3);  // MAIN OUT: channel 5
    const FrameImage start_up = w.frm->state().param_image_default.eq[5];
    ASSERT_FALSE(same_payload(start_up, w.frm->state().param_image.eq[5]));  // the unit's differs
    const std::size_t from = w.unit.received.size();
    click(w, "key_eq_reset");
    w.ticks(4);
    EXPECT_TRUE(same_payload(w.frm->state().param_image.eq[5], start_up));
    const auto sent = last_eq_write(w, 5, from);
    ASSERT_TRUE(sent.has_value());
    EXPECT_TRUE(same_payload(*sent, start_up));
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_eq_db", 1}), start_up[e::eq_db + 1]);
}

TEST(E2eEq, TheTabsChooseTheChannelOfEqAndCompressor) {
    WindowUnderTest w("e2e_eq_tabs");
    show_and_connect(w);
    struct Tab {
        int tab, channel, drc;
        bool drc_shown;
    };
    for (const Tab& t :
         {Tab{1, 1, 1, true}, Tab{2, 3, 1, false}, Tab{3, 5, 2, false}, Tab{4, 6, 3, false}, Tab{0, 0, 0, true}}) {
        click_tab(w, t.tab);
        EXPECT_EQ(w.frm->state().eq_channel_sel, t.channel) << "tab " << t.tab;
        EXPECT_EQ(w.frm->state().drc_channel_sel, t.drc) << "tab " << t.tab;
        EXPECT_EQ(w.frm->view().visible(Ctl{"Frame_all_1", 3}), t.drc_shown) << "tab " << t.tab;
        // The band controls show the channel, and an edit goes to it.
        const FrameImage& img = w.frm->state().param_image.eq[static_cast<std::size_t>(t.channel)];
        EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_eq_db", 5}), img[e::eq_db + 5]) << "tab " << t.tab;
        const std::size_t from = w.unit.received.size();
        click(w, "key_eq_type_hs(6)");
        w.ticks(4);
        const auto sent = last_eq_write(w, t.channel, from);
        ASSERT_TRUE(sent.has_value()) << "tab " << t.tab;
        EXPECT_EQ((*sent)[e::eq_type + 6], 2);
        EXPECT_EQ(writes_of(w.unit, cmd::eq, from).size(), 1u);
    }
    // The compressor record follows the MIC tab.
    click_tab(w, 1);
    const std::size_t from = w.unit.received.size();
    click(w, "Text_drc_ratio");
    type(w, "300");
    key(w, Qt::Key_Return);
    w.ticks(4);
    const auto sent = writes_of(w.unit, cmd::gen, from);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(read_u16(sent.back(), gen_frame::drc(1) + gen_frame::drc_ratio), 300);
    EXPECT_NE(read_u16(sent.back(), gen_frame::drc(0) + gen_frame::drc_ratio), 300);
}

TEST(E2eEq, TheThresholdMovedOnTheCurveUpdatesBoxAndSliderAndSendsOnce) {
    WindowUnderTest w("e2e_limiter");
    show_and_connect(w);
    auto* lim = w.frm->view().limiter();
    ASSERT_NE(lim, nullptr);
    const LimiterModel& m = lim->model();
    const auto k = m.knob_rect();
    const QPoint knob((k.left + k.right) / 2, (k.top + k.bottom) / 2);
    const int target = -20;
    const QPoint to(static_cast<int>(std::lround(m.px_x(target))), static_cast<int>(std::lround(m.px_y(target))));
    const std::size_t from = w.unit.received.size();
    drag(w, lim, knob, to, 1);
    w.ticks(6);
    // The record keeps the threshold's magnitude.
    const int stored = -read_u16(w.frm->state().param_image.gen, gen_frame::drc(0) + gen_frame::drc_threshold_db);
    EXPECT_NEAR(stored, target, 1);
    EXPECT_EQ(text_of(w, "Text_drc_threshold_db"), std::to_string(stored));
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_drc_threshold_db"}), stored);
    const auto sent = writes_of(w.unit, cmd::gen, from);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(-read_u16(sent[0], gen_frame::drc(0) + gen_frame::drc_threshold_db), stored);
}

}  // namespace
}  // namespace tuner::testing
