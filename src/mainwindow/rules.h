// The tuning window's rules: what each user action on a control writes to
// the state, raises for the send service and redraws. They see the window
// only through MainView and run without widgets; the Qt side forwards each
// control's events here by the control's name. Rules are grouped in modules
// (editors, switches, EQ, Bluetooth name, menus and test panel); WindowRules
// asks them in turn.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "controls/text_input.h"
#include "core/app_state.h"
#include "core/delay.h"
#include "core/device_link.h"
#include "core/file_dialogs.h"
#include "core/settings.h"
#include "core/window_services.h"
#include "display/display.h"
#include "display/main_view.h"

namespace tuner {

// Window-level actions that are neither a control property nor a link service.
class WindowActions {
public:
    virtual ~WindowActions() = default;
    virtual void show_about() = 0;
    // Modeless audio-mode dialog, filled from the flags; disables the main window.
    virtual void show_audio_mode_dialog() = 0;
    // Clears one list box: lstResults, List_cpu_debug_out_display, List_pc_out_data_display.
    virtual void clear_list(Ctl list) = 0;
    // Shows or hides the hidden test panel.
    virtual void show_test_panel(bool show) = 0;
};

// Everything a rule may use.
struct RuleEnv {
    AppState& s;
    MainView& view;
    WindowServices& svc;  // set_all_dis, messages, progress waits, debug lines
    Display& display;
    TextInput& input;  // the shared numeric-input state
    SettingsStore& settings;
    FileDialogs& dialogs;
    DeviceLink& link;
    WindowActions& actions;
    Clock& clock;  // with pump: delay_ms inside a rule
    EventPump& pump;
};

// How a numeric box filters and commits, read anew at every key press.
using BoxLimits = NumericBoxConfig;

// One group of rules. Each handler returns true when the control is its own.
class RuleModule {
public:
    virtual ~RuleModule() = default;
    virtual bool click(RuleEnv&, Ctl) { return false; }           // owner-drawn button Click
    virtual bool check_mouse_up(RuleEnv&, Ctl) { return false; }  // user toggled a check box / option button
    virtual bool menu(RuleEnv&, Ctl) { return false; }            // menu item chosen
    virtual std::optional<BoxLimits> box_limits(RuleEnv&, Ctl) { return std::nullopt; }
    virtual bool box_commit(RuleEnv&, Ctl) { return false; }            // Enter (after the text-input commit)
    virtual bool box_key(RuleEnv&, Ctl, int /*key*/) { return false; }  // after every key press, Enter included
    virtual bool box_edited(RuleEnv&, Ctl) { return false; }  // the user changed the text (typed, pasted, cut)
    virtual bool box_got_focus(RuleEnv&, Ctl) { return false; }
    virtual bool box_lost_focus(RuleEnv&, Ctl) { return false; }  // after the Enter commit and text-input rules
    virtual bool slider_changed(RuleEnv&, Ctl) { return false; }  // ValueChanged (user move or ui_inc/ui_dec)
    virtual bool slider_mouse(RuleEnv&, Ctl, bool /*in*/) { return false; }
    virtual bool step(RuleEnv&, std::string_view /*stepper*/, int /*index*/) { return false; }
};

// Modules, each in its own file.
std::unique_ptr<RuleModule> make_editor_rules();   // parameter editors and the compressor record
std::unique_ptr<RuleModule> make_switch_rules();   // switch buttons and check boxes
std::unique_ptr<RuleModule> make_eq_rules();       // EQ band editor
std::unique_ptr<RuleModule> make_bt_name_rules();  // Bluetooth-name tools
std::unique_ptr<RuleModule> make_menu_rules();     // menus, language, test panel

// Events that belong to one module alone.
void eq_on_tab_before_switch(RuleEnv& env, int new_tab);
void eq_on_peq_eq_out(RuleEnv& env, int band, int type, int freq_index, float freq, int q_index, float q,
                      float gain_index, float gain_db);
void drc_on_limiter_output(RuleEnv& env, int db);

class WindowRules {
public:
    WindowRules();
    void click(RuleEnv& env, Ctl c);
    void check_mouse_up(RuleEnv& env, Ctl c);
    void menu(RuleEnv& env, Ctl c);
    std::optional<BoxLimits> box_limits(RuleEnv& env, Ctl c);
    void box_commit(RuleEnv& env, Ctl c);
    void box_key(RuleEnv& env, Ctl c, int key);
    void box_edited(RuleEnv& env, Ctl c);
    void box_got_focus(RuleEnv& env, Ctl c);
    void box_lost_focus(RuleEnv& env, Ctl c);
    void slider_changed(RuleEnv& env, Ctl c);
    void slider_mouse(RuleEnv& env, Ctl c, bool in);
    // "<param>_inc" / "<param>_dec" (index: band or test box); false when unknown.
    bool step(RuleEnv& env, std::string_view stepper, int index = -1);

private:
    std::vector<std::unique_ptr<RuleModule>> modules_;
};

}  // namespace tuner
