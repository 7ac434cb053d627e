// A whole link for tests: state, simulated unit, recording window services and a fake clock.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/device_link.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

// Each pump lets one millisecond pass and runs on_events (a tick, an unplug).
class FakeTime : public Clock, public EventPump {
public:
    int32_t now_ms() override { return t; }
    void process_events() override {
        ++t;
        if (on_events) on_events();
    }
    int32_t t = 0;
    std::function<void()> on_events;
};

// Calls in order, with their argument: "display_wait_youxian_x100ms(15)".
class RecordingWindowServices : public WindowServices {
public:
    explicit RecordingWindowServices(AppState& s) : s_(s) {}

    // Counts the redraws that start from a full refresh.
    void set_all_dis() override {
        log("set_all_dis"), full_redraws += s_.refresh_incremental == 0, s_.refresh_incremental = 1;
    }
    void debug_line(const std::string& line) override { debug_lines.push_back(line); }
    void message_box(const std::string& text, const std::string&, MessageIcon) override { messages.push_back(text); }
    void display_wait_1s() override { log("display_wait_1s"); }
    void display_wait_youxian_x100ms(int32_t n) override {
        log("display_wait_youxian_x100ms(" + std::to_string(n) + ")");
    }
    void display_version_line() override { log("display_version_line"); }
    void display_model_layout() override { log("display_model_layout"); }
    void model_r27_layout() override { log("model_r27_layout"); }
    void set_link_picture_visible(LinkPicture, bool) override {}
    void set_read_cpu_bt_name(const std::string& text) override { read_cpu_bt_name = text; }
    void set_dis_audio_mode_config() override { log("set_dis_audio_mode_config"); }
    // Builds bt_name_tx from Bt_Name as the window does; a control character is refused and leaves it zero.
    void clr_bt_name_display_and_read_bt_name_file2() override;
    bool bt_name_auto_update() override { return auto_bt_name; }
    std::string cpu_test_data_text(int i) override { return i >= 0 && i < 10 ? test_texts[i] : std::string(); }
    void scan_timer_start(int ms) override { log("scan_timer_start"), scan_timer_on = true, scan_interval_ms = ms; }
    void scan_timer_stop() override { log("scan_timer_stop"), scan_timer_on = false; }
    void send_timer_start() override { log("send_timer_start"), send_timer_on = true; }
    void send_timer_stop() override { log("send_timer_stop"), send_timer_on = false; }
    void set_main_window_enabled(bool on) override { log(on ? "enable_main_window" : "disable_main_window"); }
    void end_program() override { log("end_program"), program_ended = true; }

    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

    std::vector<std::string> calls, debug_lines, messages;
    std::string read_cpu_bt_name;
    bool scan_timer_on = false, send_timer_on = false, program_ended = false;
    int scan_interval_ms = 0, full_redraws = 0;
    bool auto_bt_name = false;
    std::array<std::string, 10> test_texts{};

private:
    void log(const std::string& call) { calls.push_back(call); }
    AppState& s_;
};

struct LinkHarness {
    LinkHarness();
    // Runs the timer that is on: a scan tick while searching, else a send tick.
    void tick();
    // Scan ticks until the link is up (at most max_ticks); true when connected.
    bool connect(int max_ticks = 3);
    // The frames received from `from` on, as "command/rws", EQ with its channel: "6.3/1".
    std::vector<std::string> names_since(std::size_t from) const;
    // Runs ticks; the names of the frames sent meanwhile.
    std::vector<std::string> run(int ticks);

    AppState s;
    SimulatedUnit unit;
    RecordingWindowServices ui{s};
    FakeTime time;
    DeviceLink link{s, unit, ui, time, time};
};

}  // namespace tuner::testing
