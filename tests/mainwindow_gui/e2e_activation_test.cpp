// Windows taking and giving back the keyboard: a press on the tuning window while another window is active, in
// whichever order the window system reports the press and the activation; the About box and the audio-mode dialog
// taking the keyboard when shown and giving it back to the box being edited when they close.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/param_text_box.h"
#include "dialogs/audio_mode_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// Frame bytes as the unit numbers them.
constexpr std::size_t kEqChannelByte = 8;
constexpr std::size_t kEqGainBand3 = 106 + 3;
constexpr std::size_t kMicVol = 87;
constexpr std::size_t kEchoRepeat = 20;
constexpr uint8_t kEq = 6, kEffect = 7, kGen = 8;  // commands

// Another application's window with a box of its own, made the active window.
struct OtherWindow {
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    void activate() {
        window.resize(200, 100);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << "the other window active";
        ASSERT_EQ(QApplication::focusWidget(), edit) << "the other window's box";
    }
};

void activate_tuning_window(WindowUnderTest& w) {
    w.frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get())) << "the tuning window active again";
}

// A left click at a point of the tuning window while another window is active. `press_first`: the window system
// reports the press before the activation (an X server without a window manager); otherwise the activation first.
void click_inactive(WindowUnderTest& w, QPoint at, bool press_first) {
    if (!press_first) activate_tuning_window(w);
    click_at(w, at);
    if (press_first) activate_tuning_window(w);
}

