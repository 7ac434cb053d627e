#include "mainwindow/program_services.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

#include "dialogs/about_box.h"
#include "mainwindow/bt_name_rules.h"
#include "platform/message_box.h"

namespace tuner {

LinkTimers::LinkTimers(bool real, std::function<void()> on_scan, std::function<void()> on_send) : real_(real) {
    Timer_scan_uart_num_timer.setObjectName(QStringLiteral("Timer_scan_uart_num_timer"));
    Timer_chk_ocx_req_uart_send.setObjectName(QStringLiteral("Timer_chk_ocx_req_uart_send"));
    Timer_scan_uart_num_timer.setInterval(kScanIntervalMs);
    Timer_chk_ocx_req_uart_send.setInterval(kSendIntervalMs);
    QObject::connect(&Timer_scan_uart_num_timer, &QTimer::timeout, std::move(on_scan));
    QObject::connect(&Timer_chk_ocx_req_uart_send, &QTimer::timeout, std::move(on_send));
}

void LinkTimers::scan_start(int interval_ms) {
    scan_on_ = true;
    scan_interval_ = interval_ms;
    if (real_) Timer_scan_uart_num_timer.start(interval_ms);
}
void LinkTimers::scan_stop() {
    scan_on_ = false;
    Timer_scan_uart_num_timer.stop();
}
void LinkTimers::send_start() {
    send_on_ = true;
    if (real_) Timer_chk_ocx_req_uart_send.start(kSendIntervalMs);
}
void LinkTimers::send_stop() {
    send_on_ = false;
    Timer_chk_ocx_req_uart_send.stop();
}

ProgramServices::ProgramServices(AppState& s, QWidget* window, ControlRegistry& registry, QtMainView& view,
                                 Display& display, SettingsStore& settings, Clock& clock, EventPump& pump,
                                 LinkTimers& timers, WindowHooks hooks)
    : s_(s),
      window_(window),
      reg_(registry),
      view_(view),
      display_(display),
      settings_(settings),
      timers_(timers),
      hooks_(std::move(hooks)),
      wait_(std::make_unique<Wait>(s, *this, clock, pump, nullptr)) {
    wait_->setObjectName(QStringLiteral("Wait"));
}

ProgramServices::~ProgramServices() = default;

void ProgramServices::set_all_dis() { display_.set_all_dis(); }

void ProgramServices::debug_line(const std::string& line) {
    // Every line of the link, the protocol and the files goes to the one
    // results list, in the order it happens. The search alone adds a line
    // every half second, so the list keeps only the latest lines. Scrolling
    // lays out the whole list: a hidden list is scrolled when it is shown.
    auto* list = reg_.get<QListWidget>(kDebugList);
    if (!list) return;
    list->addItem(QString::fromStdString(line));
    while (list->count() > kDebugListMaxLines) delete list->takeItem(0);
    if (list->isVisible()) list->scrollToBottom();
}

void ProgramServices::message_box(const std::string& text, const std::string& title, MessageIcon icon) {
    if (hooks_.message_box) return hooks_.message_box(text, title, icon);
    show_message_box(window_, text, title, icon);
}

void ProgramServices::display_wait_1s() { wait_->display_wait_1s(); }
void ProgramServices::display_wait_youxian_x100ms(int32_t n) { wait_->display_wait_youxian_x100ms(n); }
void ProgramServices::display_version_line() { display_.display_version_line(); }
void ProgramServices::display_model_layout() { display_.display_model_layout(); }
void ProgramServices::model_r27_layout() { display_.model_r27_layout(); }

void ProgramServices::set_link_picture_visible(LinkPicture picture, bool visible) {
    const char* name = picture == LinkPicture::Picture_LED_1_ON_1    ? "Picture_LED_1_ON_1"
                       : picture == LinkPicture::Picture_LED_1_OFF_1 ? "Picture_LED_1_OFF_1"
                                                                     : "Picture_LED_1_OFF_2";
    view_.set_visible(Ctl{name, 0}, visible);
}

void ProgramServices::set_read_cpu_bt_name(const std::string& text) {
    view_.set_text(Ctl{"Text_read_cpu_bt_name"}, text);
}

AudioModeDialog& ProgramServices::audio() {
    if (!audio_) {
        // The main window is its owner: it is placed over it and gives the keyboard back to it.
        audio_ = std::make_unique<AudioModeDialog>(s_, *this, window_);
        audio_->setObjectName(QStringLiteral("Form_system_set_audio_mode_config"));
    }
    return *audio_;
}

void ProgramServices::set_dis_audio_mode_config() { audio().set_dis_audio_mode_config(); }

void ProgramServices::clr_bt_name_display_and_read_bt_name_file2() {
    tuner::clr_bt_name_display_and_read_bt_name_file2(s_, view_, settings_, *this);
}

bool ProgramServices::bt_name_auto_update() {
    auto* check = reg_.get<QCheckBox>("Check_updata_bt_name");
    auto* edit = reg_.get<QLineEdit>("Text_bt_file_name_change(1)");
    return check && edit && check->isChecked() && !edit->text().isEmpty();
}

std::string ProgramServices::cpu_test_data_text(int i) {
    if (i < 0 || i > 9) return {};
    return view_.text(Ctl{"Text_cpu_test_data", i});
}

void ProgramServices::scan_timer_start(int interval_ms) { timers_.scan_start(interval_ms); }
void ProgramServices::scan_timer_stop() { timers_.scan_stop(); }
void ProgramServices::send_timer_start() { timers_.send_start(); }
void ProgramServices::send_timer_stop() { timers_.send_stop(); }

void ProgramServices::set_main_window_enabled(bool enabled) {
    // The progress wait and the audio-mode dialog each keep the window
    // disabled while shown; it is enabled again only once neither does.
    if (enabled && (wait_->model().timer_on() || (audio_ && audio_->holds_owner()))) return;
    // Disabling drops the focus of the control that had it (a pressed button,
    // say); enabling again gives it back instead of to the first control.
    if (!enabled && window_->isEnabled()) focus_before_disable_ = window_->focusWidget();
    window_->setEnabled(enabled);
    QWidget* back = enabled ? focus_before_disable_.data() : nullptr;
    if (enabled) focus_before_disable_ = nullptr;
    if (back && back->isEnabled() && back->isVisible() && !back->hasFocus()) back->setFocus(Qt::OtherFocusReason);
}

void ProgramServices::end_program() {
    if (hooks_.end_program) return hooks_.end_program();
    wait_->hide();
    if (audio_) audio_->hide();
    window_->hide();
    QCoreApplication::exit(0);
}

void ProgramServices::show_about() {
    // One About box: a second choice of the entry brings the open one forward.
    if (about_) {
        about_->raise();
        about_->activateWindow();
        return;
    }
    about_ = show_about_box(window_);
}

void ProgramServices::show_audio_mode_dialog() {
    // Each opening is a new dialog, as the first was: nothing of the last one
    // (focus, pressed or hovered buttons) carries over.
    if (audio_ && !audio_->isVisible()) audio_.reset();
    AudioModeDialog& d = audio();
    d.show();
    d.set_dis_audio_mode_config();
    d.set_language_dis_____audio_mode_config();
    set_main_window_enabled(false);
}

void ProgramServices::clear_list(Ctl list) {
    if (auto* l = reg_.get<QListWidget>(list.str())) l->clear();
}

void ProgramServices::show_test_panel(bool show) {
    view_.set_visible(Ctl{"Frame_Run_Test_Mode"}, show);
    view_.set_visible(Ctl{"Frame_cpu_test"}, show);
    if (!show) return;
    view_.to_front(Ctl{"Frame_cpu_test"});
    // The newest debug lines in view, as if the list had followed them while hidden.
    if (auto* list = reg_.get<QListWidget>(kDebugList)) list->scrollToBottom();
}

}  // namespace tuner
