// One drag step of an EQ band on the PEQ graph of the real window, offscreen
// (budget < 1 ms): the mouse move through the graph's handler (model update,
// curve recompute, the window's EQ rules storing the band and updating its
// controls), then the graph repainted. With "paint" the event loop runs as
// well, so the band's sliders and text boxes repaint inside the time too.
#include <QMouseEvent>

#include "controls/peq_graph.h"
#include "window_bench.h"

namespace {

using namespace tuner;

void send_mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButtons held) {
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void BM_WindowPeqDragStep(benchmark::State& state) {
    const bool paint_all = state.range(0) != 0;
    auto w = bench::connected_window("peq_drag");
    if (!w) return state.SkipWithError("the simulated unit did not connect");
    PEQ* peq = w->frm->view().peq();
    if (!peq || !peq->isVisible()) return state.SkipWithError("no visible PEQ graph");
    const PeqModel& m = peq->model();
    const int band = 4;
    const GraphRect r = m.marker_rect(band);
    const QPointF start(m.px_x((r.left + r.right) / 2), m.px_y((r.top + r.bottom) / 2));
    send_mouse(peq, QEvent::MouseButtonPress, start, Qt::LeftButton);
    if (m.select_eq_index != band) return state.SkipWithError("the press did not pick the band");
    const AppState& s = w->frm->state();
    const uint8_t freq_before = s.param_image.eq[0][eq_frame::eq_freq_low + band];

    // Back and forth across a few frequency steps and gain steps.
    int step = 0;
    for (auto _ : state) {
        const int k = step++ % 16;
        const double d = k < 8 ? k : 16 - k;
        send_mouse(peq, QEvent::MouseMove, start + QPointF(3 * d, -2 * d), Qt::LeftButton);
        peq->repaint();
        if (paint_all) QCoreApplication::processEvents();
    }
    send_mouse(peq, QEvent::MouseButtonRelease, start, Qt::NoButton);
    if (step > 1 && s.param_image.eq[0][eq_frame::eq_freq_low + band] == freq_before && s.send_eq_req[0] != kPending)
        state.SkipWithError("the drag did not reach the window's EQ image");
}
BENCHMARK(BM_WindowPeqDragStep)->ArgName("paint")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
