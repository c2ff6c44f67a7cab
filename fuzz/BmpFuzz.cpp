// The BMP reader on its own: each file read at its own size and scaled, and
// every pixel of both pictures read back. The first two bytes choose the
// scaled size; the rest is the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "window/Bmp.h"

namespace {

using Vitrine::detail::Picture;

std::string ScratchFile() {
    static const std::string path = "/tmp/kerbo-bmp-fuzz-" + std::to_string(::getpid()) + ".bmp";
    return path;
}

// Sums every pixel (so that each is read); aborts when the picture is not
// the size asked for or a pixel is not 0x00BBGGRR.
uint32_t ReadAll(const std::optional<Picture>& picture, uint32_t width, uint32_t height) {
    if (!picture) return 0;
    if ((width && picture->width != width) || (height && picture->height != height) ||
        picture->px.size() != size_t(picture->width) * picture->height)
        std::abort();
    uint32_t sum = 0;
    for (uint32_t pixel : picture->px) {
        if (pixel > 0xFFFFFF) std::abort();
        sum += pixel;
    }
    return sum;
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

    const uint32_t sum = ReadAll(Vitrine::detail::ReadBmp(path, 0, 0), 0, 0) +
                         ReadAll(Vitrine::detail::ReadBmp(path, width, height), width, height);
    if (sum == 1) std::printf(" ");  // keeps the reads
    ::unlink(path.c_str());
    return 0;
}
