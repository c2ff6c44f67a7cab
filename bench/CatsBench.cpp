// The cost of the cats: one frame of the game's rules (Oska, the cats, the
// shock waves) with 8 cats, as on the last levels, and with all 300 slots in
// play; and the whole frame with the drawing and the showing of the buffer.
// The house is built here, with blank images of the game's sizes, so no data
// folder is needed. Run from a Release build.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

#include "game/KerboImplementation.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace {

using namespace KerboImplementation;

// Storeys 3 to 7 crossed by two shafts (columns 4 and 12) that end on
// trampolines in row 8, with doors and a wall on the way; the trampolines
// are walled in on row 8, so no cat gets down to row 9, where Oska stands.
constexpr std::array<const char*, Rows> House_ = {
    "cccccccccccccccc", "cccccccccccccccc", "wppnpppdpppnpppw", "wppeppppDppepppw", "wppeppsppppepppw",
    "wppepppwpppepppw", "wppepppppppepppw", "wpwtwpppppwtwppw", "wppppppppppppppw", "wwwwwwwwwwwwwwww",
};

uint32_t Tile() {
    return Vitrine::CreateBitmap(50, 50);
}
uint32_t Sprite() {
    return Vitrine::CreateBitmap(35, 35);
}

// Four live waves along Oska's storey, where they meet no cat; they are
// made again whenever one has run out, so every frame moves four.
ShockWaves RowNineWaves() {
    ShockWaves waves;
    NewShockWave(225.0f, 438.0f, Direction::Left, waves);
    NewShockWave(325.0f, 438.0f, Direction::Right, waves);
    NewShockWave(525.0f, 438.0f, Direction::Left, waves);
    NewShockWave(625.0f, 438.0f, Direction::Right, waves);
    return waves;
}

bool Start(benchmark::State& state, uint32_t cats) {
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

    Lifes = 4;
    ActualLevel = 9;
    ItemsTotal = 1;
    RelativeSpeedCatX = 1.0f;
    for (uint32_t& image : Pictures.image) image = Tile();
    for (uint32_t& mask : Pictures.mask) mask = Sprite();
    Pictures.waveLeft = Pictures.waveLeftMask = Pictures.waveRight = Pictures.waveRightMask = Sprite();
    Pictures.cat = Sprite();
    Pictures.catMask = Sprite();
    for (uint32_t i = 1; i <= Rows; ++i) {
        for (uint32_t j = 1; j <= Columns; ++j) House[i][j] = TemplateFor(KindOf(House_[i - 1][j - 1]));
    }

    Man.x = 450.0f;
    Man.y = 438.0f;
    Man.HaveToFall = true;
    Man.Controlable = true;
    Man.Look = Picture::OskaRight1;

    // The cats spread over the storeys of rows 3 to 7, half of them facing each way.
    for (uint32_t k = 1; k <= cats; ++k) {
        Enemy& cat = EnemyArr[k];
        cat.x = 60.0f + static_cast<float>((k * 37) % 680);
        cat.y = static_cast<float>((3 + k % 5) * 50 - 12);
        cat.Direction = k % 2 == 0 ? Direction::Left : Direction::Right;
        cat.Controlable = true;
        cat.HaveToFall = true;
        cat.StillExisting = true;
    }
    AllShockWaves = RowNineWaves();
    return true;
}

void KeepWavesGoing() {
    for (uint32_t k = 1; k <= AllShockWaves.NumberOfWaves; ++k) {
        if (!AllShockWaves.Waves[k].StillExisting) {
            AllShockWaves = RowNineWaves();
            return;
        }
    }
}

uint32_t CatsInPlay() {
    uint32_t n = 0;
    for (const Enemy& cat : EnemyArr) n += cat.StillExisting ? 1 : 0;
    return n;
}

void Finish(benchmark::State& state) {
    state.counters["cats_in_play_at_end"] = CatsInPlay();
    state.counters["oska_hit"] = Man.Hit ? 1 : 0;
    Vitrine::KillWindow();
}

// PlayerMovement + EnemyMovement + MoveShockWaves, the rules of one frame.
void BM_FrameLogic(benchmark::State& state) {
    if (!Start(state, static_cast<uint32_t>(state.range(0)))) return;
    for (auto _ : state) {
        FrameEvents events;
        PlayerMovement(World, FrameInput{}, events);
        EnemyMovement(World, events);
        MoveShockWaves(AllShockWaves);
        KeepWavesGoing();
        benchmark::DoNotOptimize(EnemyArr);
    }
    Finish(state);
}
BENCHMARK(BM_FrameLogic)
    ->Arg(8)
    ->Arg(300)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole frame as the loop plays it: the rules, the drawing, showing the buffer.
void BM_FullFrame(benchmark::State& state) {
    if (!Start(state, static_cast<uint32_t>(state.range(0)))) return;
    for (auto _ : state) {
        PlayFrame();
        KeepWavesGoing();
    }
    Finish(state);
}
BENCHMARK(BM_FullFrame)
    ->Arg(8)
    ->Arg(300)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