QPoint tab_centre(WindowUnderTest& w, const char* strip, int t) {
    auto* tabs = w.frm->registry().get<XTab>(strip);
    const TabRect& r = tabs->model().tab(t).rect;
    return in_window(w, tabs, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

QPoint middle_of(WindowUnderTest& w, const std::string& name) {
    QWidget* c = widget_of(w, name);
    return c ? in_window(w, c, c->rect().center()) : QPoint();
}

// What a press on another control leaves behind: the box's value committed to the frame it was typed for.
struct Commit {
    uint8_t command;
    int channel;  // the EQ channel of an EQ frame; -1 for the others
    std::size_t byte;
    int want[2];  // in each round
};

struct Case {
    const char* name;
    int tab;  // the channel tab the box is edited on
    const char* box;
    const char* typed[2];
    std::function<QPoint(WindowUnderTest&)> target;
    Commit commit;
    const char* shown[2];  // the box's text once it shows its own channel again
};

const uint8_t* frame_of(const ParamImage& image, const Commit& c) {
    if (c.command == kEq) return image.eq[static_cast<std::size_t>(c.channel)].data();
    return c.command == kEffect ? image.eff.data() : image.gen.data();
}

// A box being edited is left, its typed value committed to the frame and channel it was typed for, before a press
// on another control of the window acts, when the window was not active: the channel tabs, a selector that moves
// the EQ channel, a band's enable box, a slider, the graph, another box, the main-volume strip. Both orders of press
// and activation; what the box shows, the image, the frames sent and the unit all agree.
TEST(E2eActivation, APressInAnInactiveWindowLeavesTheBoxFirst) {
    WindowUnderTest w("e2e_activation_press");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    ASSERT_NE(s.param_image.eq[0][kEqGainBand3], 145) << "channel 0's band 3 gain before the edits";
    // Each case types another value in each of the two rounds.
    const Case cases[] = {
        {"MIC tab", 0, "Text_eq_db(3)", {"5", "-5"}, [](WindowUnderTest& w) { return tab_centre(w, "ucXTab1", 1); },
         {kEq, 0, kEqGainBand3, {145, 95}}, {"5.0", "-5.0"}},
        {"MUSIC tab, the box on the EFFECT page", 2, "Text_echo_a_repeat", {"7", "8"},
         [](WindowUnderTest& w) { return tab_centre(w, "ucXTab1", 0); }, {kEffect, -1, kEchoRepeat, {7, 8}},
         {"7", "8"}},
        {"MIC2 selector", 1, "Text_eq_db(3)", {"-4", "4"},
         [](WindowUnderTest& w) { return middle_of(w, "key_mic1_mic2_eq_adj_mode(2)"); },
         {kEq, 1, kEqGainBand3, {100, 140}}, {"-4.0", "4.0"}},
        {"band 5's enable box", 0, "Text_eq_db(3)", {"6", "-6"},
         [](WindowUnderTest& w) {
             QWidget* c = widget_of(w, "Check_eq_x_enable(5)");
             return in_window(w, c, QPoint(7, c->height() / 2));
         },
         {kEq, 0, kEqGainBand3, {150, 90}}, {"6.0", "-6.0"}},
        {"a gain slider's thumb", 0, "Text_mic_vol", {"9", "10"},
         [](WindowUnderTest& w) {
             auto* s = w.frm->registry().get<xiSlider>("vr_eq_db(5)");
             return in_window(w, s, thumb_centre(s, s->Value()));
         },
         {kGen, -1, kMicVol, {9, 10}}, {"9", "10"}},
        {"the EQ graph", 0, "Text_mic_vol", {"11", "12"}, [](WindowUnderTest& w) { return middle_of(w, "PEQ"); },
         {kGen, -1, kMicVol, {11, 12}}, {"11", "12"}},
        {"another box", 0, "Text_mic_vol", {"13", "14"},
         [](WindowUnderTest& w) { return middle_of(w, "Text_music_vol"); }, {kGen, -1, kMicVol, {13, 14}},
         {"13", "14"}},
        {"the main-volume strip's tab", 0, "Text_mic_vol", {"15", "16"},
         [](WindowUnderTest& w) { return tab_centre(w, "ucXTab_main_vol", 0); }, {kGen, -1, kMicVol, {15, 16}},
         {"15", "16"}},
    };
    OtherWindow other;
    for (const int round : {0, 1}) {
        const bool press_first = round == 0;
        for (const Case& c : cases) {
            const int want = c.commit.want[round];
            SCOPED_TRACE(std::string(c.name) + (press_first ? ", press before activation" : ", activation first"));
            click_tab(w, c.tab);
            if (c.tab == 1) click(w, "key_mic1_mic2_eq_adj_mode(1)");  // microphone 1's EQ
            click(w, c.box);
            type(w, c.typed[round]);
            w.ticks(4);  // what the last case's own press sent
            const int channel_before = s.eq_channel_sel;
            const ParamImage image_before = s.param_image;
            ASSERT_NE(frame_of(s.param_image, c.commit)[c.commit.byte], want) << "byte before the edit";
            other.activate();
            w.ticks(4);
            ASSERT_EQ(text_of(w, c.box), c.typed[round]) << "the box while the other window is active";

            const std::size_t from = w.unit.received.size();
            click_inactive(w, c.target(w), press_first);
            w.ticks(6);
            const auto frames = writes_of(w.unit, c.commit.command, from);
            ASSERT_FALSE(frames.empty()) << "no write of command " << int{c.commit.command};
            const bool eq = c.commit.command == kEq;
            for (const FrameImage& f : frames) {
                if (eq && f[kEqChannelByte] != c.commit.channel) {
                    // Only a channel the press itself changed goes out besides the box's own.
                    const auto& before = image_before.eq[f[kEqChannelByte]];
                    EXPECT_TRUE(std::equal(before.begin() + 8, before.begin() + 164, f.begin() + 8))
                        << "EQ frame sent to channel " << int{f[kEqChannelByte]} << " with changed bytes";
                    continue;
                }
                EXPECT_EQ(int{f[c.commit.byte]}, want) << "byte " << c.commit.byte << " sent";
            }
            if (eq) {
                EXPECT_TRUE(std::any_of(frames.begin(), frames.end(),
                                        [&](const FrameImage& f) { return f[kEqChannelByte] == c.commit.channel; }))
                    << "no EQ frame to channel " << c.commit.channel;
            }
            EXPECT_EQ(int{frame_of(s.param_image, c.commit)[c.commit.byte]}, want) << "image byte";
            EXPECT_EQ(int{frame_of(w.unit.image, c.commit)[c.commit.byte]}, want) << "the unit's byte";
            auto* box = qobject_cast<ParamTextBox*>(widget_of(w, c.box));
            EXPECT_FALSE(box->has_logical_focus()) << "the box after the press";
            EXPECT_EQ(box->fore_color(), 0x80000008u) << "the box's text colour after the press";
            EXPECT_NE(QApplication::focusWidget(), box) << "the keyboard after the press";
            if (s.eq_channel_sel != channel_before && eq) {
                // The box shows the new channel; back on the box's own channel it shows the committed value.
                click_tab(w, c.tab);
                if (s.eq_channel_sel != channel_before) click(w, "key_mic1_mic2_eq_adj_mode(1)");
                w.ticks(4);
                ASSERT_EQ(s.eq_channel_sel, channel_before) << "channel after going back";
            }
            EXPECT_EQ(text_of(w, c.box), c.shown[round]) << "the box's text";
        }
    }
}

// A press on what takes no keyboard (a caption label, a page's background) in an inactive window leaves the box
// being edited: nothing is stored or sent, the keyboard comes back to it and the typing goes on; Enter commits.
TEST(E2eActivation, APressOnWhatTakesNoKeysKeepsTheEdit) {
    WindowUnderTest w("e2e_activation_no_keys");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    auto* box = qobject_cast<ParamTextBox*>(widget_of(w, "Text_mic_vol"));
    OtherWindow other;
    const struct {
        const char* target;
        QPoint local;
    } targets[] = {{"Label_echo_a_repeat", {-1, -1}}, {"Picture_tab_page(2)", {800, 200}}};
    int want = s.param_image.gen[kMicVol] == 21 ? 12 : 21;
    for (const bool press_first : {true, false}) {
        for (const auto& t : targets) {
            SCOPED_TRACE(std::string(t.target) + (press_first ? ", press before activation" : ", activation first"));
            click_tab(w, 2);
            click(w, "Text_mic_vol");
            const std::string typed = std::to_string(want);
            type(w, typed.substr(0, 1));
            w.ticks(4);  // what leaving the box for the tab sent
            other.activate();
            QWidget* c = widget_of(w, t.target);
            const std::size_t from = w.unit.received.size();
            const uint8_t before = s.param_image.gen[kMicVol];
            click_inactive(w, in_window(w, c, t.local.x() < 0 ? c->rect().center() : t.local), press_first);
            w.ticks(6);
            EXPECT_TRUE(writes_of(w.unit, kGen, from).empty()) << "general frames sent for the press";
            EXPECT_EQ(s.param_image.gen[kMicVol], before) << "mic volume byte after the press";
            EXPECT_EQ(QApplication::focusWidget(), box) << "the keyboard back in the box";
            EXPECT_TRUE(box->has_logical_focus()) << "the box still being edited";
            type(w, typed.substr(1));
            EXPECT_EQ(text_of(w, "Text_mic_vol"), typed) << "the typing goes on";
            const auto frame = write_after(w, kGen, [&] { key(w, Qt::Key_Return); }, 4, true);
            EXPECT_EQ(int{frame[kMicVol]}, want) << "mic volume sent after Enter";
            EXPECT_EQ(int{w.unit.image.gen[kMicVol]}, want) << "the unit's mic volume";
            want = want == 21 ? 12 : 21;
        }
    }
}

// A key as the window system delivers it: to the window that holds the keyboard.
void key_to_active(Qt::Key k) {
    QWindow* target = QGuiApplication::focusWindow();
    ASSERT_NE(target, nullptr) << "a window holding the keyboard";
    QTest::keyClick(target, k);
    QCoreApplication::processEvents();
}

QWidget* about_box() {
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->objectName() == "About" && t->isVisible()) return t;
    return nullptr;
}

// The About box and the audio-mode dialog take the keyboard when shown, also where no window manager activates a
// new window: Enter and Escape reach the About box, not the box being edited behind it; a press on the window the
// audio-mode dialog keeps disabled leaves the keyboard with the dialog. Closed (Enter, Escape, OK,
// the close box; the dialog's close box), they give the keyboard back to the tuning window, where the edit goes on
// where it stopped: nothing was stored or sent meanwhile, and Enter then commits what was typed.
TEST(E2eActivation, DialogsTakeTheKeyboardAndGiveItBack) {
    WindowUnderTest w("e2e_activation_dialogs");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    auto* box = qobject_cast<ParamTextBox*>(widget_of(w, "Text_mic_vol"));
    const struct {
        const char* name;
        std::function<void()> open_and_close;
    } ways[] = {
        {"About, Enter", [] { key_to_active(Qt::Key_Return); }},
        {"About, Escape", [] { key_to_active(Qt::Key_Escape); }},
        {"About, OK",
         [] {
             QWidget* about = about_box();
             ASSERT_NE(about, nullptr);
             auto* ok = about->findChild<QPushButton*>("cmdOK");
             click_at(about->windowHandle(), ok->mapTo(about, ok->rect().center()));
         }},
        {"About, its close box", [] { about_box()->close(); }},
        {"About, a press on its title, then Escape",
         [] {
             // A press in the box's own window keeps the keyboard there, while the box behind waits.
             QWidget* about = about_box();
             ASSERT_NE(about, nullptr);
             auto* title = about->findChild<QLabel*>("lblTitle");
             ASSERT_NE(title, nullptr);
             click_at(about->windowHandle(), title->mapTo(about, title->rect().center()));
             EXPECT_EQ(QApplication::activeWindow(), about) << "the active window after a press on About's title";
             key_to_active(Qt::Key_Escape);
         }},
        {"audio-mode dialog",
         [&w] {
             // The window it keeps disabled takes no press, and not the keyboard either.
             AudioModeDialog* d = w.frm->services().audio_mode_dialog();
             click_at(w, tab_centre(w, "ucXTab1", 1));
             EXPECT_EQ(QApplication::activeWindow(), d) << "the active window after a press on the disabled window";
             EXPECT_EQ(w.frm->registry().get<XTab>("ucXTab1")->ActiveTab(), 0) << "channel tab";
             d->close();
         }},
    };
    int want = s.param_image.gen[kMicVol] == 21 ? 12 : 21;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        const bool about = std::string(way.name).starts_with("About");
        click(w, "Text_mic_vol");
        const std::string typed = std::to_string(want);
        type(w, typed.substr(0, 1));
        w.ticks(4);
        const uint8_t before = s.param_image.gen[kMicVol];
        const std::size_t from = w.unit.received.size();
        choose(w, about ? "Menu_About" : "menu_cpu_audio_mode_set");
        QWidget* dialog = about ? about_box() : w.frm->services().audio_mode_dialog();
        ASSERT_NE(dialog, nullptr) << "the dialog shown";
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog)) << "the dialog takes the keyboard";
        EXPECT_EQ(QApplication::activeWindow(), dialog) << "the active window";
        if (about) {
            EXPECT_EQ(QApplication::focusWidget(), dialog->findChild<QPushButton*>("cmdOK")) << "About's focus";
        }
        QPointer<QWidget> shown = dialog;
        way.open_and_close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull() || !shown->isVisible()) << "the dialog after closing";
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get())) << "the tuning window takes the keyboard back";
        w.ticks(4);
        EXPECT_TRUE(writes_of(w.unit, kGen, from).empty()) << "general frames sent while the dialog was open";
        EXPECT_EQ(s.param_image.gen[kMicVol], before) << "mic volume byte while the dialog was open";
        EXPECT_EQ(QApplication::focusWidget(), box) << "the keyboard back in the box";
        EXPECT_TRUE(box->has_logical_focus()) << "the box still being edited";
        EXPECT_EQ(box->fore_color(), 0x0000FFu) << "red text of the box being edited";
        key_to_active(static_cast<Qt::Key>(typed[1]));
        EXPECT_EQ(text_of(w, "Text_mic_vol"), typed) << "the typing goes on";
        const auto frame = write_after(w, kGen, [&] { key_to_active(Qt::Key_Return); }, 4, true);
        EXPECT_EQ(int{frame[kMicVol]}, want) << "mic volume sent after Enter";
        EXPECT_EQ(int{s.param_image.gen[kMicVol]}, want) << "mic volume stored after Enter";
        EXPECT_EQ(int{w.unit.image.gen[kMicVol]}, want) << "the unit's mic volume";
        want = want == 21 ? 12 : 21;
    }
}

}  // namespace
}  // namespace tuner::testing
