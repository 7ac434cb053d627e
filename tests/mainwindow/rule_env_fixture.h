// A RuleEnv without widgets: fakes for window, services, settings, dialogs and actions; a link over the simulated unit.
#pragma once

#include <gtest/gtest.h>

#include "core/temp_files.h"
#include "mainwindow/rules.h"
#include "support/fake_main_view.h"
#include "support/link_harness.h"
#include "support/memory_settings.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

// Answers each dialog from the test (nullopt: cancelled) and keeps the requests.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest& r) override {
        return opens.push_back(r), open_answer;
    }
    std::optional<std::string> show_save(const FileDialogRequest& r) override {
        return saves.push_back(r), save_answer;
    }
    std::optional<std::string> open_answer, save_answer;
    std::vector<FileDialogRequest> opens, saves;
};

// Records "show_about", "show_audio_mode_dialog", "clear_list lstResults", "show_test_panel 1".
class RecordingWindowActions : public WindowActions {
public:
    void show_about() override { calls.push_back("show_about"); }
    void show_audio_mode_dialog() override { calls.push_back("show_audio_mode_dialog"); }
    void clear_list(Ctl list) override { calls.push_back("clear_list " + list.str()); }
    void show_test_panel(bool show) override { calls.push_back(std::string("show_test_panel ") + (show ? "1" : "0")); }
    std::vector<std::string> calls;
};

struct RuleEnvFixture {
    RuleEnvFixture() {
        view.on_slider_changed = [this](Ctl c) { rules.slider_changed(env, c); };
    }

    // Focus, each key through the filters and the rules, then Enter, as the window runs a box; the box's text.
    std::string type_enter(Ctl c, const std::string& keys) {
        rules.box_got_focus(env, c);
        const std::optional<BoxLimits> l = rules.box_limits(env, c);
        EXPECT_TRUE(l.has_value()) << c.str();
        if (!l) return {};
        TextBox tb{view.text(c), 0};
        input.text_input_got_focus(tb);
        for (char k : keys) {
            input.text_input_key_press(tb, k, l->min, l->max, l->snap, l->table);
            tb.Text += k;
            tb.SelStart = static_cast<int>(tb.Text.size());
            TextInput::text_input_change(tb, l->decimals, false, l->allow_minus);
            view.set_text(c, tb.Text);
            rules.box_edited(env, c);
            rules.box_key(env, c, k);
        }
        input.text_input_key_press(tb, 13, l->min, l->max, l->snap, l->table);  // Enter
        view.set_text(c, tb.Text);
        rules.box_commit(env, c);
        rules.box_key(env, c, 13);  // Enter
        return view.text(c);
    }

    AppState s;
    FakeMainView view;
    RecordingWindowServices svc{s};
    DisplayHooks hooks;
    Display display{s, view, hooks};
    TextInput input;
    MemorySettings settings;
    FakeFileDialogs dialogs;
    SimulatedUnit unit;
    FakeTime time;
    DeviceLink link{s, unit, svc, time, time};
    RecordingWindowActions actions;
    RuleEnv env{s, view, svc, display, input, settings, dialogs, link, actions, time, time};
    WindowRules rules;

    void set_connected(bool on) { s.cpu_connect_state = on ? 1 : 2; }
    void slider(Ctl c, int32_t min, int32_t max, int32_t value) {
        auto& p = view.at(c);
        p.s_min = min, p.s_max = max, p.s_max_limit = max, p.s_value = value;
    }
    int redraws() const { return svc.count("set_all_dis"); }
    // The user changed a box's tick (mouse or keyboard): the window has its new state, then reports it.
    void user_sets(Ctl c, int value) {
        view.at(c).value = value;
        rules.check_mouse_up(env, c);
    }
};

}  // namespace tuner::testing
