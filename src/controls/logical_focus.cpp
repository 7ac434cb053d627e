#include "controls/logical_focus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMenuBar>
#include <QWindow>
#include <QWidget>

namespace tuner {

LogicalFocus::LogicalFocus(QWidget* box) : QObject(box), box_(box) {}

LogicalFocus::~LogicalFocus() { set_away(false); }

bool LogicalFocus::focus_in() {
    set_away(false);
    if (held_) return false;  // back from another window, a menu or the menu bar
    held_ = true;
    return true;
}

bool LogicalFocus::focus_out(const QFocusEvent& e) {
    if (!held_) return false;
    const Qt::FocusReason why = e.reason();
    const bool window_level =
        why == Qt::ActiveWindowFocusReason || why == Qt::PopupFocusReason || why == Qt::MenuBarFocusReason;
    const bool disabled = !box_->isEnabled() || !box_->window()->isEnabled();
    if (window_level || disabled) {
        set_away(true);
        return false;
    }
    held_ = false;
    return true;
}

void LogicalFocus::set_away(bool away) {
    if (away == away_) return;
    away_ = away;
    if (away)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool LogicalFocus::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        // A press on the box's window while another window is active: a window
        // system may report it before the activation it causes. The window is
        // made active first, so the press meets the focus as in an active
        // window: a control that takes the focus from it leaves the box (its
        // value committed) before the press acts.
        QWidget* window = box_->window();
        if (watched == window->windowHandle() && window->isEnabled() && !window->isActiveWindow())
            QApplication::setActiveWindow(window);
        return false;
    }
    // Runs before the control that takes the focus hears of it, so the box
    // has finished with the focus before the next one starts.
    if (e->type() != QEvent::FocusIn) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w == box_ || w->window() != box_->window() || qobject_cast<QMenuBar*>(w)) return false;
    set_away(false);
    held_ = false;
    emit LostWhileAway();
    return false;
}

}  // namespace tuner
