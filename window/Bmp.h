// Reading BMP files into pictures of 0x00BBGGRR pixels, with a guard against
// headers that claim pictures too large to keep. Needs no window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Vitrine::detail {

// The longest side of any picture the layer keeps, read or made.
constexpr uint32_t kMaxSide = 16384;

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> px;  // width * height pixels, 0x00BBGGRR, row by row
};

// Reads a BMP file and scales it to width x height (nearest neighbour); a
// size of 0 takes the file's own. Nothing (and the reason in `why`, when
// given) when the file can't be read, or when its header or the size asked
// for gives a picture too large.
std::optional<Picture> ReadBmp(const std::string& file, uint32_t width, uint32_t height,
                               std::string* why = nullptr);

// Files handed to the decoder since the program started.
uint64_t BmpDecodes();

}  // namespace Vitrine::detail
