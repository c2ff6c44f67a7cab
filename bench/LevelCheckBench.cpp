// The level checker on the ten shipped levels, as kerbo --check-levels runs
// it (the reading included) and as the editor runs it after every change of
// the largest level. The target: all ten in well under 100 ms. The levels
// come from the data folder next to the benchmark's own folder, or
// KERBO_DATA_DIR. Run from a Release build.
#include <benchmark/benchmark.h>

#include <sstream>

#include "bench/DataFolder.h"
#include "game/LevelPacks.h"
#include "levelcheck/LevelCheck.h"

namespace {

using namespace KerboImplementation;
using Bench::DataFolder;

// The ten shipped levels, read; false (the benchmark skipped) when they can't be.
bool ShippedLevels(benchmark::State& state, TotalGame& levels) {
    uint32_t count = 0;
    const std::string problem = ReadPack(DataFolder(), levels, count);
    if (!problem.empty() || count != 10) {
        state.SkipWithError(("no shipped levels: " + problem).c_str());
        return false;
    }
    return true;
}

// The verdict on all ten, from the letters.
void BM_CheckTenShippedLevels(benchmark::State& state) {
    TotalGame levels;
    if (!ShippedLevels(state, levels)) return;
    for (auto _ : state) {
        for (const Level& level : levels) benchmark::DoNotOptimize(LevelCheck::Check(level));
    }
}
BENCHMARK(BM_CheckTenShippedLevels)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// kerbo --check-levels on the data folder: listing, reading, judging, the ten lines.
void BM_CheckLevelsCommand(benchmark::State& state) {
    TotalGame levels;
    if (!ShippedLevels(state, levels)) return;
    for (auto _ : state) {
        std::ostringstream out;
        if (!CheckLevels(DataFolder(), out)) state.SkipWithError("a shipped level fails the check");
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CheckLevelsCommand)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One change in the editor: level 10 judged again.
void BM_CheckLevelTen(benchmark::State& state) {
    TotalGame levels;
    if (!ShippedLevels(state, levels)) return;
    for (auto _ : state) benchmark::DoNotOptimize(LevelCheck::Check(levels[10]));
}
BENCHMARK(BM_CheckLevelTen)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
