// The drawing surface: showing the buffer, buffered and direct mode, clearing,
// rectangles, colours, decimal numbers and marks of what was drawn where.
#include "window/ReplayHooks.h"
#include "window/VitrineInternal.h"

#include <algorithm>

namespace Vitrine {
namespace detail {

namespace {

// Fills the rectangle x0..x1, y0..y1 (both corners included, x0 <= x1,
// y0 <= y1), clipped to the buffer.
void FillClipped(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t color) {
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, int64_t(window.xlen) - 1);
    y1 = std::min<int64_t>(y1, int64_t(window.ylen) - 1);
    if (x0 > x1 || y0 > y1) return;
    for (int64_t y = y0; y <= y1; ++y) FillRow(color, x0, x1 - x0 + 1, y);
}

}  // namespace

}  // namespace detail

using namespace detail;

void SetBuffering(bool state) {
    if (!Active()) return;
    if (window.buffering && !state) Present();
    window.buffering = state;
}

void UpdateWindow() {
    if (!Active()) return;
    Present();
    ++window.framesShown;
    RecordFrame();
    ApplyPendingInput();
}

uint64_t DrawingMark() {
    return window.stamps.Count();
}

bool UndrawnSince(uint64_t mark, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return Active() && window.stamps.Since(mark, x0, x1, y0, y1);
}

void ClearScreen() {
    if (!Active()) return;
    for (int64_t y = 0; y < int64_t(window.ylen); ++y) FillRow(0, 0, window.xlen, y);
    ShowChange();
}

void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {
    if (!Active()) return;
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    color = CreateColor(color);
    if (fill) {
        FillClipped(x0, y0, x1, y1, color);
    } else {
        FillClipped(x0, y0, x1, y0, color);
        FillClipped(x0, y1, x1, y1, color);
        FillClipped(x0, y0, x0, y1, color);
        FillClipped(x1, y0, x1, y1, color);
    }
    ShowChange();
}

uint32_t CreateColor(uint32_t color) {
    uint32_t red = color & 0xFF;
    uint32_t green = (color >> 8) & 0xFF;
    uint32_t blue = (color >> 16) & 0xFF;
    return red + green * 256 + blue * 65536;
}

// Counted in 64 bits, so that the smallest INTEGER has its 11 characters too.
int32_t intlen(int32_t nr) {
    int64_t value = nr;
    int32_t len = 1;
    if (value < 0) {
        ++len;
        value = -value;
    }
    while (value > 9) {
        value /= 10;
        ++len;
    }
    return len;
}

void Int2Char(char* chp, int32_t nr) {
    int32_t len = intlen(nr);
    int64_t value = nr;
    int32_t first = 0;
    if (value < 0) {
        chp[0] = '-';
        value = -value;
        first = 1;
    }
    for (int32_t i = len - 1; i >= first; --i) {
        chp[i] = char('0' + value % 10);
        value /= 10;
    }
    chp[len] = 0;
}

}  // namespace Vitrine
