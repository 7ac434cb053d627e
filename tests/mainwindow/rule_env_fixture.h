// A RuleEnv for rule tests without widgets: the state, a fake main window,
// recording window services, a Display over the fake view, the shared text
// input, an in-memory settings store, file dialogs that answer from the
// test, a device link over the simulated unit, recording window actions and
// a clock that moves only when events are pumped. Any rule module's tests
// can build one and drive the rules through `rules` or a module of their own.
// TempFolder gives a test its own scratch folder for files.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/device_link.h"
#include "display/display.h"
#include "mainwindow/rules.h"
#include "support/fake_main_view.h"
#include "support/link_harness.h"
#include "support/memory_settings.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

// Answers every dialog with `answer` (nullopt: cancelled), or the open or
// save dialog with its own answer where one is set, and keeps the requests.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest& r) override {
        opens.push_back(r);
        return open_answer ? open_answer : answer;
    }
    std::optional<std::string> show_save(const FileDialogRequest& r) override {
        saves.push_back(r);
        return save_answer ? save_answer : answer;
    }
    std::optional<std::string> answer, open_answer, save_answer;
    std::vector<FileDialogRequest> opens, saves;
};

// Records the window actions in order: "show_about", "show_audio_mode_dialog",
// "clear_list lstResults", "show_test_panel 1".
class RecordingWindowActions : public WindowActions {
public:
    void show_about() override { calls.push_back("show_about"); }
    void show_audio_mode_dialog() override { calls.push_back("show_audio_mode_dialog"); }
    void clear_list(Ctl list) override { calls.push_back("clear_list " + list.str()); }
    void show_test_panel(bool show) override { calls.push_back(std::string("show_test_panel ") + (show ? "1" : "0")); }
    std::vector<std::string> calls;
};

// Recording services that also run `on_set_all_dis` (before the recorder
// marks the refresh done), so a test can look at the state the redraw sees
// or wire the redraw to the Display.
class FixtureWindowServices : public RecordingWindowServices {
public:
    using RecordingWindowServices::RecordingWindowServices;
    void set_all_dis() override {
        if (on_set_all_dis) on_set_all_dis();
        RecordingWindowServices::set_all_dis();
    }
    std::function<void()> on_set_all_dis;
};

// An empty folder of its own for the running test, removed afterwards.
struct TempFolder {
    explicit TempFolder(const std::string& prefix)
        : path(std::filesystem::temp_directory_path() /
               (prefix + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

struct RuleEnvFixture {
    RuleEnvFixture() {
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
    FixtureWindowServices svc{s};
    FixtureWindowServices& ui = svc;
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
    // A slider with its range (max_limit = max) and value.
    void slider(std::string_view name, int32_t min, int32_t max, int32_t value) {
        auto& p = view.at(Ctl{name});
        p.s_min = min, p.s_max = max, p.s_max_limit = max, p.s_value = value;
    }
    int set_all_dis_count() const { return svc.count("set_all_dis"); }

    // Scan ticks until the simulated unit is connected; true when it is.
    bool connect(int max_ticks = 3) {
        device_search_start(link);
        for (int i = 0; i < max_ticks && !link_connected(s); ++i) scan_timer_tick(link);
        svc.calls.clear();
        return link_connected(s);
    }
};

}  // namespace tuner::testing
