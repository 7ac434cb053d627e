// Start-up of the tuning window to a shown window (budget < 500 ms), and a
// full refresh of the real window (budget < 10 ms), offscreen.
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <benchmark/benchmark.h>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/param_file.h"
#include "mainwindow/frm_main.h"
#include "support/link_harness.h"
#include "support/simulated_unit.h"

namespace {

using namespace tuner;

class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> get(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void set(const std::string&, const std::string&, const std::string&, const std::string&) override {}
};

class NoDialogs : public FileDialogs {
public:
    std::optional<std::string> show_open(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> show_save(const FileDialogRequest&) override { return std::nullopt; }
};

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench_window";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication a(argc, argv);
    return a;
}

void prepare_dir() {
    const auto dir = std::filesystem::temp_directory_path() / "tuner_bench_window";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / kStartupFileName, std::ios::binary) << param_file_text(neutral_param_image());
    set_app_dir(dir.string());
}

struct Io {
    testing::SimulatedUnit unit;
    MemorySettings settings;
    NoDialogs dialogs;
    testing::FakeTime time;
    FrmMainServices services() { return FrmMainServices{unit, settings, dialogs, time, time, false, {}}; }
};

void BM_WindowStartupToShown(benchmark::State& state) {
    app();
    prepare_dir();
    Io io;
    for (auto _ : state) {
        FrmMain frm(io.services());
        frm.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(frm.isVisible());
    }
}
BENCHMARK(BM_WindowStartupToShown)->Unit(benchmark::kMillisecond);

void BM_WindowFullRefresh(benchmark::State& state) {
    app();
    prepare_dir();
    Io io;
    FrmMain frm(io.services());
    frm.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        frm.state().refresh_incremental = 0;
        frm.display().set_all_dis();
    }
}
BENCHMARK(BM_WindowFullRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
