// Refresh costs of the real window offscreen, linked to the simulated unit.
// Budgets: full refresh < 10 ms; the incremental refresh after one received
// general, effect or EQ frame that changed one byte < 1 ms each; one send
// tick with its refresh < 100 us (0.2 % of a core at one tick per 50 ms).
// The "/paint" variants also run the event loop afterwards, so the widgets
// the refresh touched repaint inside the measured time.
#include "core/send_service.h"
#include "window_bench.h"

namespace {

using namespace tuner;

void settle(bool paint) {
    if (paint) QCoreApplication::processEvents();
}

// Full refresh through the window's services, as a parameter-file load or a
// whole-state read asks for it. With "language" the language flips before
// each refresh, so every caption of the window changes too.
void BM_WindowFullRefresh(benchmark::State& state) {
    auto w = bench::connected_window("full_refresh");
    if (!w) return state.SkipWithError("the simulated unit did not connect");
    const bool paint = state.range(0) != 0;
    const bool language = state.range(1) != 0;
    AppState& s = w->frm->state();
    for (auto _ : state) {
        if (language) s.Language = s.Language == 0 ? 1 : 0;
        s.refresh_incremental = 0;
        w->frm->services().set_all_dis();
        settle(paint);
    }
}
BENCHMARK(BM_WindowFullRefresh)
    ->ArgNames({"paint", "language"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// Which frame the unit answers with, and the byte of it that changes.
enum class Frame { General, Effect, Eq };

uint8_t& changed_byte(testing::SimulatedUnit& unit, Frame f) {
    switch (f) {
        case Frame::General: return unit.image.gen[gen_frame::music_vol];
        case Frame::Effect: return unit.image.eff[eff_frame::echo_a_vol];
        case Frame::Eq: break;
    }
    return unit.image.eq[0][eq_frame::eq_db + 3];  // channel 0 is the one shown
}

// The poll step that asks for the frame (the general frame is step 0).
uint8_t poll_step(Frame f) { return f == Frame::General ? 0 : f == Frame::Effect ? 1 : 2; }

// Outside the timing: the unit's byte changes and the send tick asks for the
// frame. Timed: the next send tick reads the answer, stores it and runs the
// incremental refresh.
void BM_WindowReceiveFrame(benchmark::State& state) {
    const auto frame = static_cast<Frame>(state.range(0));
    const bool paint = state.range(1) != 0;
    auto w = bench::connected_window("receive");
    if (!w) return state.SkipWithError("the simulated unit did not connect");
    AppState& s = w->frm->state();
    uint8_t& byte = changed_byte(w->unit, frame);
    const uint8_t base = byte;
    int flip = 0;
    for (auto _ : state) {
        state.PauseTiming();
        byte = static_cast<uint8_t>(base + (++flip & 1));
        s.hid_poll_index = static_cast<uint8_t>((poll_step(frame) + kPollSteps - 1) % kPollSteps);
        w->frm->tick();
        QCoreApplication::processEvents();
        if (s.hid_wait_reply != 1) return state.SkipWithError("the poll request was not sent");
        state.ResumeTiming();
        w->frm->tick();
        settle(paint);
    }
    if (s.cpu_connect_state != 1) state.SkipWithError("the link dropped");
    const uint8_t in_window = frame == Frame::General  ? s.param_image.gen[gen_frame::music_vol]
                              : frame == Frame::Effect ? s.param_image.eff[eff_frame::echo_a_vol]
                                                       : s.param_image.eq[0][eq_frame::eq_db + 3];
    if (in_window != byte) state.SkipWithError("the changed byte did not reach the window");
}
BENCHMARK(BM_WindowReceiveFrame)
    ->ArgNames({"frame(gen,eff,eq)", "paint"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// The send timer while nothing changes: ticks alternate between a poll
// request and the read of its answer with its incremental refresh.
void BM_WindowSendTick(benchmark::State& state) {
    const bool paint = state.range(0) != 0;
    auto w = bench::connected_window("send_tick");
    if (!w) return state.SkipWithError("the simulated unit did not connect");
    for (auto _ : state) {
        w->frm->tick();
        settle(paint);
    }
    if (w->frm->state().cpu_connect_state != 1) state.SkipWithError("the link dropped");
}
BENCHMARK(BM_WindowSendTick)->ArgName("paint")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
