#include "support/recording_window_services.h"

#include <algorithm>

#include "core/utf8.h"

namespace tuner::testing {

void RecordingWindowServices::set_all_dis() {
    calls.push_back("set_all_dis");
    s_.refresh_incremental = 1;
}

void RecordingWindowServices::debug_line(const std::string& line) { debug_lines.push_back(line); }

void RecordingWindowServices::message_box(const std::string& text, const std::string&, MessageIcon) {
    messages.push_back(text);
}

void RecordingWindowServices::display_wait_1s() { calls.push_back("display_wait_1s"); }

void RecordingWindowServices::display_wait_youxian_x100ms(int32_t n) {
    calls.push_back("display_wait_youxian_x100ms(" + std::to_string(n) + ")");
}

void RecordingWindowServices::display_version_line() { calls.push_back("display_version_line"); }
void RecordingWindowServices::display_model_layout() { calls.push_back("display_model_layout"); }
void RecordingWindowServices::model_r27_layout() { calls.push_back("model_r27_layout"); }

void RecordingWindowServices::set_link_picture_visible(LinkPicture picture, bool visible) {
    pictures[picture] = visible;
}

void RecordingWindowServices::set_read_cpu_bt_name(const std::string& text) { read_cpu_bt_name = text; }

void RecordingWindowServices::set_dis_audio_mode_config() { calls.push_back("set_dis_audio_mode_config"); }

void RecordingWindowServices::clr_bt_name_display_and_read_bt_name_file2() {
    calls.push_back("clr_bt_name_display_and_read_bt_name_file2");
    s_.bt_name_tx.fill(0);
    s_.bt_name_ready = true;
    const std::vector<uint8_t> bytes = utf8_encode(s_.Bt_Name);
    const std::size_t n = std::min<std::size_t>(bytes.size(), s_.bt_name_tx.size());
    if (std::any_of(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n),
                    [](uint8_t b) { return b >= 1 && b <= 31; })) {
        messages.push_back("蓝牙名称不能出现非标字符，请检查 bt_name.ini 文件。");
        return;
    }
    std::copy_n(bytes.begin(), n, s_.bt_name_tx.begin());
}

std::string RecordingWindowServices::cpu_test_data_text(int i) {
    return i >= 0 && i < 10 ? test_texts[static_cast<std::size_t>(i)] : std::string();
}

void RecordingWindowServices::scan_timer_start(int interval_ms) {
    scan_timer_on = true;
    scan_interval_ms = interval_ms;
}
void RecordingWindowServices::scan_timer_stop() { scan_timer_on = false; }
void RecordingWindowServices::send_timer_start() { send_timer_on = true; }
void RecordingWindowServices::send_timer_stop() { send_timer_on = false; }

void RecordingWindowServices::set_main_window_enabled(bool enabled) {
    main_window_enabled = enabled;
    calls.push_back(enabled ? "enable_main_window" : "disable_main_window");
}

void RecordingWindowServices::end_program() {
    program_ended = true;
    calls.push_back("end_program");
}

int RecordingWindowServices::count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

bool RecordingWindowServices::has_debug_line(const std::string& line) const {
    return std::find(debug_lines.begin(), debug_lines.end(), line) != debug_lines.end();
}

}  // namespace tuner::testing
