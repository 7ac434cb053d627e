// The compressor's curve takes the keyboard on a click, as the threshold slider does: the threshold box being edited
// is left first (its typed value committed and sent), so the value a drag sets is never typed onto. Alt with Up or
// Down steps nothing in a bound box, on the EQ graph or on a hovered slider; Shift and Ctrl with them still step.
#include <cmath>
#include <functional>
#include <tuple>

#include <QLineEdit>

#include "controls/limiter.h"
#include "controls/peq_graph.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

constexpr uint8_t kGen = 8;  // the general frame's command
constexpr uint8_t kEq = 6;
constexpr uint8_t kEffect = 7;

std::string name_of(const QWidget* c) { return c ? c->objectName().toStdString() : "(none)"; }

std::size_t writes_since(WindowUnderTest& w, std::size_t from) {
    return writes_of(w.unit, kGen, from).size() + writes_of(w.unit, kEq, from).size() +
           writes_of(w.unit, kEffect, from).size();
}

// The general frame sent since `from`: exactly one, carrying the window's image, which the unit now holds too;
// no EQ or effect frame went out.
FrameImage one_gen_write(WindowUnderTest& w, std::size_t from, const std::string& what) {
    const auto gen = writes_of(w.unit, kGen, from);
    EXPECT_EQ(gen.size(), 1u) << what << ": general frames sent";
    EXPECT_EQ(writes_of(w.unit, kEq, from).size() + writes_of(w.unit, kEffect, from).size(), 0u)
        << what << ": EQ and effect frames sent";
    if (gen.empty()) return FrameImage{};
    EXPECT_TRUE(same_payload(gen.back(), w.frm->state().param_image.gen)) << what << ": frame sent against the image";
    EXPECT_TRUE(same_payload(w.unit.image.gen, w.frm->state().param_image.gen)) << what << ": the unit's frame";
    return gen.back();
}

// The threshold the three controls show, and where the keyboard is.
void expect_threshold_shown(WindowUnderTest& w, int db, QWidget* focus, const std::string& what) {
    EXPECT_EQ(text_of(w, "Text_drc_threshold_db"), std::to_string(db)) << what << ": Text_drc_threshold_db";
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"vr_drc_threshold_db"}), db) << what << ": vr_drc_threshold_db";
    EXPECT_EQ(w.frm->view().limiter_db(), db) << what << ": Limiter_drc";
    EXPECT_EQ(name_of(QApplication::focusWidget()), name_of(focus)) << what << ": focus";
}

// Keys typed after the control took the keyboard change nothing: no write, the same image and box, the same
// channel tab and focus.
void expect_keys_do_nothing(WindowUnderTest& w, const std::string& what) {
    const ParamImage before = w.frm->state().param_image;
    const std::string box = text_of(w, "Text_drc_threshold_db");
    QWidget* focus = QApplication::focusWidget();
    const int tab = w.frm->registry().get<XTab>("ucXTab1")->ActiveTab();
    const std::size_t from = w.unit.received.size();
    type(w, "5");
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Right, Qt::Key_Left}) key(w, k);
    key(w, Qt::Key_PageDown, Qt::ControlModifier);
    w.ticks(4);
    EXPECT_EQ(writes_since(w, from), 0u) << what << ": writes sent";
    EXPECT_EQ(changed_bytes(before, w.frm->state().param_image), std::vector<std::string>{})
        << what << ": image bytes changed";
    EXPECT_EQ(text_of(w, "Text_drc_threshold_db"), box) << what << ": Text_drc_threshold_db";
    EXPECT_EQ(QApplication::focusWidget(), focus) << what << ": focus";
    EXPECT_EQ(w.frm->registry().get<XTab>("ucXTab1")->ActiveTab(), tab) << what << ": channel tab";
}

