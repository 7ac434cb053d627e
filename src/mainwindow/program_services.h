// What the core and the rules ask of the program's windows, done with the
// real window: the refresh, debug lists, message boxes, the progress and
// audio-mode dialogs, link pictures, the Bluetooth-name hooks, test texts,
// the two link timers, enabling the main window and ending the program.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QPointer>
#include <QTimer>

#include "core/app_state.h"
#include "core/delay.h"
#include "core/settings.h"
#include "core/window_services.h"
#include "dialogs/audio_mode_dialog.h"
#include "dialogs/progress_dialog.h"
#include "display/display.h"
#include "mainwindow/control_registry.h"
#include "mainwindow/qt_main_view.h"
#include "mainwindow/rules.h"

class QWidget;

namespace tuner {

// Hooks a test may replace; empty members mean the program's own behaviour.
struct WindowHooks {
    std::function<void(const std::string& text, const std::string& title, MessageIcon icon)> message_box;
    std::function<bool(const std::string& text, const std::string& title)> ask_yes_no;
    std::function<void()> end_program;
};

// The two link timers. With real timers off (tests) only the enabled flags
// change and the test runs the ticks itself.
class LinkTimers {
public:
    LinkTimers(bool real, std::function<void()> on_scan, std::function<void()> on_send);
    void scan_start(int interval_ms);
    void scan_stop();
    void send_start();
    void send_stop();
    bool scan_enabled() const { return scan_on_; }
    bool send_enabled() const { return send_on_; }
    int scan_interval_ms() const { return scan_interval_; }

private:
    bool real_;
    bool scan_on_ = false, send_on_ = false;
    int scan_interval_ = 500;
    QTimer Timer_scan_uart_num_timer;
    QTimer Timer_chk_ocx_req_uart_send;
};

// The list box that receives the debug lines. The test panel's two other
// lists (List_cpu_debug_out_display, List_pc_out_data_display) get no lines
// of their own; their clear buttons empty them all the same.
constexpr const char* kDebugList = "lstResults";
// The debug list keeps at most this many lines; the oldest go first.
constexpr int kDebugListMaxLines = 2000;

class ProgramServices : public WindowServices, public WindowActions, public ProgressHost, public AudioModeHost {
public:
    ProgramServices(AppState& s, QWidget* window, ControlRegistry& registry, QtMainView& view, Display& display,
                    SettingsStore& settings, Clock& clock, EventPump& pump, LinkTimers& timers, WindowHooks hooks);
    ~ProgramServices() override;

    // WindowServices.
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
    void clr_bt_name_display_and_read_bt_name_file2() override;
    bool bt_name_auto_update() override;
    std::string cpu_test_data_text(int i) override;
    void scan_timer_start(int interval_ms) override;
    void scan_timer_stop() override;
    void send_timer_start() override;
    void send_timer_stop() override;
    void set_main_window_enabled(bool enabled) override;
    void end_program() override;

    // WindowActions.
    void show_about() override;
    void show_audio_mode_dialog() override;
    void clear_list(Ctl list) override;
    void show_test_panel(bool show) override;

    Wait& wait_dialog() { return *wait_; }
    AudioModeDialog* audio_mode_dialog() const { return audio_.get(); }

private:
    AudioModeDialog& audio();

    AppState& s_;
    QWidget* window_;
    // The control that had the keyboard when the window was disabled; it gets it back.
    QPointer<QWidget> focus_before_disable_;
    ControlRegistry& reg_;
    QtMainView& view_;
    Display& display_;
    SettingsStore& settings_;
    LinkTimers& timers_;
    WindowHooks hooks_;
    // Top-level windows of their own, so disabling the main window leaves them usable.
    std::unique_ptr<Wait> wait_;
    std::unique_ptr<AudioModeDialog> audio_;
    QPointer<QWidget> about_;  // the About box while it is open (it deletes itself on close)
};

}  // namespace tuner
