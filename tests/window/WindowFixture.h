// Shared set-up for the window layer's tests: a real window on SDL's dummy
// video driver, and a writer of small BMP files of any bit depth.
#pragma once

#include "window/Vitrine.h"
#include "window/VitrineTest.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <string>
#include <vector>

namespace kerbo_test {

// Opens the game's window before each test and closes it after.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        Vitrine::Testing::SetInstantWaits(true);
        Vitrine::SetBuffering(true);
        Vitrine::ClearScreen();
    }
    void TearDown() override {
        Vitrine::KillWindow();
        Vitrine::Testing::SetInstantWaits(false);
    }
};

// A folder of its own for files a test writes, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("kerbo-window-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

// Writes an uncompressed bottom-up BMP. With 1, 4 or 8 bits per pixel `palette`
// lists the colours (0x00RRGGBB) and `pixel` gives palette indices; with 24 or
// 32 bits `pixel` gives colours 0x00RRGGBB.
inline void WriteBmp(const std::string& file, int width, int height, int bpp,
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
    ASSERT_NE(out, nullptr) << file;
    std::fwrite(data.data(), 1, data.size(), out);
    std::fclose(out);
}

// 0x00RRGGBB as the layer's 0x00BBGGRR.
constexpr uint32_t Bgr(uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

}  // namespace kerbo_test
