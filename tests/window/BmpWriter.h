// Writes small BMP files of any bit depth, for the window layer's tests and
// benchmarks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kerbo_test {

// Writes an uncompressed bottom-up BMP. With 1, 4 or 8 bits per pixel `palette`
// lists the colours (0x00RRGGBB) and `pixel` gives palette indices; with 24 or
// 32 bits `pixel` gives colours 0x00RRGGBB.
inline bool WriteBmpFile(const std::string& file, int width, int height, int bpp,
                         const std::function<uint32_t(int, int)>& pixel, std::vector<uint32_t> palette = {}) {
    int stride = ((width * bpp + 31) / 32) * 4;
    uint32_t paletteBytes = bpp <= 8 ? uint32_t(4u << bpp) : 0;
    palette.resize(bpp <= 8 ? size_t(1) << bpp : 0);
    uint32_t offset = 14 + 40 + paletteBytes;
    uint32_t size = offset + uint32_t(stride * height);
    std::vector<uint8_t> data(size, 0);
    auto put16 = [&](size_t at, uint32_t v) { data[at] = uint8_t(v), data[at + 1] = uint8_t(v >> 8); };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF), put16(at + 2, v >> 16); };
    data[0] = 'B', data[1] = 'M';
    put32(2, size);
    put32(10, offset);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);
    put16(28, uint32_t(bpp));
    put32(34, uint32_t(stride * height));
    put32(46, uint32_t(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) put32(54 + 4 * i, palette[i]);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = data.data() + offset + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t v = pixel(x, y);
            if (bpp == 24 || bpp == 32) {
                uint8_t* p = row + x * (bpp / 8);
                p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16);
                if (bpp == 32) p[3] = 255;
            } else {
                int bit = x * bpp;
                int shift = 8 - bpp - bit % 8;
                row[bit / 8] |= uint8_t(v << shift);
            }
        }
    }
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    bool written = std::fwrite(data.data(), 1, data.size(), out) == data.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace kerbo_test
