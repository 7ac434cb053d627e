#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "controls/param_text_box.h"
#include "controls/text_input.h"
#include "controls/wheel_capture.h"
#include "core/value_tables.h"
#include "support/golden.h"

using namespace tuner;

namespace {

std::string changed(const std::string& text, int decimals, bool allow_minus, bool pad = false) {
    TextBox b{text, static_cast<int>(text.size())};
    TextInput::text_input_change(b, decimals, pad, allow_minus);
    return b.Text;
}

// Focus on a box showing `shown`, type `typed`, press Enter.
std::string commit(TextInput& in, const std::string& shown, const std::string& typed, float min, float max,
                   bool snap = false, std::span<const double> table = {}) {
    TextBox b{shown, 0};
    in.text_input_got_focus(b);
    for (char ch : typed) {
        in.text_input_key_press(b, ch, min, max, snap, table);
        b.Text += ch;
    }
    in.text_input_key_press(b, 13, min, max, snap, table);  // Enter
    return b.Text;
}

}  // namespace

TEST(TextInput, ChangeFilterAndFormats) {
    // Text, decimals, minus allowed, result.
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"12a", 1, true, "12"},      {"1.25", 1, true, "1.2"},      {"5-", 1, true, "5"},   {"--3", 1, true, "-3"},
        {"-3", 1, false, "3"},       {"-007", 1, true, "-007"},     {"00", 0, false, "00"}, {"1.5", 0, false, "15"},
        {"1.2.3", 2, false, "1.23"}, {"1..2..3.", 2, false, "1.2"}, {"", 1, true, ""}};
    for (const auto& [text, decimals, minus, out] : cases) EXPECT_EQ(changed(text, decimals, minus), out) << text;
    EXPECT_EQ(changed("000123456789012345678901", 0, false), "123456789012345678901");
    EXPECT_EQ(changed("1.", 2, false, true), "1.00") << "padded";
    TextBox b{"007", 3};
    TextInput::text_input_change(b, 0, false, false);
    EXPECT_EQ(b.Text, "7");
    EXPECT_EQ(b.SelStart, 1) << "caret";
    // The caret the removed zeros would take below the start stays at the start.
    for (const auto& [caret, want] : {std::pair{1, 0}, {3, 0}, {4, 1}}) {
        TextBox z{"0005", caret};
        TextInput::text_input_change(z, 0, false, false);
        EXPECT_EQ(z.Text, "5") << "0005, caret " << caret;
        EXPECT_EQ(z.SelStart, want) << "caret after 0005 with the caret at " << caret;
    }
    const std::string huge = "1" + std::string(400, '0');  // beyond a double
    const std::array<std::string, 3> formats[] = {
        {"-0.04", "0.0", "0.0"}, {"-0.4", "0", "0"},    {"2.25", "0.0", "2.3"}, {"-2.25", "0.0", "-2.3"},
        {"12", "0.0", "12.0"},   {"abc", "0.0", "abc"}, {huge, "0.0", huge}};
    for (const auto& [text, format, out] : formats) EXPECT_EQ(format_number_text(text, format), out) << text;
    for (const auto& [f, out] : {std::pair{-0.0f, "0"}, {1.5f, "1.5"}, {-0.2f, "-0.2"}})
        EXPECT_EQ(single_to_text(f), out) << f;
}

TEST(TextInput, EnterClampsSnapsAndRestoresJunk) {
    TextInput in;
    // Typed, limits, result; crossed limits: the minimum wins.
    const std::tuple<const char*, float, float, const char*> plain[] = {
        {"15", -18, 12, "12"},  {"-20", -18, 12, "-18"}, {"05", -18, 12, "5"}, {"1.50", -18, 12, "1.5"},
        {".5", -18, 12, "0.5"}, {"-0", -18, 12, "0"},    {"7", 10, 5, "10"}};
    for (const auto& [typed, min, max, out] : plain) EXPECT_EQ(commit(in, "0", typed, min, max), out) << typed;
    const auto& gain = value_tables().eq_gain_tab;
    for (const auto& [typed, out] :
         {std::pair{"1.45", "1.4"}, {"1.5", "1.6"}, {"1.4", "1.4"}, {"99", "24"}, {"-99", "-24"}, {"-0.1", "0"}})
        EXPECT_EQ(commit(in, "0", typed, -100, 100, true, gain), out) << typed;

    TextBox f{"12.5", 4};
    in.text_input_got_focus(f);
    in.text_input_key_press(f, 8, 0, 100, false, {});  // Backspace does not clear
    EXPECT_EQ(f.Text, "12.5");
    f.Text = "12.";
    in.text_input_key_press(f, '7', 0, 100, false, {});
    EXPECT_EQ(f.Text, "");
    EXPECT_FALSE(in.text_input_first_key_clears);
    in.text_input_key_press(f, 13, 0, 100, false, {});  // Enter
    EXPECT_EQ(f.Text, "12.5") << "empty text at Enter";
    for (const char* junk : {"-", ".", "-."}) EXPECT_EQ(commit(in, "7.5", junk, -18, 12), "7.5") << junk;
    EXPECT_EQ(commit(in, "25", "-", -18, 20), "20") << "remembered text clamped";
}

