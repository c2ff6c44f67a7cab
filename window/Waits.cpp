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

using Clock = std::chrono::steady_clock;

// Blocks until `deadline` or until the window closes, whichever comes first.
void WaitUntil(Clock::time_point deadline) {
    std::unique_lock guard(link().lock);
    ServeFrame(deadline.time_since_epoch().count());
    link().changed.wait_until(guard, deadline, [] {
        ServeFrame();
        return link().closed;
    });
}

// For waits that did not wait (instant waits, a stalled pace).
void ServeWithoutWaiting() {
    std::lock_guard guard(link().lock);
    ServeFrame();
}

Clock::time_point gFrameDeadline;
Clock::duration gFramePeriod{};
bool gFramePaced = false;

}  // namespace

void Delay(uint32_t ms) {
    if (Active()) {
        if (instantWaits) {
            ServeWithoutWaiting();
        } else {
            WaitUntil(Clock::now() + std::chrono::milliseconds(ms));
        }
    }
    ApplyPendingInput();
}

void PaceFrame(uint32_t framesPerSecond) {
    if (Active() && (instantWaits || framesPerSecond == 0)) {
        ServeWithoutWaiting();
    } else if (Active()) {
        auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / framesPerSecond;
        Clock::time_point now = Clock::now();
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
    const Clock::time_point nextWant{Clock::duration(link().nextWantNs.load())};
    return Clock::now() + gFramePeriod >= nextWant;
}

void Replay::SetInstantWaits(bool on) {
    instantWaits = on;
}

}  // namespace Vitrine
