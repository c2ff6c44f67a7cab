// The look the screens and buttons share: the palette and the title lettering.
#pragma once

#include <string>

#include "Image.h"
#include "Text.h"

namespace datagen {

inline const Rgb kInk = RgbHex(0x1c1a28);
inline const Rgb kPaper = RgbHex(0xf6eedb);
inline const Rgb kWhite = RgbHex(0xffffff);
inline const Rgb kGold = RgbHex(0xffd23f);

inline TextStyle Style(int size, Rgb color, Face face = Face::SansBold) {
    return TextStyle{face, size, color};
}

inline void Title(Image& im, const std::string& text, int cx, int y, int size, Rgb color) {
    TextStyle st = Style(size, color);
    DrawTextShadow(im, text, cx - TextWidth(text, st) / 2, y, st, kInk, size / 14 + 2);
}

}  // namespace datagen
