// Keys and clicks stay with the control the user gave them to: the channel strip answers keys only while it holds
// the focus itself, a key no control uses does nothing, a click on what takes no keys leaves the focus, Alt with a
// character types nothing; the audio-mode dialog opens new each time.
#include <map>

#include <QCheckBox>
#include <QLineEdit>

#include "dialogs/audio_mode_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// What the user sees and the unit holds: the channel, the focus, the image, every box's text and the writes sent.
struct Seen {
    int tab = -1;
    QWidget* focus = nullptr;
    ParamImage image{};
    std::map<std::string, std::string> boxes;
    std::size_t writes = 0;
};

Seen seen(WindowUnderTest& w) {
    Seen s;
    s.tab = w.frm->registry().get<XTab>("ucXTab1")->ActiveTab();
    s.focus = QApplication::focusWidget();
    s.image = w.frm->state().param_image;
    for (QLineEdit* e : w.frm->findChildren<QLineEdit*>())
        s.boxes[e->objectName().toStdString()] = e->text().toStdString();
    s.writes = static_cast<std::size_t>(std::count_if(w.unit.received.begin(), w.unit.received.end(),
                                                      [](const FrameImage& f) { return f[hid_frame::RWS] == rws::W; }));
    return s;
}

std::string name_of(const QWidget* c) { return c ? c->objectName().toStdString() : "(none)"; }

// Nothing the user can see or the unit holds changed since `before` (the link's ticks included).
void expect_unchanged(WindowUnderTest& w, const Seen& before, const std::string& what) {
    w.ticks(4);
    const Seen now = seen(w);
    EXPECT_EQ(now.tab, before.tab) << what << ": channel tab";
    EXPECT_EQ(name_of(now.focus), name_of(before.focus)) << what << ": focus";
    for (std::size_t f = 0; f < 12; ++f) {  // the parameters of each frame; the first byte that changed
        const auto& a = before.image.frame(f);
        const auto& b = now.image.frame(f);
        const auto at = std::mismatch(a.begin() + hid_frame::payload, a.begin() + hid_frame::payload_end + 1,
                                      b.begin() + hid_frame::payload);
        if (at.first != a.begin() + hid_frame::payload_end + 1) {
            ADD_FAILURE() << what << ": frame " << f << " byte " << (at.first - a.begin()) << " from " << int{*at.first}
                          << " to " << int{*at.second};
        }
    }
    for (const auto& [box, text] : before.boxes) EXPECT_EQ(now.boxes.at(box), text) << what << ": box " << box;
    EXPECT_EQ(now.writes, before.writes) << what << ": writes sent to the unit";
}

void press(WindowUnderTest& w, Qt::Key k, Qt::KeyboardModifiers held = {}) {
    QTest::keyClick(handle(w), k, held);
    QCoreApplication::processEvents();
}

