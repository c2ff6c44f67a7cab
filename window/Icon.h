// The window's icon: read from the game's files on the main thread
// (SetWindowIcon), given to each window the message thread opens.
#pragma once

#include <SDL.h>

namespace Vitrine::detail {

// Message thread: gives the window the icon SetWindowIcon read; nothing when there is none.
void ApplyWindowIcon(SDL_Window* window);

}  // namespace Vitrine::detail
