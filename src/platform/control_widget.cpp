#include "platform/control_widget.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tuner {

ControlWidget::~ControlWidget() { let_go_mouse(); }

int ControlWidget::button_code(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int ControlWidget::buttons_code(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int ControlWidget::shift_code(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int ControlWidget::main_key_code(int k) {
    switch (k) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        default: break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    // Letters and digits are their own codes.
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
    return 0;
}

ControlWidget::Pointer ControlWidget::pointer_of(const QMouseEvent* e) {
    return Pointer{button_code(e->button()), buttons_code(e->buttons()), shift_code(e->modifiers()), e->position()};
}

ControlWidget::Key ControlWidget::key_of(const QKeyEvent* e) {
    return Key{key_code(e->key(), e->modifiers()), shift_code(e->modifiers()), e->isAutoRepeat(), e->text()};
}

void ControlWidget::hold_mouse() {
    if (QWidget::mouseGrabber() != this) grabMouse();
}

void ControlWidget::let_go_mouse() {
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
    hold_mouse();
    on_pointer_down(pointer_of(e));
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    hold_mouse();
    if (e->button() == Qt::LeftButton)
        on_double_click(pointer_of(e));
    else
        on_pointer_down(pointer_of(e));
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) { on_pointer_move(pointer_of(e)); }

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
    // Let go first: the release may open a dialog.
    if (e->buttons() == Qt::NoButton) let_go_mouse();
    on_pointer_up(pointer_of(e));
}

void ControlWidget::keyPressEvent(QKeyEvent* e) { e->setAccepted(on_key_down(key_of(e))); }

void ControlWidget::keyReleaseEvent(QKeyEvent* e) { on_key_up(key_of(e)); }

void ControlWidget::focusInEvent(QFocusEvent*) { on_focus_changed(true); }

void ControlWidget::focusOutEvent(QFocusEvent*) { on_focus_changed(false); }

void ControlWidget::enterEvent(QEnterEvent* e) { on_pointer_entered(e->position()); }

void ControlWidget::leaveEvent(QEvent*) { on_pointer_left(); }

void ControlWidget::hideEvent(QHideEvent* e) {
    let_go_mouse();
    QWidget::hideEvent(e);
}

}  // namespace tuner
