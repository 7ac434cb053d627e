#include "platform/keyboard_handover.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace tuner {

namespace {

class KeyboardHandover : public QObject {
public:
    KeyboardHandover(QWidget* window, QWidget* owner) : QObject(window), window_(window), owner_(owner) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // Only what the program does: a window the user minimises or gets
        // back from the task bar is the window system's business.
        if (watched != window_ || e->spontaneous()) return false;
        if (e->type() == QEvent::Show) shown();
        if (e->type() == QEvent::Hide) hidden();
        return false;
    }

private:
    void shown() {
        QWidget* active = QApplication::activeWindow();
        if (active && active != window_) previous_ = active;
        // Asked before the window is on the screen, the window system
        // activates it once it is.
        if (!window_->testAttribute(Qt::WA_ShowWithoutActivating)) window_->activateWindow();
    }

    void hidden() {
        // A window the user was not working in takes nothing from the one he is.
        // (The toolkit may drop the window's activation as it hides it; the
        // window system's answer comes later.)
        const bool held = QApplication::activeWindow() == window_ ||
                          (window_->windowHandle() && QGuiApplication::focusWindow() == window_->windowHandle());
        if (!held) return;
        QPointer<QWidget> back = previous_ && previous_->isVisible() ? previous_.data() : owner_.data();
        if (!back) return;
        // Once the window system has taken the hidden window's activation:
        // unless it gave it to another window, or the window was shown again
        // meanwhile, the keyboard goes back.
        QMetaObject::invokeMethod(
            back,
            [back, self = QPointer<QWidget>(window_)] {
                if (self && self->isVisible()) return;
                QWidget* active = QApplication::activeWindow();
                if (back->isVisible() && (!active || active == self)) back->activateWindow();
            },
            Qt::QueuedConnection);
    }

    QWidget* window_;
    QPointer<QWidget> owner_;
    QPointer<QWidget> previous_;  // the window that had the keyboard when this one was shown
};

}  // namespace

void hand_over_keyboard(QWidget* window, QWidget* owner) { new KeyboardHandover(window, owner); }

}  // namespace tuner
