// The null platform's text, with no fonts: each character but a blank is a
// bar code of the font's colour in a cell whose size depends on the style
// alone, so a text's size is known without a font, the ink shows where it
// went, and different characters leave different ink. The bars are the
// character's low four bits, then those mixed with its high four, so that
// even the digits share no bar.
#include "window/VitrineInternal.h"

#include <algorithm>
#include <string>

namespace Vitrine {
namespace detail {

namespace {

uint32_t gStyle = 0;
uint32_t gColor = 0;

// The height in pixels of each style's face (as the SDL platform's faces;
// style 7 and more as style 0).
constexpr uint32_t kPoints[] = {11, 13, 13, 12, 12, 11, 9};

uint32_t CellWidth(uint32_t style) {
    const uint32_t points = kPoints[style < std::size(kPoints) ? style : 0];
    return points * 3 / 5;  // as a fixed-pitch face
}
uint32_t CellHeight(uint32_t style) {
    const uint32_t points = kPoints[style < std::size(kPoints) ? style : 0];
    return points + points / 6 + 1;
}

std::string_view UpToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

}  // namespace

}  // namespace detail

using namespace detail;

void SetFont(uint32_t style, uint32_t color) {
    gStyle = style;
    gColor = CreateColor(color);
}

void Text(std::string_view chars, int32_t x, int32_t y) {
    if (!Active()) return;
    chars = UpToNul(chars);
    const int64_t w = CellWidth(gStyle), h = CellHeight(gStyle);
    const int64_t top = std::max<int64_t>(0, y + h / 4), bottom = std::min<int64_t>(window.ylen, y + h - 2);
    for (std::size_t k = 0; k < chars.size(); ++k) {
        if (chars[k] == ' ') continue;
        const int64_t left = std::max<int64_t>(0, x + int64_t(k) * w + 1);
        const int64_t right = std::min<int64_t>(window.xlen, x + int64_t(k + 1) * w - 1);
        const auto code = uint32_t(uint8_t(chars[k]));
        const uint32_t rows = (code & 0xF) | ((code ^ code >> 4) & 0xF) << 4;
        for (int64_t row = top; row < bottom && left < right; ++row) {
            if ((rows >> ((row - (y + h / 4)) % 8) & 1) != 0) FillRow(gColor, left, right - left, row);
        }
    }
    ShowChange();
}

void TextInt(int32_t number, int32_t x, int32_t y) {
    Text(std::to_string(number), x, y);
}

void TextCard(uint32_t number, int32_t x, int32_t y) {
    Text(std::to_string(number), x, y);
}

void GetTextSize(std::string_view chars, uint32_t style, uint32_t& width, uint32_t& height) {
    width = height = 0;
    if (!Active()) return;
    width = uint32_t(UpToNul(chars).size()) * CellWidth(style);
    height = CellHeight(style);
}

}  // namespace Vitrine
