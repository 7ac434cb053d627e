// What the core (link, protocol, files) asks of the windows. The program
// implements it with the main window; tests record the calls. Every call is
// made on the one GUI thread.
#pragma once

#include <cstdint>
#include <string>

namespace tuner {

enum class MessageIcon { None, Information, Exclamation, Critical };

// The three link-state pictures of the main window (element 0 of each array).
enum class LinkPicture { Picture_LED_1_ON_1, Picture_LED_1_OFF_1, Picture_LED_1_OFF_2 };

class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Redraw of the main window from the state (full when the state's
    // refresh_incremental is 0, else only what changed).
    virtual void set_all_dis() = 0;
    // Appends one line to the debug list.
    virtual void debug_line(const std::string& line) = 0;
    // Modal message box with an OK button; title empty means the program's title.
    virtual void message_box(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // Progress dialog: a short "data transfer" wait.
    virtual void display_wait_1s() = 0;

    // Progress dialog: a "changing mode" wait of n tenths of a second.
    virtual void display_wait_youxian_x100ms(int32_t n) = 0;
    // Rebuilds the version line from the unit's version fields.
    virtual void display_version_line() = 0;
    // Arranges the main window for the capability bytes of the information block.
    virtual void display_model_layout() = 0;
    virtual void model_r27_layout() = 0;
    // Shows or hides one link-state picture.
    virtual void set_link_picture_visible(LinkPicture picture, bool visible) = 0;
    // Shows the Bluetooth name the unit reports.
    virtual void set_read_cpu_bt_name(const std::string& text) = 0;
    // Audio-mode dialog: its check boxes from audio_mode_config (also while hidden).
    virtual void set_dis_audio_mode_config() = 0;
    // Rebuilds bt_name_tx (and bt_name_ready) from the stored name; a name it
    // refuses leaves the buffer all zero.
    virtual void clr_bt_name_display_and_read_bt_name_file2() = 0;
    // True while the automatic rename box is ticked and its edit box holds a name.
    virtual bool bt_name_auto_update() = 0;
    // The text of test-panel box i (0..9).
    virtual std::string cpu_test_data_text(int i) = 0;

    // The two link timers: the 500 ms device search and the 50 ms send service.
    virtual void scan_timer_start(int interval_ms) = 0;
    virtual void scan_timer_stop() = 0;
    virtual void send_timer_start() = 0;
    virtual void send_timer_stop() = 0;

    // Enables or disables the main window (no editing during long reads).
    virtual void set_main_window_enabled(bool enabled) = 0;
    // Ends the program (after an unsupported unit); may return in tests.
    virtual void end_program() = 0;
};

// Does nothing; for code paths that run without a window.
class NullWindowServices : public WindowServices {
public:
    void set_all_dis() override {}
    void debug_line(const std::string&) override {}
    void message_box(const std::string&, const std::string&, MessageIcon) override {}
    void display_wait_1s() override {}
    void display_wait_youxian_x100ms(int32_t) override {}
    void display_version_line() override {}
    void display_model_layout() override {}
    void model_r27_layout() override {}
    void set_link_picture_visible(LinkPicture, bool) override {}
    void set_read_cpu_bt_name(const std::string&) override {}
    void set_dis_audio_mode_config() override {}
    void clr_bt_name_display_and_read_bt_name_file2() override {}
    bool bt_name_auto_update() override { return false; }
    std::string cpu_test_data_text(int) override { return {}; }
    void scan_timer_start(int) override {}
    void scan_timer_stop() override {}
    void send_timer_start() override {}
    void send_timer_stop() override {}
    void set_main_window_enabled(bool) override {}
    void end_program() override {}
};

}  // namespace tuner
