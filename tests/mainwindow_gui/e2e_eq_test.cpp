// The EQ editor and the compressor end to end: input reaches the unit as the exact frames, and what the window
// shows is what the image and the unit hold.
#include <cmath>
#include <fstream>
#include <iterator>
#include <tuple>

#include <QAbstractButton>

#include "controls/peq_graph.h"
#include "controls/slider_model.h"
#include "controls/text_input.h"
#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/param_file.h"
#include "core/value_tables.h"
#include "display/display_colors.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

namespace e = eq_frame;

constexpr uint8_t kLowPreGain = 10;  // -22 dB, below the slider's -18 dB

// What the window shows of channel 0's pre-gain below the slider's reach: the box and the graph the byte's own
// gain, the slider its error text with its thumb at its lowest end.
void expect_low_pre_gain_shown(WindowUnderTest& w) {
    MainView& v = w.frm->view();
    EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), "-22.0") << "pre-gain box";
    EXPECT_NEAR(w.frm->view().peq()->model().pre_gain_db(), -22.0, 1e-4) << "graph's pre-gain";
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_pre_gain_db_index"}), 30) << "pre-gain slider's value";
    const SliderModel& m = w.frm->registry().get<xiSlider>("vr_eq_pre_gain_db_index")->model();
    EXPECT_EQ(m.thumb_top(), m.position_of(m.min())) << "pre-gain slider's thumb at its lowest end";
    EXPECT_TRUE(v.visible(Ctl{"Text_vr_error_cou"})) << "slider error box shown";
    EXPECT_EQ(v.text(Ctl{"Text_vr_error_cou"}), "软件有可改进的地方，改进码：380") << "slider error text";
}

// Every write of EQ channel 0 among `frames` carries `byte` as its pre-gain.
void expect_channel0_pre_gain(const std::vector<FrameImage>& frames, int byte, const char* after) {
    int seen = 0;
    for (const FrameImage& f : frames) {
        if (f[e::EQ_CH] != 0) continue;
        ++seen;
        EXPECT_EQ(int{f[e::eq_pre_gain_db_index]}, byte) << "pre-gain sent after " << after;
    }
    EXPECT_GT(seen, 0) << "writes of EQ channel 0 after " << after;
}

// The pre-gain byte of EQ channel 0 in a saved parameter file.
int saved_pre_gain(WindowUnderTest& w, const std::string& name) {
    const std::string path = app_file(name);
    w.dialogs.save_answer = path;
    choose(w, "menu_key_save_all_data_to_file");
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(text.empty()) << "saved file " << path;
    return ktv_parse_text(text).parse_buffer[e::eq_pre_gain_db_index];  // channel 0's frame comes first
}