TEST(ParamTextBox, CommitsOnlyOnARealFocusLoss) {
    QWidget window;
    auto* box = new ParamTextBox(&window);
    auto* other = new QLineEdit(&window);
    TextInput rules;
    int commits = 0;
    wire_numeric_box(box, rules,
                     {[] { return NumericBoxConfig{0, 30, false, {}, 0, false}; }, [&] { ++commits; }, {}, {}, {}});
    box->setText("12");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(box->caret_hidden());
    for (Qt::Key k : {Qt::Key_9, Qt::Key_A, Qt::Key_9}) QTest::keyClick(window.windowHandle(), k);  // A is filtered
    EXPECT_EQ(box->text().toStdString(), "99");

    // Another window, a popup menu or the menu bar: no focus loss.
    for (Qt::FocusReason why : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, why);
        QApplication::sendEvent(box, &away);
        EXPECT_EQ(commits, 0) << "focus reason " << why;
    }
    EXPECT_TRUE(box->has_logical_focus());

    window.setEnabled(false);  // nor a disabled window
    QApplication::processEvents();
    window.setEnabled(true);
    QApplication::processEvents();
    EXPECT_EQ(commits, 0) << "after a disabled window";
    EXPECT_TRUE(box->hasFocus());

    other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(box->text().toStdString(), "30") << "clamped to the maximum";
    EXPECT_FALSE(box->caret_hidden());
    EXPECT_EQ(box->fore_color(), kSysWindowText);
}

// A parameter box as the window makes it (48 x 20, centred): plain, focused, being edited and disabled (grey
// also after the focus has come and gone).
TEST(ParamTextBox, GoldenLooks) {
    const std::pair<const char*, std::function<void(ParamTextBox*)>> looks[] = {
        {"ctl_numbox_plain", [](ParamTextBox*) {}},
        {"ctl_numbox_focused", [](ParamTextBox* box) { box->setFocus(Qt::OtherFocusReason); }},
        {"ctl_numbox_editing",
         [](ParamTextBox* box) {
             box->setFocus(Qt::OtherFocusReason);
             for (Qt::Key k : {Qt::Key_7, Qt::Key_Period}) QTest::keyClick(box->window()->windowHandle(), k);
         }},
        {"ctl_numbox_disabled", [](ParamTextBox* box) { box->setEnabled(false); }},
        {"ctl_numbox_disabled_after_edit", [](ParamTextBox* box) {
             box->setFocus(Qt::OtherFocusReason);
             box->clearFocus();
             box->setEnabled(false);
         }}};
    for (const auto& [name, set_up] : looks) {
        QWidget window;
        auto* other = new QLineEdit(&window);  // holds the focus until a look moves it
        auto* box = new ParamTextBox(&window);
        TextInput rules;
        wire_numeric_box(box, rules, {[] { return NumericBoxConfig{-18, 12, false, {}, 1, true}; }, {}, {}, {}, {}});
        other->setGeometry(70, 10, 48, 20);
        box->setGeometry(10, 10, 48, 20);
        box->setAlignment(Qt::AlignCenter);
        box->setText("-3.5");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus(Qt::OtherFocusReason);
        set_up(box);
        EXPECT_GOLDEN(box->grab().toImage(), name);
    }
}

TEST(WheelCapture, StepsPerWholeNotchUntilDisabled) {
    QLineEdit edit;
    edit.show();
    WheelCapture cap;
    std::vector<int> deltas;
    QObject::connect(&cap, &WheelCapture::WheelScroll, [&](int, int d, float, float) { deltas.push_back(d); });
    cap.setHWndCapture(&edit);
    cap.EnableWheel();
    auto wheel = [&](int dy) {
        QWheelEvent e(QPointF(5, 5), edit.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, dy), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(edit.windowHandle(), &e);
    };
    for (int i = 0; i < 3; ++i) wheel(40);  // one notch from three
    wheel(-120);
    EXPECT_EQ(deltas, (std::vector<int>{120, -120}));
    QLineEdit second;
    cap.WheelHook(&second);  // one widget at a time
    EXPECT_EQ(cap.hooked_widget(), &edit);
    cap.DisableWheel();
    wheel(120);
    EXPECT_EQ(deltas.size(), 2u) << "no wheel after DisableWheel";
}
