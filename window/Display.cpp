// Placing the game's picture in a window or on a whole screen; see Display.h.
#include "window/Display.h"
#include "window/Desktop.h"
#include "window/Vitrine.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace Vitrine::detail {

namespace {

std::atomic<bool> fullscreenWanted{false};  // SetFullScreen: for the next window
std::atomic<bool> fullscreenNow{false};     // the window's state, kept after it closes
std::atomic<bool> fillWanted{false};        // SetFullScreenFill

// a / b rounded to the nearest whole number (a, b > 0).
int64_t RoundDiv(int64_t a, int64_t b) {
    return (2 * a + b) / (2 * b);
}

// a / b rounded towards minus infinity (b > 0).
int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

Placement PlacePicture(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH) {
    Placement p;
    if (picW == 0 || picH == 0 || outW <= 0 || outH <= 0) return p;
    if (int64_t{outW} * picH <= int64_t{outH} * picW) {  // the width sets the size
        p.w = outW;
        p.h = int32_t(std::max<int64_t>(1, RoundDiv(int64_t{outW} * picH, picW)));
    } else {
        p.h = outH;
        p.w = int32_t(std::max<int64_t>(1, RoundDiv(int64_t{outH} * picW, picH)));
    }
    if (p.w % int64_t{picW} == 0 && int64_t{p.w} / picW * picH == p.h)
        p.whole = uint32_t(p.w / int64_t{picW});
    p.x = (outW - p.w) / 2;
    p.y = (outH - p.h) / 2;
    return p;
}

Placement PlaceWhole(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH) {
    if (picW == 0 || picH == 0 || outW <= 0 || outH <= 0) return Placement{};
    const int64_t factor = std::min(int64_t{outW} / picW, int64_t{outH} / picH);
    if (factor < 1) return PlacePicture(picW, picH, outW, outH);
    Placement p;
    p.w = int32_t(factor * picW);
    p.h = int32_t(factor * picH);
    p.whole = uint32_t(factor);
    p.x = (outW - p.w) / 2;
    p.y = (outH - p.h) / 2;
    return p;
}

Placement PlaceOnScreen(uint32_t picW, uint32_t picH, int32_t outW, int32_t outH, bool fullScreen,
                        bool fill) {
    return fullScreen && !fill ? PlaceWhole(picW, picH, outW, outH) : PlacePicture(picW, picH, outW, outH);
}

bool Covers(int32_t x, int32_t y, int32_t w, int32_t h, int32_t screenX, int32_t screenY, int32_t screenW,
            int32_t screenH) {
    return screenW > 0 && screenH > 0 && x <= screenX && y <= screenY &&
           int64_t{x} + w >= int64_t{screenX} + screenW && int64_t{y} + h >= int64_t{screenY} + screenH;
}

uint32_t SharpFactor(const Placement& placement, uint32_t picW) {
    if (placement.whole != 0) return placement.whole;
    if (picW == 0 || placement.w <= 0) return 1;
    return uint32_t(std::max<int64_t>(1, (int64_t{placement.w} + picW - 1) / picW));
}

uint32_t DefaultScale(uint32_t picW, uint32_t picH, int32_t desktopW, int32_t desktopH) {
    if (picW == 0 || picH == 0 || desktopW <= 0 || desktopH <= 0) return 1;
    const int64_t across = int64_t{desktopW} * 15 / (int64_t{picW} * 16);
    const int64_t down = int64_t{desktopH} * 15 / (int64_t{picH} * 16);
    return uint32_t(std::max<int64_t>(1, std::min(across, down)));
}

uint32_t FittingScale(uint32_t asked, uint32_t picW, uint32_t picH, int32_t usableW, int32_t usableH) {
    if (asked < 1) asked = 1;
    if (picW == 0 || picH == 0 || usableW <= 0 || usableH <= 0) return asked;
    const int64_t across = int64_t{usableW} / picW, down = int64_t{usableH} / picH;
    return uint32_t(std::max<int64_t>(1, std::min<int64_t>(asked, std::min(across, down))));
}

WindowChoice ChooseWindow(uint32_t asked, uint32_t picW, uint32_t picH, int32_t desktopW, int32_t desktopH,
                          int32_t usableW, int32_t usableH) {
    WindowChoice choice;
    const uint32_t scale = asked != 0 ? asked : DefaultScale(picW, picH, desktopW, desktopH);
    choice.scale = FittingScale(scale, picW, picH, usableW, usableH);
    char line[200];
    if (usableW > 0 && usableH > 0 && (int64_t{usableW} < picW || int64_t{usableH} < picH)) {
        choice.scale = 1;
        choice.fullScreen = true;
        std::snprintf(
            line, sizeof line,
            "kerbo: the desktop (%d x %d) is smaller than one %u x %u window; the game opens on the "
            "whole screen.",
            usableW, usableH, picW, picH);
        choice.note = line;
    } else if (choice.scale != scale) {
        std::snprintf(line, sizeof line,
                      "kerbo: a window at scale %u (%lld x %lld) is larger than the desktop (%d x %d); "
                      "it opens at scale %u.",
                      scale, static_cast<long long>(int64_t{picW} * scale),
                      static_cast<long long>(int64_t{picH} * scale), usableW, usableH, choice.scale);
        choice.note = line;
    }
    return choice;
}

void ToPicture(const Placement& placement, uint32_t picW, uint32_t picH, int32_t& x, int32_t& y) {
    if (placement.w <= 0 || placement.h <= 0) return;
    // The picture pixel under the output pixel's centre.
    x = int32_t(FloorDiv((2 * (int64_t{x} - placement.x) + 1) * picW, 2 * int64_t{placement.w}));
    y = int32_t(FloorDiv((2 * (int64_t{y} - placement.y) + 1) * picH, 2 * int64_t{placement.h}));
}

// ---------------------------------------------------------------- the message thread's side

namespace {

void DropSharp(Scaler& scaler) {
    if (scaler.sharp) SDL_DestroyTexture(scaler.sharp);
    scaler.sharp = nullptr;
    scaler.sharpFactor = 0;
}

// The enlarged picture for a placement that is not whole; none when the
// picture is made smaller (it is then scaled smoothly as it is) or when the
// renderer can't draw into textures.
void PrepareSharp(Scaler& scaler, SDL_Renderer* renderer) {
    const uint32_t factor = scaler.pixels.whole == 0 ? SharpFactor(scaler.pixels, scaler.picW) : 1;
    if (factor < 2) {
        DropSharp(scaler);
        return;
    }
    if (factor == scaler.sharpFactor && scaler.sharp) return;
    DropSharp(scaler);
    scaler.sharp = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                     int(scaler.picW * factor), int(scaler.picH * factor));
    if (!scaler.sharp) return;  // smooth scaling of the picture itself instead
    SDL_SetTextureScaleMode(scaler.sharp, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(scaler.sharp, SDL_BLENDMODE_NONE);
    scaler.sharpFactor = factor;
}

}  // namespace

void Relayout(Scaler& scaler, SDL_Window* window, SDL_Renderer* renderer) {
    int outW = 0, outH = 0, winW = 0, winH = 0;
    SDL_GetWindowSize(window, &winW, &winH);
    if (SDL_GetRendererOutputSize(renderer, &outW, &outH) != 0) {
        outW = winW;
        outH = winH;
    }
    // What is on screen: SDL may take the window for larger than it is (it
    // asked for the whole screen and was refused); what it draws past the
    // window's real size is never seen.
    SDL_Rect real{};
    RealWindowFrame(window, real);
    const int32_t seenW = std::min(winW, real.w), seenH = std::min(winH, real.h);
    const int32_t pixelsW = winW > 0 ? int32_t(int64_t{outW} * seenW / winW) : outW;
    const int32_t pixelsH = winH > 0 ? int32_t(int64_t{outH} * seenH / winH) : outH;
    scaler.outW = outW;
    scaler.outH = outH;
    const bool fill = fillWanted.load();
    scaler.pixels = PlaceOnScreen(scaler.picW, scaler.picH, pixelsW, pixelsH, scaler.fullscreen, fill);
    scaler.pointer = PlaceOnScreen(scaler.picW, scaler.picH, seenW, seenH, scaler.fullscreen, fill);
    PrepareSharp(scaler, renderer);
    if (scaler.chosenHere) {
        SDL_Rect screen{};
        const bool known = SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &screen) == 0;
        fullscreenNow = scaler.fullscreen && (!known || Covers(real.x, real.y, real.w, real.h, screen.x,
                                                               screen.y, screen.w, screen.h));
    }
}

