// The game's state (the house, Oska, the cats, the waves, the counters and
// the random generator) reduced to a number, for recordings.
#pragma once

#include <cstdint>

namespace KerboImplementation {

uint32_t StateHash();

}  // namespace KerboImplementation
