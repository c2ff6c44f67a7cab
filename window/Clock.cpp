// The clock of the window layer's waits and of the screen's pace of showing:
// the steady clock, or for pacing tests one that moves only when stepped, so
// that what they judge does not hang on how fast the machine runs.
#include "window/MessageThread.h"
#include "window/VitrineInternal.h"
#include "window/VitrineTest.h"

#include <atomic>
#include <chrono>

namespace Vitrine {
namespace detail {

namespace {

std::atomic<bool> gStepped{false};
std::atomic<int64_t> gSteppedNs{0};
int64_t gCaughtUpAt = -1;  // the stepped clock when the message thread last caught up

int64_t SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

int64_t NowNs() {
    return gStepped ? gSteppedNs.load() : SteadyNs();
}

bool ClockStepped() {
    return gStepped;
}

void CatchUp(std::unique_lock<std::mutex>& guard, bool serve) {
    if (!link().threadRunning) return;
    // Caught up already: no wake-up since, and the clock stood still.
    if (link().wakesTaken == link().wakesPosted && gCaughtUpAt == gSteppedNs) return;
    if (!WakeToLook()) return;
    link().changed.wait(guard, [serve] {
        if (serve) ServeFrame();
        return link().closed || link().wakesTaken == link().wakesPosted;
    });
    gCaughtUpAt = gSteppedNs;
}

void StepClockTo(std::unique_lock<std::mutex>& guard, int64_t ns, bool serve) {
    CatchUp(guard, false);
    if (ns > gSteppedNs) gSteppedNs = ns;
    CatchUp(guard, serve);
}

}  // namespace detail

void Testing::UseSteppedClock(bool on) {
    if (on && !detail::gStepped) detail::gSteppedNs = detail::SteadyNs();
    detail::gStepped = on;
}

void Testing::StepClock(std::chrono::nanoseconds by) {
    std::unique_lock guard(detail::link().lock);
    detail::StepClockTo(guard, detail::gSteppedNs + by.count(), false);
}

std::chrono::nanoseconds Testing::ClockNow() {
    return std::chrono::nanoseconds(detail::NowNs());
}

}  // namespace Vitrine
