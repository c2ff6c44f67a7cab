// StandardLib: small helpers shared by the game: whole random numbers from a
// fixed-seed generator (so every run places the cats the same way) and the
// distance between two points.
#pragma once

#include <cstdint>

namespace StandardLib {

// The generator's state at every program start.
constexpr uint32_t StartSeed = 94;

// A whole number from min to max, both included. With min > max it prints
// an error line on standard output, draws nothing and returns min.
uint32_t RandomCard(uint32_t min, uint32_t max);
// The same from the generator whose state is `seed` (the game keeps its own).
uint32_t RandomCard(uint32_t& seed, uint32_t min, uint32_t max);

// Euclidean distance between two points, truncated towards zero.
int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Puts the generator back to its program-start state (seed 94). Used at
// start-up, and by tests and replays that need the run's exact sequence.
void ResetRandom();

// The generator's current seed; lets tests check that a call drew nothing.
uint32_t CurrentSeed();

}  // namespace StandardLib
