// Reading BMP files: the file is read whole (a regular file of at most 65
// MB), the size its header declares is checked before SDL's decoder sees
// it, and the decoded picture is scaled to the size asked for.
#include "window/Bmp.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "util/SafeFile.h"

namespace Vitrine::detail {

namespace {

uint64_t gDecodes = 0;

constexpr uint64_t kMaxPixels = uint64_t(4096) * 4096;  // 64 MB of pixels

bool SizeAllowed(uint64_t width, uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

// The picture's size as the file's header gives it, checked before the
// decoder sees it: a header may claim any size, and the decoder allocates
// whatever it claims. Files that are not BMP are left to the decoder to refuse.
bool DeclaredSizeAllowed(const std::string& bytes) {
    unsigned char h[26] = {};
    const std::size_t got = std::min(bytes.size(), sizeof h);
    std::memcpy(h, bytes.data(), got);
    if (got < 18 || h[0] != 'B' || h[1] != 'M') return true;
    auto u16 = [&](int at) { return uint64_t(h[at]) | uint64_t(h[at + 1]) << 8; };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    const uint64_t headerSize = u32(14);
    if (headerSize == 12) return got >= 22 && SizeAllowed(u16(18), u16(20));
    if (got < 26) return false;
    const int64_t width = int32_t(uint32_t(u32(18)));
    const int64_t height = int32_t(uint32_t(u32(22)));  // negative: rows stored top down
    return SizeAllowed(uint64_t(width < 0 ? -width : width), uint64_t(height < 0 ? -height : height));
}

}  // namespace

std::optional<Picture> ReadBmp(const std::string& file, uint32_t width, uint32_t height, std::string* why) {
    std::string ignored;
    std::string& reason = why ? *why : ignored;
    // Read whole by the game (never blocking, never more than an image may
    // hold); SDL decodes from memory.
    std::string bytes;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(file, StandardLib::MaxImageBytes, bytes);
    if (!read.ok) {
        reason = read.why;
        return std::nullopt;
    }
    if (bytes.empty()) {
        reason = "is empty";
        return std::nullopt;
    }
    if (!DeclaredSizeAllowed(bytes)) {
        reason = "its header gives a picture too large to keep";
        return std::nullopt;
    }
    ++gDecodes;
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    if (!loaded) {
        reason = std::string("not a picture the game can read (") + SDL_GetError() + ")";
        return std::nullopt;
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XBGR8888, 0);
    SDL_FreeSurface(loaded);
    if (!surface) {
        reason = SDL_GetError();
        return std::nullopt;
    }
    if (width == 0) width = uint32_t(surface->w);
    if (height == 0) height = uint32_t(surface->h);
    if (!SizeAllowed(width, height) || surface->w == 0 || surface->h == 0) {
        SDL_FreeSurface(surface);
        reason = "the picture is empty or too large";
        return std::nullopt;
    }
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.px.resize(size_t(width) * height);
    std::vector<uint32_t> column(width);
    for (uint32_t x = 0; x < width; ++x) column[x] = uint32_t(uint64_t(x) * uint32_t(surface->w) / width);
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t sy = uint32_t(uint64_t(y) * uint32_t(surface->h) / height);
        auto* source = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                         size_t(sy) * surface->pitch);
        uint32_t* out = picture.px.data() + size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) out[x] = source[column[x]] & 0xFFFFFF;
    }
    SDL_FreeSurface(surface);
    return picture;
}

uint64_t BmpDecodes() {
    return gDecodes;
}

}  // namespace Vitrine::detail
