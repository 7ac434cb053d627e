#include "mainwindow/frm_main.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>

#include "core/device_version.h"
#include "mainwindow/captions.h"
#include "mainwindow/event_wiring.h"
#include "platform/twips.h"
#include "platform/window_helpers.h"

namespace tuner {

FrmMain::FrmMain(FrmMainServices services, QWidget* parent) : QMainWindow(parent), io_(std::move(services)) {
    setObjectName(QStringLiteral("FrmMain"));
    build_controls();
    view_ = std::make_unique<QtMainView>(registry_, this, io_.hooks.ask_yes_no);
    DisplayHooks hooks;
    hooks.set_Language_display = [this] { set_Language_display(s_, *view_, config_.titles()); };
    hooks.display_link_state = [this](uint8_t connected) { display_link_state(*program_, connected); };
    hooks.debug_line = [this](const std::string& line) { program_->debug_line(line); };
    display_ = std::make_unique<Display>(s_, *view_, std::move(hooks));
    timers_ = std::make_unique<LinkTimers>(
        io_.real_timers, [this] { scan_timer_tick(*link_); }, [this] { send_timer_tick(*link_); });
    program_ = std::make_unique<ProgramServices>(s_, this, registry_, *view_, *display_, io_.settings, io_.clock,
                                                 io_.pump, *timers_, io_.hooks);
    link_ = std::make_unique<DeviceLink>(DeviceLink{s_, io_.hid, *program_, io_.clock, io_.pump});
    env_ = std::make_unique<RuleEnv>(RuleEnv{s_, *view_, *program_, *display_, input_, io_.settings, io_.dialogs,
                                             *link_, *program_, io_.clock, io_.pump});
    wire_window_events(registry_, rules_, *env_);
    Form_Load();
}

FrmMain::~FrmMain() {
    timers_->scan_stop();
    timers_->send_stop();
    tray_.reset();  // a child that the member owns
    // The window's children go first (the controls, the menu bar, the wheel
    // bindings): their connections and event filters call into the rules, the
    // view, the link and the services, which must outlive every such call,
    // focus losses on the way out included. Dialogs are windows of their own
    // and stay with their owners.
    const QObject* own_layout = layout();
    const QObjectList now = children();
    for (const QPointer<QObject>& child : std::vector<QPointer<QObject>>(now.begin(), now.end())) {
        if (!child || child.data() == own_layout) continue;
        if (child->isWidgetType() && static_cast<QWidget*>(child.data())->isWindow()) continue;
        delete child.data();
    }
}

void FrmMain::build_controls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("FrmMain_client"));
    client->setFixedSize(twips_to_px(kClientWidthTwips), twips_to_px(kClientHeightTwips));
    setCentralWidget(client);
    registry_.set_client(client);
    QFont f = font();
    f.setPointSizeF(8.5);
    setFont(f);
    // Group borders with their caption on the line, as a tuning desk shows its sections.
    // Picture boxes that stand for a group (property "group") get the same border.
    client->setStyleSheet(
        QStringLiteral("QGroupBox{border:1px solid #8f8f8f;border-radius:3px;margin-top:7px;}"
                       "QGroupBox::title{subcontrol-origin:margin;left:6px;padding:0 3px;}"
                       "QGroupBox[flat=\"true\"]{border:0;margin:0;}"
                       "QLabel[group=\"true\"]{border:1px solid #8f8f8f;border-radius:3px;margin-top:7px;}"));
    panels_ = make_area_panels(registry_, menuBar());
    for (auto& p : panels_) p->build();
    // The standby notice and the test panel lie over the main panel.
    if (auto* w = registry_.widget("Picture_power_off_tishi(0)")) w->raise();
    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
}

void FrmMain::tick() {
    if (timers_->scan_enabled())
        scan_timer_tick(*link_);
    else if (timers_->send_enabled())
        send_timer_tick(*link_);
}

void FrmMain::display_device_version() {
    for (const std::string& line : tuner::display_device_version(io_.hid, s_.hid_handle)) program_->debug_line(line);
}

void FrmMain::TheTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;  // never hide a window that could not come back
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(windowIcon(), this);
        connect(tray_.get(), &QSystemTrayIcon::activated, this, &FrmMain::IconResponse);
    }
    tray_->setToolTip(windowTitle());
    tray_->show();
    hide();
}

void FrmMain::UnloadIcon() {
    if (tray_) tray_->hide();
}

void FrmMain::IconResponse(QSystemTrayIcon::ActivationReason reason) {
    // Only a click on the icon itself brings the window back.
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void FrmMain::closeEvent(QCloseEvent* e) {
    save_bt_name_setting(s_, io_.settings);
    UnloadIcon();
    e->accept();
    program_->end_program();
}

}  // namespace tuner
