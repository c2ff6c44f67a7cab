// Doors and shock waves. X opens or closes the door in Oska's cell and
// pushes him out of its swing. A shock door fires one wave along the storey
// when opened and becomes an ordinary door of its side when closed. Waves
// run straight along their row, ignoring the cells, until they leave the
// house; the cats' rules catch whatever cat shares a cell with one.
#include <algorithm>

#include "game/KerboImplementation.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t DoorPauseMs = 200;  // the game stops a moment at every door use
constexpr float WaveStep = 0.65f;
constexpr float WaveLeftLimit = 20.0f;
constexpr float WaveRightLimit = 750.0f;

// Live waves are only ever in slots 1..NumberOfWaves, which never exceeds the table.
uint32_t UsedSlots(const ShockWaves& ShockWaves) {
    return std::min<uint32_t>(ShockWaves.NumberOfWaves, static_cast<uint32_t>(MaxWaves));
}

}  // namespace

void UseDoor(float& x, float& y, bool& DoorOpen) {
    Blok* cell = CellAt(x, y);
    if (cell == nullptr || !Vitrine::KeyDown(Vitrine::KEY_X)) return;
    const float M = Middle(x);  // the door's centre line

    if (DoorOpen) {
        DoorOpen = false;
        Vitrine::Delay(DoorPauseMs);
        // A fired shock door is spent: it closes as a plain door of its side.
        if (cell->Initial == Initial::s) {
            cell->Initial = Initial::d;
        } else if (cell->Initial == Initial::S) {
            cell->Initial = Initial::D;
        }
        HelpUseDoor(x, y, DoorOpen);
        if (cell->Initial == Initial::D && M - 25.0f < x && x < M + 10.0f) {
            x = M - 49.0f;
        } else if (cell->Initial == Initial::d && M - 10.0f < x && x < M + 25.0f) {
            x = M + 49.0f;
        }
    } else {
        DoorOpen = true;
        Vitrine::Delay(DoorPauseMs);
        if (cell->Initial == Initial::s) {
            NewShockWave(x, y, Direction::Left, AllShockWaves);
        } else if (cell->Initial == Initial::S) {
            NewShockWave(x, y, Direction::Right, AllShockWaves);
        }
        HelpUseDoor(x, y, DoorOpen);
        const Initial kind = cell->Initial;
        if ((kind == Initial::d || kind == Initial::s) && M - 25.0f < x && x < M) {
            x = M - 49.0f;
        } else if ((kind == Initial::D || kind == Initial::S) && M < x && x < M + 25.0f) {
            x = M + 49.0f;
        }
    }
}

void HelpUseDoor(float x, float y, bool& DoorOpen) {
    Blok* cell = CellAt(x, y);
    if (cell == nullptr) return;
    switch (cell->Initial) {
        case Initial::d:
            cell->Bitmap = DoorOpen ? DoorBitmaps.LeftOpen : DoorBitmaps.LeftClosed;
            break;
        case Initial::D:
            cell->Bitmap = DoorOpen ? DoorBitmaps.RightOpen : DoorBitmaps.RightClosed;
            break;
        case Initial::s:
            cell->Bitmap = DoorOpen ? DoorBitmaps.ShockLeftOpen : DoorBitmaps.ShockLeftClosed;
            break;
        case Initial::S:
            cell->Bitmap = DoorOpen ? DoorBitmaps.ShockRightOpen : DoorBitmaps.ShockRightClosed;
            break;
        default:
            break;  // not a door: nothing to show
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
    if (Direction == Direction::Left) {
        wave.Bitmap = ShockWaveBitmaps.Left;
        wave.MaskBitmap = ShockWaveBitmaps.MaskLeft;
    } else {
        wave.Bitmap = ShockWaveBitmaps.Right;
        wave.MaskBitmap = ShockWaveBitmaps.MaskRight;
    }
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

void DrawShockWaves(const ShockWaves& ShockWaves) {
    const uint32_t used = UsedSlots(ShockWaves);
    for (uint32_t k = 1; k <= used; ++k) {
        const ShockWave& wave = ShockWaves.Waves[k];
        if (!wave.StillExisting) continue;
        Vitrine::DrawMaskBitmap(wave.Bitmap, wave.MaskBitmap, static_cast<int32_t>(wave.x),
                                static_cast<int32_t>(wave.y));
    }
}

}  // namespace KerboImplementation
