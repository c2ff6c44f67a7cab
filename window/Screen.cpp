// The message thread's screen: the window, the renderer chosen for it, and the
// streaming texture each shown frame is put on.
#include "window/Screen.h"
#include "window/Icon.h"
#include "window/Note.h"

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

}  // namespace

void Upload(Screen& screen) {
    if (screen.textureFormat == SDL_PIXELFORMAT_XBGR8888) {
        SDL_UpdateTexture(screen.texture, nullptr, screen.shown.data(), screen.pitch);
        return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(screen.texture, nullptr, &pixels, &pitch) != 0) return;
    SDL_ConvertPixels(int(screen.width), int(screen.shown.size() / screen.width), SDL_PIXELFORMAT_XBGR8888,
                      screen.shown.data(), screen.pitch, screen.textureFormat, pixels, pitch);
    SDL_UnlockTexture(screen.texture);
}

void Render(Screen& screen) {
    DrawPlaced(screen.scaler, screen.renderer, screen.texture);
    DrawNote(screen);
    SDL_RenderPresent(screen.renderer);
}

bool OpenScreen(Screen& screen, const std::string& title, uint32_t width, uint32_t height, uint32_t scale) {
    int32_t windowW = 0, windowH = 0;
    WindowSize(width, height, scale, windowW, windowH);
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
    screen.textureFormat = PictureFormat(software, screen.window);
    screen.texture = SDL_CreateTexture(screen.renderer, screen.textureFormat, SDL_TEXTUREACCESS_STREAMING,
                                       int(width), int(height));
    if (!screen.texture) return false;
    screen.width = width;
    screen.pitch = int(width * 4);
    screen.scaler.picW = width;
    screen.scaler.picH = height;
    StartFullscreen(screen.scaler, screen.window);
    Relayout(screen.scaler, screen.window, screen.renderer);
    screen.shown.assign(size_t(width) * height, 0);
    if (!known || !(info.flags & SDL_RENDERER_PRESENTVSYNC) || software) {
        // Without vsync, show at most one picture per 60 Hz refresh: more would only
        // cost CPU, as no screen shows it. SDL's software renderer claims vsync
        // but does not wait for it.
        screen.minInterval = std::chrono::microseconds(16667);
    }
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(screen.window, &mode) == 0 && mode.refresh_rate > 0)
        screen.refreshPeriod = std::chrono::microseconds(1000000 / mode.refresh_rate);
    Upload(screen);
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
