// Gamepads: the message thread turns SDL's controller events into the
// layer's own PAD_PRESS / PAD_RELEASE events (a PadButton each); on the main
// thread, where they take effect, they become what the game understands:
// arrow keys, X and P, or, while a menu has named its buttons (SetPadStops),
// pointer moves from button to button and a left click.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "window/VitrineInternal.h"

namespace Vitrine::detail {

// Message thread: opens controllers as they are plugged in and queues the
// events of their buttons and left stick. False for every other event.
bool HandlePadEvent(const SDL_Event& event);
// Message thread: closes every controller (the window is going).
void ClosePads();

// Main thread: the events a pad event stands for, given where the pointer
// is now; applied in order in its place.
std::vector<InputEvent> PadToGame(const InputEvent& pad, int32_t pointerX, int32_t pointerY);
// Main thread: forgets held buttons and the menu's buttons (the window closed).
void ResetPads();

}  // namespace Vitrine::detail
