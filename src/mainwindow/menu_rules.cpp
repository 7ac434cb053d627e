// Menu rules: parameter files, the unit's sixteen stored audio modes, the
// two resets, the audio-mode dialog, the language switch and About. The
// mode commands only write request bytes, which the send service carries out
// on a later tick; with no unit connected they do nothing, so that no unit
// plugged in later gets a command chosen before. The test panel's rules
// ride along in the same module.
#include "core/param_file.h"
#include "mainwindow/rules.h"
#include "mainwindow/test_panel_rules.h"

namespace tuner {

namespace {

constexpr int kModeCount = 16;

bool is_mode_entry(Ctl c) { return c.index >= 1 && c.index <= kModeCount; }

class MenuRules : public RuleModule {
public:
    bool menu(RuleEnv& env, Ctl c) override {
        AppState& s = env.s;
        const std::string_view n = c.name;

        // Entries without the unit-ready guard.
        if (n == "menu_key_language") {
            s.Language = s.Language == 1 ? 0 : 1;
            s.refresh_incremental = 0;
            save_language_setting(s, env.settings, env.svc);
            // The full redraw re-captions the whole window in the new language.
            env.svc.set_all_dis();
            return true;
        }
        if (n == "Menu_About") {
            env.actions.show_about();
            return true;
        }
        if (n == "Menu_Index") return true;  // no operating instructions to open

        const bool mode_command = n == "menu_key_read_all_data_from_cpu_group" ||
                                  n == "menu_key_save_all_data_to_cpu_group" || n == "menu_reset_cpu_audio_mode_0" ||
                                  n == "menu_reset_cpu_audio_mode_all";
        const bool guarded = mode_command || n == "menu_key_open_file_to_all_data" ||
                             n == "menu_key_save_all_data_to_file" || n == "menu_cpu_audio_mode_set";
        if (!guarded) return false;
        // A unit in standby or without a ready input takes no commands: the click is ignored.
        if (!cpu_ready(s.cpu_state)) return true;
        if (mode_command && !cpu_connected(s)) return true;

        if (n == "menu_key_open_file_to_all_data") {
            open_file_to_all_data(s, env.svc, env.dialogs, LoadKind::User);
        } else if (n == "menu_key_save_all_data_to_file") {
            save_all_data_to_file(s, env.svc, env.dialogs);
        } else if (n == "menu_key_read_all_data_from_cpu_group") {
            if (is_mode_entry(c)) s.mode_recall_req = static_cast<uint8_t>(c.index);
        } else if (n == "menu_key_save_all_data_to_cpu_group") {
            if (is_mode_entry(c)) s.mode_save_req = {1, static_cast<uint8_t>(c.index)};
        } else if (n == "menu_reset_cpu_audio_mode_0") {
            s.mode_reset_req = {1, 0, 0};
        } else if (n == "menu_reset_cpu_audio_mode_all") {
            s.mode_reset_req = {0, 0, 1};
        } else {
            env.actions.show_audio_mode_dialog();
        }
        return true;
    }

    // The test panel's controls.
    bool check_mouse_up(RuleEnv& env, Ctl c) override { return panel_->check_mouse_up(env, c); }
    std::optional<BoxLimits> box_limits(RuleEnv& env, Ctl c) override { return panel_->box_limits(env, c); }
    bool box_commit(RuleEnv& env, Ctl c) override { return panel_->box_commit(env, c); }
    bool box_got_focus(RuleEnv& env, Ctl c) override { return panel_->box_got_focus(env, c); }
    bool box_lost_focus(RuleEnv& env, Ctl c) override { return panel_->box_lost_focus(env, c); }
    bool step(RuleEnv& env, std::string_view stepper, int index) override { return panel_->step(env, stepper, index); }

private:
    std::unique_ptr<RuleModule> panel_ = make_test_panel_rules();
};

}  // namespace

std::unique_ptr<RuleModule> make_menu_rules() { return std::make_unique<MenuRules>(); }

}  // namespace tuner
