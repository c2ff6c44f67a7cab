// The window layer's drawing costs: one tile, one masked sprite, and a whole
// frame of the game (160 tiles, masked sprites, 14 status texts, the grey bar
// and the hand-over of the frame to the message thread).
#include "window/Vitrine.h"
#include "tests/support/BmpWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct Images {
    uint32_t tiles[4] = {};
    uint32_t sprite = 0;
    uint32_t mask = 0;
};

uint32_t Colourful(int x, int y) {
    return uint32_t(x * 5) << 16 | uint32_t(y * 5) << 8 | 0x30;
}

// Opens the window (SDL's dummy driver unless told otherwise) and loads the
// images once for every benchmark.
const Images& Setup() {
    static Images images = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (!Vitrine::Window("KERBO anno 2011", 800, 500)) std::abort();
        Vitrine::SetBuffering(true);
        auto folder = std::filesystem::temp_directory_path() / ("kerbo-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        auto file = [&](const char* name) { return (folder / name).string(); };
        Images made;
        for (int i = 0; i < 4; ++i) {
            std::string name = file(("tile" + std::to_string(i) + ".bmp").c_str());
            kerbo_test::WriteBmpFile(name, 50, 50, 24, [i](int x, int y) { return Colourful(x + i, y); });
            made.tiles[i] = Vitrine::LoadBitmap(name.c_str(), 50, 50);
        }
        kerbo_test::WriteBmpFile(file("sprite.bmp"), 35, 35, 24, Colourful);
        // A round figure: one-bit mask, white inside.
        kerbo_test::WriteBmpFile(
            file("mask.bmp"), 35, 35, 1,
            [](int x, int y) { return uint32_t((x - 17) * (x - 17) + (y - 17) * (y - 17) < 16 * 16); },
            {0x000000, 0xFFFFFF});
        made.sprite = Vitrine::LoadBitmap(file("sprite.bmp").c_str(), 35, 35);
        made.mask = Vitrine::LoadBitmap(file("mask.bmp").c_str(), 35, 35);
        std::filesystem::remove_all(folder);
        if (!made.sprite || !made.mask || !made.tiles[3]) std::abort();
        return made;
    }();
    return images;
}

// The status band: 14 texts, as the game draws them every frame.
void StatusTexts(int frame) {
    static const char* const kLabels[7] = {
        "Score:", "Levens:", "Level:", "Items:", "Lives:", "Punten:", "Tijd:"};
    Vitrine::SetFont(1, 0xC0C0C0);
    for (int i = 0; i < 7; ++i) {
        Vitrine::Text(kLabels[i], 10 + 110 * i, 10);
        Vitrine::TextInt(i == 0 ? 12000 + frame / 60 * 100 : i * 3, 10 + 110 * i, 40);
    }
}

void GameFrame(const Images& images, int sprites, int frame) {
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 16; ++column) {
            Vitrine::DrawBitmap(images.tiles[(row + column) % 4], column * 50, row * 50);
        }
    }
    for (int i = 0; i < sprites; ++i) {
        Vitrine::DrawMaskBitmap(images.sprite, images.mask, (i * 37 + frame) % 780, 100 + (i * 53) % 380);
    }
    StatusTexts(frame);
    Vitrine::Rectangle(0, 95, 800, 102, 0xC0C0C0, true);
    Vitrine::UpdateWindow();
}

void BM_DrawBitmap50(benchmark::State& state) {
    const Images& images = Setup();
    int i = 0;
    for (auto _ : state) {
        Vitrine::DrawBitmap(images.tiles[0], (i * 50) % 750, (i / 15 * 50) % 450);
        ++i;
    }
}
BENCHMARK(BM_DrawBitmap50);

void BM_DrawMaskBitmap35(benchmark::State& state) {
    const Images& images = Setup();
    int i = 0;
    for (auto _ : state) {
        Vitrine::DrawMaskBitmap(images.sprite, images.mask, (i * 35) % 760, (i / 21 * 35) % 460);
        ++i;
    }
}
BENCHMARK(BM_DrawMaskBitmap35);

void BM_StatusTexts(benchmark::State& state) {
    Setup();
    int frame = 0;
    for (auto _ : state) StatusTexts(frame++);
}
BENCHMARK(BM_StatusTexts);

void BM_UpdateWindow(benchmark::State& state) {
    Setup();
    for (auto _ : state) Vitrine::UpdateWindow();
}
BENCHMARK(BM_UpdateWindow);

// A full frame with `sprites` masked sprites (9 in play; 301 as a stress figure).
void BM_GameFrame(benchmark::State& state) {
    const Images& images = Setup();
    int frame = 0;
    for (auto _ : state) GameFrame(images, int(state.range(0)), frame++);
}
BENCHMARK(BM_GameFrame)->Arg(9)->Arg(301)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
