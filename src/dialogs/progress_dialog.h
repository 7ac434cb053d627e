// The progress dialog "Wait": tells the user the unit is busy, keeps the main
// window disabled meanwhile and closes itself when the time is up and the
// unit is no longer busy. One instance for the whole run, shown modeless.
//
// The dialog is a top-level window without a QWidget parent, so that
// disabling the main window never disables it; the `parent` given is its
// owner: the dialog is deleted with it.
#pragma once

#include <cstdint>

#include <QWidget>

#include "core/app_state.h"
#include "core/delay.h"
#include "dialogs/progress_model.h"

namespace tuner {

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

    ProgressModel& model();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    struct Impl;
    Impl* d_;
};

}  // namespace tuner
