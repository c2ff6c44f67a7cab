// Cost of a sound use as the game makes it: a cached load plus a play.
#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/sound/ToneFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

static void BM_CachedLoadAndPlay(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string tone = WriteTone("bench.wav", 500);
    if (!Music::InitMusic()) {
        state.SkipWithError("no audio device");
        return;
    }
    Music::LoadSound(tone.c_str());  // the first load decodes; the rest hit the cache
    int n = 0;
    for (auto _ : state) {
        const uint32_t s = Music::LoadSound(tone.c_str());
        Music::PlaySound(s, false);
        benchmark::DoNotOptimize(s);
        if (++n == 60) {  // keep channels free, as the game's restarts do
            state.PauseTiming();
            Music::InitMusic();
            n = 0;
            state.ResumeTiming();
        }
    }
    state.counters["decodes"] = Music::Testing::Decodes();
}
BENCHMARK(BM_CachedLoadAndPlay);
