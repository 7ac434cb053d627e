// Tab switch cost: a five-tab strip the size of the main window (1024 x 700)
// switching between two tabs, by code (ActiveTab) and by a press on a tab,
// which repaints inside the busy handler. Runs headless.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "tabs/xtab_model.h"

using namespace tuner;

namespace {

void five_tabs(XTabModel& m) {
    m.setTabCount(5);
    for (int i = 0; i < 5; ++i) m.setTabCaption(i, QStringLiteral("Page &%1").arg(i + 1));
    m.Resize(1024, 700);
}

void BM_TabSwitchByCode(benchmark::State& state) {
    XTabModel m;
    five_tabs(m);
    int n = 0;
    for (auto _ : state) {
        n = n == 0 ? 3 : 0;
        m.setActiveTab(n);
        benchmark::DoNotOptimize(m.surface().image().constBits());
    }
}
BENCHMARK(BM_TabSwitchByCode)->Unit(benchmark::kMillisecond);

void BM_TabSwitchByPress(benchmark::State& state) {
    XTabModel m;
    five_tabs(m);
    const TabRect a = m.tab(0).rect;
    const TabRect b = m.tab(3).rect;
    int n = 0;
    for (auto _ : state) {
        n = n == 0 ? 3 : 0;
        const TabRect& r = n == 3 ? b : a;
        m.MouseDownLeft((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
        benchmark::DoNotOptimize(m.surface().image().constBits());
    }
    if (m.ActiveTab() != n) state.SkipWithError("the press did not switch tabs");
}
BENCHMARK(BM_TabSwitchByPress)->Unit(benchmark::kMillisecond);

}  // namespace
