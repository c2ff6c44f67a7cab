// Putting the changed parts of a frame straight into the window's own pixels,
// each game pixel a square and in the window's layout: what the main thread
// does at a hand-over while the message thread waits, so that the frame's
// pixels are copied once and never cross to the other thread.
#include "window/VitrineInternal.h"

#include <cstring>

namespace Vitrine::detail {

namespace {

inline uint32_t Swapped(uint32_t p) {
    return 0xFF000000u | (p & 0x00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
}

}  // namespace

bool PutInWindow(const WindowPixels& into, const uint32_t* frame, uint32_t frameWidth, const Area& area) {
    const int64_t k = into.scale;
    const int64_t toX = into.x + area.x * k, toY = into.y + area.y * k;
    if (!into.pixels || k < 1 || area.w <= 0 || area.h <= 0 || area.x < 0 || area.y < 0 ||
        int64_t{area.x} + area.w > frameWidth || toX < 0 || toY < 0 || toX + area.w * k > into.w ||
        toY + area.h * k > into.h)
        return false;
    for (int32_t y = 0; y < area.h; ++y) {
        const uint32_t* from = frame + size_t(area.y + y) * frameWidth + size_t(area.x);
        unsigned char* rowStart = into.pixels + size_t(toY + y * k) * size_t(into.pitch);
        auto* first = reinterpret_cast<uint32_t*>(rowStart) + toX;
        if (k == 1) {
            if (!into.swap) {
                std::memcpy(first, from, size_t(area.w) * 4);
            } else {
                for (int32_t x = 0; x < area.w; ++x) first[x] = Swapped(from[x]);
            }
            continue;
        }
        for (int32_t x = 0; x < area.w; ++x) {
            const uint32_t p = into.swap ? Swapped(from[x]) : from[x];
            for (int64_t i = 0; i < k; ++i) first[x * k + i] = p;
        }
        for (int64_t i = 1; i < k; ++i)
            std::memcpy(rowStart + size_t(i) * size_t(into.pitch) + size_t(toX) * 4, first,
                        size_t(area.w * k) * 4);
    }
    return true;
}

}  // namespace Vitrine::detail