// A pre-gain below the slider's reach from the unit stays as it is through the refresh, the next sends and a
// save, also when the box is entered and left untouched; a step up goes to the lowest value the editor reaches.
TEST(E2eEq, ALowPreGainFromTheUnitStaysUntilTheUserChangesIt) {
    WindowUnderTest w("e2e_low_pre_gain_unit");
    w.unit.image.eq[0][e::eq_pre_gain_db_index] = kLowPreGain;
    show_window(w);
    MainView& v = w.frm->view();
    v.set_visible(Ctl{"Text_vr_error_cou"}, false);
    ASSERT_TRUE(w.connect());
    w.ticks(40);
    const AppState& s = w.frm->state();
    EXPECT_EQ(int{s.param_image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain)
        << "image byte after the whole-state read";
    expect_low_pre_gain_shown(w);

    expect_channel0_pre_gain(writes_after(w, cmd::eq, [&] { click(w, "key_eq_type_ls(3)"); }), kLowPreGain,
                             "a band's type button");
    expect_channel0_pre_gain(writes_after(w, cmd::eq,
                                          [&] {
                                              click(w, "Text_eq_pre_gain_db_index");
                                              key(w, Qt::Key_Return);
                                          }),
                             kLowPreGain, "Enter in the untouched box");
    expect_low_pre_gain_shown(w);
    expect_channel0_pre_gain(writes_after(w, cmd::eq, [&] { click(w, "Text_music_vol"); }), kLowPreGain,
                             "leaving the untouched box");
    EXPECT_EQ(int{w.unit.image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain) << "the unit's byte";
    EXPECT_EQ(saved_pre_gain(w, "low_pre_gain.ktv"), kLowPreGain) << "saved byte";
    EXPECT_EQ(int{s.param_image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain) << "image byte after the save";

    const FrameImage up = write_after(w, cmd::eq, [&] {
        click(w, "Text_eq_pre_gain_db_index");
        key(w, Qt::Key_Up);
    });
    EXPECT_EQ(int{up[e::eq_pre_gain_db_index]}, 30) << "one step up from -22 dB: the lowest value the editor reaches";
    EXPECT_EQ(int{s.param_image.eq[0][e::eq_pre_gain_db_index]}, 30) << "image byte after the step";
    EXPECT_EQ(v.text(Ctl{"Text_eq_pre_gain_db_index"}), "-18.0") << "pre-gain box after the step";
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_pre_gain_db_index"}), 30) << "pre-gain slider after the step";
    const FrameImage next = write_after(w, cmd::eq, [&] { key(w, Qt::Key_Up); });
    EXPECT_EQ(int{next[e::eq_pre_gain_db_index]}, 31) << "the next step up, from the slider at -18 dB";
}

// The same from a loaded file: the whole image goes to the unit with the file's byte, a save keeps it, and a typed
// value is written.
TEST(E2eEq, ALowPreGainFromAFileGoesOutAsItIs) {
    WindowUnderTest w("e2e_low_pre_gain_file");
    show_and_connect(w);
    MainView& v = w.frm->view();
    ParamImage file = distinct_param_image();
    file.eq[0][e::eq_pre_gain_db_index] = kLowPreGain;
    const std::string path = app_file("from_file.ktv");
    std::ofstream(path, std::ios::binary) << param_file_text(file);
    v.set_visible(Ctl{"Text_vr_error_cou"}, false);
    w.dialogs.open_answer = path;
    const auto sent = writes_after(
        w, cmd::eq, [&] { choose(w, "menu_key_open_file_to_all_data"); }, 60);
    expect_channel0_pre_gain(sent, kLowPreGain, "loading the file");
    EXPECT_EQ(int{w.frm->state().param_image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain)
        << "image byte after the load";
    EXPECT_EQ(int{w.unit.image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain) << "the unit's byte";
    expect_low_pre_gain_shown(w);
    EXPECT_EQ(saved_pre_gain(w, "resaved.ktv"), kLowPreGain) << "saved byte";

    const FrameImage typed = write_after(w, cmd::eq, [&] { enter_value(w, "Text_eq_pre_gain_db_index", "-6"); });
    EXPECT_EQ(int{typed[e::eq_pre_gain_db_index]}, 90) << "pre-gain sent after typing -6";
    EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), "-6.0") << "pre-gain box after typing -6";
    EXPECT_EQ(v.slider_value(Ctl{"vr_eq_pre_gain_db_index"}), 90) << "pre-gain slider after typing -6";
}

// The pre-gain slider itself below its reach, as the user drives it: a step down by the wheel or a key keeps the
// byte and sends nothing; a step up by the wheel, a key or a click on the rail above the thumb goes to -18 dB; a drag
// goes where the pointer takes the thumb, also one step's worth in a single move.
TEST(E2eEq, ThePreGainSliderBelowItsReachStepsFromItsLowestEnd) {
    WindowUnderTest w("e2e_low_pre_gain_slider");
    w.unit.image.eq[0][e::eq_pre_gain_db_index] = kLowPreGain;
    show_and_connect(w);
    auto* slider = w.frm->registry().get<xiSlider>("vr_eq_pre_gain_db_index");
    ASSERT_NE(slider, nullptr);
    const AppState& s = w.frm->state();
    const auto byte = [&] { return int{s.param_image.eq[0][e::eq_pre_gain_db_index]}; };
    const auto from_low = [&] {  // the unit sends -22 dB again on its next poll of channel 0
        w.unit.image.eq[0][e::eq_pre_gain_db_index] = kLowPreGain;
        w.ticks(30);
        ASSERT_EQ(byte(), kLowPreGain) << "image byte after the unit's poll";
        expect_low_pre_gain_shown(w);
    };
    const QPoint above_thumb(slider->width() / 2, static_cast<int>(slider->model().thumb_top()) - 8);
    const auto focus_slider = [&] { click(w, "vr_eq_pre_gain_db_index", thumb_centre(slider, slider->Value())); };
    const std::pair<const char*, std::function<void()>> downs[] = {
        {"a wheel notch down", [&] { wheel(w, "vr_eq_pre_gain_db_index", -1); }},
        {"Down on the slider", [&] { focus_slider(), key(w, Qt::Key_Down); }},
    };
    const std::pair<const char*, std::function<void()>> ups[] = {
        {"a wheel notch up", [&] { wheel(w, "vr_eq_pre_gain_db_index", 1); }},
        {"Up on the slider", [&] { focus_slider(), key(w, Qt::Key_Up); }},
        {"a click on the rail above the thumb", [&] { click(w, "vr_eq_pre_gain_db_index", above_thumb); }},
    };
    for (const auto& [what, act] : downs) {
        from_low();
        EXPECT_EQ(writes_after(w, cmd::eq, act).size(), 0u) << "EQ writes after " << what;
        EXPECT_EQ(byte(), kLowPreGain) << "image byte after " << what;
        EXPECT_EQ(int{w.unit.image.eq[0][e::eq_pre_gain_db_index]}, kLowPreGain) << "the unit's byte after " << what;
        expect_low_pre_gain_shown(w);
    }
    for (const auto& [what, act] : ups) {
        from_low();
        const FrameImage f = write_after(w, cmd::eq, act);
        EXPECT_EQ(int{f[e::eq_pre_gain_db_index]}, 30) << "pre-gain sent after " << what;
        EXPECT_EQ(byte(), 30) << "image byte after " << what;
        EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), "-18.0") << "pre-gain box after " << what;
        EXPECT_EQ(slider->Value(), 30) << "pre-gain slider after " << what;
        EXPECT_EQ(slider->model().thumb_top(), slider->model().position_of(30)) << "thumb after " << what;
    }
    for (const auto& drag_to : {std::pair{31, "-17.8"}, std::pair{90, "-6.0"}}) {
        const int to = drag_to.first;
        const char* shown = drag_to.second;
        from_low();
        const FrameImage f =
            write_after(w, cmd::eq, [&] { drag(w, slider, thumb_centre(slider, 30), thumb_centre(slider, to), 1); });
        EXPECT_EQ(int{f[e::eq_pre_gain_db_index]}, to) << "pre-gain sent after a drag to " << to;
        EXPECT_EQ(byte(), to) << "image byte after a drag to " << to;
        EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), shown) << "pre-gain box after a drag to " << to;
        EXPECT_EQ(slider->Value(), to) << "pre-gain slider after a drag to " << to;
    }
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

