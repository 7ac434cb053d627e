// Start-up of the tuning window to a shown window, offscreen (budget < 500 ms):
// the controls built, the start-up file read, the first refresh, shown and
// the first events handled.
#include "window_bench.h"

namespace {

using namespace tuner;

void BM_WindowStartupToShown(benchmark::State& state) {
    testing::WindowUnderTest w("bench_startup");  // its program folder and window services
    WindowHooks hooks;
    hooks.message_box = [](const std::string&, const std::string&, MessageIcon) {};
    for (auto _ : state) {
        state.PauseTiming();
        w.frm.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.frm = std::make_unique<FrmMain>(FrmMainServices{w.unit, w.settings, w.dialogs, w.time, w.time, false, hooks});
        w.frm->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.frm->isVisible());
    }
}
BENCHMARK(BM_WindowStartupToShown)->Unit(benchmark::kMillisecond);

}  // namespace