void DrawPlaced(Scaler& scaler, SDL_Renderer* renderer, SDL_Texture* picture) {
    const SDL_Rect to{scaler.pixels.x, scaler.pixels.y, scaler.pixels.w, scaler.pixels.h};
    if (to.x > 0 || to.y > 0 || to.w < scaler.outW || to.h < scaler.outH) {  // black borders
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    if (scaler.sharp) {
        SDL_SetTextureScaleMode(picture, SDL_ScaleModeNearest);
        SDL_SetRenderTarget(renderer, scaler.sharp);
        SDL_RenderCopy(renderer, picture, nullptr, nullptr);
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_RenderCopy(renderer, scaler.sharp, nullptr, &to);
    } else {
        const bool smaller = scaler.pixels.w < int32_t(scaler.picW);
        SDL_SetTextureScaleMode(picture,
                                scaler.pixels.whole || !smaller ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        SDL_RenderCopy(renderer, picture, nullptr, &to);
    }
}

namespace {

// Puts the window at a place and size of its own, as far as the desktop lets it.
void PutWindow(SDL_Window* window, int32_t x, int32_t y, int32_t w, int32_t h) {
    SDL_SetWindowSize(window, w, h);
    SDL_SetWindowPosition(window, x, y);
}

}  // namespace

void ToggleFullscreen(Scaler& scaler, SDL_Window* window) {
    if (!scaler.fullscreen) {
        SDL_Rect frame{};
        RealWindowFrame(window, frame);
        scaler.windowX = frame.x;
        scaler.windowY = frame.y;
        scaler.windowW = frame.w;
        scaler.windowH = frame.h;
        if (DesktopMakesFullScreen(window)) {
            if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
            scaler.covering = false;
        } else {
            // No window manager to ask: a window without one has no frame, and covers the screen as it is
            // told.
            SDL_Rect screen{};
            if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &screen) != 0) return;
            PutWindow(window, screen.x, screen.y, screen.w, screen.h);
            SDL_RaiseWindow(window);
            scaler.covering = true;
        }
        scaler.fullscreen = true;
        fullscreenNow = true;
        return;
    }
    if (!scaler.covering && SDL_SetWindowFullscreen(window, 0) != 0) return;
    scaler.fullscreen = false;
    scaler.covering = false;
    fullscreenNow = false;
    // Back to the window left, whatever the window manager made of it meanwhile.
    SDL_Rect frame{};
    RealWindowFrame(window, frame);
    int winW = 0, winH = 0;
    SDL_GetWindowSize(window, &winW, &winH);
    if (scaler.windowW > 0 && scaler.windowH > 0 &&
        (frame.x != scaler.windowX || frame.y != scaler.windowY || frame.w != scaler.windowW ||
         frame.h != scaler.windowH || winW != scaler.windowW || winH != scaler.windowH)) {
        PutWindow(window, scaler.windowX, scaler.windowY, scaler.windowW, scaler.windowH);
    }
}

