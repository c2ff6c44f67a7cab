// The fixed-seed random numbers and the distance; see StandardLib.h.
#include "util/StandardLib.h"

#include <cmath>
#include <cstdio>

namespace StandardLib {

namespace {

uint32_t gSeed = StartSeed;

// A linear congruential step over 0..1012; from seed 94 it runs through all
// values but the fixed point 509 before it repeats.
uint32_t PseudoRandomCardGenerator(uint32_t& seed) {
    uint32_t v = (seed * 351u + 138u) % 1013u;
    if (v == seed) v = v + 1;
    seed = v;
    return v;
}

}  // namespace

uint32_t RandomCard(uint32_t min, uint32_t max) {
    return RandomCard(gSeed, min, max);
}

uint32_t RandomCard(uint32_t& seed, uint32_t min, uint32_t max) {
    if (min > max) {
        std::printf("ERROR calling RandomCardFromInterval: min %u is bigger than max %u\n", min, max);
        std::fflush(stdout);
        return min;
    }
    const uint32_t r = PseudoRandomCardGenerator(seed);
    // The order of this arithmetic fixes which r lands on which value:
    // (difference + single-precision 0.99999) / 1012 * r, in double.
    const double spread = static_cast<double>(max - min) + static_cast<double>(0.99999f);
    return min + static_cast<uint32_t>(spread / 1012.0 * static_cast<double>(r));
}

int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = static_cast<double>(x1) - static_cast<double>(x2);
    const double dy = static_cast<double>(y1) - static_cast<double>(y2);
    return static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
}

void ResetRandom() {
    gSeed = StartSeed;
}

uint32_t CurrentSeed() {
    return gSeed;
}

}  // namespace StandardLib
