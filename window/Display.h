// How the game's fixed-size picture is shown in a window of any size or on a
// whole screen: the placement maths (pure, tested on their own), and the
// message thread's side that draws with them.
//
// The picture keeps its aspect ratio and is centred, with black bars where
// it does not fill the output. On the whole screen it is shown at the largest
// whole multiple that fits unless the player asked for it to fill the screen.
// When the size is a whole
// multiple, each game pixel becomes a square of screen pixels (nearest
// neighbour). Otherwise the picture is first enlarged by the next whole factor
// (nearest neighbour) and that is scaled down smoothly to the size that fits:
// every game pixel then covers the same area, and only its edges are blended,
// where plain nearest-neighbour scaling would make some pixel rows and columns
// wider than others and plain smooth scaling would blur every one.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace Vitrine::detail {

// Where the picture goes in an output (window or screen), in its coordinates.
struct Placement {
    int32_t x = 0, y = 0;  // top-left corner (the bars' width and height)
    int32_t w = 0, h = 0;  // the scaled picture's size
    uint32_t whole = 0;    // the factor when it is a whole one, else 0
};

// The largest placement of a picW x picH picture that fits outW x outH.
Placement PlacePicture(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH);
// The largest whole multiple of the picture that fits, centred; PlacePicture
// when not even the picture itself fits.
Placement PlaceWhole(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH);
// The picture's placement in a visible area of outW x outH: on the whole
// screen a whole multiple unless `fill` asks for the largest that fits; in a
// window the largest that fits (a window is opened at a whole multiple).
Placement PlaceOnScreen(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH, bool fullScreen, bool fill);

// True when a window's frame covers the screen's bounds.
bool Covers(int32_t x, int32_t y, int32_t w, int32_t h, int32_t screenX, int32_t screenY, int32_t screenW,
            int32_t screenH);

// The whole factor the picture is enlarged by before it is scaled to a
// placement that is not a whole multiple: the factor rounded up (1 when the
// picture is made smaller).
uint32_t SharpFactor(const Placement& placement, uint32_t picW);

// The window's scale when none is asked for: the largest whole factor whose
// window leaves at least a sixteenth of the desktop free each way; at least 1.
uint32_t DefaultScale(uint32_t picW, uint32_t picH, int32_t desktopW, int32_t desktopH);

// The scale a window opens at when `asked` (at least 1) is wanted: the
// largest up to it whose window fits a usable desktop area of usableW x
// usableH; at least 1. Unknown desktop sizes (0 or less) change nothing.
uint32_t FittingScale(uint32_t asked, uint32_t picW, uint32_t picH, int32_t usableW, int32_t usableH);

// How a window for the picture opens, asked for at `asked` (0: DefaultScale)
// on a desktop of desktopW x desktopH whose usable area (less panels and
// docks) is usableW x usableH: the largest scale up to the one asked for that
// fits; on the whole screen when not even scale 1 fits. `note` is the line
// that says so when it differs from what was asked, else "". Unknown sizes
// (0 or less) change nothing.
struct WindowChoice {
    uint32_t scale = 1;
    bool fullScreen = false;
    std::string note;
};
WindowChoice ChooseWindow(uint32_t asked, uint32_t picW, uint32_t picH, int32_t desktopW, int32_t desktopH,
                          int32_t usableW, int32_t usableH);

// An output position (the mouse, also outside the output while it is
// captured) to the picture's own pixels, rounding towards minus infinity.
void ToPicture(const Placement& placement, uint32_t picW, uint32_t picH, int32_t& x, int32_t& y);

// ---------------------------------------------------------------- the message thread's side

struct Scaler {
    uint32_t picW = 0, picH = 0;
    Placement pixels;            // in the renderer's pixels, for drawing
    Placement pointer;           // in window coordinates, for the mouse (they differ on high-density screens)
    int32_t outW = 0, outH = 0;  // the renderer's output size
    SDL_Texture* sharp = nullptr;  // the enlarged picture, for placements that are not whole
    uint32_t sharpFactor = 0;
    bool fullscreen = false;  // asked for the whole screen
    bool covering = false;    // ... and covers it by itself, with no window manager to do it
    bool chosenHere = false;  // the player switched in this window: what it got is the choice kept
    int32_t windowX = 0, windowY = 0, windowW = 0, windowH = 0;  // the window left for the whole screen
};

// Recomputes the placements for the window's real size after it changed, and
// whether the whole screen asked for was had.
void Relayout(Scaler& scaler, SDL_Window* window, SDL_Renderer* renderer);
// Draws the picture texture into the window as placed (the caller presents it).
void DrawPlaced(Scaler& scaler, SDL_Renderer* renderer, SDL_Texture* picture);
// The whole screen on or off: through the window manager where one does it,
// else by covering the screen with the window; off comes back to the window's
// place and size before. The placements follow with the size change.
void ToggleFullscreen(Scaler& scaler, SDL_Window* window);
void ReleaseScaler(Scaler& scaler);
// The window size for a picture at `scale` (0: DefaultScale on the main
// display), as ChooseWindow makes it; its note goes to standard error.
// `needsFullScreen` is set when not even scale 1 fits the desktop.
void WindowSize(uint32_t picW, uint32_t picH, uint32_t scale, int32_t& w, int32_t& h, bool& needsFullScreen);
// Puts a newly opened window on the whole screen when SetFullScreen asked for
// it, or when the desktop is too small for it (the player's wish is kept:
// a larger screen next time gets a window again).
void StartFullscreen(Scaler& scaler, SDL_Window* window, bool needed);

}  // namespace Vitrine::detail
