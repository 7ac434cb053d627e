// The button widget under the window system: double clicks of every mouse
// button, the key codes and typed characters of every key, paints that end a
// delay of drawing, and the copy of the form's font.
#include <gtest/gtest.h>

#include "button_widget_fixture.h"
#include "platform/font_spec.h"
#include "platform/ole_color.h"

namespace tuner::testing {
namespace {

using V = std::vector<std::string>;

// The right and middle buttons' double click: DoubleClick with that button, then MouseDown(1, 0, x, y) alone
// (no pressed look, no capture of the left button, no Click).
TEST_F(WidgetTest, RightAndMiddleDoubleClicks) {
    std::vector<std::tuple<int, int, float, float>> downs;
    QObject::connect(button, &qbButtons_H::MouseDown,
                     [&](int b, int shift, float x, float y) { downs.emplace_back(b, shift, x, y); });
    for (const auto& [qt_button, code] : {std::pair{Qt::RightButton, 2}, std::pair{Qt::MiddleButton, 4}}) {
        log.clear();
        downs.clear();
        const std::string b = std::to_string(code);
        QTest::mouseDClick(window(), qt_button, Qt::ShiftModifier, at({30, 12}));
        EXPECT_EQ(log, (V{"D" + b, "U" + b, "Dbl" + b, "D1", "U" + b})) << "double click of button " << b;
        ASSERT_EQ(downs.size(), 2u) << "MouseDown events, button " << b;
        EXPECT_EQ(downs[1], std::make_tuple(1, 0, 30.0f, 12.0f)) << "second MouseDown, button " << b;
        EXPECT_EQ(button->model().StateFlags() & 2, 0) << "pressed bit, button " << b;
        EXPECT_FALSE(button->model().HeldDown()) << "held down, button " << b;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "mouse held after the release, button " << b;
    }
    // A left click afterwards is an ordinary click again.
    log.clear();
    QTest::mouseClick(window(), Qt::LeftButton, {}, at({30, 12}));
    EXPECT_EQ(log, (V{"D1", "U1", "Click"})) << "left click after the double clicks";
}

// Every key raises KeyDown and KeyUp with its code and shift state (Shift's own key up excepted); KeyPress carries
// each typed character as it is, control characters included; Alt with a key (with Shift, Ctrl or neither) and
// Delete type nothing. The whole key table: every letter, digit, keypad key, function key, punctuation key, shifted
// digit and named key. (Tab moves the focus, and the arrow keys go to the container: they have tests of their own.)
TEST_F(WidgetTest, EveryKeyHasItsCodeAndEveryCharacterItsKeyPress) {
    std::vector<std::pair<int, int>> downs, ups;
    std::vector<int> typed;
    QObject::connect(button, &qbButtons_H::KeyDown, [&](int k, int s) { downs.emplace_back(k, s); });
    QObject::connect(button, &qbButtons_H::KeyUp, [&](int k, int s) { ups.emplace_back(k, s); });
    QObject::connect(button, &qbButtons_H::KeyPress, [&](int c) { typed.push_back(c); });
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shifted = Qt::ShiftModifier;
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString text;
        int code, shift;
        std::vector<int> chars;
    };
    auto t = [](const char* utf8) { return QString::fromUtf8(utf8); };
    std::vector<Case> cases = {
        {Qt::Key_Semicolon, {}, t(";"), 186, 0, {59}},
        {Qt::Key_Colon, shifted, t(":"), 186, 1, {58}},
        {Qt::Key_Equal, {}, t("="), 187, 0, {61}},
        {Qt::Key_Plus, shifted, t("+"), 187, 1, {43}},
        {Qt::Key_Comma, {}, t(","), 188, 0, {44}},
        {Qt::Key_Less, shifted, t("<"), 188, 1, {60}},
        {Qt::Key_Minus, {}, t("-"), 189, 0, {45}},
        {Qt::Key_Underscore, shifted, t("_"), 189, 1, {95}},
        {Qt::Key_Period, {}, t("."), 190, 0, {46}},
        {Qt::Key_Greater, shifted, t(">"), 190, 1, {62}},
        {Qt::Key_Slash, {}, t("/"), 191, 0, {47}},
        {Qt::Key_Question, shifted, t("?"), 191, 1, {63}},
        {Qt::Key_QuoteLeft, {}, t("`"), 192, 0, {96}},
        {Qt::Key_AsciiTilde, shifted, t("~"), 192, 1, {126}},
        {Qt::Key_BracketLeft, {}, t("["), 219, 0, {91}},
        {Qt::Key_BraceLeft, shifted, t("{"), 219, 1, {123}},
        {Qt::Key_Backslash, {}, t("\\"), 220, 0, {92}},
        {Qt::Key_Bar, shifted, t("|"), 220, 1, {124}},
        {Qt::Key_BracketRight, {}, t("]"), 221, 0, {93}},
        {Qt::Key_BraceRight, shifted, t("}"), 221, 1, {125}},
        {Qt::Key_Apostrophe, {}, t("'"), 222, 0, {39}},
        {Qt::Key_QuoteDbl, shifted, t("\""), 222, 1, {34}},
        // Shifted digits: the digit key's own code.
        {Qt::Key_ParenRight, shifted, t(")"), 48, 1, {41}},
        {Qt::Key_Exclam, shifted, t("!"), 49, 1, {33}},
        {Qt::Key_At, shifted, t("@"), 50, 1, {64}},
        {Qt::Key_NumberSign, shifted, t("#"), 51, 1, {35}},
        {Qt::Key_Dollar, shifted, t("$"), 52, 1, {36}},
        {Qt::Key_Percent, shifted, t("%"), 53, 1, {37}},
        {Qt::Key_AsciiCircum, shifted, t("^"), 54, 1, {94}},
        {Qt::Key_Ampersand, shifted, t("&"), 55, 1, {38}},
        {Qt::Key_Asterisk, shifted, t("*"), 56, 1, {42}},
        {Qt::Key_ParenLeft, shifted, t("("), 57, 1, {40}},
        // The keypad with Num Lock on; with it off its keys are the ones they name.
        {Qt::Key_Asterisk, pad, t("*"), 106, 0, {42}},
        {Qt::Key_Plus, pad, t("+"), 107, 0, {43}},
        {Qt::Key_Minus, pad, t("-"), 109, 0, {45}},
        {Qt::Key_Period, pad, t("."), 110, 0, {46}},
        {Qt::Key_Comma, pad, t(","), 110, 0, {44}},
        {Qt::Key_Slash, pad, t("/"), 111, 0, {47}},
        {Qt::Key_Home, pad, t(""), 36, 0, {}},
        {Qt::Key_PageUp, pad, t(""), 33, 0, {}},
        {Qt::Key_Enter, pad, t("\r"), 13, 0, {13}},
        // Named keys.
        {Qt::Key_Backspace, {}, t("\b"), 8, 0, {8}},
        {Qt::Key_Return, {}, t("\r"), 13, 0, {13}},
        {Qt::Key_Shift, shifted, t(""), 16, 1, {}},
        {Qt::Key_Control, Qt::ControlModifier, t(""), 17, 2, {}},
        {Qt::Key_Alt, Qt::AltModifier, t(""), 18, 4, {}},
        {Qt::Key_AltGr, {}, t(""), 18, 0, {}},
        {Qt::Key_Pause, {}, t(""), 19, 0, {}},
        {Qt::Key_CapsLock, {}, t(""), 20, 0, {}},
        {Qt::Key_Escape, {}, t("\x1b"), 27, 0, {27}},
        {Qt::Key_Mode_switch, {}, t(""), 31, 0, {}},
        {Qt::Key_Space, {}, t(" "), 32, 0, {32}},
        {Qt::Key_PageUp, {}, t(""), 33, 0, {}},
        {Qt::Key_PageDown, {}, t(""), 34, 0, {}},
        {Qt::Key_End, {}, t(""), 35, 0, {}},
        {Qt::Key_Home, {}, t(""), 36, 0, {}},
        {Qt::Key_Insert, {}, t(""), 45, 0, {}},
        {Qt::Key_Delete, {}, t("\x7f"), 46, 0, {}},
        {Qt::Key_Cancel, {}, t(""), 3, 0, {}},
        {Qt::Key_Clear, {}, t(""), 12, 0, {}},
        {Qt::Key_Select, {}, t(""), 41, 0, {}},
        {Qt::Key_Printer, {}, t(""), 42, 0, {}},
        {Qt::Key_Execute, {}, t(""), 43, 0, {}},
        {Qt::Key_Print, {}, t(""), 44, 0, {}},
        {Qt::Key_SysReq, {}, t(""), 44, 0, {}},
        {Qt::Key_Help, {}, t(""), 47, 0, {}},
        {Qt::Key_Meta, {}, t(""), 91, 0, {}},
        {Qt::Key_Super_L, {}, t(""), 91, 0, {}},
        {Qt::Key_Super_R, {}, t(""), 92, 0, {}},
        {Qt::Key_Menu, {}, t(""), 93, 0, {}},
        {Qt::Key_Sleep, {}, t(""), 95, 0, {}},
        {Qt::Key_NumLock, {}, t(""), 144, 0, {}},
        {Qt::Key_ScrollLock, {}, t(""), 145, 0, {}},
        {Qt::Key_Back, {}, t(""), 166, 0, {}},
        {Qt::Key_Forward, {}, t(""), 167, 0, {}},
        {Qt::Key_Refresh, {}, t(""), 168, 0, {}},
        {Qt::Key_Stop, {}, t(""), 169, 0, {}},
        {Qt::Key_Search, {}, t(""), 170, 0, {}},
        {Qt::Key_Favorites, {}, t(""), 171, 0, {}},
        {Qt::Key_HomePage, {}, t(""), 172, 0, {}},
        {Qt::Key_VolumeMute, {}, t(""), 173, 0, {}},
        {Qt::Key_VolumeDown, {}, t(""), 174, 0, {}},
        {Qt::Key_VolumeUp, {}, t(""), 175, 0, {}},
        {Qt::Key_MediaNext, {}, t(""), 176, 0, {}},
        {Qt::Key_MediaPrevious, {}, t(""), 177, 0, {}},
        {Qt::Key_MediaStop, {}, t(""), 178, 0, {}},
        {Qt::Key_MediaPlay, {}, t(""), 179, 0, {}},
        {Qt::Key_MediaTogglePlayPause, {}, t(""), 179, 0, {}},
        {Qt::Key_LaunchMail, {}, t(""), 180, 0, {}},
        {Qt::Key_LaunchMedia, {}, t(""), 181, 0, {}},
        {Qt::Key_Launch0, {}, t(""), 182, 0, {}},
        {Qt::Key_Launch1, {}, t(""), 183, 0, {}},
        // Control characters, other characters, and Alt.
        {Qt::Key_A, Qt::ControlModifier, t("\x01"), 65, 2, {1}},
        {Qt::Key_G, Qt::ControlModifier, t("\x07"), 71, 2, {7}},
        {Qt::Key_Eacute, {}, t("\xC3\xA9"), 0, 0, {0xE9}},
        {Qt::Key_X, Qt::AltModifier, t("x"), 88, 4, {}},
        {Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier, t("X"), 88, 5, {}},
        {Qt::Key_X, Qt::AltModifier | Qt::ControlModifier, t("x"), 88, 6, {}},
    };
    // The ranges, every member of each.
    for (int i = 0; i < 26; ++i) {
        const auto key = static_cast<Qt::Key>(Qt::Key_A + i);
        cases.push_back({key, {}, QString(QChar(97 + i)), 65 + i, 0, {97 + i}});
        cases.push_back({key, shifted, QString(QChar(65 + i)), 65 + i, 1, {65 + i}});
    }
    for (int i = 0; i < 10; ++i) {
        const auto key = static_cast<Qt::Key>(Qt::Key_0 + i);
        cases.push_back({key, {}, QString(QChar(48 + i)), 48 + i, 0, {48 + i}});
        cases.push_back({key, pad, QString(QChar(48 + i)), 96 + i, 0, {48 + i}});
    }
    for (int i = 0; i < 24; ++i) cases.push_back({static_cast<Qt::Key>(Qt::Key_F1 + i), {}, t(""), 112 + i, 0, {}});
    for (const Case& c : cases) {
        downs.clear();
        ups.clear();
        typed.clear();
        // A modifier key comes as the window system sends it: the state before the key with its press, with its
        // release the state that includes it; the control sees the state after the key each time.
        const bool modifier_key = c.key == Qt::Key_Shift || c.key == Qt::Key_Control || c.key == Qt::Key_Alt;
        QTest::simulateEvent(window(), true, c.key, modifier_key ? Qt::NoModifier : c.mods, c.text, false);
        QTest::simulateEvent(window(), false, c.key, c.mods, c.text, false);
        const std::string what = "Qt key 0x" + QString::number(c.key, 16).toStdString() + " modifiers 0x" +
                                 QString::number(c.mods.toInt(), 16).toStdString() + " text \"" +
                                 c.text.toStdString() + "\"";
        const std::vector<std::pair<int, int>> expected =
            c.code ? std::vector{std::pair{c.code, c.shift}} : std::vector<std::pair<int, int>>{};
        EXPECT_EQ(downs, expected) << "KeyDown of " << what;
        // Shift's key up is the button's own; a modifier key's up has the state without it.
        std::vector<std::pair<int, int>> expected_up = expected;
        if (modifier_key) expected_up = {{c.code, 0}};
        if (c.code == 16) expected_up.clear();
        EXPECT_EQ(ups, expected_up) << "KeyUp of " << what;
        EXPECT_EQ(typed, c.chars) << "KeyPress of " << what;
    }
    EXPECT_EQ(QApplication::focusWidget(), button) << "the focus after the keys";
}

// A paint ends a delay of drawing and draws the face as it stands now; a resize during the delay gives the face
// and shape of the new size, not a blank one.
TEST_F(WidgetTest, PaintEndsDelayedDrawing) {
    ButtonModel& m = button->model();
    const QImage before = m.WindowImage().image();
    m.DelayDrawing(true);
    button->setCaption(QStringLiteral("SAVE"));
    EXPECT_EQ(m.WindowImage().image(), before) << "caption set while delayed";
    button->repaint();
    EXPECT_FALSE(m.DrawingDelayed()) << "after a repaint";
    EXPECT_NE(m.WindowImage().image(), before) << "the new caption after a repaint";

    m.DelayDrawing(true);
    button->resize(150, 40);
    QApplication::processEvents();  // the window system's paint after the resize
    EXPECT_FALSE(m.DrawingDelayed()) << "after the paint that follows a resize";
    ASSERT_EQ(m.WindowImage().image().size(), QSize(150, 40)) << "face size after the resize";
    const QImage face = m.WindowImage().image();
    const QRegion shape = button->mask();
    m.Resize(150, 40);  // the whole resize handling, undelayed: shape, layout and face
    EXPECT_EQ(face, m.WindowImage().image()) << "face after a resize while delayed";
    EXPECT_EQ(shape, button->mask()) << "window shape after a resize while delayed";
    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(140, 20), to_qcolor(m.WindowImage().pixel(140, 20)).rgb()) << "shown face at (140, 20)";
}

