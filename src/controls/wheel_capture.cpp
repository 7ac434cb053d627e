#include "controls/wheel_capture.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace tuner {

int take_wheel_notches(int& rest, int delta) {
    if ((rest > 0 && delta < 0) || (rest < 0 && delta > 0)) rest = 0;
    rest += delta;
    const int notches = rest / 120;
    rest -= notches * 120;
    return notches;
}

WheelCapture::WheelCapture(QObject* parent) : QObject(parent) {}

WheelCapture::~WheelCapture() {
    if (hooked_) hooked_->removeEventFilter(this);
}

void WheelCapture::EnableWheel() {
    if (capture_) WheelHook(capture_);
}

void WheelCapture::DisableWheel() {
    if (capture_) WheelUnHook(capture_);
}

void WheelCapture::WheelHook(QWidget* w) {
    if (!w || hooked_) return;  // one widget at a time
    hooked_ = w;
    wheel_rest_ = 0;
    w->installEventFilter(this);
}

void WheelCapture::WheelUnHook(QWidget* w) {
    if (!w || hooked_ != w) return;
    w->removeEventFilter(this);
    hooked_ = nullptr;
    wheel_rest_ = 0;
}

bool WheelCapture::eventFilter(QObject* watched, QEvent* event) {
    // A disabled widget (or one in a disabled window, as during a progress
    // wait) gets no input, so it raises no steps either.
    if (watched != hooked_ || !hooked_->isEnabled()) return false;
    if (event->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(event);
        const int dy = we->angleDelta().y();
        if (dy == 0) return false;  // horizontal turns pass through
        const float y = static_cast<float>(we->globalPosition().y());
        const int notches = take_wheel_notches(wheel_rest_, dy);
        for (int i = 0; i < (notches < 0 ? -notches : notches); ++i) {
            emit WheelScroll(0, notches > 0 ? 120 : -120, 0.f, y);
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        // With Alt held (Ctrl too or not) a key is the system's, for menus and
        // access keys, never a step: the capture takes Up and Down then and
        // raises nothing, so the widget does nothing with them either.
        const bool alt = (ke->modifiers() & Qt::AltModifier) != 0;
        int vk = 0;
        if (ke->key() == Qt::Key_Up)
            vk = kVkUp;
        else if (ke->key() == Qt::Key_Down)
            vk = kVkDown;
        if (vk == 0) return false;
        if (alt) return true;
        emit KeyDown(0, 0, vk, 1 | (ke->isAutoRepeat() ? (1 << 30) : 0));
        return true;
    }
    return false;
}

}  // namespace tuner