void StartFullscreen(Scaler& scaler, SDL_Window* window, bool needed) {
    const bool wanted = fullscreenWanted.load();
    if (wanted || needed) ToggleFullscreen(scaler, window);
    // Should the screen refuse, the player's wish stands for the next run.
    fullscreenNow = wanted;
}

void ReleaseScaler(Scaler& scaler) {
    DropSharp(scaler);
    scaler = Scaler{};
}

void WindowSize(uint32_t picW, uint32_t picH, uint32_t scale, int32_t& w, int32_t& h, bool& needsFullScreen) {
    SDL_DisplayMode desktop;
    const bool known = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
    // SDL's screenless drivers make up a desktop size; no one looks at a
    // window there, so it may be as large as asked.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool screenless =
        driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
    needsFullScreen = false;
    if (!known) {
        scale = std::max(scale, 1u);
    } else if (screenless) {
        if (scale == 0) scale = DefaultScale(picW, picH, desktop.w, desktop.h);
    } else {
        // The room left by panels and docks when the desktop tells it.
        SDL_Rect usable{0, 0, desktop.w, desktop.h};
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) {
            usable = SDL_Rect{0, 0, desktop.w, desktop.h};
        }
        const WindowChoice choice = ChooseWindow(scale, picW, picH, desktop.w, desktop.h, usable.w, usable.h);
        if (!choice.note.empty()) std::fprintf(stderr, "%s\n", choice.note.c_str());
        scale = choice.scale;
        needsFullScreen = choice.fullScreen;
    }
    w = int32_t(int64_t{picW} * scale);
    h = int32_t(int64_t{picH} * scale);
}

}  // namespace Vitrine::detail

namespace Vitrine {

void SetFullScreen(bool on) {
    detail::fullscreenWanted = on;
    detail::fullscreenNow = on;
}

bool FullScreen() {
    return detail::fullscreenNow;
}

void SetFullScreenFill(bool fill) {
    detail::fillWanted = fill;
}

}  // namespace Vitrine
