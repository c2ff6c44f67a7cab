// Text drawn with the DejaVu fonts through FreeType, anti-aliased onto an image.
#pragma once

#include <string>

#include "Image.h"

namespace datagen {

enum class Face { Sans, SansBold, SansCondensedBold, MonoBold, SerifBold };

struct TextStyle {
    Face face = Face::SansBold;
    int size = 20;  // pixel height of the em square
    Rgb color{};
};

void InitFonts();  // finds the font files; throws when one is missing
void DoneFonts();
int TextWidth(const std::string& text, const TextStyle& st);
int Ascent(const TextStyle& st);  // pixels above the baseline
// Draws with the top of the line box at y (y + Ascent is the baseline).
void DrawText(Image& im, const std::string& text, int x, int y, const TextStyle& st);
void DrawTextCentered(Image& im, const std::string& text, int cx, int y, const TextStyle& st);
// Text with a darker copy offset below and to the right, for titles on busy backgrounds.
void DrawTextShadow(Image& im, const std::string& text, int x, int y, const TextStyle& st, Rgb shadow,
                    int offset);

}  // namespace datagen
