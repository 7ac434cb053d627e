// Idle processor use of the connected window (budget < 1 % of a core): the
// real window offscreen with its real link timers on the Qt event loop, the
// simulated unit answering, nothing changing. Each iteration runs the event
// loop for one second of wall time and reports processor time (user +
// system, from getrusage) over wall time, and the frames the link wrote.
#include <sys/resource.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/qt_wait.h"
#include "window_bench.h"

namespace {

using namespace tuner;

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto sec = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return sec(u.ru_utime) + sec(u.ru_stime);
}

// Counts the events the application delivers, and the paints among them.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        ++events;
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
    int events = 0, paints = 0;
};

// Runs the event loop for `ms` of wall time.
void run_loop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_WindowIdleCpu(benchmark::State& state) {
    set_app_dir(testing::make_program_dir("bench_idle"));
    testing::SimulatedUnit unit;
    testing::MemorySettings settings;
    testing::CancellingDialogs dialogs;
    QtClock clock;
    QtEventPump pump;
    WindowHooks hooks;
    hooks.message_box = [](const std::string&, const std::string&, MessageIcon) {};
    int writes = 0;
    unit.on_write = [&writes](const FrameImage&) { ++writes; };
    FrmMain frm(FrmMainServices{unit, settings, dialogs, clock, pump, true, hooks});
    frm.show();
    // Scan until linked, then let the whole-state read, its transfer wait
    // (the progress dialog) and two poll rounds pass.
    for (int i = 0; i < 50 && !link_connected(frm.state()); ++i) run_loop(100);
    if (!link_connected(frm.state())) return state.SkipWithError("the simulated unit did not connect");
    const QWidget& wait = frm.services().wait_dialog();
    for (int i = 0; i < 50 && (wait.isVisible() || !frm.isEnabled()); ++i) run_loop(100);
    run_loop(3000);

    EventCounter counter;
    qApp->installEventFilter(&counter);
    double cpu = 0, wall = 0;
    int frames = 0;
    for (auto _ : state) {
        const int writes_before = writes;
        const double cpu_before = cpu_seconds();
        QElapsedTimer t;
        t.start();
        run_loop(1000);
        wall += static_cast<double>(t.nsecsElapsed()) / 1e9;
        cpu += cpu_seconds() - cpu_before;
        frames += writes - writes_before;
    }
    if (!link_connected(frm.state())) state.SkipWithError("the link dropped");
    state.counters["core_pct"] = cpu / wall * 100.0;
    state.counters["frames_per_s"] = frames / wall;
    state.counters["events_per_s"] = counter.events / wall;
    state.counters["paints_per_s"] = counter.paints / wall;
}
BENCHMARK(BM_WindowIdleCpu)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
