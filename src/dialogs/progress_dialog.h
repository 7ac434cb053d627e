// The progress dialog "Wait": tells the user the unit is busy, keeps the main
// window disabled meanwhile and closes itself when the time is up and the
// unit is no longer busy. One instance for the whole run, shown modeless.
#pragma once

#include <cstdint>

#include <QWidget>

#include "core/app_state.h"
#include "core/delay.h"

namespace tuner {

// What the dialog asks of the main window.
class ProgressHost {
public:
    virtual ~ProgressHost() = default;
    virtual void set_main_window_enabled(bool enabled) = 0;
    virtual void set_all_dis() = 0;
};

class Wait : public QWidget {
    Q_OBJECT
public:
    Wait(AppState& s, ProgressHost& host, Clock& clock, EventPump& pump, QWidget* parent = nullptr);
    ~Wait() override;

    // Data-transfer wait of 800 ms.
    void display_wait_1s();
    // Mode-change wait of n x 100 ms.
    void display_wait_youxian_x100ms(int32_t n);
    // Fills the bar and hides the dialog.
    void Wait_End();

private:
    struct Impl;
    Impl* d_;
};

}  // namespace tuner
