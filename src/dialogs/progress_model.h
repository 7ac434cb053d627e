// The progress dialog "Wait" as a model without widgets: its texts, its bar,
// its 100 ms timer and its finish. The widget shows what the model holds;
// tests drive the model with tick() and a fake clock.
#pragma once

#include <cstdint>
#include <string>

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

// What the model asks of its widget.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void show_dialog() = 0;
    virtual void hide_dialog() = 0;
    // Switches the 100 ms timer off and, with `on`, on again from a fresh start.
    virtual void set_timer(bool on) = 0;
    // Texts or bar changed.
    virtual void contents_changed() = 0;
};

// The dialog's texts in the current language (0 Chinese, anything else English).
const char* wait_text_data_transfer(uint8_t language);
const char* wait_text_changing_mode(uint8_t language);
const char* wait_text_completed(uint8_t language);

// Steps of 100 ms for a wait of `ms`: rounded up, at least one.
int32_t wait_steps(int32_t ms);

class ProgressModel {
public:
    static constexpr int32_t kTickMs = 100;
    static constexpr int32_t kFinishDelayMs = 888;

    ProgressModel(AppState& s, ProgressHost& host, ProgressView& view, Clock& clock, EventPump& pump);

    void Wait_Value_Init(int32_t max, const std::string& text);
    void Wait_Value_Inc();
    void Wait_End();
    void Wait_Time(int32_t ms, const std::string& text);
    void display_wait_1s();
    void display_wait_youxian_x100ms(int32_t n);
    // One tick of the 100 ms timer.
    void tick();

    const std::string& Text_Wait() const { return text_wait_; }
    const std::string& Text_v() const { return text_v_; }
    const std::string& Text_Max() const { return text_max_; }
    int32_t Max() const { return max_; }
    int32_t Value() const { return value_; }
    bool mode_wait_shown() const { return mode_wait_shown_; }
    bool shown() const { return shown_; }
    bool timer_on() const { return timer_on_; }

private:
    // The unit takes commands; otherwise the wait is ended at once.
    bool gate();
    void show();
    void hide();
    void set_timer(bool on);
    void changed() { view_.contents_changed(); }

    AppState& s_;
    ProgressHost& host_;
    ProgressView& view_;
    Clock& clock_;
    EventPump& pump_;

    std::string text_wait_;
    std::string text_v_;
    std::string text_max_;
    int32_t max_ = 100;
    int32_t value_ = 0;
    bool mode_wait_shown_ = false;
    bool shown_ = false;
    bool timer_on_ = false;
    // Counts the waits begun; a finish that sees a newer wait leaves the dialog to it.
    uint32_t generation_ = 0;
};

}  // namespace tuner
