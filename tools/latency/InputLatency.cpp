// Measures the input latency inside the program: a thread stands in for the
// window's message thread and queues an arrow press at a random moment; the
// time until the first frame drawn that shows Oska moved is finished
// (UpdateWindow) is one sample. Frames the pace leaves undrawn are not looked
// at: the screen never shows them. The window thread takes the newest finished frame whenever the
// screen can show one, so on screen add at most one refresh. Plays level 1
// paced, in the working directory (a data folder), with whatever video driver
// SDL picks.
//   input_latency [SAMPLES]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "game/KerboImplementation.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"
#include "window/VitrineTest.h"

namespace {

using namespace KerboImplementation;
using Clock = std::chrono::steady_clock;

std::atomic<int64_t> gArrival{0};  // ns since epoch of the pending press; 0: none
std::atomic<int64_t> gShown{0};
bool gWatching = false;
float gStartX = 0;
uint64_t gLastFrame = 0;

int64_t Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// At every input point of the main thread: right after a frame was finished
// (UpdateWindow) and drawn, see whether it shows the press.
void Watch() {
    const uint64_t frame = Vitrine::Testing::FramesShown();
    const bool afterFrame = frame != gLastFrame;
    gLastFrame = frame;
    if (gArrival.load() == 0 || gShown.load() != 0) return;
    if (!gWatching) {
        gWatching = true;
        gStartX = Man.x;
        return;
    }
    if (afterFrame && Vitrine::FrameWillBeSeen() && Man.x != gStartX) {
        gShown = Now();
        gWatching = false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::stoi(argv[1]) : 200;
    StandardLib::ResetRandom();
    Vitrine::ReportFocusLoss(false);  // nobody clicks the pause screen away here
    if (!Vitrine::Window("KERBO anno 2011", 800, 500)) {
        std::fprintf(stderr, "no window: %s\n", Vitrine::LastError());
        return 1;
    }
    Vitrine::SetBuffering(true);  // as the start menu leaves it for the game
    LoadGame();
    Vitrine::Replay::SetInputPointHook(Watch);
    std::vector<double> ms;
    std::thread feeder([&] {
        std::mt19937 random(7);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));  // the level card
        for (int k = 0; k < samples; ++k) {
            std::this_thread::sleep_for(std::chrono::microseconds(20000 + random() % 20000));
            const uint32_t arrow = k % 2 ? 37 : 39;
            gShown = 0;
            gArrival = Now();
            Vitrine::Testing::PressKey(arrow);
            while (gShown.load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
            ms.push_back(double(gShown.load() - gArrival.load()) / 1e6);
            gArrival = 0;
            Vitrine::Testing::ReleaseKey(arrow);
        }
        Vitrine::Testing::CloseWindow();
    });
    const uint64_t framesBefore = Vitrine::Testing::FramesShown();
    const auto start = Clock::now();
    PlayLevel(1);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const uint64_t frames = Vitrine::Testing::FramesShown() - framesBefore;
    feeder.join();
    Vitrine::Replay::SetInputPointHook(nullptr);
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return 1;
    std::printf(
        "input to the first frame finished that shows it, %zu samples: min %.2f ms, median %.2f ms, "
        "95%% %.2f ms, max %.2f ms (frame period %.1f ms; %.0f frames a second shown, level card included)\n",
        ms.size(), ms.front(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(),
        1000.0 / FramesPerSecond, double(frames) / seconds);
    return 0;
}
