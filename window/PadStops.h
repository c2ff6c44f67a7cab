// Gamepad buttons where they take effect, on the main thread: what the game
// understands (arrow keys, X and P), or, while a menu has named its buttons
// (SetPadStops), pointer moves from button to button and a left click. Needs
// no SDL: every window platform shares it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "window/VitrineInternal.h"

namespace Vitrine::detail {

// Main thread: the events a pad event stands for, given where the pointer
// is now; applied in order in its place.
std::vector<InputEvent> PadToGame(const InputEvent& pad, int32_t pointerX, int32_t pointerY);
// Main thread: forgets held buttons and the menu's buttons (the window closed).
void ResetPads();

// Main thread: the buttons of the menu that waits (SetPadStops); empty when none waits.
const std::vector<PadStop>& MenuStops();
// Main thread: the index of the menu's button under (x, y), or -1.
int StopAt(int32_t x, int32_t y);
// Main thread: the pointer move from (x, y) to the menu's next button
// (forward) or the one before; from outside every button to the first or the
// last. Only while a menu waits.
InputEvent PointerStep(bool forward, int32_t x, int32_t y);
// Main thread: the pointer move an arrow key (KEY_LEFT .. KEY_DOWN) makes from
// (x, y), as the menu's ArrowMoves say; none at the edge of a screen laid out
// by place. Only while a menu waits.
std::optional<InputEvent> ArrowStep(uint32_t arrow, int32_t x, int32_t y);

}  // namespace Vitrine::detail
