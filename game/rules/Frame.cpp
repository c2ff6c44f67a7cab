// The frame's pause key and the end of an attempt.
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
    }
}

bool AttemptOver(const GameState& s) {
    // Finding the last item wins over falling or being caught in the same frame.
    return s.ItemsFound == s.ItemsTotal || s.Man.y >= LossLine || s.Man.Hit;
}

}  // namespace KerboImplementation
