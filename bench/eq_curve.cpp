// EQ curve cost: ten bands of 403 points from their parameters, and one
// changed band, for the fast per-frequency path and for a straightforward
// complex-number evaluation of the same biquads. The "ratio" benchmark times
// both on the same bands and reports reference time / fast time; it also
// stops with an error if the two disagree by 1e-6 dB or more.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "core/eq_curves.h"

using namespace tuner;

namespace {

struct BandParams {
    int type, freq_index, q_index, gain_index;
};

// A typical channel: shelves, peaks and the two pass filters.
constexpr BandParams kBands[10] = {
    {16, 40, 7, 120},  {1, 80, 10, 150},  {0, 120, 14, 90},  {0, 160, 30, 170}, {0, 200, 7, 60},
    {0, 240, 50, 140}, {0, 280, 100, 80}, {2, 320, 10, 160}, {0, 360, 20, 100}, {28, 390, 7, 120},
};

Biquad design(const BandParams& p) {
    return design_biquad(p.type, eq_freq_at(p.freq_index), eq_q_at(p.q_index), eq_gain_at(p.gain_index));
}

std::array<bool, kPeqBands> all_enabled() {
    std::array<bool, kPeqBands> e{};
    e.fill(true);
    return e;
}

void fast_all(EqCurveSet& set) {
    const auto enabled = all_enabled();
    for (int b = 0; b < 10; ++b) set.set_band(b, design(kBands[b]), false);
    set.resum(9, enabled);
}

void reference_all(std::array<std::array<double, kCurvePoints>, 10>& bands, std::array<double, kCurvePoints>& total) {
    total.fill(0.0);
    for (int b = 0; b < 10; ++b) {
        const Biquad bq = design(kBands[b]);
        for (std::size_t i = 0; i < kCurvePoints; ++i) {
            bands[b][i] = reference_response_db(bq, eq_freq_at(static_cast<int>(i)));
            total[i] += bands[b][i];
        }
    }
}

void BM_FastTenBands(benchmark::State& state) {
    EqCurveSet set;
    for (auto _ : state) {
        fast_all(set);
        benchmark::DoNotOptimize(set.total().data());
    }
}
BENCHMARK(BM_FastTenBands)->Unit(benchmark::kMicrosecond);

void BM_FastOneBandChanged(benchmark::State& state) {
    EqCurveSet set;
    fast_all(set);
    const auto enabled = all_enabled();
    int gain = 100;
    for (auto _ : state) {
        gain = gain == 100 ? 101 : 100;
        set.set_band(5, design({0, 240, 50, gain}), false);
        set.resum(9, enabled);
        benchmark::DoNotOptimize(set.total().data());
    }
}
BENCHMARK(BM_FastOneBandChanged)->Unit(benchmark::kMicrosecond);

void BM_ReferenceTenBands(benchmark::State& state) {
    std::array<std::array<double, kCurvePoints>, 10> bands{};
    std::array<double, kCurvePoints> total{};
    for (auto _ : state) {
        reference_all(bands, total);
        benchmark::DoNotOptimize(total.data());
    }
}
BENCHMARK(BM_ReferenceTenBands)->Unit(benchmark::kMicrosecond);

void BM_RatioReferenceOverFast(benchmark::State& state) {
    using clock = std::chrono::steady_clock;
    EqCurveSet set;
    std::array<std::array<double, kCurvePoints>, 10> bands{};
    std::array<double, kCurvePoints> total{};
    double fast_ns = 0, ref_ns = 0, worst = 0;
    for (auto _ : state) {
        const auto t0 = clock::now();
        fast_all(set);
        const auto t1 = clock::now();
        reference_all(bands, total);
        const auto t2 = clock::now();
        fast_ns += std::chrono::duration<double, std::nano>(t1 - t0).count();
        ref_ns += std::chrono::duration<double, std::nano>(t2 - t1).count();
        for (std::size_t i = 0; i < kCurvePoints; ++i) worst = std::max(worst, std::fabs(total[i] - set.total()[i]));
    }
    if (worst >= 1e-6) state.SkipWithError("fast curve differs from the reference by 1e-6 dB or more");
    state.counters["ratio"] = fast_ns > 0 ? ref_ns / fast_ns : 0;
    state.counters["max_diff_dB"] = worst;
    state.counters["fast_us"] = fast_ns / 1000.0 / static_cast<double>(state.iterations());
    state.counters["ref_us"] = ref_ns / 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RatioReferenceOverFast)->Unit(benchmark::kMicrosecond);

}  // namespace
