// The message thread's screen: the window, the renderer chosen for it, the
// streaming texture shown frames are put on, the presenting of only the parts
// of a frame that changed, and the offering of the window's pixels to the
// main thread, which then puts those parts there itself.
#include "window/Screen.h"
#include "window/Icon.h"
#include "window/Note.h"
#include "window/VitrineInternal.h"

#include <algorithm>
#include <cstring>

namespace Vitrine::detail {

namespace {

// True when the renderer's OpenGL draws with the CPU (Mesa's llvmpipe, softpipe
// or swrast, as on a machine without a graphics card).
bool DrawsGlOnCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    if (!SDL_GL_GetCurrentContext()) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "Software Rasterizer");
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    const Uint32 tries[] = {SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_ACCELERATED,
                            SDL_RENDERER_SOFTWARE | SDL_RENDERER_PRESENTVSYNC, SDL_RENDERER_SOFTWARE};
    for (Uint32 flags : tries) {
        SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, flags);
        if (!renderer) continue;
        // OpenGL emulated on the CPU costs several times what SDL's own blitting
        // straight into the window costs (about 12% of a core against 2% at 60
        // pictures a second); a renderer the user chose is kept.
        const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
        if ((!chosen || !*chosen) && DrawsGlOnCpu(renderer)) {
            SDL_DestroyRenderer(renderer);  // a window has one renderer at a time
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            if (SDL_Renderer* blitter = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE)) return blitter;
            SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
            renderer = SDL_CreateRenderer(window, -1, flags);
            if (!renderer) continue;
        }
        return renderer;
    }
    return nullptr;
}

// The frames' own layout (0x00BBGGRR) suits OpenGL; SDL's software renderer
// blits, and above all enlarges, fastest when the picture already has the
// window's layout.
Uint32 PictureFormat(bool software, SDL_Window* window) {
    if (!software) return SDL_PIXELFORMAT_XBGR8888;
    const Uint32 format = SDL_GetWindowPixelFormat(window);
    if (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888) return format;
    return SDL_PIXELFORMAT_XBGR8888;
}

// Puts one area of a frame on the texture.
void UploadArea(Screen& screen, const uint32_t* frame, const Area& area) {
    const SDL_Rect rect{area.x, area.y, area.w, area.h};
    const uint32_t* from = frame + size_t(area.y) * screen.width + size_t(area.x);
    if (screen.textureFormat == SDL_PIXELFORMAT_XBGR8888) {
        SDL_UpdateTexture(screen.texture, &rect, from, screen.pitch);
        return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(screen.texture, &rect, &pixels, &pitch) != 0) return;
    SDL_ConvertPixels(area.w, area.h, SDL_PIXELFORMAT_XBGR8888, from, screen.pitch, screen.textureFormat,
                      pixels, pitch);
    SDL_UnlockTexture(screen.texture);
}

// ------------------------------------------------ drawn over the picture

// Draws over the picture, after it and before the present, what is drawn
// over it at render time: the note (Note.cpp) as taken for this present.
void DrawOverlay(Screen& screen, const NoteState& note) {
    screen.overlay = note.at;
    DrawNote(screen, note);
}

// ------------------------------------------------ showing parts

// A change covering more than this share of the picture is shown whole.
constexpr int64_t kWholeShare = 2;  // one half

// The areas in window pixels, at a whole placement.
SDL_Rect Placed(const Placement& placement, const Area& area) {
    const int32_t k = int32_t(placement.whole);
    return SDL_Rect{placement.x + area.x * k, placement.y + area.y * k, area.w * k, area.h * k};
}

