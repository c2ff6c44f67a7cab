// Placeholder until the pause screen lands: the game never pauses.
#include "game/KerboImplementation.h"

namespace KerboImplementation {
bool PauseGame(bool&) { return true; }
}  // namespace KerboImplementation
