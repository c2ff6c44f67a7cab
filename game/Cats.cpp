// Placeholder until the cats' rules land.
#include "game/KerboImplementation.h"

namespace KerboImplementation {
void EnemyMovement() {}
void HitByShock(Enemy&, ShockWave) {}
void MoveEnemyPassage(Enemy&) {}
void MoveEnemyDoor(Enemy&, bool) {}
void MoveEnemyWall(Enemy&) {}
void MoveEnemyElevator(Enemy&) {}
void MoveEnemyEndElevator(Enemy&) {}
void MoveEnemyTrampoline(Enemy&) {}
void HitByEnemy(Enemy, Personage&) {}
}  // namespace KerboImplementation