// A button made without stored properties takes its form's font as the form names it: the first of its families
// (the dialog's "MS Sans Serif", not a fallback), its size, and underline and strike-out each for itself.
TEST(ButtonFont, CopyOfTheFormFontKeepsFamilyAndStyles) {
    QWidget dialog;
    dialog.setFont(to_qfont(FontSpec{}));  // the audio-mode dialog's design font
    const qbButtons_H* preset = new qbButtons_H(&dialog);
    EXPECT_EQ(preset->Font().name, "MS Sans Serif") << "font face of the dialog's button";
    EXPECT_EQ(preset->Font().size, 8.25) << "font size of the dialog's button";
    EXPECT_FALSE(preset->Font().underline) << "underline of the dialog's button";
    EXPECT_FALSE(preset->Font().strikethrough) << "strike-out of the dialog's button";

    for (const bool underline : {true, false}) {
        QWidget form;
        QFont f;
        f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
        f.setPixelSize(16);
        f.setUnderline(underline);
        f.setStrikeOut(!underline);
        f.setItalic(true);
        form.setFont(f);
        const qbButtons_H* b = new qbButtons_H(&form);
        const std::string what = underline ? "underlined form font" : "struck-out form font";
        EXPECT_EQ(b->Font().name, "Tahoma") << what;
        EXPECT_EQ(b->Font().size, 12.0) << what << ": 16 pixels are 12 points";
        EXPECT_EQ(b->Font().underline, underline) << "underline of the " << what;
        EXPECT_EQ(b->Font().strikethrough, !underline) << "strike-out of the " << what;
        EXPECT_TRUE(b->Font().italic) << "italic of the " << what;
        EXPECT_FALSE(b->Font().bold) << "bold of the " << what;
    }
}

}  // namespace
}  // namespace tuner::testing
