// Placeholder until the trampoline rules land.
#include "game/KerboImplementation.h"

namespace KerboImplementation {
void MoveTrampoline(Personage&) {}
void HelpTrampoline(float, float, uint32_t&) {}
}  // namespace KerboImplementation
