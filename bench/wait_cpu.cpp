// Processor time of the event-pumping wait: a 300 ms qt_delay_ms with a
// 50 ms timer ticking inside it, as the send timer does. Budget: well under
// 10 % of one core over the wait (counter cpu_percent, from getrusage).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>

#include "platform/qt_wait.h"

using namespace tuner;

namespace {

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_Wait300ms(benchmark::State& state) {
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    double cpu = 0.0;
    for (auto _ : state) {
        const double before = cpu_seconds();
        qt_delay_ms(300);
        cpu += cpu_seconds() - before;
    }
    const double wall = 0.3 * static_cast<double>(state.iterations());
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
    state.counters["ticks_per_wait"] = static_cast<double>(ticks) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Wait300ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
