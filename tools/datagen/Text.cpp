// Text through FreeType with the DejaVu fonts, drawn onto images; see Text.h.
#include "Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace datagen {

namespace {
FT_Library library = nullptr;
FT_Face faces[5] = {};
const char* const kFiles[5] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf",
                               "DejaVuSansMono-Bold.ttf", "DejaVuSerif-Bold.ttf"};

std::string FindFont(const std::string& file) {
    std::vector<std::string> dirs;
    if (const char* env = std::getenv("KERBO_FONT_DIR")) dirs.push_back(env);
    dirs.push_back("/usr/share/fonts/truetype/dejavu");
    dirs.push_back("/usr/share/fonts/dejavu");
    dirs.push_back("/usr/share/fonts/TTF");
    for (auto& d : dirs)
        if (std::filesystem::exists(d + "/" + file)) return d + "/" + file;
    throw std::runtime_error("font " + file + " not found (Debian package fonts-dejavu-core)");
}

FT_Face Use(const TextStyle& st) {
    FT_Face f = faces[int(st.face)];
    FT_Set_Pixel_Sizes(f, 0, FT_UInt(st.size));
    return f;
}

// Decodes UTF-8 one code point at a time.
char32_t Next(const std::string& s, size_t& i) {
    unsigned char c = s[i++];
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t cp = c & (0x3F >> extra);
    while (extra-- > 0 && i < s.size()) cp = (cp << 6) | (s[i++] & 0x3F);
    return cp;
}
}  // namespace

void InitFonts() {
    if (library) return;
    if (FT_Init_FreeType(&library)) throw std::runtime_error("FreeType did not start");
    for (int i = 0; i < 5; ++i)
        if (FT_New_Face(library, FindFont(kFiles[i]).c_str(), 0, &faces[i]))
            throw std::runtime_error(std::string("cannot open ") + kFiles[i]);
}

void DoneFonts() {
    for (auto& f : faces)
        if (f) FT_Done_Face(f), f = nullptr;
    if (library) FT_Done_FreeType(library), library = nullptr;
}

int TextWidth(const std::string& text, const TextStyle& st) {
    FT_Face f = Use(st);
    long adv = 0;
    for (size_t i = 0; i < text.size();) {
        if (FT_Load_Char(f, Next(text, i), FT_LOAD_DEFAULT)) continue;
        adv += f->glyph->advance.x;
    }
    return int(adv >> 6);
}

int Ascent(const TextStyle& st) {
    return int(Use(st)->size->metrics.ascender >> 6);
}

void DrawText(Image& im, const std::string& text, int x, int y, const TextStyle& st) {
    FT_Face f = Use(st);
    int baseline = y + int(f->size->metrics.ascender >> 6);
    long pen = long(x) << 6;
    for (size_t i = 0; i < text.size();) {
        if (FT_Load_Char(f, Next(text, i), FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = f->glyph;
        int gx = int(pen >> 6) + g->bitmap_left, gy = baseline - g->bitmap_top;
        for (unsigned r = 0; r < g->bitmap.rows; ++r)
            for (unsigned c = 0; c < g->bitmap.width; ++c) {
                unsigned char a = g->bitmap.buffer[r * g->bitmap.pitch + c];
                if (a) im.Blend(gx + int(c), gy + int(r), st.color, a / 255.0);
            }
        pen += g->advance.x;
    }
}

void DrawTextCentered(Image& im, const std::string& text, int cx, int y, const TextStyle& st) {
    DrawText(im, text, cx - TextWidth(text, st) / 2, y, st);
}

void DrawTextShadow(Image& im, const std::string& text, int x, int y, const TextStyle& st, Rgb shadow,
                    int off) {
    TextStyle s = st;
    s.color = shadow;
    DrawText(im, text, x + off, y + off, s);
    DrawText(im, text, x, y, st);
}

}  // namespace datagen
