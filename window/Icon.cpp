// The window's icon: a picture and its mask read with the layer's BMP reader,
// turned into a see-through icon for the desktop; see Icon.h.
#include "window/Icon.h"

#include <cstdio>
#include <mutex>
#include <optional>

#include "window/Bmp.h"
#include "window/FindFile.h"
#include "window/Vitrine.h"

namespace Vitrine {
namespace detail {

namespace {

std::mutex iconLock;
std::optional<Picture> icon;  // 0xAARRGGBB pixels: the mask decides the alpha

}  // namespace

void ApplyWindowIcon(SDL_Window* window) {
    std::lock_guard hold(iconLock);
    if (!icon) return;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(icon->px.data(), int(icon->width), int(icon->height), 32,
                                           int(icon->width * 4), SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);  // SDL keeps a copy
    SDL_FreeSurface(surface);
}

}  // namespace detail

void SetWindowIcon(const char* picture, const char* mask) {
    using namespace detail;
    std::optional<Picture> colours = ReadBmp(FindFile(picture ? picture : ""), 0, 0);
    std::optional<Picture> shape;
    if (colours) shape = ReadBmp(FindFile(mask ? mask : ""), colours->width, colours->height);
    std::lock_guard hold(iconLock);
    icon.reset();
    if (!colours || !shape) {
        std::fprintf(stderr, "kerbo: the window's icon (%s, %s) can't be read; the window has none.\n",
                     picture ? picture : "", mask ? mask : "");
        return;
    }
    for (size_t k = 0; k < colours->px.size(); ++k) {
        const uint32_t bgr = colours->px[k];  // 0x00BBGGRR
        const uint32_t rgb = (bgr & 0x0000FF) << 16 | (bgr & 0x00FF00) | (bgr & 0xFF0000) >> 16;
        colours->px[k] = ((shape->px[k] & 0xFF) >= 128 ? 0xFF000000u : 0u) | rgb;
    }
    icon = std::move(colours);
}

}  // namespace Vitrine
