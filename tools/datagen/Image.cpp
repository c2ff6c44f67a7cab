// RGB images, the drawing primitives the generator uses, and writing them as
// BMP files; see Image.h.
#include "Image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace datagen {

Rgb Mix(Rgb a, Rgb b, double t) {
    auto m = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Image::Image(int width, int height, Rgb fill, bool isSolid)
    : w(width), h(height), px(size_t(width) * height, fill), solid(size_t(width) * height, isSolid ? 1 : 0) {}

void Image::Set(int x, int y, Rgb c) {
    if (!In(x, y)) return;
    At(x, y) = c;
    solid[size_t(y) * w + x] = 1;
}

void Image::Blend(int x, int y, Rgb c, double a) {
    if (!In(x, y) || a <= 0.0) return;
    if (a >= 1.0) {
        Set(x, y, c);
        return;
    }
    At(x, y) = Mix(At(x, y), c, a);
    solid[size_t(y) * w + x] = 1;
}

void FillRect(Image& im, int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(im.h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(im.w, x1); ++x) im.Set(x, y, c);
}

void FrameRect(Image& im, int x0, int y0, int x1, int y1, Rgb c, int t) {
    FillRect(im, x0, y0, x1, y0 + t, c);
    FillRect(im, x0, y1 - t, x1, y1, c);
    FillRect(im, x0, y0, x0 + t, y1, c);
    FillRect(im, x1 - t, y0, x1, y1, c);
}

// Coverage of pixel (x, y) by a rounded rectangle, sampled 4 x 4 so the corners come out smooth
// but the result stays the same on every machine (no floating-point library calls).
static double RoundRectCoverage(int x, int y, int x0, int y0, int x1, int y1, int r) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            double px = x + (sx + 0.5) / 4.0, py = y + (sy + 0.5) / 4.0;
            if (px < x0 || py < y0 || px > x1 || py > y1) continue;
            double cx = std::clamp(px, double(x0 + r), double(x1 - r));
            double cy = std::clamp(py, double(y0 + r), double(y1 - r));
            double dx = px - cx, dy = py - cy;
            if (dx * dx + dy * dy <= double(r) * r) ++inside;
        }
    return inside / 16.0;
}

void FillRoundRect(Image& im, int x0, int y0, int x1, int y1, int r, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(im.h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(im.w, x1); ++x)
            im.Blend(x, y, c, RoundRectCoverage(x, y, x0, y0, x1, y1, r));
}

void VerticalGradient(Image& im, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    for (int y = y0; y < y1; ++y) {
        double t = y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0.0;
        FillRect(im, x0, y, x1, y + 1, Mix(top, bottom, t));
    }
}

void FillCircle(Image& im, double cx, double cy, double r, Rgb c) {
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    double dx = x + (sx + 0.5) / 4.0 - cx, dy = y + (sy + 0.5) / 4.0 - cy;
                    if (dx * dx + dy * dy <= r * r) ++inside;
                }
            im.Blend(x, y, c, inside / 16.0);
        }
}

void FillPolygon(Image& im, const std::vector<std::pair<double, double>>& pts, Rgb c) {
    double minY = 1e9, maxY = -1e9, minX = 1e9, maxX = -1e9;
    for (auto& p : pts) {
        minX = std::min(minX, p.first), maxX = std::max(maxX, p.first);
        minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
    }
    auto inside = [&](double px, double py) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
    for (int y = int(minY) - 1; y <= int(maxY) + 1; ++y)
        for (int x = int(minX) - 1; x <= int(maxX) + 1; ++x) {
            int n = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) n += inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0);
            im.Blend(x, y, c, n / 16.0);
        }
}

