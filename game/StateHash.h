// The game's state (the house, Oska, the cats, the waves, the counters and
// the random generator) reduced to a number, for recordings.
#pragma once

#include <cstdint>

namespace KerboImplementation {

// `format` is that of the recording the hash is for (Vitrine::Replay::
// RecordingFormat and older): format 2 took in every cat slot, later ones
// only the level's cats.
uint32_t StateHash(uint32_t format);

}  // namespace KerboImplementation