// Up and Down after a click on the EQ graph step the selected band's gain: the click gives the graph the keyboard
// (the box edited before commits and keeps its value), a key sends the band's byte alone and moves the focus to its
// gain box, whose binding steps the same band from then on. With no band selected the keys do nothing.
TEST(E2eEq, UpAndDownOnTheGraphStepTheSelectedBand) {
    WindowUnderTest w("e2e_graph_keys");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    PEQ* peq = w.frm->view().peq();
    ASSERT_NE(peq, nullptr);
    constexpr int kBand = 2;
    const std::size_t byte = e::eq_db + kBand;
    click(w, "Text_music_vol");
    const std::string music = text_of(w, "Text_music_vol");

    const PeqBand& band = peq->model().band(kBand);
    const QPoint marker(static_cast<int>(std::lround(peq->model().px_x(band.band_freq_index))),
                        static_cast<int>(std::lround(peq->model().px_y(band.band_gain_db))));
    click_at(w, in_window(w, peq, marker));
    w.ticks(4);
    ASSERT_EQ(peq->select_eq_index(), kBand) << "band selected by the click on its marker";
    EXPECT_EQ(QApplication::focusWidget(), peq) << "focus after the click on the graph";
    EXPECT_EQ(text_of(w, "Text_music_vol"), music) << "Text_music_vol after the click on the graph";

    // Each key: one more write of channel 0 whose only new parameter byte is the band's gain; nothing else sent.
    int expected = s.param_image.eq[0][byte];
    for (const auto& [k, step, name] :
         {std::tuple{Qt::Key_Up, 1, "Up"}, {Qt::Key_Up, 1, "second Up"}, {Qt::Key_Down, -1, "Down"}}) {
        SCOPED_TRACE(name);
        const ParamImage before = s.param_image;
        const std::size_t from = w.unit.received.size();
        key(w, k);
        w.ticks(4);
        expected += step;
        const auto eq = writes_of(w.unit, cmd::eq, from);
        ASSERT_EQ(eq.size(), 1u) << "EQ writes";
        EXPECT_EQ(int{eq[0][e::EQ_CH]}, 0) << "channel byte sent";
        EXPECT_EQ(int{eq[0][byte]}, expected) << "band 2 gain byte sent";
        for (uint8_t c : {cmd::gen, cmd::effect})
            EXPECT_EQ(writes_of(w.unit, c, from).size(), 0u) << "writes of command " << int{c};
        EXPECT_EQ(changed_bytes(before, s.param_image), std::vector<std::string>{"0:" + std::to_string(byte)})
            << "bytes changed in the image";
        EXPECT_EQ(int{w.unit.image.eq[0][byte]}, expected) << "the unit's byte";
        EXPECT_EQ(text_of(w, "Text_eq_db", kBand),
                  format_number_text(single_to_text(static_cast<float>(eq_gain_at(expected))), "0.0"))
            << "Text_eq_db(2)";
        EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_eq_db", kBand}), expected) << "vr_eq_db(2)";
        EXPECT_FLOAT_EQ(band.band_gain_db, static_cast<float>(eq_gain_at(expected))) << "the graph's band 2";
        EXPECT_EQ(QApplication::focusWidget(), widget_of(w, "Text_eq_db(2)")) << "focus after the key";
        EXPECT_EQ(text_of(w, "Text_music_vol"), music) << "Text_music_vol";
    }

    // A click on the graph away from every marker selects no band: the keys then change and send nothing.
    click_at(w, in_window(w, peq, QPoint(peq->width() / 2, static_cast<int>(peq->model().px_y(-16)))));
    w.ticks(4);
    ASSERT_EQ(peq->select_eq_index(), 255) << "selection after a click on empty graph";
    EXPECT_EQ(QApplication::focusWidget(), peq) << "focus after the click on empty graph";
    const ParamImage before = s.param_image;
    const std::size_t from = w.unit.received.size();
    key(w, Qt::Key_Up);
    key(w, Qt::Key_Down);
    w.ticks(4);
    EXPECT_EQ(writes_of(w.unit, cmd::eq, from).size() + writes_of(w.unit, cmd::gen, from).size() +
                  writes_of(w.unit, cmd::effect, from).size(),
              0u)
        << "writes after Up and Down with no band selected";
    EXPECT_EQ(changed_bytes(before, s.param_image), std::vector<std::string>{}) << "bytes changed in the image";
    EXPECT_EQ(QApplication::focusWidget(), peq) << "focus after the keys with no band selected";
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
