#include "platform/qt_wait.h"

#include <QCoreApplication>

namespace tuner {

void QtEventPump::process_events() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void qt_delay_ms(int32_t ms) {
    static QtClock clock;
    QtEventPump pump;
    delay_ms(ms, clock, pump);
}

}  // namespace tuner