// Draws `fromTexture` of the picture into the window's own pixels and
// presents only them and `inWindow`, which the main thread put there already
// (SDL's software renderer at a whole placement).
void RenderParts(Screen& screen, const std::vector<Area>& fromTexture, const std::vector<Area>& inWindow,
                 const NoteState& note) {
    std::vector<SDL_Rect> placed;
    placed.reserve(fromTexture.size() + inWindow.size());
    SDL_SetTextureScaleMode(screen.texture, SDL_ScaleModeNearest);
    for (const Area& area : fromTexture) {
        placed.push_back(Placed(screen.scaler.pixels, area));
        const SDL_Rect from{area.x, area.y, area.w, area.h};
        SDL_RenderCopy(screen.renderer, screen.texture, &from, &placed.back());
    }
    for (const Area& area : inWindow) placed.push_back(Placed(screen.scaler.pixels, area));
    DrawOverlay(screen, note);
    SDL_RenderFlush(screen.renderer);
    // Should the window's pixels have gone meanwhile, the renderer presents them whole.
    if (SDL_UpdateWindowSurfaceRects(screen.window, placed.data(), int(placed.size())) != 0) Render(screen);
}

}  // namespace

void Upload(Screen& screen, const uint32_t* frame, const std::vector<Area>& areas) {
    for (const Area& area : areas) UploadArea(screen, frame, area);
}

void AddStale(Screen& screen, const std::vector<Area>& areas) {
    for (const Area& area : areas) screen.textureStale = Joined(screen.textureStale, area);
}

void RefreshTexture(Screen& screen, const uint32_t* frame) {
    if (screen.textureStale.w <= 0 || screen.textureStale.h <= 0) return;
    UploadArea(screen, frame, screen.textureStale);
    screen.textureStale = Area{};
}

void Render(Screen& screen) {
    {
        std::lock_guard guard(link().lock);
        AddStale(screen, link().putInWindow);  // they are presented again with their frame
        if (link().front.size() == size_t(screen.scaler.picW) * screen.scaler.picH)
            RefreshTexture(screen, link().front.data());
    }
    DrawPlaced(screen.scaler, screen.renderer, screen.texture);
    DrawOverlay(screen, CurrentNote(screen));
    SDL_RenderPresent(screen.renderer);
}

int64_t Covered(const std::vector<Area>& a, const std::vector<Area>& b) {
    int64_t covered = 0;
    for (const Area& area : a) covered += int64_t{area.w} * area.h;
    for (const Area& area : b) covered += int64_t{area.w} * area.h;
    return covered;
}

bool ShowsWhole(const Screen& screen, int64_t covered) {
    const int64_t whole = int64_t{screen.scaler.picW} * screen.scaler.picH;
    return !screen.software || screen.scaler.pixels.whole == 0 || covered * kWholeShare > whole;
}

bool ShowChanges(Screen& screen, std::vector<Area> fromTexture, const std::vector<Area>& inWindow,
                 const NoteState& note) {
    if (ShowsWhole(screen, Covered(fromTexture, inWindow))) {
        Render(screen);
        return false;
    }
    AddOverlay(fromTexture, screen.overlay, note.at);
    RenderParts(screen, fromTexture, inWindow, note);
    return true;
}

void OfferWindowPixels(Screen& screen) {
    const Placement& placed = screen.scaler.pixels;
    if (screen.offered || !screen.software || placed.whole == 0 || screen.overlay.w > 0) return;
    if (CurrentNote(screen).at.w > 0) return;  // its place is drawn again from the texture
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (!surface || surface->format->BytesPerPixel != 4 || surface->format->format != screen.textureFormat ||
        SDL_MUSTLOCK(surface) || placed.x < 0 || placed.y < 0 || placed.x + placed.w > surface->w ||
        placed.y + placed.h > surface->h)
        return;
    SDL_RenderFlush(screen.renderer);  // nothing queued may land over what the main thread puts there
    std::lock_guard guard(link().lock);
    link().windowPixels = WindowPixels{static_cast<unsigned char*>(surface->pixels),
                                       surface->pitch,
                                       surface->w,
                                       surface->h,
                                       placed.x,
                                       placed.y,
                                       int32_t(placed.whole),
                                       screen.textureFormat != SDL_PIXELFORMAT_XBGR8888};
    screen.offered = true;
}

