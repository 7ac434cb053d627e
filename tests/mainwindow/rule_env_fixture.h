// A RuleEnv over FakeMainView for the window-rule suites: the link harness's
// state, recording window services and clock, a display, the shared text
// input and answering fakes for settings, file dialogs and window actions.
// Slider moves made by the rules (ui_inc, ui_dec, a lowered max_limit) are
// routed back into the rules, as the window does.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/rules.h"
#include "support/fake_main_view.h"
#include "support/link_harness.h"

namespace tuner::testing {

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> get(const std::string& app, const std::string& section, const std::string& key) override {
        auto it = values.find(app + "/" + section + "/" + key);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
        values[app + "/" + section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

// Answers every dialog with `answer` (nullopt = cancelled).
class AnsweringFileDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest& r) override { return ask("open", r); }
    std::optional<std::string> show_save(const FileDialogRequest& r) override { return ask("save", r); }
    std::optional<std::string> answer;
    std::vector<FileDialogRequest> requests;

private:
    std::optional<std::string> ask(const char*, const FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    }
};

// Records each action as a line: "clear_list lstResults".
class RecordingWindowActions : public WindowActions {
public:
    void show_about() override { calls.push_back("show_about"); }
    void show_audio_mode_dialog() override { calls.push_back("show_audio_mode_dialog"); }
    void clear_list(Ctl list) override { calls.push_back("clear_list " + list.str()); }
    void show_test_panel(bool show) override { calls.push_back(show ? "show_test_panel 1" : "show_test_panel 0"); }
    std::vector<std::string> calls;
};

class RuleEnvFixture : public ::testing::Test {
protected:
    RuleEnvFixture() {
        view.on_slider_changed = [this](Ctl c) { rules.slider_changed(env, c); };
    }

    void set_connected(bool on) { h.s.cpu_connect_state = on ? 1 : 2; }
    // A slider with its range (max_limit = max) and value.
    void slider(std::string_view name, int32_t min, int32_t max, int32_t value) {
        auto& p = view.at(Ctl{name});
        p.s_min = min, p.s_max = max, p.s_max_limit = max, p.s_value = value;
    }
    int set_all_dis_count() const { return h.ui.count("set_all_dis"); }

    LinkHarness h;
    AppState& s = h.s;
    FakeMainView view;
    Display display{h.s, view};
    TextInput input;
    MemorySettings settings;
    AnsweringFileDialogs dialogs;
    RecordingWindowActions actions;
    RuleEnv env{h.s, view, h.ui, display, input, settings, dialogs, h.link, actions, h.time, h.time};
    WindowRules rules;
};

}  // namespace tuner::testing
