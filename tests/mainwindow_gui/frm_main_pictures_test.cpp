// Pictures of the window connected to the simulated unit, for a look at
// what an engineer sees: lit buttons from the unit's state, two unit models
// with their per-model layout, an EQ band dragged on the graph and the
// compressor threshold moved. Each picture also checks the one thing it
// is about, so the test stays cheap and still means something.
#include <QCheckBox>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "controls/limiter.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "tabs/xtab.h"
#include "window_fixture.h"

namespace tuner::testing {
namespace {

void save(FrmMain& frm, const std::string& file) { EXPECT_TRUE(save_window_picture(frm, file)) << file; }

// A point of a child widget in the top-level window's coordinates.
QPoint in_window(FrmMain& frm, QWidget* w, QPoint p) { return w->mapTo(&frm, p); }

// The second model: Bluetooth and AUX only, no panel lock, exciter level
// only, no effect-volume limit, its own echo level.
void second_model(SimulatedUnit& unit) {
    namespace b = cpu_info_byte;
    std::fill_n(unit.info.begin() + b::cpu_input_caps, 10, 0);
    unit.info[b::cpu_input_caps] = 1;
    unit.info[b::cpu_input_caps + 5] = 1;
    unit.info[b::cpu_cap_lock] = 0;
    unit.info[b::cpu_cap_exciter] = 0x08;
    unit.info[b::cpu_cap_vol_control] = 0;
    unit.info[b::cpu_cap_echo_vr] = 1;
}

struct ConnectedWindow : WindowUnderTest {
    explicit ConnectedWindow(const std::string& name, bool second = false) : WindowUnderTest(name) {
        // The unit's state: the neutral filters spread over the range, with
        // a gentle curve of gains that differs per channel.
        unit.image = SimulatedUnit::factory_image();
        const ParamImage neutral = neutral_param_image();
        for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
            const uint8_t channel = unit.image.eq[ch][eq_frame::EQ_CH];
            auto gains = unit.image.eq[ch];
            unit.image.eq[ch] = neutral.eq[ch];
            unit.image.eq[ch][eq_frame::EQ_CH] = channel;
            for (std::size_t b = 1; b < 9; ++b)
                unit.image.eq[ch][eq_frame::eq_db + b] =
                    static_cast<uint8_t>(gains[eq_frame::eq_db + b] + (b % 3) * 12);
        }
        unit.image.gen[gen_frame::music_input_sel] = 6;
        if (second) second_model(unit);
        connected = connect();
        ticks(40);
    }
    void language(uint8_t lang) {
        frm->state().Language = lang;
        frm->state().refresh_incremental = 0;
        frm->display().set_all_dis();
        QCoreApplication::processEvents();
    }
    void tab(int t) {
        frm->registry().get<XTab>("ucXTab1")->setActiveTab(t);
        ticks(4);
    }
    bool connected = false;
};

TEST(FrmMainPictures, ConnectedInBothLanguagesForTwoModels) {
    for (const bool second : {false, true}) {
        ConnectedWindow w(second ? "pic_model2" : "pic_model1", second);
        ASSERT_TRUE(w.connected);
        MainView& v = w.frm->view();
        EXPECT_EQ(v.back_color(Ctl{"key_input", w.unit.music_input}), 0xFFFF80u);
        EXPECT_EQ(v.visible(Ctl{"Check_lock"}), !second);
        EXPECT_EQ(v.visible(Ctl{"Frame_echo_vr", 0}), second);
        EXPECT_EQ(v.visible(Ctl{"key_input", 10}), !second);
        const std::string model = second ? "model2" : "model1";
        for (const uint8_t lang : {uint8_t{1}, uint8_t{0}}) {
            w.language(lang);
            const std::string base = "frm_main_connected_" + model + (lang ? "_en" : "_zh");
            for (const int t : {0, 1, 2}) {
                w.tab(t);
                save(*w.frm, base + "_tab" + std::to_string(t) + ".png");
            }
        }
    }
}

TEST(FrmMainPictures, DraggedEqBandAndMovedCompressorThreshold) {
    ConnectedWindow w("pic_drag");
    ASSERT_TRUE(w.connected);
    FrmMain& frm = *w.frm;
    frm.show();
    frm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    // Pointer input goes to the top-level window, Qt picks the receiver.
    QWindow* win = frm.windowHandle();

    // Drag band 4 up by a few dB and to the right on the graph.
    auto* peq = frm.registry().get<PEQ>("PEQ");
    const PeqModel& m = peq->model();
    const int band = 4;

    const double x = PeqModel::freq_to_xy_x(PeqModel::freq_index_to_freq(m.band(band).band_freq_index));
    const QPoint from(static_cast<int>(m.px_x(x)), static_cast<int>(m.px_y(m.band(band).band_gain_db)));
    const QPoint to = from + QPoint(40, -50);
    const uint8_t db_before = frm.state().param_image.eq[0][eq_frame::eq_db + band];
    QTest::mousePress(win, Qt::LeftButton, {}, in_window(frm, peq, from));
    for (int i = 1; i <= 5; ++i) QTest::mouseMove(win, in_window(frm, peq, from + (to - from) * i / 5));
    QTest::mouseRelease(win, Qt::LeftButton, {}, in_window(frm, peq, to));
    w.ticks(4);
    EXPECT_GT(frm.state().param_image.eq[0][eq_frame::eq_db + band], db_before);

    // Compressor on, threshold fader dragged up from near its bottom.
    auto* enable = frm.registry().get<QCheckBox>("Check_drc_enable");
    if (!enable->isChecked())
        QTest::mouseClick(win, Qt::LeftButton, {}, in_window(frm, enable, QPoint(8, enable->height() / 2)));
    auto* fader = frm.registry().get<xiSlider>("vr_drc_threshold_db");
    const int before = fader->Value();
    const QPoint thumb(fader->width() / 2, 8);  // the threshold starts at 0 dB, the top
    QTest::mousePress(win, Qt::LeftButton, {}, in_window(frm, fader, thumb));
    for (int i = 1; i <= 5; ++i) QTest::mouseMove(win, in_window(frm, fader, thumb + QPoint(0, 16 * i)));
    QTest::mouseRelease(win, Qt::LeftButton, {}, in_window(frm, fader, thumb + QPoint(0, 80)));
    w.ticks(4);
    EXPECT_NE(fader->Value(), before);
    save(frm, "frm_main_connected_eq_drag_drc_threshold.png");
}

}  // namespace
}  // namespace tuner::testing
