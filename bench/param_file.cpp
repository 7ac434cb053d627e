// Parameter file round trip, the range clamp and the reverse look-ups.
#include <benchmark/benchmark.h>

#include "core/default_image.h"
#include "core/param_file.h"
#include "core/value_tables.h"

using namespace tuner;

static void BM_ParamFileWriteAndReadBack(benchmark::State& state) {
    const ParamImage img = neutral_param_image();
    for (auto _ : state) {
        const std::string text = param_file_text(img);
        const KtvParseState st = ktv_parse_text(text);
        ParamImage back;
        std::copy_n(st.parse_buffer.begin(), kImageSize, back.data());
        benchmark::DoNotOptimize(param_image_valid(back));
    }
}
BENCHMARK(BM_ParamFileWriteAndReadBack)->Unit(benchmark::kMicrosecond);

static void BM_ParamRangeCheck(benchmark::State& state) {
    ParamImage img;
    for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<uint8_t>(i * 131 + 7);
    for (auto _ : state) {
        ParamImage copy = img;
        param_range_check(copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_ParamRangeCheck);

static void BM_ReverseLookups(benchmark::State& state) {
    const auto& t = value_tables();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(peq_h_freq_index(static_cast<float>(t.eq_freq_tab[i % 403])));
        benchmark::DoNotOptimize(peq_h_gain_index(static_cast<float>(t.eq_gain_tab[i % 241])));
        benchmark::DoNotOptimize(peq_h_q_index(static_cast<float>(t.eq_q_tab[i % 251])));
        ++i;
    }
}
BENCHMARK(BM_ReverseLookups);
