// One frame through the protocol: build and stamp an output frame, then
// validate an input frame and dispatch it into the image (copy, range clamp,
// redraw request). Budget: under 2 us per frame.
#include <benchmark/benchmark.h>

#include "core/frame_protocol.h"

using namespace tuner;

namespace {

// Hands out the prepared input frames in turn; writes go nowhere.
class LoopTransport : public HidTransport {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError*) override { return kNoHidHandle; }
    bool write_report(HidHandle, const HidReport& report) override {
        benchmark::DoNotOptimize(report.data());
        return true;
    }
    bool read_report(HidHandle, HidReport& report) override {
        report = frames[next++ % 2];
        return true;
    }
    void close(HidHandle) override {}
    HidReport frames[2]{};
    std::size_t next = 0;
};

class NoClock : public Clock {
public:
    int32_t now_ms() override { return 0; }
};
class NoPump : public EventPump {
public:
    void process_events() override {}
};

struct Fixture {
    Fixture() {
        s.hid_handle = 1;
        s.hid_device_detected = true;
        s.cpu_connect_state = 1;
        param_range_check(s.param_image);
        for (uint8_t i = 0; i < 2; ++i) {
            HidReport& f = hid.frames[i];
            for (std::size_t b = 8; b < 164; ++b) f[b] = static_cast<uint8_t>(b * 7);
            frame_stamp(f, static_cast<uint8_t>(i + 1), command, rws::S);
        }
    }
    uint8_t command = cmd::gen;
    AppState s;
    LoopTransport hid;
    NullWindowServices ui;
    NoClock clock;
    NoPump pump;
    DeviceLink link{s, hid, ui, clock, pump};
};

void BM_GenFrameRoundTrip(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state) {
        i_hid_pc_tx_gen_cmd(fx.link, rws::W);
        benchmark::DoNotOptimize(i_hid_read_all_cmd(fx.link));
    }
    if (fx.s.hid_rx_miss_cou != 0) state.SkipWithError("frames were rejected");
}
BENCHMARK(BM_GenFrameRoundTrip);

void BM_ValidateOnly(benchmark::State& state) {
    Fixture fx;
    uint8_t last = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(frame_check(fx.hid.frames[0], last, true));
        ++last;
    }
}
BENCHMARK(BM_ValidateOnly);

}  // namespace
