// Oska's movement: once a frame, by the kind of the cell he stands in. He
// walks the storeys with the arrow keys, is turned back by walls, falls down
// shafts, rises after a bounce and steps off sideways, stops at closed doors
// and collects items. All steps are 0.4 pixel per frame.
#include "game/KerboImplementation.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr float WalkStep = 0.4f;
constexpr uint32_t StepsPerImage = 30;  // the walking images alternate every 12 pixels
constexpr float StepOff = 27.0f;        // lands him 2 pixels inside the next cell
constexpr float DoorBand = 12.0f;       // half the width a closed door blocks

bool ArrowDown() {
    return Vitrine::KeyDown(Vitrine::KEY_LEFT) || Vitrine::KeyDown(Vitrine::KEY_RIGHT);
}

// While rising in a shaft, an arrow glides him sideways onto the storey he is at.
void StepOffSideways(Personage& Man) {
    Man.Controlable = false;
    float height = Man.y;
    CenterY(height);
    Man.TargetY = height;
    Man.TargetX = Vitrine::KeyDown(Vitrine::KEY_RIGHT) ? Man.x + StepOff : Man.x - StepOff;
}

// Shafts are ridden on their axis: off it, he first glides there at his height.
bool GlideOntoShaftAxis(Personage& Man) {
    float axis = Man.x;
    CenterX(axis);
    if (axis == Man.x) return false;
    Man.Controlable = false;
    Man.TargetX = axis;
    Man.TargetY = Man.y;
    return true;
}

void StepRight(float& x, uint32_t& Bitmap, uint32_t& MaskBitmap, uint32_t& PersonalWalkTime) {
    x = x + WalkStep;
    PersonalWalkTime = PersonalWalkTime + 1;
    if (Bitmap != ManBitmaps.Right1 && Bitmap != ManBitmaps.Right2) {
        Bitmap = ManBitmaps.Right1;
        MaskBitmap = ManBitmaps.RightMask1;
    }
    if (PersonalWalkTime == StepsPerImage) {
        if (Bitmap == ManBitmaps.Right1) {
            Bitmap = ManBitmaps.Right2;
            MaskBitmap = ManBitmaps.RightMask2;
        } else if (Bitmap == ManBitmaps.Right2) {
            Bitmap = ManBitmaps.Right1;
            MaskBitmap = ManBitmaps.RightMask1;
        }
        PersonalWalkTime = 0;
    }
}

void StepLeft(float& x, uint32_t& Bitmap, uint32_t& MaskBitmap, uint32_t& PersonalWalkTime) {
    x = x - WalkStep;
    PersonalWalkTime = PersonalWalkTime + 1;
    if (Bitmap != ManBitmaps.Left1 && Bitmap != ManBitmaps.Left2) {
        Bitmap = ManBitmaps.Left1;
        MaskBitmap = ManBitmaps.LeftMask1;
    }
    if (PersonalWalkTime == StepsPerImage) {
        if (Bitmap == ManBitmaps.Left1) {
            Bitmap = ManBitmaps.Left2;
            MaskBitmap = ManBitmaps.LeftMask2;
        } else if (Bitmap == ManBitmaps.Left2) {
            Bitmap = ManBitmaps.Left1;
            MaskBitmap = ManBitmaps.LeftMask1;
        }
        PersonalWalkTime = 0;
    }
}

void KeyAll(Personage& Man) {
    Key(Man.x, Man.Bitmap, Man.MaskBitmap, Man.PersonalWalkTime, Direction::All);
}

// The house cell that holds these points, so a collected item is cleared
// where it was scored even when the step took him over the cell's border.
Blok* CellHolding(const uint32_t& Points) {
    for (auto& row : House) {
        for (Blok& cell : row) {
            if (&cell.Points == &Points) return &cell;
        }
    }
    return nullptr;
}

}  // namespace

void PlayerMovement() {
    if (!Man.Controlable) {
        AlineSmoothly(Man);
        return;
    }
    Blok* cell = CellAt(Man.x, Man.y);
    if (cell == nullptr) return;  // outside the house: nothing to stand on, he stays put
    switch (cell->Initial) {
        case Initial::p:
            MovePassage(Man);
            break;
        case Initial::w:
            MoveWall(Man);
            break;
        case Initial::e:
            MoveElevator(Man);
            break;
        case Initial::n:
            MoveEndElevator(Man);
            break;
        case Initial::d:
        case Initial::D:
        case Initial::s:
        case Initial::S:
            MoveDoor(Man, cell->DoorOpen);
            break;
        case Initial::t:
            MoveTrampoline(Man);
            break;
        case Initial::i:
            MoveItem(Man, cell->Points);
            break;
        case Initial::c:
            break;  // solid ceiling: no rule moves him there
    }
}

