// The cost of a frame: the game's rules for one frame on a level with eight
// cats, the state's hash a recording keeps of it, and the drawing of the game screen, on the shipped levels
// and images (the data folder next to the benchmark's own folder, or KERBO_DATA_DIR). Run from a Release
// build.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "bench/DataFolder.h"
#include "game/KerboImplementation.h"
#include "game/StateHash.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace {

namespace fs = std::filesystem;
using namespace KerboImplementation;

using Bench::DataFolder;

// Level 9 (eight cats) of a new game, the window open headless.
bool StartLevelNine(benchmark::State& state) {
    const fs::path data = DataFolder();
    if (!fs::exists(data / "level9.txt") || !fs::exists(data / "Images")) {
        state.SkipWithError("no data folder with levels and images; build with KERBO_DATA=ON");
        return false;
    }
    fs::current_path(data);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!Vitrine::Window("KERBO anno 2011", 800, 500)) {
        state.SkipWithError(Vitrine::LastError());
        return false;
    }
    Vitrine::SetBuffering(true);
    Vitrine::Testing::SetInstantWaits(true);
    ResetState();
    StandardLib::ResetRandom();
    LoadGame();
    ActualLevel = 9;
    LoadLevel(9);
    return true;
}

uint32_t CatsInPlay() {
    uint32_t n = 0;
    for (const Enemy& cat : EnemyArr) n += cat.StillExisting ? 1 : 0;
    return n;
}

// The rules of one frame: Oska, the eight cats, the shock waves.
void BM_FrameLogicEightCats(benchmark::State& state) {
    if (!StartLevelNine(state)) return;
    state.counters["cats_at_start"] = CatsInPlay();
    for (auto _ : state) {
        FrameEvents events;
        PlayerMovement(World, FrameInput{}, events);
        EnemyMovement(World, events);
        MoveShockWaves(AllShockWaves);
        benchmark::DoNotOptimize(Man);
        benchmark::DoNotOptimize(EnemyArr);
    }
    state.counters["cats_at_end"] = CatsInPlay();
    Vitrine::KillWindow();
}
BENCHMARK(BM_FrameLogicEightCats)->Repetitions(5)->ReportAggregatesOnly(true);

// The hash every frame of a kept or recorded game carries, as recordings of
// the format given hash it (2: every cat slot; 3: the level's cats).
void BM_FrameHash(benchmark::State& state) {
    if (!StartLevelNine(state)) return;
    const auto format = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        ++Man.x;  // a frame moves something, as play does
        benchmark::DoNotOptimize(StateHash(format));
    }
    Vitrine::KillWindow();
}
BENCHMARK(BM_FrameHash)->Arg(2)->Arg(3)->Repetitions(5)->ReportAggregatesOnly(true);

// The game screen into the buffer: 160 cells, Oska, eight cats, the texts and the bar.
void BM_DrawEverything(benchmark::State& state) {
    if (!StartLevelNine(state)) return;
    const uint32_t bitmaps = Vitrine::Testing::BitmapCount();
    for (auto _ : state) {
        DrawEverything();
    }
    if (Vitrine::Testing::BitmapCount() != bitmaps) state.SkipWithError("drawing loaded images");
    Vitrine::KillWindow();
}
BENCHMARK(BM_DrawEverything)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A whole frame as the loop plays it, showing the buffer included (no pacing).
void BM_PlayFrame(benchmark::State& state) {
    if (!StartLevelNine(state)) return;
    for (auto _ : state) {
        PlayFrame();
    }
    Vitrine::KillWindow();
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
