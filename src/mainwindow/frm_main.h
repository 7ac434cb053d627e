// FrmMain, the tuning window. It owns the shared state, the controls (built
// by the area panels from the control table), the view the rules and the
// display see, the rules, the link and the program's window services. What
// it needs from outside (transport, settings, file dialogs, clock and event
// pump, and for tests the timer mode and dialog hooks) comes in FrmMainServices.
#pragma once

#include <memory>
#include <vector>

#include <QMainWindow>
#include <QSystemTrayIcon>

#include "controls/text_input.h"
#include "core/app_state.h"
#include "core/device_link.h"
#include "core/file_dialogs.h"
#include "core/hid_transport.h"
#include "core/settings.h"
#include "display/display.h"
#include "mainwindow/area_panels.h"
#include "mainwindow/control_registry.h"
#include "mainwindow/program_services.h"
#include "mainwindow/qt_main_view.h"
#include "mainwindow/rules.h"
#include "mainwindow/startup_config.h"

namespace tuner {

struct FrmMainServices {
    HidTransport& hid;
    SettingsStore& settings;
    FileDialogs& dialogs;
    Clock& clock;
    EventPump& pump;
    // Off in tests: the link timers only keep their enabled state and the
    // test runs the ticks with FrmMain::tick().
    bool real_timers = true;
    WindowHooks hooks;
};

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(FrmMainServices services, QWidget* parent = nullptr);
    ~FrmMain() override;

    AppState& state() { return s_; }
    ControlRegistry& registry() { return registry_; }
    QtMainView& view() { return *view_; }
    Display& display() { return *display_; }
    WindowRules& rules() { return rules_; }
    RuleEnv& env() { return *env_; }
    DeviceLink& link() { return *link_; }
    ProgramServices& services() { return *program_; }
    const LinkTimers& timers() const { return *timers_; }
    const StartupConfig& startup_config() const { return config_; }

    // Runs the handler of the link timer that is on (the scan timer wins).
    void tick();

    // Notification-area icon: shown on demand; its activation restores the window.
    void TheTray();
    void UnloadIcon();
    void IconResponse(QSystemTrayIcon::ActivationReason reason);
    QSystemTrayIcon* tray_icon() const { return tray_.get(); }

    // Asks the unit for its model and firmware versions and lists them in
    // lstResults (a diagnostic that no control starts).
    void display_device_version();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void build_controls();
    void Form_Load();
    void load_logo();

    // Everything below outlives the window's child widgets: ~FrmMain deletes
    // those first, so their signals never reach a destroyed member.
    FrmMainServices io_;
    AppState s_;
    TextInput input_;
    ControlRegistry registry_;
    std::vector<std::unique_ptr<AreaPanel>> panels_;
    std::unique_ptr<QtMainView> view_;
    std::unique_ptr<Display> display_;
    std::unique_ptr<LinkTimers> timers_;
    std::unique_ptr<ProgramServices> program_;
    std::unique_ptr<DeviceLink> link_;
    std::unique_ptr<RuleEnv> env_;
    WindowRules rules_;
    StartupConfig config_;
    std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace tuner
