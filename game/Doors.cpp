// Placeholder until the door and shock-wave rules land.
#include "game/KerboImplementation.h"

namespace KerboImplementation {
void UseDoor(float&, float&, bool&) {}
void HelpUseDoor(float, float, bool&) {}
void NewShockWave(float, float, Direction, ShockWaves&) {}
void MoveShockWaves(ShockWaves&) {}
void DrawShockWaves(const ShockWaves&) {}
}  // namespace KerboImplementation
