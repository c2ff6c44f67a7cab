// Reads the BMP files the generator writes (24-bit colour, 1-bit black and white).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace kerbo_data_test {

struct Bmp {
    bool ok = false;
    std::string error;
    int w = 0, h = 0, bits = 0;
    std::vector<uint32_t> px;  // 0xRRGGBB, top row first
    uint32_t At(int x, int y) const { return px[size_t(y) * w + x]; }
};

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

inline Bmp ReadBmp(const std::string& path) {
    Bmp bmp;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        bmp.error = "not a BMP file";
        return bmp;
    }
    uint32_t offset = Le(b, 10, 4), headerSize = Le(b, 14, 4);
    bmp.w = int(Le(b, 18, 4));
    int32_t height = int32_t(Le(b, 22, 4));
    bmp.h = height < 0 ? -height : height;
    bmp.bits = int(Le(b, 28, 2));
    uint32_t compression = Le(b, 30, 4);
    if (compression != 0 || (bmp.bits != 1 && bmp.bits != 24) || bmp.w <= 0 || bmp.h <= 0) {
        bmp.error = "unsupported BMP (" + std::to_string(bmp.bits) + " bits, compression " +
                    std::to_string(compression) + ")";
        return bmp;
    }
    size_t rowBytes = bmp.bits == 24 ? (size_t(bmp.w) * 3 + 3) / 4 * 4 : (size_t(bmp.w) + 31) / 32 * 4;
    if (b.size() < offset + rowBytes * bmp.h || Le(b, 2, 4) != b.size()) {
        bmp.error = "file size does not match the header";
        return bmp;
    }
    uint32_t palette[2] = {0, 0xFFFFFF};
    if (bmp.bits == 1)
        for (int i = 0; i < 2; ++i) palette[i] = Le(b, 14 + headerSize + 4 * i, 4) & 0xFFFFFF;
    bmp.px.resize(size_t(bmp.w) * bmp.h);
    for (int y = 0; y < bmp.h; ++y) {
        size_t row = offset + rowBytes * size_t(height < 0 ? y : bmp.h - 1 - y);
        for (int x = 0; x < bmp.w; ++x) {
            uint32_t c;
            if (bmp.bits == 24)
                c = (uint32_t(b[row + 3 * x + 2]) << 16) | (uint32_t(b[row + 3 * x + 1]) << 8) |
                    b[row + 3 * x];
            else
                c = palette[(b[row + x / 8] >> (7 - x % 8)) & 1];
            bmp.px[size_t(y) * bmp.w + x] = c;
        }
    }
    bmp.ok = true;
    return bmp;
}

inline double Luma(uint32_t c) {
    return 0.299 * ((c >> 16) & 255) + 0.587 * ((c >> 8) & 255) + 0.114 * (c & 255);
}

}  // namespace kerbo_data_test
