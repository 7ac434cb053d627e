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
        EXPECT_EQ(button->model().StateFlags() & button_state::kPressed, 0) << "pressed bit, button " << b;
        EXPECT_FALSE(button->model().HeldDown()) << "held down, button " << b;
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "mouse held after the release, button " << b;
    }
    // A left click afterwards is an ordinary click again.
    log.clear();
    QTest::mouseClick(window(), Qt::LeftButton, {}, at({30, 12}));
    EXPECT_EQ(log, (V{"D1", "U1", "Click"})) << "left click after the double clicks";
}

// Every key raises KeyDown and KeyUp with its code and shift state; KeyPress carries each typed character as it
// is, control characters included; Alt with a key (with Ctrl or not) and Delete type nothing.
TEST_F(WidgetTest, EveryKeyHasItsCodeAndEveryCharacterItsKeyPress) {
    std::vector<std::pair<int, int>> downs, ups;
    std::vector<int> typed;
    QObject::connect(button, &qbButtons_H::KeyDown, [&](int k, int s) { downs.emplace_back(k, s); });
    QObject::connect(button, &qbButtons_H::KeyUp, [&](int k, int s) { ups.emplace_back(k, s); });
    QObject::connect(button, &qbButtons_H::KeyPress, [&](int c) { typed.push_back(c); });
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;
        int code, shift;
        std::vector<int> chars;
    };
    const Case cases[] = {
        {Qt::Key_Semicolon, {}, ";", 186, 0, {';'}},
        {Qt::Key_Colon, Qt::ShiftModifier, ":", 186, 1, {':'}},
        {Qt::Key_Equal, {}, "=", 187, 0, {'='}},
        {Qt::Key_Comma, {}, ",", 188, 0, {','}},
        {Qt::Key_Minus, {}, "-", 189, 0, {'-'}},
        {Qt::Key_Period, {}, ".", 190, 0, {'.'}},
        {Qt::Key_Question, Qt::ShiftModifier, "?", 191, 1, {'?'}},
        {Qt::Key_QuoteLeft, {}, "`", 192, 0, {'`'}},
        {Qt::Key_BracketLeft, {}, "[", 219, 0, {'['}},
        {Qt::Key_Bar, Qt::ShiftModifier, "|", 220, 1, {'|'}},
        {Qt::Key_BracketRight, {}, "]", 221, 0, {']'}},
        {Qt::Key_Apostrophe, {}, "'", 222, 0, {'\''}},
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', 1, {'!'}},
        {Qt::Key_NumLock, {}, "", 144, 0, {}},
        {Qt::Key_ScrollLock, {}, "", 145, 0, {}},
        {Qt::Key_0, pad, "0", 96, 0, {'0'}},
        {Qt::Key_7, pad, "7", 103, 0, {'7'}},
        {Qt::Key_Asterisk, pad, "*", 106, 0, {'*'}},
        {Qt::Key_Plus, pad, "+", 107, 0, {'+'}},
        {Qt::Key_Minus, pad, "-", 109, 0, {'-'}},
        {Qt::Key_Period, pad, ".", 110, 0, {'.'}},
        {Qt::Key_Slash, pad, "/", 111, 0, {'/'}},
        {Qt::Key_Home, pad, "", 36, 0, {}},  // Num Lock off: the keypad's 7 is Home
        {Qt::Key_A, Qt::ControlModifier, "\x01", 'A', 2, {1}},
        {Qt::Key_G, Qt::ControlModifier, "\x07", 'G', 2, {7}},
        {Qt::Key_Eacute, {}, "\xC3\xA9", 0, 0, {0xE9}},
        {Qt::Key_X, Qt::AltModifier, "x", 'X', 4, {}},
        {Qt::Key_X, Qt::AltModifier | Qt::ControlModifier, "x", 'X', 6, {}},
        {Qt::Key_Delete, {}, "\x7f", 46, 0, {}},
    };
    for (const Case& c : cases) {
        downs.clear();
        ups.clear();
        typed.clear();
        const QString text = QString::fromUtf8(c.text);
        QTest::simulateEvent(window(), true, c.key, c.mods, text, false);
        QTest::simulateEvent(window(), false, c.key, c.mods, text, false);
        const std::string what = "key " + QKeySequence(c.key).toString().toStdString() + " text \"" + c.text + "\"";
        const std::vector<std::pair<int, int>> expected =
            c.code ? std::vector{std::pair{c.code, c.shift}} : std::vector<std::pair<int, int>>{};
        EXPECT_EQ(downs, expected) << "KeyDown of " << what;
        EXPECT_EQ(ups, expected) << "KeyUp of " << what;
        EXPECT_EQ(typed, c.chars) << "KeyPress of " << what;
    }
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
