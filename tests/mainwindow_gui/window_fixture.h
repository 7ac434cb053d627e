// The real window offscreen against the simulated unit: in-memory settings, cancelling file dialogs, a clock
// moved by the pumped events, link timers run by the test, message boxes recorded.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include <QCoreApplication>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/param_file.h"
#include "mainwindow/frm_main.h"
#include "platform/qt_wait.h"
#include "support/distinct_image.h"
#include "support/link_harness.h"
#include "support/memory_settings.h"
#include "support/simulated_unit.h"

namespace tuner::testing {

// File dialogs that cancel unless the test gave the path to answer with.
class CancellingDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest&) override { return open_answer; }
    std::optional<std::string> show_save(const FileDialogRequest&) override { return save_answer; }
    std::optional<std::string> open_answer, save_answer;
};

// A program folder of its own with the start-up parameter file in it (its image differs from the unit's).
inline std::string make_program_dir(const std::string& name) {
    // The process id keeps suites that run side by side (two builds, two clones) out of each other's folders.
    const auto dir =
        std::filesystem::temp_directory_path() / ("tuner_window_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / kParamFolderName);
    std::ofstream(dir / kStartupFileName, std::ios::binary) << param_file_text(distinct_startup_image());
    return dir.string();
}

// The window started in a program folder of its own, to which `prepare` may add files first. A `live` window runs
// its own link timers on the event loop's clock, as the program does; otherwise the test moves the time.
struct WindowUnderTest {
    explicit WindowUnderTest(const std::string& name = "default",
                             const std::function<void(const std::string&)>& prepare = {}, bool live = false) {
        unit.image = distinct_param_image();
        dir = make_program_dir(name);
        if (prepare) prepare(dir);
        set_app_dir(dir);
        WindowHooks hooks;
        hooks.message_box = [this](const std::string& text, const std::string&, MessageIcon) {
            messages.push_back(text);
        };
        hooks.ask_yes_no = [](const std::string&, const std::string&) { return true; };
        hooks.end_program = [this] { ended = true; };
        Clock& clock = live ? static_cast<Clock&>(live_clock) : time;
        EventPump& pump = live ? static_cast<EventPump&>(live_pump) : time;
        frm = std::make_unique<FrmMain>(FrmMainServices{unit, settings, dialogs, clock, pump, live, hooks});
    }
    ~WindowUnderTest() {
        frm.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    // Link ticks of 50 ms with the window's events between them; the progress dialog's 100 ms tick every second.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            frm->tick();
            ProgressModel& wait = frm->services().wait_dialog().model();
            if (++link_ticks % 2 == 0 && wait.timer_on()) wait.tick();
            QCoreApplication::processEvents();
        }
    }
    bool connect(int max_ticks = 6) {
        for (int i = 0; i < max_ticks && !link_connected(frm->state()); ++i) ticks(1);
        return link_connected(frm->state());
    }

    std::string dir;  // the program folder
    int link_ticks = 0;
    SimulatedUnit unit;
    MemorySettings settings;
    CancellingDialogs dialogs;
    FakeTime time;
    QtClock live_clock;
    QtEventPump live_pump;
    std::vector<std::string> messages;
    bool ended = false;
    std::unique_ptr<FrmMain> frm;
};

}  // namespace tuner::testing
