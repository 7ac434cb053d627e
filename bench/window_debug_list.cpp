// One debug line into a full results list (the search's line every half
// second, for hours): the line added, the oldest dropped, the list scrolled
// and the window's events processed, as each scan tick does. With the test
// panel hidden (as it is unless opened) and shown (the list repaints).
#include <QListWidget>

#include "window_bench.h"

namespace {

using namespace tuner;

// The window with no unit, shown, its test panel opened when `panel_shown`.
struct UnpluggedWindow : testing::WindowUnderTest {
    UnpluggedWindow(const std::string& name, bool panel_shown) : WindowUnderTest(name) {
        unit.unplug();
        frm->show();
        if (panel_shown) frm->services().show_test_panel(true);
        QCoreApplication::processEvents();
    }
};

void BM_DebugLineIntoFullList(benchmark::State& state) {
    UnpluggedWindow w("bench_debug_list", state.range(0) != 0);
    auto* list = w.frm->registry().get<QListWidget>("lstResults");
    for (int i = 0; i < kDebugListMaxLines; ++i) w.frm->services().debug_line(" 没有找到设备。");
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        w.frm->services().debug_line("line " + std::to_string(++n));
        QCoreApplication::processEvents();
    }
    if (list->count() != kDebugListMaxLines) state.SkipWithError("the list grew beyond its cap");
    state.counters["lines_kept"] = list->count();
}
BENCHMARK(BM_DebugLineIntoFullList)->Arg(0)->Arg(1)->ArgName("panel_shown")->Unit(benchmark::kMicrosecond);

// The same loop without the line: what the window's event processing alone costs.
void BM_EventsOnly(benchmark::State& state) {
    UnpluggedWindow w("bench_debug_events", state.range(0) != 0);
    for (auto _ : state) QCoreApplication::processEvents();
}
BENCHMARK(BM_EventsOnly)->Arg(0)->Arg(1)->ArgName("panel_shown")->Unit(benchmark::kMicrosecond);

}  // namespace
