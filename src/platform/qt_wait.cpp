#include "platform/qt_wait.h"

#include <QCoreApplication>
#include <QTimer>

namespace tuner {

void QtEventPump::process_events() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::wait_for_events(int32_t max_ms) {
    // Without an event loop there is nothing to sleep in.
    if (QCoreApplication::instance() == nullptr) return process_events();
    // The timer's own event ends the sleep when nothing else comes first.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(max_ms > 0 ? max_ms : 0);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void qt_delay_ms(int32_t ms) {
    static QtClock clock;
    QtEventPump pump;
    delay_ms(ms, clock, pump);
}

}  // namespace tuner
