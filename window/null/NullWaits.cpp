// The null platform's waits: each is one input point and returns at once.
// A menu that waits for a click (SetPadStops named its buttons) while no
// input can come any more would wait for ever: the window closes instead.
#include "window/PadStops.h"
#include "window/VitrineInternal.h"
#include "window/VitrineReplay.h"
#include "window/null/NullInput.h"

namespace Vitrine {
namespace detail {

bool instantWaits = true;
bool framesUnseen = false;

}  // namespace detail

using namespace detail;

void Delay(uint32_t) {
    const bool menuWaits = Active() && !MenuStops().empty();
    const uint64_t before = EventsApplied();
    ApplyPendingInput();
    if (menuWaits && EventsApplied() == before && !InputHooked()) EndForWantOfInput();
}

void PaceFrame(uint32_t) {
    ApplyPendingInput();
}

bool FrameWillBeSeen() {
    return !framesUnseen;
}

void Replay::SetInstantWaits(bool on) {
    instantWaits = on;
}

}  // namespace Vitrine
