// The main thread's waits: Delay, PaceFrame and the judgement whether a paced
// frame will be seen. Each wait hands the newest frame over whenever it wakes
// and ends early when the window closes.
#include "window/VitrineInternal.h"
#include "window/VitrineReplay.h"

#include <algorithm>
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

// The screen's period between shown frames; 60 Hz where it is not known.
int64_t ShowPeriod() {
    const int64_t show = link().showPeriodNs.load();
    return show > 0 ? show : kNsPerSecond / 60;
}

int64_t gShowAnchor = 0;  // a moment on the grid of shown frames
int64_t gFrameDeadline = 0;
int64_t gFramePeriod = 0;
bool gFramePaced = false;

// Further behind than this is a stall (a slow disk, a suspended laptop): the
// pace carries on from now instead of racing to catch up. Anything less is
// made up on the next wake, which runs the frames due back to back anyway.
int64_t StallBound(int64_t period) {
    return 2 * std::max(period, ShowPeriod());
}

// When to wake for the rule frame due at `deadline`: the first shown frame at
// or after it, so that one wake runs every frame due by then. Frames as long
// as a shown frame or longer each get their own wake at their deadline.
int64_t WakeFor(int64_t deadline, int64_t period) {
    const int64_t show = ShowPeriod();
    if (period >= show) return deadline;
    const int64_t shows = (deadline - gShowAnchor + show - 1) / show;
    return std::max(deadline, gShowAnchor + shows * show);
}

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
        if (!gFramePaced) {
            gFrameDeadline = now;
            gShowAnchor = now;
        }
        gFramePaced = true;
        gFramePeriod = period;
        gFrameDeadline += period;
        if (now - gFrameDeadline > StallBound(period)) {
            gFrameDeadline = now;  // far behind (a stall): carry on from now
            gShowAnchor = now;
            ServeWithoutWaiting();
        } else if (gFrameDeadline <= now) {
            ServeWithoutWaiting();  // due already: runs at once, after the one before
        } else {
            WaitUntil(WakeFor(gFrameDeadline, period));
        }
    }
    ApplyPendingInput();
}

bool FrameWillBeSeen() {
    if (framesUnseen) return false;
    if (!Active() || instantWaits || !gFramePaced) return true;
    // Of the frames run back to back on one wake only the last is shown: the
    // one after which the pace waits, as the next is not due yet. Misjudged
    // near that moment, a frame is drawn for nothing or the next one drawn
    // at once instead.
    return NowNs() < gFrameDeadline + gFramePeriod;
}

void Replay::SetInstantWaits(bool on) {
    instantWaits = on;
}

}  // namespace Vitrine
