// Oska's movement: once a frame, by the kind of the cell he stands in. He
// walks the storeys with the arrow keys, is turned back by walls, falls down
// shafts, rises after a bounce and steps off sideways, stops at closed doors
// and collects items. All steps are 0.4 pixel per frame.
#include "game/rules/Rules.h"

namespace KerboImplementation {

// The door rule, in Doors.cpp.
void UseDoor(GameState& s, const FrameInput& in, FrameEvents& events, float& x, float& y, bool& DoorOpen);
// The trampoline rule, in Trampolines.cpp.
void MoveTrampoline(GameState& s, const FrameInput& in, FrameEvents& events);

namespace {

constexpr float WalkStep = 0.4f;
constexpr uint32_t StepsPerImage = 30;  // the walking images alternate every 12 pixels
constexpr float StepOff = 27.0f;        // lands him 2 pixels inside the next cell
constexpr float DoorBand = 12.0f;       // half the width a closed door blocks

bool ArrowDown(const FrameInput& in) {
    return in.Left || in.Right;
}

// While rising in a shaft, an arrow glides him sideways onto the storey he is at.
void StepOffSideways(Personage& Man, const FrameInput& in) {
    Man.Controlable = false;
    float height = Man.y;
    CenterY(height);
    Man.TargetY = height;
    Man.TargetX = in.Right ? Man.x + StepOff : Man.x - StepOff;
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

// One step to a side, with the walking pictures of that side taking turns.
void Step(Personage& Man, float step, Picture first, Picture second) {
    Man.x = Man.x + step;
    Man.PersonalWalkTime = Man.PersonalWalkTime + 1;
    if (Man.Look != first && Man.Look != second) Man.Look = first;
    if (Man.PersonalWalkTime == StepsPerImage) {
        Man.Look = Man.Look == first ? second : first;
        Man.PersonalWalkTime = 0;
    }
}

// The arrow keys move him: `WhichKeys` says which of them count here.
void Key(Personage& Man, const FrameInput& in, Direction WhichKeys) {
    const bool right = in.Right && WhichKeys != Direction::Left;
    const bool left = in.Left && WhichKeys != Direction::Right;
    if (right) {
        Step(Man, WalkStep, Picture::OskaRight1, Picture::OskaRight2);
    } else if (left) {
        Step(Man, -WalkStep, Picture::OskaLeft1, Picture::OskaLeft2);
    }
}

void MovePassage(GameState& s, const FrameInput& in) {
    CenterY(s.Man.y);
    Key(s.Man, in, Direction::All);
    s.Man.HaveToFall = true;
    s.Jumps = 0;
}

void MoveItem(GameState& s, const FrameInput& in, FrameEvents& events, Blok& cell) {
    s.Score = s.Score + cell.Points;
    CenterY(s.Man.y);
    Key(s.Man, in, Direction::All);
    cell = Passage;  // the cell that held the item, even when the step took him over its border
    s.Man.HaveToFall = true;
    s.Jumps = 0;
    s.ItemsFound = s.ItemsFound + 1;
    events.ItemTaken = true;
}

void MoveWall(Personage& Man) {
    // Back, gliding, to the middle of the cell he came from.
    const float middle = Middle(Man.x);
    if (middle > Man.x || middle < Man.x) {
        float back = middle > Man.x ? Man.x - 25.0f : Man.x + 25.0f;
        CenterX(back);
        Man.Controlable = false;
        Man.TargetX = back;
        Man.TargetY = Man.y;
    }
    Man.HaveToFall = true;
}

void MoveElevator(Personage& Man, const FrameInput& in) {
    if (GlideOntoShaftAxis(Man)) return;
    if (Man.HaveToFall) {
        Fall(Man.y);  // no steering while falling
    } else if (!ArrowDown(in)) {
        Rise(Man.y);
    } else {
        StepOffSideways(Man, in);
    }
}

void MoveEndElevator(Personage& Man, const FrameInput& in) {
    if (GlideOntoShaftAxis(Man)) return;
    if (Man.HaveToFall) {
        Fall(Man.y);
    } else if (!ArrowDown(in) && Middle(Man.y) < Man.y) {
        Rise(Man.y);
    } else if (!ArrowDown(in)) {
        // The middle of the top cell: the shaft sends him back down.
        Man.HaveToFall = true;
        Fall(Man.y);
    } else {
        StepOffSideways(Man, in);
    }
}

void MoveDoor(GameState& s, const FrameInput& in, FrameEvents& events, bool& DoorOpen) {
    Personage& Man = s.Man;
    CenterY(Man.y);
    UseDoor(s, in, events, Man.x, Man.y, DoorOpen);
    if (DoorOpen) {
        Key(Man, in, Direction::All);
    } else {
        // A closed door blocks a band 24 pixels wide on the cell's centre
        // line: he may walk into it, but only back out on his own side.
        const float m = Middle(Man.x);
        if (Man.x >= m + DoorBand || Man.x <= m - DoorBand) {
            Key(Man, in, Direction::All);
        } else if (m < Man.x) {
            Key(Man, in, Direction::Right);
        } else if (Man.x < m) {
            Key(Man, in, Direction::Left);
        }
    }
    Man.HaveToFall = true;
    s.Jumps = 0;
}

}  // namespace

void PlayerMovement(GameState& s, const FrameInput& in, FrameEvents& events) {
    if (!s.Man.Controlable) {
        AlineSmoothly(s.Man);
        return;
    }
    Blok* cell = CellAt(s.House, s.Man.x, s.Man.y);
    if (cell == nullptr) return;  // outside the house: nothing to stand on, he stays put
    switch (cell->Initial) {
        case Initial::p:
            MovePassage(s, in);
            break;
        case Initial::w:
            MoveWall(s.Man);
            break;
        case Initial::e:
            MoveElevator(s.Man, in);
            break;
        case Initial::n:
            MoveEndElevator(s.Man, in);
            break;
        case Initial::d:
        case Initial::D:
        case Initial::s:
        case Initial::S:
            MoveDoor(s, in, events, cell->DoorOpen);
            break;
        case Initial::t:
            MoveTrampoline(s, in, events);
            break;
        case Initial::i:
            MoveItem(s, in, events, *cell);
            break;
        case Initial::c:
            break;  // solid ceiling: no rule moves him there
    }
}

}  // namespace KerboImplementation
