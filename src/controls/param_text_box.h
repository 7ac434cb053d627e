// Line-edit adapter for numeric parameter boxes: the events the input rules
// are wired to (GotFocus, LostFocus, Change, KeyPress with Enter as 13), a
// hideable caret, and focus changes that only count when the user moved
// the focus to another control of the window (another window, a popup, the
// menu bar or a disabled main window do not make the box lose its focus).
#pragma once

#include <functional>
#include <optional>
#include <span>

#include <QLineEdit>

#include "controls/text_input.h"
#include "platform/ole_color.h"

namespace tuner {

class ParamTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ParamTextBox(QWidget* parent = nullptr);
    ~ParamTextBox() override;

    // The box as the rules see it, and back.
    TextBox box() const;
    void set_box(const TextBox& b);

    void hide_caret();
    void show_caret();
    bool caret_hidden() const { return caret_hidden_; }
    void set_fore_color(OleColor c);
    OleColor fore_color() const { return fore_; }
    bool has_logical_focus() const;

signals:
    void GotFocus();
    void LostFocus();
    // Every change of the text, typed or set by the program.
    void Change();
    // Character keys as codes (Enter 13, Backspace 8), before the box acts.
    void KeyPress(int key);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    bool caret_hidden_ = false;
    class LogicalFocus* focus_;
    OleColor fore_ = kSysWindowText;
    class CaretStyle* caret_style_ = nullptr;
};

// What a wired box asks and tells its owner. `limits` is asked anew at every
// key press and change; without limits the text-input rules stay out and
// only the owner's hooks run.
struct NumericBoxHooks {
    std::function<std::optional<NumericBoxConfig>()> limits;
    std::function<void()> commit;  // after the Enter commit (the handler that stores the value)
    std::function<void(int)> key;  // after every key press, Enter included (and after the focus-loss commit)
    std::function<void()> got_focus;
    std::function<void()> lost_focus;  // after the commit and the text-input rules
};

// Wires a box as every parameter box is wired: GotFocus remembers the text,
// hides the caret and shows the text red; Change filters; KeyPress runs the
// key filter and, on Enter, the commit; LostFocus commits as Enter does,
// gives back the remembered text and restores the window-text colour.
void wire_numeric_box(ParamTextBox* box, TextInput& input, NumericBoxHooks hooks);

}  // namespace tuner