void Key(float& x, uint32_t& Bitmap, uint32_t& MaskBitmap, uint32_t& PersonalWalkTime, Direction WhichKeys) {
    const bool right = Vitrine::KeyDown(Vitrine::KEY_RIGHT);
    const bool left = Vitrine::KeyDown(Vitrine::KEY_LEFT);
    switch (WhichKeys) {
        case Direction::All:
            if (right) {
                StepRight(x, Bitmap, MaskBitmap, PersonalWalkTime);
            } else if (left) {
                StepLeft(x, Bitmap, MaskBitmap, PersonalWalkTime);
            }
            break;
        case Direction::Right:
            if (right) StepRight(x, Bitmap, MaskBitmap, PersonalWalkTime);
            break;
        case Direction::Left:
            if (left) StepLeft(x, Bitmap, MaskBitmap, PersonalWalkTime);
            break;
    }
}

void MovePassage(Personage& Man) {
    CenterY(Man.y);
    KeyAll(Man);
    Man.HaveToFall = true;
    Jumps = 0;
}

void MoveItem(Personage& Man, uint32_t& Points) {
    Blok* cell = CellHolding(Points);
    if (cell == nullptr) cell = CellAt(Man.x, Man.y);

    Score = Score + Points;
    CenterY(Man.y);
    KeyAll(Man);
    if (cell != nullptr) *cell = Passage;
    Man.HaveToFall = true;
    Jumps = 0;
    ItemsFound = ItemsFound + 1;
    PlayEffect(Assets::ItemSound);
}

void MoveWall(Personage& Man) {
    // Back, gliding, to the middle of the cell he came from.
    const float middle = Middle(Man.x);
    if (middle > Man.x) {
        float back = Man.x - 25.0f;
        CenterX(back);
        Man.Controlable = false;
        Man.TargetX = back;
        Man.TargetY = Man.y;
    } else if (middle < Man.x) {
        float back = Man.x + 25.0f;
        CenterX(back);
        Man.Controlable = false;
        Man.TargetX = back;
        Man.TargetY = Man.y;
    }
    Man.HaveToFall = true;
}

void MoveElevator(Personage& Man) {
    if (GlideOntoShaftAxis(Man)) return;
    if (Man.HaveToFall) {
        Fall(Man.y);  // no steering while falling
    } else if (!ArrowDown()) {
        Rise(Man.y);
    } else {
        StepOffSideways(Man);
    }
}

void MoveEndElevator(Personage& Man) {
    if (GlideOntoShaftAxis(Man)) return;
    if (Man.HaveToFall) {
        Fall(Man.y);
    } else if (!ArrowDown() && Middle(Man.y) < Man.y) {
        Rise(Man.y);
    } else if (!ArrowDown()) {
        // The middle of the top cell: the shaft sends him back down.
        Man.HaveToFall = true;
        Fall(Man.y);
    } else {
        StepOffSideways(Man);
    }
}

void MoveDoor(Personage& Man, bool& DoorOpen) {
    CenterY(Man.y);
    UseDoor(Man.x, Man.y, DoorOpen);
    if (DoorOpen) {
        KeyAll(Man);
    } else {
        // A closed door blocks a band 24 pixels wide on the cell's centre
        // line: he may walk into it, but only back out on his own side.
        const float m = Middle(Man.x);
        if (Man.x >= m + DoorBand || Man.x <= m - DoorBand) {
            KeyAll(Man);
        } else if (m < Man.x) {
            Key(Man.x, Man.Bitmap, Man.MaskBitmap, Man.PersonalWalkTime, Direction::Right);
        } else if (Man.x < m) {
            Key(Man.x, Man.Bitmap, Man.MaskBitmap, Man.PersonalWalkTime, Direction::Left);
        }
    }
    Man.HaveToFall = true;
    Jumps = 0;
}

}  // namespace KerboImplementation
