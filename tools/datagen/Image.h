// RGB images with a transparency flag per pixel, a few drawing primitives and
// the two BMP flavours the game reads: 24-bit colour and 1-bit black and white.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

inline Rgb RgbHex(uint32_t hex) {
    return Rgb{uint8_t(hex >> 16), uint8_t(hex >> 8), uint8_t(hex)};
}
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b

struct Image {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    std::vector<uint8_t> solid;  // 1 where the picture is drawn, 0 where it is see-through

    Image() = default;
    Image(int width, int height, Rgb fill = {}, bool isSolid = true);
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Rgb& At(int x, int y) { return px[size_t(y) * w + x]; }
    const Rgb& At(int x, int y) const { return px[size_t(y) * w + x]; }
    bool Solid(int x, int y) const { return solid[size_t(y) * w + x] != 0; }
    void Set(int x, int y, Rgb c);              // paints and makes the pixel solid
    void Blend(int x, int y, Rgb c, double a);  // paints with coverage a in [0, 1]
};

// Drawing (all clip to the image).
void FillRect(Image& im, int x0, int y0, int x1, int y1, Rgb c);  // x1, y1 exclusive
void FrameRect(Image& im, int x0, int y0, int x1, int y1, Rgb c, int thickness = 1);
void FillRoundRect(Image& im, int x0, int y0, int x1, int y1, int radius, Rgb c);
void VerticalGradient(Image& im, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
void FillCircle(Image& im, double cx, double cy, double r, Rgb c);
void FillPolygon(Image& im, const std::vector<std::pair<double, double>>& pts, Rgb c);
void Line(Image& im, int x0, int y0, int x1, int y1, Rgb c, int thickness = 1);

// Copies src onto dst at (x, y); only src's solid pixels are copied.
void Paste(Image& dst, const Image& src, int x, int y);
Image Mirror(const Image& src);  // left-right
Image ScaleNearest(const Image& src, int factor);
Image Crop(const Image& src, int x, int y, int w, int h);

// White where the image is solid, black elsewhere.
Image MaskOf(const Image& src);
// Shape masks without colour: white inside a rounded rectangle covering the image.
Image RoundRectMask(int w, int h, int radius);

void WriteBmp24(const std::string& path, const Image& im);
void WriteBmp1(const std::string& path, const Image& im);  // pixels with r >= 128 become white
// An RGBA PNG (see-through pixels get alpha 0), stored without compression.
void WritePng(const std::string& path, const Image& im);

}  // namespace datagen
