// Base of the owner-drawn controls: turns Qt's pointer, key and focus events
// into the controls' own terms once — mouse buttons 1 left, 2 right, 4
// middle; shift state 1 Shift, 2 Ctrl, 4 Alt; key codes of the classic
// virtual-key table — and keeps a press and its release together.
//
// A press may reach the control through a child that ignores it (a page
// container over a tab strip, say); if handling the press hides that child,
// Qt would drop the release. So the control holds the mouse from the press
// to the release of the last button, and the release always arrives here.
//
// The second press of a double click with the left button comes as
// on_double_click in place of on_pointer_down; with another button it is an
// ordinary press.
#pragma once

#include <vector>

#include <QPointF>
#include <QString>
#include <QWidget>

namespace tuner {

class ControlWidget : public QWidget {
public:
    using QWidget::QWidget;
    ~ControlWidget() override;

    // One pointer event: the button that changed (0 on moves), the buttons
    // held, the shift state and the position in the control's pixels.
    struct Pointer {
        int button = 0;
        int buttons = 0;
        int shift = 0;
        QPointF pos;
        float x() const { return static_cast<float>(pos.x()); }
        float y() const { return static_cast<float>(pos.y()); }
    };
    // One key event: its virtual-key code (0 for keys without one), the
    // shift state, whether it is an auto-repeat, and the text it types.
    struct Key {
        int code = 0;
        int shift = 0;
        bool repeat = false;
        QString text;
    };

    static int button_code(Qt::MouseButton b);
    static int buttons_code(Qt::MouseButtons b);
    static int shift_code(Qt::KeyboardModifiers m);
    // The virtual-key code of a Qt key: the keypad's keys (KeypadModifier)
    // have codes of their own, punctuation keys the code of the key that
    // types them, shifted digits the digit key's code; 0 for a key without one.
    static int key_code(int qt_key, Qt::KeyboardModifiers m = {});
    // The characters a key types, each a KeyPress: every character of its
    // text, control characters included; none with Alt held (with Shift or
    // Ctrl too or not), and none for Delete.
    static std::vector<int> typed_chars(const Key& k);

protected:
    virtual void on_pointer_down(const Pointer&) {}
    virtual void on_pointer_move(const Pointer&) {}
    virtual void on_pointer_up(const Pointer&) {}
    virtual void on_double_click(const Pointer&) {}
    virtual void on_pointer_entered(QPointF) {}
    virtual void on_pointer_left() {}
    // True when the control keeps the key; otherwise it goes on to the container.
    virtual bool on_key_down(const Key&) { return true; }
    virtual void on_key_up(const Key&) {}
    virtual void on_focus_changed(bool /*focused*/) {}

    // Qt's events, turned into the hooks above. A control that overrides one
    // of these itself handles that event in Qt's terms.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    static Pointer pointer_of(const QMouseEvent* e);
    static Key key_of(const QKeyEvent* e);
    // The keys of the main block (no keypad, no punctuation).
    static int main_key_code(int qt_key);
    void hold_mouse();
    void let_go_mouse();
};

}  // namespace tuner
