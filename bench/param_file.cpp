// Parameter file round trip and huge files, the range clamp and the reverse look-ups.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "core/default_image.h"
#include "core/param_file.h"
#include "core/value_tables.h"
#include "support/link_harness.h"

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

// A 1 GB file chosen in Open File, read to its end (short lines that never
// start a body) or refused at its first line (one line without an end).
// Reports the time and how far the peak resident memory grew.
static void BM_LoadHugeFile(benchmark::State& state) {
    const bool one_line = state.range(0) == 1;
    const auto path = std::filesystem::temp_directory_path() / "tuner_bench_huge.ktv";
    {
        std::ofstream out(path, std::ios::binary);
        std::string block;
        while (block.size() < (1 << 20)) block += one_line ? "7777777777777777" : "// 12, 34, 56,\r\n";
        for (int mb = 0; mb < 1024; ++mb) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    AppState s;
    testing::RecordingWindowServices ui{s};
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    for (auto _ : state) benchmark::DoNotOptimize(load_param_file(s, ui, path.string(), LoadKind::User));
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    state.counters["peak_growth_MB"] = static_cast<double>(after.ru_maxrss - before.ru_maxrss) / 1024.0;
    if (!one_line) state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) << 30);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadHugeFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
