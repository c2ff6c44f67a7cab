// The main thread's waits: Delay, PaceFrame and the judgement whether a paced
// frame will be seen. Each wait hands the newest frame over whenever it wakes
// and ends early when the window closes.
#include "window/VitrineInternal.h"
#include "window/VitrineReplay.h"

#include <chrono>

namespace Vitrine {
namespace detail {

bool instantWaits = false;
bool framesUnseen = false;

}  // namespace detail

using namespace detail;

namespace {

constexpr int64_t kNsPerSecond = 1'000'000'000;

// Blocks until `deadline` (NowNs) or until the window closes, whichever comes
// first. A stepped clock steps to it instead, with the message thread doing
// meanwhile what it would have done by then.
void WaitUntil(int64_t deadline) {
    std::unique_lock guard(link().lock);
    if (ClockStepped()) {
        CatchUp(guard, false);
        ServeFrame(deadline);
        StepClockTo(guard, deadline, true);
        return;
    }
    ServeFrame(deadline);
    const std::chrono::steady_clock::time_point until{std::chrono::nanoseconds(deadline)};
    link().changed.wait_until(guard, until, [] {
        ServeFrame();
        return link().closed;
    });
}

// For waits that did not wait (instant waits, a stalled pace).
void ServeWithoutWaiting() {
    std::lock_guard guard(link().lock);
    ServeFrame();
}

int64_t gFrameDeadline = 0;
int64_t gFramePeriod = 0;
bool gFramePaced = false;

}  // namespace

void Delay(uint32_t ms) {
    if (Active()) {
        if (instantWaits) {
            ServeWithoutWaiting();
        } else {
            WaitUntil(NowNs() + int64_t(ms) * (kNsPerSecond / 1000));
        }
    }
    ApplyPendingInput();
}

void PaceFrame(uint32_t framesPerSecond) {
    if (Active() && (instantWaits || framesPerSecond == 0)) {
        ServeWithoutWaiting();
    } else if (Active()) {
        const int64_t period = kNsPerSecond / framesPerSecond;
        const int64_t now = NowNs();
        if (!gFramePaced) gFrameDeadline = now;
        gFramePaced = true;
        gFramePeriod = period;
        gFrameDeadline += period;
        if (now - gFrameDeadline > period) {
            gFrameDeadline = now;  // far behind (a stall): carry on from now
            ServeWithoutWaiting();
        } else {
            WaitUntil(gFrameDeadline);
        }
    }
    ApplyPendingInput();
}

bool FrameWillBeSeen() {
    if (framesUnseen) return false;
    if (!Active() || instantWaits || !gFramePaced) return true;
    // The frame drawn now is replaced by the next one about a period later.
    // A frame misjudged as unseen costs only freshness: the screen then shows
    // the one drawn before it.
    return NowNs() + gFramePeriod >= link().nextWantNs.load();
}

void Replay::SetInstantWaits(bool on) {
    instantWaits = on;
}

}  // namespace Vitrine
