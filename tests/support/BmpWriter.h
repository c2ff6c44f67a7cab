// The tests' one writer of BMP files: any bit depth, or one colour.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
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

// 0x00RRGGBB as the window layer's 0x00BBGGRR, and back.
constexpr uint32_t Bgr(uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// A 24-bit picture of one colour, given as the window layer reads it back
// (0x00BBGGRR); with `left`, the left half has that colour instead. Makes the
// file's folder when missing.
inline bool WriteSolidBmp(const std::filesystem::path& path, int width, int height, uint32_t colour,
                          std::optional<uint32_t> left = std::nullopt) {
    std::error_code ignored;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    return WriteBmpFile(path.string(), width, height, 24,
                        [&](int x, int) { return Bgr(left && x < width / 2 ? *left : colour); });
}

}  // namespace kerbo_test
