// Doors and shock waves. X opens or closes the door in Oska's cell and
// pushes him out of its swing; the game then holds still a moment. A shock
// door fires one wave along the storey when opened and becomes an ordinary
// door of its side when closed. Waves run straight along their row, ignoring
// the cells, until they leave the house; the cats' rules catch whatever cat
// shares a cell with one.
#include <algorithm>

#include "game/rules/Rules.h"

namespace KerboImplementation {

namespace {

constexpr float WaveStep = 0.65f;
constexpr float WaveLeftLimit = 20.0f;
constexpr float WaveRightLimit = 750.0f;

// Live waves are only ever in slots 1..NumberOfWaves, which never exceeds the table.
uint32_t UsedSlots(const ShockWaves& ShockWaves) {
    return std::min<uint32_t>(ShockWaves.NumberOfWaves, static_cast<uint32_t>(MaxWaves));
}

// The picture of a door of this kind, open or closed.
void HelpUseDoor(Blok& cell, bool DoorOpen) {
    switch (cell.Initial) {
        case Initial::d:
            cell.Look = DoorOpen ? Picture::DoorLeftOpen : Picture::DoorLeftClosed;
            break;
        case Initial::D:
            cell.Look = DoorOpen ? Picture::DoorRightOpen : Picture::DoorRightClosed;
            break;
        case Initial::s:
            cell.Look = DoorOpen ? Picture::ShockLeftOpen : Picture::ShockLeftClosed;
            break;
        case Initial::S:
            cell.Look = DoorOpen ? Picture::ShockRightOpen : Picture::ShockRightClosed;
            break;
        default:
            break;  // not a door: nothing to show
    }
}

}  // namespace

// X in a door's cell: open or close it, push Oska out of its swing, and hold the game a moment.
void UseDoor(GameState& s, const FrameInput& in, FrameEvents& events, float& x, float& y, bool& DoorOpen) {
    Blok* cell = CellAt(s.House, x, y);
    if (cell == nullptr || !in.DoorKey) return;
    const float M = Middle(x);  // the door's centre line
    events.DoorUsed = true;
    s.HoldFrames = s.HoldFrames + HoldFramesPerStop;

    if (DoorOpen) {
        DoorOpen = false;
        // A fired shock door is spent: it closes as a plain door of its side.
        if (cell->Initial == Initial::s) {
            cell->Initial = Initial::d;
        } else if (cell->Initial == Initial::S) {
            cell->Initial = Initial::D;
        }
        HelpUseDoor(*cell, DoorOpen);
        if (cell->Initial == Initial::D && M - 25.0f < x && x < M + 10.0f) {
            x = M - 49.0f;
        } else if (cell->Initial == Initial::d && M - 10.0f < x && x < M + 25.0f) {
            x = M + 49.0f;
        }
    } else {
        DoorOpen = true;
        if (cell->Initial == Initial::s) {
            NewShockWave(x, y, Direction::Left, s.AllShockWaves);
        } else if (cell->Initial == Initial::S) {
            NewShockWave(x, y, Direction::Right, s.AllShockWaves);
        }
        HelpUseDoor(*cell, DoorOpen);
        const Initial kind = cell->Initial;
        if ((kind == Initial::d || kind == Initial::s) && M - 25.0f < x && x < M) {
            x = M - 49.0f;
        } else if ((kind == Initial::D || kind == Initial::S) && M < x && x < M + 25.0f) {
            x = M + 49.0f;
        }
    }
}

void NewShockWave(float x, float y, Direction Direction, ShockWaves& ShockWaves) {
    // The level reader refuses levels with more shock doors than slots, so a
    // full table means a wave too many: it is dropped rather than written
    // past the end.
    if (ShockWaves.NumberOfWaves >= MaxWaves) return;
    ShockWaves.NumberOfWaves = ShockWaves.NumberOfWaves + 1;
    ShockWave& wave = ShockWaves.Waves[ShockWaves.NumberOfWaves];
    wave.x = Middle(x);
    wave.y = Middle(y) - 15.0f;  // 10 pixels below the top of the row
    wave.Direction = Direction;
    wave.StillExisting = true;
}

void MoveShockWaves(ShockWaves& ShockWaves) {
    const uint32_t used = UsedSlots(ShockWaves);
    for (uint32_t k = 1; k <= used; ++k) {
        ShockWave& wave = ShockWaves.Waves[k];
        if (!wave.StillExisting) continue;
        if (wave.Direction == Direction::Left) {
            wave.x = wave.x - WaveStep;
            if (wave.x < WaveLeftLimit) wave.StillExisting = false;
        } else if (wave.Direction == Direction::Right) {
            wave.x = wave.x + WaveStep;
            if (wave.x > WaveRightLimit) wave.StillExisting = false;
        }
    }
}

}  // namespace KerboImplementation
