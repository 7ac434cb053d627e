// The EQ editor and the compressor end to end: input reaches the unit as the exact frames, and what the window
// shows is what the image and the unit hold.
#include <QAbstractButton>

#include "controls/peq_graph.h"
#include "core/default_image.h"
#include "core/value_tables.h"
#include "display/display_colors.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

namespace e = eq_frame;

// A pre-gain below the slider's reach shown alike everywhere.
TEST(E2eEq, ALowPreGain) {
    WindowUnderTest w("e2e_low_pre_gain");
    w.unit.image.eq[0][e::eq_pre_gain_db_index] = 0;
    show_and_connect(w);
    // Slider, box and graph agree, and Up steps from there.
    const int shown = w.frm->view().slider_value(Ctl{"vr_eq_pre_gain_db_index"});
    EXPECT_EQ(w.frm->state().param_image.eq[0][e::eq_pre_gain_db_index], shown) << "image byte against the slider";
    EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), "-18.0") << "pre-gain box";
    EXPECT_DOUBLE_EQ(w.frm->view().peq()->model().pre_gain_db(), -18.0) << "graph";
    const FrameImage up = write_after(w, cmd::eq, [&] {
        click(w, "Text_eq_pre_gain_db_index");
        key(w, Qt::Key_Up);
    });
    EXPECT_EQ(up[e::eq_pre_gain_db_index], shown + 1) << "one step up from what is shown";
}

// A type button reaches the unit; the channel tabs move the EQ to their channels; the pointer
// over a gain slider highlights its band until it leaves.
TEST(E2eEq, BandValuesChannelTabsAndHover) {
    WindowUnderTest w("e2e_eq_band");
    show_and_connect(w);
    PEQ* peq = w.frm->view().peq();
    const FrameImage f = write_after(w, cmd::eq, [&] { click(w, "key_eq_type_ls(3)"); });
    EXPECT_EQ(f[e::EQ_CH], 0) << "channel byte";
    EXPECT_EQ(f[e::eq_type + 3], 1) << "low shelf";
    EXPECT_EQ(peq->model().band(3).band_type, f[e::eq_type + 3]) << "the graph's band type";

    for (auto [tab, channel] : std::vector<std::array<int, 2>>{{1, 1}, {2, 3}, {3, 5}, {4, 6}, {0, 0}}) {
        SCOPED_TRACE("tab " + std::to_string(tab));
        click_tab(w, tab);
        const auto sent = write_after(
            w, cmd::eq, [&] { click(w, "key_eq_type_hs(5)"); }, 4, true);
        EXPECT_EQ(sent[e::EQ_CH], channel) << "channel byte sent";
        EXPECT_EQ(sent[e::eq_type + 5], 2) << "band 5 type sent";
    }

    QWidget* elsewhere = widget_of(w, "Text_music_vol");
    for (const int band : {9, 0}) {
        const std::string name = "vr_eq_db(" + std::to_string(band) + ")";
        QWidget* slider = widget_of(w, name);
        ASSERT_NE(slider, nullptr) << name;
        QTest::mouseMove(handle(w), in_window(w, slider, slider->rect().center()));
        QCoreApplication::processEvents();
        EXPECT_EQ(peq->select_eq_index(), band) << "pointer over " << name;
        QTest::mouseMove(handle(w), in_window(w, elsewhere, elsewhere->rect().center()));
        QCoreApplication::processEvents();
        EXPECT_EQ(peq->select_eq_index(), 255) << "pointer moved from " << name << " to Text_music_vol";
    }
}

// A channel switched off stays off through polling and a band edit.
TEST(E2eTruth, AChannelSwitchedOffStaysOff) {
    WindowUnderTest w("e2e_channel_off");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    PEQ* peq = w.frm->view().peq();
    auto expect_off = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(s.param_image.eq[0][e::eq_chx_enable], 0) << "image byte 33";
        EXPECT_EQ(w.unit.image.eq[0][e::eq_chx_enable], 0) << "unit's byte 33";
        EXPECT_TRUE(peq->model().bypass_on()) << "no banner over the graph";
        EXPECT_EQ(peq->model().bypass().text, " OFF ") << "banner";
        EXPECT_EQ(w.frm->view().back_color(Ctl{"key_eq_chx_enable"}), kGrey) << "channel button";
    };
    ASSERT_EQ(s.param_image.eq[0][e::eq_chx_enable], 1);
    const FrameImage off = write_after(w, cmd::eq, [&] { click(w, "key_eq_chx_enable"); });
    EXPECT_EQ(off[e::eq_chx_enable], 0) << "sent byte 33";
    w.ticks(40);  // two seconds of polling: every EQ channel read back
    expect_off("after polling");

    const FrameImage edit = write_after(w, cmd::eq, [&] { click(w, "key_eq_type_hs(4)"); });
    EXPECT_EQ(edit[e::eq_chx_enable], 0) << "a band edit must not switch the channel on";
    expect_off("after a band edit");
}

}  // namespace
}  // namespace tuner::testing