// Only the threshold bytes of record 1 (the MIC tab) changed since `before`.
void expect_only_threshold_changed(WindowUnderTest& w, const ParamImage& before, const std::string& what) {
    for (const std::string& at : changed_bytes(before, w.frm->state().param_image))
        EXPECT_TRUE(at == "10:22" || at == "10:23") << what << ": image byte changed " << at;
}

// -2 typed into the threshold box of the MIC tab (record 1: bytes 22 and 23), then the curve's knob or the slider's
// thumb pressed where it stands at -2: the box's -2 goes out first, the press sets nothing more, the control has the
// keyboard and typing does nothing. A drag to -23 then sends 23, and typing still does nothing: the box never shows
// "-235".
TEST(E2eCurveKeys, APressLeavesTheThresholdBoxFirst) {
    WindowUnderTest w("e2e_curve_keys_press");
    show_and_connect(w);
    click_tab(w, 1);
    Limiter* curve = w.frm->view().limiter();
    auto* slider = w.frm->registry().get<xiSlider>("vr_drc_threshold_db");
    ASSERT_NE(curve, nullptr) << "Limiter_drc";
    ASSERT_NE(slider, nullptr) << "vr_drc_threshold_db";
    const LimiterModel& m = curve->model();
    struct Case {
        const char* name;
        QWidget* control;
        std::function<QPoint(int)> at;  // where the knob or thumb stands at a threshold
    };
    const Case cases[] = {
        {"Limiter_drc", curve,
         [&](int db) {
             return QPoint(static_cast<int>(std::lround(m.px_x(db))), static_cast<int>(std::lround(m.px_y(db))));
         }},
        {"vr_drc_threshold_db", slider, [&](int db) { return thumb_centre(slider, db); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click(w, "Text_music_vol");  // the threshold box starts idle: its first key replaces the text
        click(w, "Text_drc_threshold_db");
        type(w, "-2");
        w.ticks(4);
        ASSERT_EQ(text_of(w, "Text_drc_threshold_db"), "-2") << "typed";
        const ParamImage typed = w.frm->state().param_image;

        // What the press or the drag sent and shows: one general frame with |db| in record 1, nothing else.
        const auto expect_sent = [&](const std::string& what, int db, const std::function<void()>& act) {
            SCOPED_TRACE(what);
            const std::size_t from = w.unit.received.size();
            act();
            park_pointer(w);
            w.ticks(4);
            const FrameImage sent = one_gen_write(w, from, what);
            EXPECT_EQ(int{sent[22]}, 0) << "threshold high byte sent";
            EXPECT_EQ(int{sent[23]}, -db) << "threshold low byte sent";
            EXPECT_EQ(int{w.unit.image.gen[23]}, -db) << "the unit's threshold low byte";
            expect_only_threshold_changed(w, typed, what);
            expect_threshold_shown(w, db, c.control, what);
            expect_keys_do_nothing(w, "keys after " + what);
        };
        expect_sent("the press", -2, [&] {
            const QPoint at = in_window(w, c.control, c.at(-2));
            ASSERT_TRUE(lands_on(w, c.control, at)) << "the press lands on " << c.name;
            click_at(w, at);
        });
        expect_sent("the drag", -23, [&] { drag(w, c.control, c.at(-2), c.at(-23), 7); });
    }

    // Back in the box, the first key replaces what the drag set.
    click(w, "Text_drc_threshold_db");
    const std::size_t from = w.unit.received.size();
    type(w, "-5");
    key(w, Qt::Key_Return);
    w.ticks(4);
    EXPECT_EQ(int{one_gen_write(w, from, "-5 typed")[23]}, 5) << "threshold low byte sent";
    expect_threshold_shown(w, -5, widget_of(w, "Text_drc_threshold_db"), "-5 typed");
}

// Alt with Up or Down (Ctrl or Shift held too or not) steps nothing in a bound box: no write, the same image, text
// and focus. Shift+Up and Ctrl+Down still step, each one write of the frame whose one byte moved.
TEST(E2eCurveKeys, AltWithUpOrDownStepsNothingInABox) {
    WindowUnderTest w("e2e_curve_keys_alt_box");
    show_and_connect(w);
    struct Case {
        int tab;
        const char* box;
        uint8_t command;
        std::size_t frame;  // 0..9 EQ channel, 10 general, 11 effect
        int byte;           // the byte a step moves, -1: the one the image shows moving (the band's Q row)
        int up;             // what Shift+Up adds to it
    };
    const Case cases[] = {
        {0, "Text_eq_q(3)", 6, 0, -1, 1},
        {0, "Text_drc_threshold_db", 8, 10, 12, -1},  // record 0's low byte: towards 0 dB the magnitude falls
        {1, "Text_drc_ratio", 8, 10, 25, 1},          // record 1's ratio, low byte
        {2, "Text_echo_a_repeat", 7, 11, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        click_tab(w, c.tab);
        click(w, c.box);
        park_pointer(w);
        w.ticks(4);
        QWidget* box = QApplication::focusWidget();
        ASSERT_EQ(name_of(box), c.box) << "focus after the click";
        const std::string text = QString(static_cast<QLineEdit*>(box)->text()).toStdString();
        const ParamImage before = w.frm->state().param_image;
        std::size_t from = w.unit.received.size();
        for (const auto& [k, held] : {std::pair{Qt::Key_Up, Qt::KeyboardModifiers(Qt::AltModifier)},
                                      {Qt::Key_Down, Qt::AltModifier},
                                      {Qt::Key_Up, Qt::AltModifier | Qt::ControlModifier},
                                      {Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier}})
            key(w, k, held);
        w.ticks(4);
        EXPECT_EQ(writes_since(w, from), 0u) << "writes after Alt with Up and Down";
        EXPECT_EQ(changed_bytes(before, w.frm->state().param_image), std::vector<std::string>{})
            << "image bytes changed by Alt with Up and Down";
        EXPECT_EQ(static_cast<QLineEdit*>(box)->text().toStdString(), text) << "box text after Alt with Up and Down";
        EXPECT_EQ(QApplication::focusWidget(), box) << "focus after Alt with Up and Down";

        // The other modifiers step: one byte moves and its frame alone goes out.
        for (const auto& [held, dir, name] :
             {std::tuple{Qt::ShiftModifier, 1, "Shift+Up"}, std::tuple{Qt::ControlModifier, -1, "Ctrl+Down"}}) {
            SCOPED_TRACE(name);
            const ParamImage was = w.frm->state().param_image;
            from = w.unit.received.size();
            key(w, dir > 0 ? Qt::Key_Up : Qt::Key_Down, held);
            w.ticks(4);
            const auto changed = changed_bytes(was, w.frm->state().param_image);
            ASSERT_EQ(changed.size(), 1u) << "image bytes changed";
            const std::size_t at = std::stoul(changed[0].substr(changed[0].find(':') + 1));
            EXPECT_EQ(changed[0].substr(0, changed[0].find(':')), std::to_string(c.frame)) << "frame changed";
            if (c.byte >= 0) {
                EXPECT_EQ(at, static_cast<std::size_t>(c.byte)) << "byte changed";
            }
            const FrameImage& now = w.frm->state().param_image.frame(c.frame);
            EXPECT_EQ(int{now[at]} - int{was.frame(c.frame)[at]}, c.up * dir) << "step of byte " << at;
            const auto sent = writes_of(w.unit, c.command, from);
            ASSERT_EQ(sent.size(), 1u) << "frames of command " << int{c.command} << " sent";
            EXPECT_EQ(writes_since(w, from), 1u) << "frames sent in all";
            EXPECT_TRUE(same_payload(sent[0], now)) << "frame sent against the image";
            EXPECT_EQ(int{w.unit.image.frame(c.frame)[at]}, int{now[at]}) << "the unit's byte " << at;
            EXPECT_EQ(QApplication::focusWidget(), box) << "focus";
        }
        EXPECT_EQ(static_cast<QLineEdit*>(box)->text().toStdString(), text) << "box text stepped up and back";
    }
}

// On the EQ graph with a band chosen and on a hovered slider with the keyboard, Alt with the arrows steps nothing;
// the plain key still steps.
TEST(E2eCurveKeys, AltWithArrowsStepsNothingOnTheGraphOrASlider) {
    WindowUnderTest w("e2e_curve_keys_alt_graph");
    show_and_connect(w);
    PEQ* peq = w.frm->view().peq();
    ASSERT_NE(peq, nullptr);
    const auto& band = peq->model().band(2);
    const QPoint marker(static_cast<int>(std::lround(peq->model().px_x(band.band_freq_index))),
                        static_cast<int>(std::lround(peq->model().px_y(band.band_gain_db))));
    struct Case {
        int tab;
        QWidget* control;
        std::function<QPoint()> at;  // where the click takes the keyboard and the pointer stays
        std::vector<Qt::Key> arrows;
        Qt::Key step;
        uint8_t command;
        std::size_t frame;  // 0 EQ channel 0, 10 general, 11 effect
    };
    auto* fader = w.frm->registry().get<xiSlider>("vr_drc_threshold_db");
    auto* balance = w.frm->registry().get<xiSlider>("vr_echo_reverb_bili");
    ASSERT_NE(fader, nullptr);
    ASSERT_NE(balance, nullptr);
    const Case cases[] = {
        {0, peq, [&] { return marker; }, {Qt::Key_Up, Qt::Key_Down}, Qt::Key_Up, 6, 0},
        {0,
         fader,
         [&] { return thumb_centre(fader, fader->Value()); },
         {Qt::Key_Up, Qt::Key_Down},
         Qt::Key_Down,
         8,
         10},
        {2,
         balance,
         [&] { return thumb_centre(balance, balance->Value()); },
         {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down},
         Qt::Key_Left,
         7,
         11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(name_of(c.control));
        click_tab(w, c.tab);
        click_at(w, in_window(w, c.control, c.at()));
        w.ticks(4);
        ASSERT_EQ(QApplication::focusWidget(), c.control) << "focus after the click";
        if (c.control == peq) {
            ASSERT_EQ(peq->select_eq_index(), 2) << "band chosen";
        }
        const ParamImage before = w.frm->state().param_image;
        std::size_t from = w.unit.received.size();
        for (Qt::Key k : c.arrows) {
            key(w, k, Qt::AltModifier);
            key(w, k, Qt::AltModifier | Qt::ControlModifier);
        }
        w.ticks(4);
        EXPECT_EQ(writes_since(w, from), 0u) << "writes after Alt with the arrows";
        EXPECT_EQ(changed_bytes(before, w.frm->state().param_image), std::vector<std::string>{})
            << "image bytes changed by Alt with the arrows";
        EXPECT_EQ(QApplication::focusWidget(), c.control) << "focus after Alt with the arrows";

        from = w.unit.received.size();
        key(w, c.step);
        w.ticks(4);
        const auto changed = changed_bytes(before, w.frm->state().param_image);
        ASSERT_EQ(changed.size(), 1u) << "image bytes changed by the step";
        EXPECT_EQ(changed[0].substr(0, changed[0].find(':')), std::to_string(c.frame)) << "frame changed by the step";
        const FrameImage& now = w.frm->state().param_image.frame(c.frame);
        const auto sent = writes_of(w.unit, c.command, from);
        ASSERT_EQ(sent.size(), 1u) << "frames of command " << int{c.command} << " sent for the step";
        EXPECT_EQ(writes_since(w, from), 1u) << "frames sent in all for the step";
        EXPECT_TRUE(same_payload(sent[0], now)) << "frame sent against the image";
        EXPECT_TRUE(same_payload(w.unit.image.frame(c.frame), now)) << "the unit's frame";
        park_pointer(w);
    }
}

}  // namespace
}  // namespace tuner::testing
