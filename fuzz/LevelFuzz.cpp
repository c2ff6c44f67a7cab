// The level reader on arbitrary bytes: it must refuse or accept without
// reading out of bounds, and an accepted level holds only cell letters; the
// level checker then judges whatever the reader accepted.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/rules/Rules.h"
#include "levelcheck/LevelCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace KerboImplementation;
    Level level;
    const std::string error = ParseLevel(std::string_view(reinterpret_cast<const char*>(data), size), level);
    if (!error.empty()) return 0;
    for (std::size_t row = 1; row <= Rows; ++row) {
        for (char c : level[row]) {
            if (std::string_view("pwendDsStci").find(c) == std::string_view::npos) std::abort();
            if (row <= 2 && c != 'c') std::abort();  // the status band is always ceiling
        }
    }
    if (LevelCheck::Summary(LevelCheck::Check(level)).empty()) std::abort();
    return 0;
}
