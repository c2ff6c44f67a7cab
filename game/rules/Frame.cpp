// The frame's pause key, the frames in which the game holds still, and the end of an attempt.
#include "game/rules/Rules.h"

namespace KerboImplementation {

namespace {

constexpr float LossLine = 485.0f;  // the bottom row: he has fallen out of the house

}  // namespace

void PauseGame(GameState& s, const FrameInput& in, FrameEvents& events) {
    if (s.Pause) {
        // The screen opens at the next frame's call, after that frame's moves.
        events.PauseShown = true;
    } else if (in.PauseKey || in.FocusLost) {
        // A window that lost the focus counts as P.
        s.Pause = true;
        events.Paused = true;
        s.HoldFrames = s.HoldFrames + HoldFramesPerStop;
    }
}

bool HoldStill(GameState& s) {
    if (s.CardFrames > 0) {
        s.CardFrames = s.CardFrames - 1;
        return true;
    }
    if (s.HoldFrames > 0) {
        s.HoldFrames = s.HoldFrames - 1;
        return true;
    }
    return false;
}

bool AttemptOver(const GameState& s) {
    // Finding the last item wins over falling or being caught in the same frame.
    return s.ItemsFound == s.ItemsTotal || s.Man.y >= LossLine || s.Man.Hit;
}

}  // namespace KerboImplementation
