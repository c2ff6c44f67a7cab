// The message thread's screen: the SDL window, its renderer and the streaming
// texture the frames go onto. Message thread only.
#pragma once

#include "window/Display.h"

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace Vitrine::detail {

struct Screen {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    Uint32 textureFormat = SDL_PIXELFORMAT_XBGR8888;
    std::vector<uint32_t> shown;  // the frame on the texture
    // Without vsync, frames are shown at most this often; the rest are skipped.
    std::chrono::steady_clock::duration minInterval{};
    std::chrono::steady_clock::duration refreshPeriod = std::chrono::microseconds(16667);
    uint32_t width = 0;
    int pitch = 0;
    Scaler scaler;  // where the picture goes in the window
};

// Creates window, renderer and texture for a width x height picture at
// `scale` (0: the default for the desktop) and shows the blank picture;
// false (with SDL's reason set) on failure.
bool OpenScreen(Screen& screen, const std::string& title, uint32_t width, uint32_t height, uint32_t scale);
// Destroys whatever OpenScreen made, also after it failed halfway.
void CloseScreen(Screen& screen);
// Puts the frame `shown` on the texture, in the texture's layout.
void Upload(Screen& screen);
// Draws the texture into the window as placed, and presents it.
void Render(Screen& screen);

}  // namespace Vitrine::detail
