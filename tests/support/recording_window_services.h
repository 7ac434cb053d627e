// WindowServices that records what the core asked of the windows: the calls
// in order, debug lines, messages, the timers and the main window's state.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/window_services.h"

namespace tuner::testing {

class RecordingWindowServices : public WindowServices {
public:
    explicit RecordingWindowServices(AppState& s) : s_(s) {}

    void set_all_dis() override;
    void debug_line(const std::string& line) override;
    void message_box(const std::string& text, const std::string& title, MessageIcon icon) override;
    void display_wait_1s() override;
    void display_wait_youxian_x100ms(int32_t n) override;
    void display_version_line() override;
    void display_model_layout() override;
    void model_r27_layout() override;
    void set_link_picture_visible(LinkPicture picture, bool visible) override;
    void set_read_cpu_bt_name(const std::string& text) override;
    void set_dis_audio_mode_config() override;
    // Builds bt_name_tx from Bt_Name as the window does: at most 40 bytes,
    // and a name with a control character is refused with a message.
    void clr_bt_name_display_and_read_bt_name_file2() override;
    bool bt_name_auto_update() override { return auto_bt_name; }
    std::string cpu_test_data_text(int i) override;
    void scan_timer_start(int interval_ms) override;
    void scan_timer_stop() override;
    void send_timer_start() override;
    void send_timer_stop() override;
    void set_main_window_enabled(bool enabled) override;
    void end_program() override;

    // How often a call was made; calls carry their argument, e.g.
    // "display_wait_youxian_x100ms(15)".
    int count(const std::string& call) const;
    bool has_debug_line(const std::string& line) const;

    std::vector<std::string> calls;
    std::vector<std::string> debug_lines;
    std::vector<std::string> messages;
    std::map<LinkPicture, bool> pictures;
    std::string read_cpu_bt_name;
    bool scan_timer_on = false;
    int scan_interval_ms = 0;
    bool send_timer_on = false;
    bool main_window_enabled = true;
    bool program_ended = false;
    // Window inputs the core reads.
    bool auto_bt_name = false;
    std::array<std::string, 10> test_texts{};

private:
    AppState& s_;
};

}  // namespace tuner::testing