// Keys a control had and did not use, which came up to the channel strip: a fader that does not use Right (then Down
// twice with the pointer off it), the balance slider and Left, Ctrl+PgDn and Ctrl+PgUp in a box, a check box, an option
// button and a slider, the option group's ends. A key no control uses does nothing. The strip itself, once a tab is
// clicked, still switches with the keys.
TEST(E2eKeysStayPut, KeysAControlDoesNotUseDoNothing) {
    WindowUnderTest w("e2e_keys_unused");
    show_and_connect(w);
    struct Case {
        int tab;
        const char* control;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    };
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> ctrl_pages = {{Qt::Key_PageDown, Qt::ControlModifier},
                                                                               {Qt::Key_PageUp, Qt::ControlModifier}};
    const Case cases[] = {
        {2, "VR_echo_a_repeat", {{Qt::Key_Right, {}}, {Qt::Key_Down, {}}, {Qt::Key_Down, {}}}},
        {2, "vr_echo_reverb_bili", {{Qt::Key_Left, {}}, {Qt::Key_Left, {}}}},
        {2, "VR_echo_a_lpf", ctrl_pages},
        {2, "Text_echo_a_repeat", ctrl_pages},
        {0, "Check_music_noise_suppressor_en", ctrl_pages},
        {1, "Option_VC_Mode(1)", ctrl_pages},
        {1, "Option_VC_Mode(3)", {{Qt::Key_Right, {}}, {Qt::Key_Down, {}}}},
        {1, "Option_VC_Mode(0)", {{Qt::Key_Left, {}}, {Qt::Key_Up, {}}}},
        {3, "Text_music_vol", {{Qt::Key_PageDown, Qt::ControlModifier}, {Qt::Key_Escape, {}}, {Qt::Key_F5, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        click_tab(w, c.tab);
        QWidget* target = widget_of(w, c.control);
        ASSERT_NE(target, nullptr) << c.control;
        auto* slider = qobject_cast<xiSlider*>(target);
        // On a slider's thumb (no step); what the click itself does (a tick, an option) is sent now.
        click(w, c.control, slider ? thumb_centre(slider, slider->Value()) : QPoint(-1, -1));
        park_pointer(w);
        w.ticks(4);
        ASSERT_EQ(name_of(QApplication::focusWidget()), c.control) << "focus after the click";
        const Seen before = seen(w);
        for (const auto& [k, held] : c.keys) press(w, k, held);
        expect_unchanged(w, before, std::string("keys in ") + c.control);
    }

    // A typed value stays typed: no channel switch takes the focus away and commits it.
    click_tab(w, 2);
    click(w, "Text_echo_a_repeat");
    type(w, "1");
    w.ticks(4);  // what leaving the last case's box sent
    const Seen typed = seen(w);
    press(w, Qt::Key_PageDown, Qt::ControlModifier);
    expect_unchanged(w, typed, "Ctrl+PgDn while typing");

    // The strip with the focus of its own answers the keys.
    click_tab(w, 2);
    auto* strip = w.frm->registry().get<XTab>("ucXTab1");
    EXPECT_TRUE(strip->hasFocus()) << "strip after a click on its tab";
    const std::size_t sent = w.unit.received.size();
    press(w, Qt::Key_Right);
    EXPECT_EQ(strip->ActiveTab(), 3) << "Right on the strip";
    press(w, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(strip->ActiveTab(), 2) << "Ctrl+PgUp on the strip";
    EXPECT_TRUE(strip->hasFocus()) << "strip after its keys";
    w.ticks(4);
    EXPECT_TRUE(writes_of(w.unit, cmd::eq, sent).empty()) << "EQ writes after switching channels";
}

// Keys a control uses still reach it: Right inside the option group sets the next option and sends its two bytes,
// the balance slider's Right with the pointer over it steps it and sends it; the channel stays.
TEST(E2eKeysStayPut, KeysAControlUsesStillReachIt) {
    WindowUnderTest w("e2e_keys_used");
    show_and_connect(w);
    click_tab(w, 1);
    click(w, "Option_VC_Mode(0)");
    w.ticks(4);
    const auto option = write_after(w, cmd::gen, [&] { press(w, Qt::Key_Right); });
    EXPECT_EQ(name_of(QApplication::focusWidget()), "Option_VC_Mode(1)") << "focus after Right in the group";
    EXPECT_EQ(w.frm->view().value(Ctl{"Option_VC_Mode", 1}), 1) << "option 1 after Right";
    EXPECT_EQ(option[gen_frame::vocal_cut_mode], 1) << "vocal-cut byte sent";
    EXPECT_EQ(option[gen_frame::mic_priority], 0) << "mic-priority byte sent";

    click_tab(w, 2);
    auto* balance = w.frm->registry().get<xiSlider>("vr_echo_reverb_bili");
    click(w, "vr_echo_reverb_bili", thumb_centre(balance, balance->Value()));
    w.ticks(4);
    const int32_t before = balance->Value();
    const auto stepped = write_after(w, cmd::effect, [&] { press(w, Qt::Key_Right); });
    EXPECT_EQ(balance->Value(), before + 1) << "balance slider after Right";
    EXPECT_EQ(stepped[eff_frame::echo_reverb_bili], before + 1) << "balance byte sent";
    EXPECT_EQ(text_of(w, "text_echo_reverb_bili"), std::to_string(before + 1)) << "balance box";
    EXPECT_EQ(w.frm->registry().get<XTab>("ucXTab1")->ActiveTab(), 2) << "channel tab";
}

// A click on a caption label, an empty part of a frame, the page background or the MAIN VOLUME page leaves the focus
// in the box being edited (its typed value uncommitted); the next Right moves its caret, not the
// channel. A click on the strip's own border gives the strip the focus.
TEST(E2eKeysStayPut, ClicksOnWhatTakesNoKeysLeaveTheFocus) {
    WindowUnderTest w("e2e_clicks_no_focus");
    show_and_connect(w);
    struct Case {
        int tab;
        const char* target;
        QPoint local;  // {-1, -1}: the middle
    };
    const Case cases[] = {
        {2, "Label_echo_a_repeat", {-1, -1}},
        {2, "Frame_all_1(4)", {4, 190}},  // inside the Echo frame, below its faders
        {2, "Picture_tab_page(2)", {800, 200}},
        {0, "Picture_main_vol_page", {420, 205}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        click_tab(w, c.tab);
        click(w, c.tab == 2 ? "Text_echo_a_repeat" : "Text_music_vol");
        type(w, "1");
        w.ticks(4);  // what leaving the last case's box sent
        const Seen before = seen(w);
        click(w, c.target, c.local);
        park_pointer(w);
        expect_unchanged(w, before, std::string("a click on ") + c.target);
        press(w, Qt::Key_Right);
        expect_unchanged(w, before, std::string("Right after a click on ") + c.target);
    }

    auto* strip = w.frm->registry().get<XTab>("ucXTab1");
    const QPoint border = in_window(w, strip, QPoint(0, strip->height() / 2));
    ASSERT_EQ(w.frm->childAt(border), strip->page(strip->ActiveTab())) << "the strip's left border";
    click_at(w, border);
    EXPECT_TRUE(strip->hasFocus()) << "strip after a click on its border";
}

// Alt with a character is no typing: the Bluetooth name box and a numeric box keep their text, nothing is sent.
TEST(E2eKeysStayPut, AltWithACharacterTypesNothing) {
    WindowUnderTest w("e2e_alt_typing");
    show_and_connect(w);
    for (const char* box : {"Text_bt_file_name_change(1)", "Text_music_vol"}) {
        SCOPED_TRACE(box);
        click(w, box);
        key(w, Qt::Key_End);
        type(w, "1");
        const Seen before = seen(w);
        for (Qt::Key k : {Qt::Key_Q, Qt::Key_Z, Qt::Key_5}) press(w, k, Qt::AltModifier);
        expect_unchanged(w, before, std::string("Alt keys in ") + box);
        type(w, "2");
        EXPECT_EQ(seen(w).boxes.at(box), before.boxes.at(box) + "2") << "plain typing goes on";
    }
}

// The audio-mode dialog starts each opening new: the keyboard on its first box, even when the last opening left it
// on a spare box only a wider dialog shows, and box 40 (no flag behind it) cleared; Space then ticks the first box
// and sends its flag.
TEST(E2eKeysStayPut, AudioModeDialogOpensNewEachTime) {
    WindowUnderTest w("e2e_audio_mode_focus");
    show_and_connect(w);
    auto open = [&]() -> AudioModeDialog* {
        choose(w, "menu_cpu_audio_mode_set");
        AudioModeDialog* d = w.frm->services().audio_mode_dialog();
        if (!d || !QTest::qWaitForWindowActive(d)) return nullptr;
        return d;
    };
    AudioModeDialog* d = open();
    ASSERT_NE(d, nullptr) << "first opening";
    EXPECT_EQ(name_of(QApplication::focusWidget()), "Check_audio_mode_config(0)") << "focus at the first opening";
    d->windowHandle()->resize(1300, 540);  // the user widens it to see the spare boxes
    // A window system may answer the resize later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return d->width() == 1300; })) << "dialog width after the user widened it";
    auto tick = [&](int box) {
        QCheckBox* b = d->Check_audio_mode_config(box);
        QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, b->mapTo(d, QPoint(7, b->height() / 2)));
        QCoreApplication::processEvents();
    };
    tick(40);  // the box without a flag
    ASSERT_TRUE(d->Check_audio_mode_config(40)->isChecked()) << "box 40 after a click";
    tick(30);
    ASSERT_EQ(name_of(QApplication::focusWidget()), "Check_audio_mode_config(30)") << "focus on the spare box";
    w.ticks(4);
    const uint8_t flag30 = w.frm->state().audio_mode_config[30];
    const uint8_t flag0 = w.frm->state().audio_mode_config[0];
    d->close();
    QCoreApplication::processEvents();

    d = open();
    ASSERT_NE(d, nullptr) << "second opening";
    EXPECT_EQ(d->size(), QSize(16230 / 15, 7230 / 15)) << "size at the second opening";
    EXPECT_EQ(name_of(QApplication::focusWidget()), "Check_audio_mode_config(0)") << "focus at the second opening";
    EXPECT_FALSE(d->Check_audio_mode_config(40)->isChecked()) << "box 40 at the second opening";
    const auto sent = writes_after(w, cmd::audio_mode_config, [&] {
        QTest::keyClick(d->windowHandle(), Qt::Key_Space);
        QCoreApplication::processEvents();
    });
    ASSERT_EQ(sent.size(), 1u) << "blocks sent for Space";
    EXPECT_EQ(sent[0][hid_frame::payload + 0], flag0 ? 0 : 1) << "flag 0 sent";
    EXPECT_EQ(sent[0][hid_frame::payload + 30], flag30) << "flag 30 sent";
    EXPECT_EQ(d->Check_audio_mode_config(0)->isChecked(), flag0 == 0) << "box 0";
    EXPECT_EQ(d->Check_audio_mode_config(30)->isChecked(), flag30 == 1) << "box 30";
    d->close();
    QCoreApplication::processEvents();
}

}  // namespace
}  // namespace tuner::testing
