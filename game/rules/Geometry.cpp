// The pixel geometry of the house: 10 rows by 16 columns of 50-pixel cells
// filling the 800 x 500 window. A coordinate on a border belongs to the
// cell right of or below it. Rules compare positions for exact equality
// only against values made here, so these stay exact integer-valued floats.
#include "game/rules/Rules.h"

namespace KerboImplementation {

namespace {

constexpr float Step = 0.4f;
constexpr float GlideSnap = 1.5f;

// TRUNC(v) DIV 50; negative (and NaN) positions fall outside the grid.
int64_t CellIndex(float v) {
    if (!(v >= 0.0f)) return -1;
    if (v >= 4.0e9f) return 4000000000 / CellSize;
    return static_cast<int64_t>(static_cast<uint32_t>(v) / CellSize);
}

}  // namespace

uint32_t WhereAmI(float x) {
    const int64_t index = CellIndex(x);
    return index < 0 ? 0u : static_cast<uint32_t>(index + 1);
}

float Middle(float x) {
    return static_cast<float>((CellIndex(x) + 1) * CellSize) - 25.0f;
}

void CenterX(float& x) {
    x = Middle(x);
}

void CenterY(float& y) {
    y = static_cast<float>((CellIndex(y) + 1) * CellSize) - 12.0f;
}

void Fall(float& y) {
    y = y + Step;
}

void Rise(float& y) {
    y = y - Step;
}

Blok* CellAt(HouseGrid& House, float x, float y) {
    const uint32_t row = WhereAmI(y);
    const uint32_t column = WhereAmI(x);
    if (row < 1 || row > Rows || column < 1 || column > Columns) return nullptr;
    return &House[row][column];
}

void AlineSmoothly(Personage& Man) {
    if (Man.x < Man.TargetX - GlideSnap) {
        Man.x = Man.x + Step;
        if (Man.Look != Picture::OskaRight1 && Man.Look != Picture::OskaRight2)
            Man.Look = Picture::OskaRight1;
    } else if (Man.x > Man.TargetX + GlideSnap) {
        Man.x = Man.x - Step;
        if (Man.Look != Picture::OskaLeft1 && Man.Look != Picture::OskaLeft2) Man.Look = Picture::OskaLeft1;
    }

    if (Man.y < Man.TargetY - GlideSnap) {
        Man.y = Man.y + Step;
    } else if (Man.y > Man.TargetY + GlideSnap) {
        Man.y = Man.y - Step;
    }

    if (Man.TargetX - GlideSnap <= Man.x && Man.x <= Man.TargetX + GlideSnap &&
        Man.TargetY - GlideSnap <= Man.y && Man.y <= Man.TargetY + GlideSnap) {
        Man.x = Man.TargetX;
        Man.y = Man.TargetY;
        Man.Controlable = true;
    }
}

}  // namespace KerboImplementation
