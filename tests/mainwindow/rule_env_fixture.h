// A RuleEnv over FakeMainView for the window's rule tests: the state, the
// fake window, recording window services, a display, the shared text-input
// state, in-memory settings, scripted file dialogs and a link over the
// simulated unit. Slider moves raised by the fake reach the rules as the
// window's ValueChanged would.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/rules.h"
#include "support/fake_main_view.h"
#include "support/link_harness.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> get(const std::string& app, const std::string& section,
                                   const std::string& key) override {
        auto it = values.find(app + "/" + section + "/" + key);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
        values[app + "/" + section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

// Answers each dialog with the path set beforehand (nullopt = cancelled) and
// keeps the requests.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest& r) override {
        open_requests.push_back(r);
        return open_answer;
    }
    std::optional<std::string> show_save(const FileDialogRequest& r) override {
        save_requests.push_back(r);
        return save_answer;
    }
    std::optional<std::string> open_answer, save_answer;
    std::vector<FileDialogRequest> open_requests, save_requests;
};

class RecordingWindowActions : public WindowActions {
public:
    void show_about() override { calls.push_back("show_about"); }
    void show_audio_mode_dialog() override { calls.push_back("show_audio_mode_dialog"); }
    void clear_list(Ctl list) override { calls.push_back("clear_list " + list.str()); }
    void show_test_panel(bool show) override { calls.push_back(show ? "show_test_panel" : "hide_test_panel"); }
    std::vector<std::string> calls;
};

struct RuleEnvHarness {
    RuleEnvHarness() {
        view.on_slider_changed = [this](Ctl c) { rules.slider_changed(env, c); };
    }

    // Focus, typing (each key through the key and change filters) and Enter,
    // as the window runs the text-input rules on a numeric box.
    void type_and_enter(Ctl c, const std::string& keys) {
        const std::optional<BoxLimits> l = rules.box_limits(env, c);
        ASSERT_TRUE(l.has_value()) << c.str();
        TextBox box{view.text(c), 0};
        input.text_input_got_focus(box);
        rules.box_got_focus(env, c);
        for (char k : keys) {
            input.text_input_key_press(box, k, l->min, l->max, l->snap, l->table);
            box.Text += k;
            box.SelStart = static_cast<int>(box.Text.size());
            TextInput::text_input_change(box, l->decimals, false, l->allow_minus);
        }
        const std::optional<BoxLimits> at_enter = rules.box_limits(env, c);
        input.text_input_key_press(box, kKeyEnter, at_enter->min, at_enter->max, at_enter->snap, at_enter->table);
        view.set_text(c, box.Text);
        rules.box_commit(env, c);
    }

    AppState s;
    FakeMainView view;
    RecordingWindowServices ui{s};
    Display display{s, view};
    TextInput input;
    MemorySettings settings;
    ScriptedFileDialogs dialogs;
    SimulatedUnit unit;
    FakeTime time;
    DeviceLink link{s, unit, ui, time, time};
    RecordingWindowActions actions;
    RuleEnv env{s, view, ui, display, input, settings, dialogs, link, actions, time, time};
    WindowRules rules;
};

class RuleEnvFixture : public ::testing::Test, public RuleEnvHarness {};

}  // namespace tuner::testing
