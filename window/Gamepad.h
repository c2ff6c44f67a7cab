// Gamepads: the message thread turns SDL's controller events into the
// layer's own PAD_PRESS / PAD_RELEASE events (a PadButton each); PadStops.h
// says what they become on the main thread.
#pragma once

#include <SDL.h>

#include "window/VitrineInternal.h"

namespace Vitrine::detail {

// Message thread: opens controllers as they are plugged in and queues the
// events of their buttons and left stick. False for every other event.
bool HandlePadEvent(const SDL_Event& event);
// Message thread: closes every controller (the window is going).
void ClosePads();

}  // namespace Vitrine::detail
