// The translation from SDL's keyboard and mouse events to the layer's own
// input events; used by the message thread, and by tests.
#pragma once

#include "window/VitrineInternal.h"

#include <SDL.h>

#include <optional>

namespace Vitrine::detail {

// The virtual-key code of an SDL key (by the symbol it gives in the user's
// layout), or 0 when the game has no code for it.
uint32_t VirtualKey(SDL_Keycode sym);

// The event the game sees for one SDL event, if any. Alt combinations and the
// system keys (Alt itself, F10) never reach the game; their releases do, so
// that no key flag stays set. The second press of a double click becomes
// LEFT_DOUBLE, which gives press, release, double click, release.
std::optional<InputEvent> TranslateEvent(const SDL_Event& event);

}  // namespace Vitrine::detail