void TakeBackWindowPixels(Screen& screen) {
    if (!screen.offered) return;
    std::lock_guard guard(link().lock);
    link().windowPixels = WindowPixels{};
    screen.offered = false;
}

bool ShowsPicture(Screen& screen, const std::vector<uint32_t>& picture) {
    const Placement& placed = screen.scaler.pixels;
    if (placed.whole == 0 || picture.size() != size_t(screen.scaler.picW) * screen.scaler.picH) return true;
    std::vector<uint32_t> pixels(size_t(placed.w) * placed.h);
    const SDL_Rect rect{placed.x, placed.y, placed.w, placed.h};
    if (SDL_RenderReadPixels(screen.renderer, &rect, SDL_PIXELFORMAT_XBGR8888, pixels.data(), placed.w * 4) !=
        0)
        return false;
    const int32_t k = int32_t(placed.whole);
    const Area& over = screen.overlay;  // drawn over the picture on purpose
    for (int32_t y = 0; y < placed.h; ++y) {
        const uint32_t* row = picture.data() + size_t(y / k) * screen.scaler.picW;
        for (int32_t x = 0; x < placed.w; ++x) {
            const int32_t px = x / k, py = y / k;
            if (px >= over.x && px < over.x + over.w && py >= over.y && py < over.y + over.h) continue;
            if ((pixels[size_t(y) * placed.w + x] ^ row[px]) & 0xFFFFFF) return false;
        }
    }
    return true;
}

bool OpenScreen(Screen& screen, const std::string& title, uint32_t width, uint32_t height, uint32_t scale) {
    int32_t windowW = 0, windowH = 0;
    bool needsFullScreen = false;
    WindowSize(width, height, scale, windowW, windowH, needsFullScreen);
    screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, windowW,
                                     windowH, SDL_WINDOW_SHOWN);  // fixed size: --scale and F11 choose it
    if (!screen.window) return false;
    screen.renderer = CreateRenderer(screen.window);
    if (!screen.renderer) return false;
    // After the renderer: choosing it may make the window anew (SDL keeps the icon then).
    ApplyWindowIcon(screen.window);
    SDL_RendererInfo info;
    const bool known = SDL_GetRendererInfo(screen.renderer, &info) == 0;
    const bool software = known && std::strcmp(info.name, "software") == 0;
    screen.software = software;
    screen.textureFormat = PictureFormat(software, screen.window);
    screen.texture = SDL_CreateTexture(screen.renderer, screen.textureFormat, SDL_TEXTUREACCESS_STREAMING,
                                       int(width), int(height));
    if (!screen.texture) return false;
    screen.width = width;
    screen.pitch = int(width * 4);
    screen.scaler.picW = width;
    screen.scaler.picH = height;
    StartFullscreen(screen.scaler, screen.window, needsFullScreen);
    Relayout(screen.scaler, screen.window, screen.renderer);
    if (!known || !(info.flags & SDL_RENDERER_PRESENTVSYNC) || software) {
        // Without vsync, show at most one picture per 60 Hz refresh: more would only
        // cost CPU, as no screen shows it. SDL's software renderer claims vsync
        // but does not wait for it.
        screen.minInterval = std::chrono::microseconds(16667);
    }
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(screen.window, &mode) == 0 && mode.refresh_rate > 0)
        screen.refreshPeriod = std::chrono::microseconds(1000000 / mode.refresh_rate);
    screen.textureStale = Area{0, 0, int32_t(width), int32_t(height)};  // from the blank frame handed over
    Render(screen);
    return true;
}

void CloseScreen(Screen& screen) {
    DropNote();
    ReleaseScaler(screen.scaler);
    if (screen.texture) SDL_DestroyTexture(screen.texture);
    if (screen.renderer) SDL_DestroyRenderer(screen.renderer);
    if (screen.window) SDL_DestroyWindow(screen.window);
    screen = Screen{};
}

}  // namespace Vitrine::detail
