// The message thread's screen: the SDL window, its renderer and the streaming
// texture the frames go onto. Message thread only.
#pragma once

#include "window/Changes.h"
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
    // SDL's software renderer draws into the window's own pixels, which can be
    // presented in parts.
    bool software = false;
    Area overlay;  // where something was last drawn over the picture; empty: nowhere
    // Without vsync, frames are shown at most this often; the rest are skipped.
    std::chrono::steady_clock::duration minInterval{};
    std::chrono::steady_clock::duration refreshPeriod = std::chrono::microseconds(16667);
    uint32_t width = 0;
    int pitch = 0;
    Scaler scaler;  // where the picture goes in the window
    // What of the texture lacks the newest frame handed over (link().front):
    // the parts the main thread put straight into the window's pixels.
    // Brought up to date when the whole picture is drawn or a note over it;
    // empty: nothing.
    Area textureStale;
    bool offered = false;  // the window's pixels are offered to the main thread
};

// Creates window, renderer and texture for a width x height picture at
// `scale` (0: the default for the desktop) and shows the blank picture;
// false (with SDL's reason set) on failure.
bool OpenScreen(Screen& screen, const std::string& title, uint32_t width, uint32_t height, uint32_t scale);
// Destroys whatever OpenScreen made, also after it failed halfway.
void CloseScreen(Screen& screen);
// Puts the areas of `frame` (a picture of the screen's size, 0x00BBGGRR) on
// the texture, in the texture's layout.
void Upload(Screen& screen, const uint32_t* frame, const std::vector<Area>& areas);
// Draws the texture into the window as placed, draws what goes over the
// picture, and presents it all. The texture's stale part is taken from the
// newest frame handed over first.
void Render(Screen& screen);
// The picture pixels the areas of both cover (counted again where they overlap).
int64_t Covered(const std::vector<Area>& a, const std::vector<Area>& b);
// Whether a change covering `covered` picture pixels is shown by drawing the
// whole picture (ShowChanges), not in parts.
bool ShowsWhole(const Screen& screen, int64_t covered);
// Caller holds link().lock: brings the texture's stale part up to date from
// `frame`, the newest frame handed over.
void RefreshTexture(Screen& screen, const uint32_t* frame);
// The areas the texture now lacks (they were put in the window's pixels).
void AddStale(Screen& screen, const std::vector<Area>& areas);
// Puts on the screen the parts of the frame that changed: `fromTexture`
// (uploaded to the texture) and `inWindow` (in the window's pixels already),
// with `note` over them. Draws and presents only them where the renderer
// allows it (SDL's software renderer at a whole scale), else the whole
// picture. True when it presented only parts.
struct NoteState;
bool ShowChanges(Screen& screen, std::vector<Area> fromTexture, const std::vector<Area>& inWindow,
                 const NoteState& note);
// Offers the window's pixels to the main thread while this thread waits
// (link().windowPixels) when the picture lies in them at a whole scale, in
// their own layout, with nothing drawn over it; takes them back before
// anything else touches the window.
void OfferWindowPixels(Screen& screen);
void TakeBackWindowPixels(Screen& screen);

// Tests: true when the window's pixels show `picture` (a frame of the
// screen's size, 0x00BBGGRR) as placed; true as well when the placement is
// not a whole multiple, which blends pixels and can't be compared exactly.
bool ShowsPicture(Screen& screen, const std::vector<uint32_t>& picture);

}  // namespace Vitrine::detail
