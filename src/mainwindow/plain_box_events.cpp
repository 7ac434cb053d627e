#include "mainwindow/plain_box_events.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

#include "controls/logical_focus.h"

namespace tuner {

namespace {

class PlainBoxEvents : public QObject {
public:
    PlainBoxEvents(QWidget* box, WindowRules& rules, RuleEnv& env, Ctl ctl)
        : QObject(box), box_(box), focus_(new LogicalFocus(box)), rules_(rules), env_(env), ctl_(ctl) {
        connect(focus_, &LogicalFocus::LostWhileAway, this, [this] { rules_.box_lost_focus(env_, ctl_); });
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonRelease: {
                rules_.check_mouse_up(env_, ctl_);
                const auto* m = static_cast<QMouseEvent*>(e);
                if (m->button() == Qt::RightButton && box_->contextMenuPolicy() == Qt::DefaultContextMenu)
                    open_context_menu(m->position().toPoint(), m->globalPosition().toPoint());
                break;
            }
            case QEvent::ContextMenu:
                // A menu opened at the press would take the release of the button.
                return static_cast<QContextMenuEvent*>(e)->reason() == QContextMenuEvent::Mouse && !opening_;
            case QEvent::FocusIn:
                if (focus_->focus_in()) rules_.box_got_focus(env_, ctl_);
                break;
            case QEvent::FocusOut:
                if (focus_->focus_out(*static_cast<QFocusEvent*>(e))) rules_.box_lost_focus(env_, ctl_);
                break;
            default: break;
        }
        return false;
    }

private:
    void open_context_menu(QPoint pos, QPoint global) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, global);
        opening_ = true;
        QCoreApplication::sendEvent(box_, &menu);
        opening_ = false;
    }

    QWidget* box_;
    LogicalFocus* focus_;
    WindowRules& rules_;
    RuleEnv& env_;
    Ctl ctl_;
    bool opening_ = false;
};

}  // namespace

void watch_plain_box(QWidget* box, WindowRules& rules, RuleEnv& env, Ctl ctl) {
    box->installEventFilter(new PlainBoxEvents(box, rules, env, ctl));
}

}  // namespace tuner
