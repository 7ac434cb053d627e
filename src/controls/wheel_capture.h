// Mouse-wheel and key-down capture (MWheel) for any widget, as an event
// filter: vertical wheel turns become WheelScroll events, one per whole
// notch of 120 (fine-resolution wheels and touchpads are accumulated), and
// the Up and Down keys become KeyDown events (with Shift or Ctrl held too, but
// not with Alt: those step nothing). All are consumed; typed keys and
// horizontal wheel turns reach the widget as usual.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tuner {

// Windows key codes used by the steppers.
constexpr int kVkUp = 38;
constexpr int kVkDown = 40;

class WheelCapture : public QObject {
    Q_OBJECT
public:
    explicit WheelCapture(QObject* parent = nullptr);
    ~WheelCapture() override;

    // The widget to capture; setting it neither hooks nor unhooks.
    QWidget* hWndCapture() const { return capture_; }
    void setHWndCapture(QWidget* w) { capture_ = w; }

    // Hooks hWndCapture (nothing while it is null or another widget is
    // hooked); DisableWheel unhooks it.
    void EnableWheel();
    void DisableWheel();
    bool hooked() const { return !hooked_.isNull(); }
    QWidget* hooked_widget() const { return hooked_; }

    // Direct hook of a widget, as the wheel-binding window does.
    void WheelHook(QWidget* w);
    void WheelUnHook(QWidget* w);

signals:
    // delta: +120 per notch away from the user, -120 towards; y: the
    // pointer's vertical screen position in pixels.
    void WheelScroll(int reserved1, int delta, float reserved2, float y);
    // key: the Windows key code (38 Up, 40 Down); flags: repeat count 1 in
    // the low word, bit 30 set for an auto-repeat.
    void KeyDown(int reserved1, int reserved2, int key, int flags);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> capture_;
    QPointer<QWidget> hooked_;
    int wheel_rest_ = 0;
};

// High word of a 32-bit value as a signed number.
constexpr int16_t HiWord(int32_t value) { return static_cast<int16_t>(static_cast<uint32_t>(value) >> 16); }

// Splits an accumulated wheel amount into whole notches: returns the
// number of notches (signed) and leaves the remainder in `rest`. A change
// of direction drops what was left of the other direction.
int take_wheel_notches(int& rest, int delta);

}  // namespace tuner

namespace tuner {
// The capture control under the name the windows use.
using MWheel = WheelCapture;
}  // namespace tuner
