// The keyboard in the menus: while a menu waits (SetPadStops), the arrows,
// Tab, Enter, Space and the buttons' own keys become pointer moves and
// clicks, as the gamepad's buttons do. Main thread only, where the key events
// take effect, so a recording of the keys replays the same moves and clicks.
#pragma once

#include <vector>

#include "window/VitrineInternal.h"

namespace Vitrine::detail {

// A key press or release as it takes effect; `down` tells whether the key was
// down already (an auto-repeat), `shift` whether Shift is held. True when the
// menu takes it: `out` then holds the events it stands for (perhaps none)
// and the key goes no further.
bool MenuTakesKey(const InputEvent& key, bool down, bool shift, int32_t pointerX, int32_t pointerY,
                  std::vector<InputEvent>& out);
// Forgets the keys the menus took (the window closed).
void ResetMenuKeys();

}  // namespace Vitrine::detail