void Line(Image& im, int x0, int y0, int x1, int y1, Rgb c, int t) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        FillRect(im, x0 - t / 2, y0 - t / 2, x0 - t / 2 + t, y0 - t / 2 + t, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void Paste(Image& dst, const Image& src, int x, int y) {
    for (int j = 0; j < src.h; ++j)
        for (int i = 0; i < src.w; ++i)
            if (src.Solid(i, j)) dst.Set(x + i, y + j, src.At(i, j));
}

Image Mirror(const Image& src) {
    Image out(src.w, src.h, {}, false);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (src.Solid(x, y)) out.Set(src.w - 1 - x, y, src.At(x, y));
    return out;
}

Image ScaleNearest(const Image& src, int f) {
    Image out(src.w * f, src.h * f, {}, false);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            if (src.Solid(x / f, y / f)) out.Set(x, y, src.At(x / f, y / f));
    return out;
}

Image Crop(const Image& src, int x0, int y0, int w, int h) {
    Image out(w, h, {}, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (src.In(x0 + x, y0 + y) && src.Solid(x0 + x, y0 + y)) out.Set(x, y, src.At(x0 + x, y0 + y));
    return out;
}

Image MaskOf(const Image& src) {
    Image out(src.w, src.h);
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (src.Solid(x, y)) out.At(x, y) = Rgb{255, 255, 255};
    return out;
}

Image RoundRectMask(int w, int h, int r) {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (RoundRectCoverage(x, y, 0, 0, w, h, r) >= 0.5) out.At(x, y) = Rgb{255, 255, 255};
    return out;
}

static void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
}
static void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF), Put16(b, v >> 16);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, rows bottom-up and padded to 4 bytes.
static std::vector<uint8_t> BmpHeader(const Image& im, int bits, uint32_t paletteBytes, uint32_t rowBytes) {
    std::vector<uint8_t> b;
    uint32_t offset = 14 + 40 + paletteBytes, dataSize = rowBytes * uint32_t(im.h);
    b.push_back('B'), b.push_back('M');
    Put32(b, offset + dataSize), Put32(b, 0), Put32(b, offset);
    Put32(b, 40), Put32(b, uint32_t(im.w)), Put32(b, uint32_t(im.h));
    Put16(b, 1), Put16(b, uint32_t(bits)), Put32(b, 0), Put32(b, dataSize);
    Put32(b, 2835), Put32(b, 2835);  // 72 dpi
    Put32(b, bits == 1 ? 2 : 0), Put32(b, 0);
    return b;
}

static void WriteFile(const std::string& path, const std::vector<uint8_t>& b) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size() || std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path);
}

void WriteBmp24(const std::string& path, const Image& im) {
    uint32_t rowBytes = (uint32_t(im.w) * 3 + 3) & ~3u;
    auto b = BmpHeader(im, 24, 0, rowBytes);
    for (int y = im.h - 1; y >= 0; --y) {
        for (int x = 0; x < im.w; ++x) {
            const Rgb& c = im.At(x, y);
            b.push_back(c.b), b.push_back(c.g), b.push_back(c.r);
        }
        for (uint32_t p = uint32_t(im.w) * 3; p < rowBytes; ++p) b.push_back(0);
    }
    WriteFile(path, b);
}

void WriteBmp1(const std::string& path, const Image& im) {
    uint32_t rowBytes = ((uint32_t(im.w) + 31) / 32) * 4;
    auto b = BmpHeader(im, 1, 8, rowBytes);
    Put32(b, 0x00000000), Put32(b, 0x00FFFFFF);  // index 0 black, 1 white
    for (int y = im.h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < im.w; ++x)
            if (im.At(x, y).r >= 128) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    WriteFile(path, b);
}

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& b, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& png, const char type[4], const std::vector<uint8_t>& data) {
    PutBig32(png, uint32_t(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, Crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z{0x78, 0x01};
    size_t at = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(uint8_t(n)), z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n)), z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) a = (a + byte) % 65521, b = (b + a) % 65521;
    PutBig32(z, (b << 16) | a);
    return z;
}

}  // namespace

void WritePng(const std::string& path, const Image& im) {
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, uint32_t(im.w)), PutBig32(header, uint32_t(im.h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, no interlace
    Chunk(png, "IHDR", header);
    std::vector<uint8_t> raw;
    for (int y = 0; y < im.h; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < im.w; ++x) {
            const Rgb& c = im.At(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b, uint8_t(im.Solid(x, y) ? 255 : 0)});
        }
    }
    Chunk(png, "IDAT", Stored(raw));
    Chunk(png, "IEND", {});
    WriteFile(path, png);
}

}  // namespace datagen
