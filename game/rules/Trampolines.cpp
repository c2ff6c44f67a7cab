// Trampolines: Oska lands on the trampoline at the foot of a shaft and is
// bounced back up. A run of bounces without touching a floor wears the
// trampoline out: green, blue, yellow, red, and the fourth landing breaks it
// into an empty shaft cell. Touching a floor ends the run (Jumps back to 0)
// and the last trampoline gets its resting colour back before the frame is drawn.
#include "game/rules/Rules.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t BreakingLanding = 3;  // bounces a trampoline survives

}  // namespace

// Oska in a trampoline's cell: onto its axis, land and bounce (or break it), rise, or step off.
void MoveTrampoline(GameState& s, const FrameInput& in, FrameEvents& events) {
    Personage& Man = s.Man;
    const float M = Middle(Man.y);  // centre line of the trampoline's row

    // Onto the axis first: someone walking in from the side glides to it.
    float HelpX = Man.x;
    CenterX(HelpX);
    if (HelpX != Man.x) {
        Man.Controlable = false;
        Man.TargetX = HelpX;
        Man.TargetY = Man.y;
        return;
    }

    if (Man.HaveToFall && Man.y < M - 13.0f) {
        // Landing: only in the top 12 pixels of the cell, i.e. coming down the shaft.
        events.Bounced = true;
        if (s.Jumps == BreakingLanding) {
            if (Blok* cell = CellAt(s.House, Man.x, Man.y)) *cell = Elevator;
            s.Jumps = 0;
            Fall(Man.y);
        } else {
            Man.HaveToFall = false;
            Rise(Man.y);
            s.Jumps = s.Jumps + 1;
            HelpTrampoline(s.House, Man.x, Man.y, s.Jumps);
            s.TrampolineX = Man.x;
            s.TrampolineY = Man.y + 25.0f;
        }
    } else if (Man.HaveToFall && Man.y > M - 13.0f) {
        // Already below the landing band (walked in from the side): no bounce.
        Fall(Man.y);
    } else if (!Man.HaveToFall && Man.y < M) {
        Man.HaveToFall = true;
        Fall(Man.y);
    } else if (!Man.HaveToFall && !in.Left && !in.Right) {
        Rise(Man.y);
    } else if (!Man.HaveToFall) {
        // Step off sideways onto the storey, as from a shaft.
        Man.Controlable = false;
        float HelpY = Man.y;
        CenterY(HelpY);
        Man.TargetY = HelpY;
        Man.TargetX = in.Right ? Man.x + 27.0f : Man.x - 27.0f;
    }
}

void RestoreLastTrampoline(GameState& s) {
    if (s.TrampolineX != 0.0f && s.TrampolineY != 0.0f && s.Jumps == 0) {
        HelpTrampoline(s.House, s.TrampolineX, s.TrampolineY, s.Jumps);
    }
}

void HelpTrampoline(HouseGrid& House, float x, float y, uint32_t Jumps) {
    Blok* cell = CellAt(House, x, y + 25.0f);
    if (cell == nullptr) return;
    switch (Jumps) {
        case 0:
            // Only a trampoline or a broken one (a shaft) is restored; the
            // recorded point may land on any other cell after a new level is
            // set up, and such a cell is left as it is.
            if (cell->Initial == Initial::t) {
                cell->Look = Picture::TrampolineGreen;
            } else if (cell->Initial == Initial::e) {
                cell->Look = Elevator.Look;
            }
            break;
        case 1:
            cell->Look = Picture::TrampolineBlue;
            break;
        case 2:
            cell->Look = Picture::TrampolineYellow;
            break;
        case 3:
            cell->Look = Picture::TrampolineRed;
            break;
        default:
            break;
    }
}

}  // namespace KerboImplementation
