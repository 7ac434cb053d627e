#include "dialogs/progress_model.h"

#include <algorithm>

namespace tuner {

const char* wait_text_data_transfer(uint8_t language) {
    return is_english(language) ? "Data transfer,please waiting..." : "正在传送数据，请稍候...";
}

const char* wait_text_changing_mode(uint8_t language) {
    return is_english(language) ? "Changing mode,please waiting..." : "正在切换模式，请稍候...";
}

const char* wait_text_completed(uint8_t language) { return is_english(language) ? "Operation completed" : "已完成"; }

int32_t wait_steps(int32_t ms) {
    if (ms <= ProgressModel::kTickMs) return 1;
    return ms / ProgressModel::kTickMs + (ms % ProgressModel::kTickMs != 0 ? 1 : 0);
}

ProgressModel::ProgressModel(AppState& s, ProgressHost& host, ProgressView& view, Clock& clock, EventPump& pump)
    : s_(s), host_(host), view_(view), clock_(clock), pump_(pump) {}

bool ProgressModel::gate() {
    if (cpu_ready(s_.cpu_state)) return true;
    Wait_End();
    return false;
}

void ProgressModel::show() {
    shown_ = true;
    view_.show_dialog();
}

void ProgressModel::hide() {
    shown_ = false;
    view_.hide_dialog();
}

void ProgressModel::set_timer(bool on) {
    timer_on_ = on;
    view_.set_timer(on);
}

void ProgressModel::Wait_Value_Init(int32_t max, const std::string& text) {
    if (!gate()) return;
    ++generation_;
    text_wait_ = text;
    max_ = std::max<int32_t>(max, 0);
    value_ = 0;
    changed();
    show();
    text_max_ = std::to_string(max);
    changed();
}

void ProgressModel::Wait_Value_Inc() {
    if (!gate()) return;
    if (value_ < max_) ++value_;
    text_v_ = std::to_string(value_);
    changed();
    if (value_ == max_) hide();
}

void ProgressModel::Wait_End() {
    value_ = max_;
    changed();
    hide();
}

void ProgressModel::Wait_Time(int32_t ms, const std::string& text) {
    if (!gate()) return;
    ++generation_;
    const int32_t steps = wait_steps(ms);
    text_wait_ = text;
    text_max_ = std::to_string(steps * kTickMs) + "ms";
    max_ = steps;
    set_timer(true);
    value_ = 0;
    changed();
    show();
}

void ProgressModel::display_wait_1s() {
    if (!gate()) return;
    if (mode_wait_shown_) return;  // a running mode change keeps its wait
    host_.set_main_window_enabled(false);
    s_.wait_busy = kPending;
    Wait_Time(800, wait_text_data_transfer(s_.Language));
}

void ProgressModel::display_wait_youxian_x100ms(int32_t n) {
    if (!gate()) return;
    mode_wait_shown_ = true;
    host_.set_main_window_enabled(false);
    s_.wait_busy = kPending;
    // n comes from one byte of the unit's frame or from the window; keep the
    // product well inside 32 bits whatever arrives.
    const int32_t ms = static_cast<int32_t>(std::clamp<int64_t>(int64_t{n} * kTickMs, 0, 1000000));
    Wait_Time(ms, wait_text_changing_mode(s_.Language));
}

void ProgressModel::tick() {
    text_v_ = std::to_string(value_ * kTickMs) + "ms";
    if (value_ < max_) {
        ++value_;
        changed();
        return;
    }
    // A unit that is not connected cannot be busy: its last busy byte stays
    // behind when the link drops, and nothing would ever clear it.
    const bool busy = cpu_connected(s_) && s_.cpu_state.cpu_busy != 0;
    if (busy) {
        changed();
        return;
    }
    set_timer(false);
    mode_wait_shown_ = false;
    text_wait_ = wait_text_completed(s_.Language);
    changed();
    const uint32_t mine = generation_;
    delay_ms(kFinishDelayMs, clock_, pump_);
    // A wait begun during the delay owns the dialog and the disabled window now.
    if (generation_ != mine) return;
    s_.wait_busy = kClear;
    s_.hid_rx_miss_cou = 0;
    s_.refresh_incremental = 0;
    host_.set_all_dis();
    host_.set_main_window_enabled(true);
    hide();
    s_.refresh_incremental = 0;
}

}  // namespace tuner
