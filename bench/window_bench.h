// The real tuning window offscreen for the window benchmarks: the test
// fixture's window (simulated unit, in-memory settings, cancelling dialogs,
// a clock that moves only when events are pumped, link ticks run by hand),
// shown, connected and with the unit's whole state read and drawn. The
// application object is main's (bench/main/qt_bench_main.cpp).
#pragma once

#include <benchmark/benchmark.h>
#include <QCoreApplication>

#include "mainwindow_gui/window_fixture.h"

namespace tuner::bench {

// A unit with every EQ band of every channel on, spread over the frequency
// range, so the graph draws ten bands and their sum.
inline void enable_all_bands(ParamImage& img) {
    for (FrameImage& eq : img.eq)
        for (std::size_t b = 0; b < kEqBands; ++b) {
            eq[eq_frame::eq_x_enable + b] = 1;
            set_eq_freq(eq, b, static_cast<uint16_t>(50 + 35 * b));
        }
    param_range_check(img);
}

// A shown window linked to the simulated unit (all EQ bands on), every poll
// step answered at least once (the whole state is in the window and drawn).
// Null when the link did not come up (the benchmark then reports an error).
inline std::unique_ptr<testing::WindowUnderTest> connected_window(const std::string& name) {
    auto w = std::make_unique<testing::WindowUnderTest>("bench_" + name);
    enable_all_bands(w->unit.image);
    w->frm->show();
    QCoreApplication::processEvents();
    if (!w->connect()) return nullptr;
    w->ticks(40);
    return w;
}

}  // namespace tuner::bench
