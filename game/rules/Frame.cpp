// The frame's pause key, the frames in which the game holds still, and the
// end of an attempt with the moment that shows how it ended.
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

AttemptEnd EndAttempt(GameState& s) {
    if (s.ItemsFound == s.ItemsTotal) {
        s.End = AttemptEnd::Cleared;
    } else {
        s.End = s.Man.Hit ? AttemptEnd::Caught : AttemptEnd::Fell;
        // Taken now, so that the moment after shows the counter one lower.
        if (s.Lifes > 0) s.Lifes = s.Lifes - 1;
    }
    s.EndFrames = EndShownFrames;
    return s.End;
}

bool ShowEnd(GameState& s) {
    if (s.EndFrames == 0) return false;
    s.EndFrames = s.EndFrames - 1;
    return true;
}

void LeaveAttempt(GameState& s) {
    if (s.End == AttemptEnd::Cleared) s.ActualLevel = s.ActualLevel + 1;
    s.End = AttemptEnd::None;
    s.EndFrames = 0;
}

uint32_t AttemptPoints(const GameState& s) {
    return s.Score >= s.ScoreAtStart ? s.Score - s.ScoreAtStart : 0;
}

}  // namespace KerboImplementation
