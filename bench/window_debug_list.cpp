// One debug line into a full results list (the search's line every half
// second, for hours): the line added, the oldest dropped, the list scrolled
// and the window's events processed, as each scan tick does. With the test
// panel hidden (as it is unless opened) and shown (the list repaints).
#include <QListWidget>

#include "window_bench.h"

namespace {

using namespace tuner;

void BM_DebugLineIntoFullList(benchmark::State& state) {
    bench::app();
    testing::WindowUnderTest w("bench_debug_list");
    w.unit.unplug();
    w.frm->show();
    if (state.range(0) != 0) w.frm->services().show_test_panel(true);
    QCoreApplication::processEvents();
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
    bench::app();
    testing::WindowUnderTest w("bench_debug_events");
    w.unit.unplug();
    w.frm->show();
    if (state.range(0) != 0) w.frm->services().show_test_panel(true);
    QCoreApplication::processEvents();
    for (auto _ : state) QCoreApplication::processEvents();
}
BENCHMARK(BM_EventsOnly)->Arg(0)->Arg(1)->ArgName("panel_shown")->Unit(benchmark::kMicrosecond);

}  // namespace
