// BMP files through the bitmap table: loaded at their own size and scaled,
// read back pixel by pixel and released. The first two bytes choose the
// scaled size; the rest is the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace {

std::string ScratchFile() {
    static const std::string path = "/tmp/kerbo-bmp-fuzz-" + std::to_string(::getpid()) + ".bmp";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint32_t width = data[0] % 64, height = data[1] % 64;
    const std::string path = ScratchFile();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data + 2, 1, size - 2, file);
    std::fclose(file);

    const uint32_t own = Vitrine::LoadBitmap(path.c_str(), 0, 0);
    const uint32_t scaled = Vitrine::LoadBitmap(path.c_str(), width, height);
    uint32_t sum = 0;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) sum += Vitrine::Testing::BitmapPixel(scaled, x, y);
    }
    if (sum == 1) std::printf(" ");  // keeps the reads
    Vitrine::DestroyBitmap(scaled);
    Vitrine::DestroyBitmap(own);
    if (Vitrine::Testing::BitmapCount() != 0) std::abort();
    ::unlink(path.c_str());
    return 0;
}
