// The cats. Each frame every cat in play is tested against every shock-wave
// slot, then either follows the rule of the cell it stands in (walk, turn at
// walls and closed doors, drop down shafts, bounce on trampolines to a floor
// drawn at random) or, once a wave has caught it, drifts with the wave until
// it leaves the house for 200 points. A walking cat that comes within a few
// pixels of Oska on his storey costs him a life.
#include "game/rules/Rules.h"
#include "util/StandardLib.h"

namespace KerboImplementation {

namespace {

constexpr float CatStep = 0.4f;     // scaled by RelativeSpeedCatX
constexpr float SweptStep = 0.65f;  // a caught cat moves with the wave
constexpr float OutLeft = 20.0f;    // a caught cat past these is out of the house
constexpr float OutRight = 780.0f;
constexpr uint32_t PointsPerCat = 200;
constexpr float WallJump = 75.0f;      // one and a half cells, back over a shaft
constexpr float ShaftStepOff = 25.1f;  // just past the shaft's column border
constexpr float TopStepOff = 27.0f;
constexpr int32_t HitDistance = 5;  // whole pixels apart, exclusive

Direction Reversed(Direction d) {
    return d == Direction::Left ? Direction::Right : Direction::Left;
}

void Walk(Enemy& Enemy, float speed) {
    const float step = speed * CatStep;
    if (Enemy.Direction == Direction::Left) {
        Enemy.x = Enemy.x - step;
    } else {
        Enemy.x = Enemy.x + step;
    }
}

// The whole-pixel part of a position, for the contact test. Positions in
// play are inside the window; anything else is clamped rather than
// converted out of range.
int32_t WholePixels(float v) {
    if (!(v >= 0.0f)) return 0;
    if (v >= 1.0e9f) return 1000000000;
    return static_cast<int32_t>(v);
}

bool InsideHouse(HouseGrid& House, const Enemy& Enemy) {
    return CellAt(House, Enemy.x, Enemy.y) != nullptr;
}

void MoveEnemyWall(Enemy& Enemy) {
    const float M = Middle(Enemy.x);
    if (M > Enemy.x) {
        Enemy.x = Enemy.x - WallJump;
        Enemy.Direction = Direction::Left;
    } else if (M < Enemy.x) {
        Enemy.x = Enemy.x + WallJump;
        Enemy.Direction = Direction::Right;
    }
    Enemy.HaveToFall = true;
}

void MoveEnemyElevator(Enemy& Enemy) {
    CenterX(Enemy.x);
    if (!Enemy.HaveToFall) {
        if (Enemy.FloorHeight - 24.0f < Enemy.y && Enemy.y < Enemy.FloorHeight + 24.0f) {
            Enemy.x = Enemy.Direction == Direction::Left ? Enemy.x - ShaftStepOff : Enemy.x + ShaftStepOff;
        } else {
            Rise(Enemy.y);
        }
    } else {
        Fall(Enemy.y);
    }
}

void MoveEnemyEndElevator(Enemy& Enemy) {
    CenterX(Enemy.x);
    if (Enemy.HaveToFall) {
        Fall(Enemy.y);
    } else if (Enemy.FloorHeight - 2.0f < Enemy.y && Enemy.y < Enemy.FloorHeight + 2.0f) {
        if (Enemy.Direction == Direction::Right) {
            Enemy.x = Enemy.x + TopStepOff;
        } else if (Enemy.Direction == Direction::Left) {
            Enemy.x = Enemy.x - TopStepOff;
        }
    } else if (Middle(Enemy.y) < Enemy.y) {
        Rise(Enemy.y);
    } else {
        // The top of the shaft without meeting its floor: back down.
        Enemy.HaveToFall = true;
        Fall(Enemy.y);
    }
}

void MoveEnemyTrampoline(uint32_t& seed, Enemy& Enemy) {
    // Two draws every frame, direction first; the last frame on the
    // trampoline decides where the cat gets off.
    Enemy.Direction = StandardLib::RandomCard(seed, 0, 1) == 0 ? Direction::Left : Direction::Right;
    const uint32_t row = WhereAmI(Enemy.y - 10.0f);
    const uint32_t highest = row > 0 ? row - 1 : 0;  // a row too high takes RandomCard's error path
    Enemy.FloorHeight = static_cast<float>(StandardLib::RandomCard(seed, 2, highest)) * 50.0f + 25.0f;

    const float M = Middle(Enemy.y);
    if (Enemy.HaveToFall) {
        if (Enemy.y < M - 13.0f) {
            Enemy.HaveToFall = false;
            Rise(Enemy.y);
        } else if (Enemy.y > M - 13.0f) {
            Fall(Enemy.y);
        }
    } else if (Enemy.y < M) {
        Enemy.HaveToFall = true;
        Fall(Enemy.y);
    } else if (!(Enemy.FloorHeight - 2.0f < Enemy.y && Enemy.y < Enemy.FloorHeight + 2.0f)) {
        Rise(Enemy.y);
    } else if (Enemy.Direction == Direction::Right) {
        Enemy.x = Enemy.x + TopStepOff;
    } else if (Enemy.Direction == Direction::Left) {
        Enemy.x = Enemy.x - TopStepOff;
    }
}

void MoveEnemyPassage(GameState& s, FrameEvents& events, Enemy& Enemy) {
    CenterY(Enemy.y);
    Enemy.HaveToFall = true;
    Walk(Enemy, s.RelativeSpeedCatX);
    HitByEnemy(Enemy, s.Man, events);
}

void MoveEnemyDoor(GameState& s, FrameEvents& events, Enemy& Enemy, bool DoorOpen) {
    CenterY(Enemy.y);
    Enemy.HaveToFall = true;
    const float M = Middle(Enemy.x);
    // A closed door stops a cat heading for its centre line; one on the line
    // or walking away from it goes on.
    const bool blocked = !DoorOpen && ((M > Enemy.x && Enemy.Direction == Direction::Right) ||
                                       (M < Enemy.x && Enemy.Direction == Direction::Left));
    if (blocked) {
        Enemy.Direction = Reversed(Enemy.Direction);
    } else {
        Walk(Enemy, s.RelativeSpeedCatX);
    }
    HitByEnemy(Enemy, s.Man, events);
}

}  // namespace

void EnemyMovement(GameState& s, FrameEvents& events) {
    for (Enemy& cat : s.EnemyArr) {
        if (!cat.StillExisting) continue;

        for (std::size_t l = 1; l <= MaxWaves; ++l) HitByShock(cat, s.AllShockWaves.Waves[l]);

        if (cat.HitByShock && (cat.x < OutLeft || cat.x > OutRight)) {
            cat.StillExisting = false;
            s.Score = s.Score + PointsPerCat;
        }

        if (cat.Controlable) {
            Blok* cell = CellAt(s.House, cat.x, cat.y);
            if (cell == nullptr) {
                // Only a malformed level lets a cat get here; it leaves play
                // rather than be looked up outside the house.
                cat.StillExisting = false;
                continue;
            }
            switch (cell->Initial) {
                case Initial::p:
                case Initial::i:
                    MoveEnemyPassage(s, events, cat);
                    break;
                case Initial::e:
                    MoveEnemyElevator(cat);
                    break;
                case Initial::n:
                    MoveEnemyEndElevator(cat);
                    break;
                case Initial::t:
                    MoveEnemyTrampoline(s.Seed, cat);
                    break;
                case Initial::d:
                case Initial::D:
                case Initial::s:
                case Initial::S:
                    MoveEnemyDoor(s, events, cat, cell->DoorOpen);
                    break;
                case Initial::w:
                    MoveEnemyWall(cat);
                    break;
                case Initial::c:
                    break;  // no way through a ceiling: the cat waits
            }
        } else if (cat.StillExisting) {
            cat.x = cat.Direction == Direction::Left ? cat.x - SweptStep : cat.x + SweptStep;
        }
        // A cat the rules have put outside the house (a malformed level)
        // leaves play, without points.
        if (cat.StillExisting && !InsideHouse(s.House, cat)) cat.StillExisting = false;
    }
}

void HitByShock(Enemy& Enemy, const ShockWave& ShockWave) {
    if (!ShockWave.StillExisting) return;
    if (WhereAmI(Enemy.y) != WhereAmI(ShockWave.y) || WhereAmI(Enemy.x) != WhereAmI(ShockWave.x)) return;
    Enemy.Controlable = false;
    Enemy.HitByShock = true;
    Enemy.Direction = ShockWave.Direction == Direction::Left ? Direction::Left : Direction::Right;
}

void HitByEnemy(const Enemy& Enemy, Personage& Man, FrameEvents& events) {
    if (WhereAmI(Enemy.y) != WhereAmI(Man.y)) return;
    if (StandardLib::Distance(WholePixels(Man.x), 0, WholePixels(Enemy.x), 0) >= HitDistance) return;
    Man.Hit = true;
    events.Caught = true;
}

}  // namespace KerboImplementation
