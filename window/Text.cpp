// Fonts and text: the seven font styles on DejaVu faces (found through
// fontconfig, else in Debian's standard folder, where the web page packs
// them), text drawn with a
// transparent background, and a cache of rendered texts, because the game
// draws the same status lines every frame.
#include "window/Note.h"
#include "window/VitrineInternal.h"

#include <SDL.h>
#include <SDL_ttf.h>
#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif

#include <algorithm>
#include <list>
#include <string>
#include <unordered_map>

namespace Vitrine {
namespace detail {

namespace {

struct FontStruct {
    uint32_t style = 0;
    uint32_t color = 0;
};
FontStruct font;
char text[40];  // a number's digits before they are printed

// ------------------------------------------------ faces

struct Face {
    const char* pattern;   // fontconfig pattern
    const char* fallback;  // Debian's file for it
    int points;            // size at 72 dpi: points = pixels
};

constexpr int kFaces = 7;
// Style 1 and 3 proportional (1 bold, like a classic system font), 2, 4 and
// 5 fixed pitch, 0 and 7 or more the default interface face. Style 6 is a
// small bold fixed-pitch face for counts that must fit two digits in 12
// pixels (the status band's counts of lives and items).
const Face kFace[kFaces] = {
    {"DejaVu Sans:style=Book", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11},
    {"DejaVu Sans:style=Bold", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 13},
    {"DejaVu Sans Mono:style=Bold", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", 13},
    {"DejaVu Sans:style=Book", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12},
    {"DejaVu Sans Mono:style=Book", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12},
    {"DejaVu Sans Mono:style=Book", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 11},
    {"DejaVu Sans Mono:style=Bold", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", 9},
};

struct OpenFace {
    bool tried = false;
    TTF_Font* font = nullptr;
};
OpenFace gFaces[kFaces];

int FaceIndex(uint32_t style) {
    return style >= 1 && style < kFaces ? int(style) : 0;
}

// The file fontconfig offers for the pattern, if it really is the family asked for.
std::string FindFontFile(const Face& face) {
#ifdef __EMSCRIPTEN__
    return face.fallback;
#else
    std::string found;
    if (!FcInit()) return face.fallback;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face.pattern));
    if (pattern) {
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8* file = nullptr;
            FcChar8* family = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                std::string(reinterpret_cast<char*>(family)).rfind("DejaVu", 0) == 0) {
                found = reinterpret_cast<char*>(file);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    return found.empty() ? face.fallback : found;
#endif
}

// The open font of a style, or null when no DejaVu face can be found.
TTF_Font* FontOf(uint32_t style) {
    OpenFace& face = gFaces[FaceIndex(style)];
    if (!face.tried) {
        face.tried = true;
        if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
        const Face& wanted = kFace[FaceIndex(style)];
        face.font = TTF_OpenFont(FindFontFile(wanted).c_str(), wanted.points);
    }
    return face.font;
}

// ------------------------------------------------ characters

// The characters before the first NUL.
std::string_view UpToNul(std::string_view s) {
    size_t end = s.find('\0');
    return end == std::string_view::npos ? s : s.substr(0, end);
}

bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t more = c < 0x80             ? 0
                      : (c & 0xE0) == 0xC0 ? 1
                      : (c & 0xF0) == 0xE0 ? 2
                      : (c & 0xF8) == 0xF0 ? 3
                                           : 4;
        if (more == 4 || more >= s.size() - i) return false;
        for (size_t k = 1; k <= more; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += more + 1;
    }
    return true;
}

// Game texts are 8-bit characters: UTF-8 when they are valid UTF-8, else Latin-1.
std::string ToUtf8(std::string_view s) {
    if (ValidUtf8(s)) return std::string(s);
    std::string out;
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// ------------------------------------------------ rendered texts

// A text rendered once: its coverage (0 = background, 255 = glyph) and, per
// row, the span that holds any coverage at all. The colour is applied when
// it is drawn, so one entry serves every colour.
struct Rendered {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
    std::vector<std::pair<int, int>> rowSpan;  // first, one past last covered column
};

constexpr size_t kCacheSize = 256;
using CacheList = std::list<std::pair<std::string, Rendered>>;
CacheList gCacheOrder;  // most recently used first
std::unordered_map<std::string, CacheList::iterator> gCache;

Rendered Render(TTF_Font* face, const std::string& utf8) {
    Rendered out;
    SDL_Surface* surface = TTF_RenderUTF8_Blended(face, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return out;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (!argb) return out;
    out.width = argb->w;
    out.height = argb->h;
    out.alpha.resize(size_t(out.width) * out.height);
    out.rowSpan.assign(out.height, {0, 0});
    for (int y = 0; y < out.height; ++y) {
        auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        int first = out.width, last = 0;
        for (int x = 0; x < out.width; ++x) {
            auto a = uint8_t(row[x] >> 24);
            out.alpha[size_t(y) * out.width + x] = a;
            if (a) {
                first = std::min(first, x);
                last = x + 1;
            }
        }
        if (first < last) out.rowSpan[y] = {first, last};
    }
    SDL_FreeSurface(argb);
    return out;
}

// The rendered text for (style, text), from the cache when it is there.
const Rendered& RenderedText(uint32_t style, std::string_view chars) {
    std::string key;
    key.reserve(chars.size() + 1);
    key += char('0' + FaceIndex(style));
    key += chars;
    if (auto hit = gCache.find(key); hit != gCache.end()) {
        gCacheOrder.splice(gCacheOrder.begin(), gCacheOrder, hit->second);
        return hit->second->second;
    }
    if (gCache.size() >= kCacheSize) {
        gCache.erase(gCacheOrder.back().first);
        gCacheOrder.pop_back();
    }
    gCacheOrder.emplace_front(key, Render(FontOf(style), ToUtf8(chars)));
    gCache.emplace(std::move(key), gCacheOrder.begin());
    return gCacheOrder.front().second;
}

// Mixes colour into pixel by coverage a (0..255), per channel.
inline uint32_t Blend(uint32_t pixel, uint32_t color, uint32_t a) {
    uint32_t inv = 255 - a;
    uint32_t rb = ((color & 0xFF00FF) * a + (pixel & 0xFF00FF) * inv + 0x800080) >> 8;
    uint32_t g = ((color & 0x00FF00) * a + (pixel & 0x00FF00) * inv + 0x008000) >> 8;
    return (rb & 0xFF00FF) | (g & 0x00FF00);
}

void DrawRendered(const Rendered& r, int32_t x, int32_t y, uint32_t color) {
    int64_t xlen = window.xlen, ylen = window.ylen;
    int64_t left = xlen, right = 0, top = ylen, bottom = 0;  // around the pixels that changed
    for (int row = 0; row < r.height; ++row) {
        int64_t by = int64_t(y) + row;
        if (by < 0 || by >= ylen) continue;
        auto [first, last] = r.rowSpan[row];
        int64_t from = std::max<int64_t>(first, -int64_t(x));
        int64_t to = std::min<int64_t>(last, xlen - x);
        const uint8_t* alpha = r.alpha.data() + size_t(row) * r.width;
        uint32_t* out = window.buffer.data() + by * xlen + x;
        bool changed = false;
        for (int64_t i = from; i < to; ++i) {
            const uint32_t a = alpha[i];
            if (!a) continue;
            const uint32_t mixed = a == 255 ? color : Blend(out[i], color, a);
            changed |= mixed != out[i];
            out[i] = mixed;
        }
        if (!changed) continue;
        left = std::min(left, x + from), right = std::max(right, x + to);
        top = std::min(top, by), bottom = by + 1;
    }
    if (left < right && top < bottom) Changed(left, right, top, bottom);
}

}  // namespace

Coverage TextCoverage(uint32_t style, std::string_view chars) {
    chars = UpToNul(chars);
    if (chars.empty()) return {};
    const Rendered& r = RenderedText(style, chars);
    return Coverage{r.width, r.height, r.alpha};
}

}  // namespace detail

using namespace detail;

void SetFont(uint32_t style, uint32_t color) {
    font.style = style;
    font.color = CreateColor(color);
}

void Text(std::string_view chars, int32_t x, int32_t y) {
    if (!Active()) return;
    chars = UpToNul(chars);
    if (chars.empty()) return;
    DrawRendered(RenderedText(font.style, chars), x, y, font.color);
    ShowChange();
}

void TextInt(int32_t number, int32_t x, int32_t y) {
    Int2Char(text, number);
    Text(text, x, y);
}

// Printed unsigned, so that numbers above the largest INTEGER come out right.
void TextCard(uint32_t number, int32_t x, int32_t y) {
    std::string digits = std::to_string(number);
    Text(digits, x, y);
}

void GetTextSize(std::string_view chars, uint32_t style, uint32_t& width, uint32_t& height) {
    width = height = 0;
    if (!Active()) return;
    TTF_Font* face = FontOf(style);
    if (!face) return;
    chars = UpToNul(chars);
    int w = 0, h = TTF_FontHeight(face);
    if (!chars.empty()) TTF_SizeUTF8(face, ToUtf8(chars).c_str(), &w, &h);
    width = uint32_t(std::max(w, 0));
    height = uint32_t(std::max(h, 0));
}

}  // namespace Vitrine
