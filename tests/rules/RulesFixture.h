// Shared ground for the rule tests: a game state built from storeys of
// letters held in the state (so no file is read), the frame as the front end
// plays it, and frames played with one input until a condition holds.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "game/rules/Rules.h"
#include "util/StandardLib.h"

namespace RulesFixture {

using namespace KerboImplementation;

// Storeys 3 to 10 of a level, 16 letters each; rows 1 and 2 are ceiling.
using Storeys = std::array<std::string, 8>;

// A level without items whose only walkable storey is row 9, where Oska
// starts, or the row given. The cats start in rows 4 to 8, ceiling here, so
// they stay put.
inline Storeys QuietLevel(const std::string& row9 = "wppppppppppppppw",
                          const std::string& row10 = "wwwwwwwwwwwwwwww") {
    const std::string c(Columns, 'c');
    return {c, c, c, c, c, c, row9, row10};
}

inline constexpr FrameInput NoKey{};
inline constexpr FrameInput LeftKey{.Left = true};
inline constexpr FrameInput RightKey{.Right = true};
inline constexpr FrameInput XKey{.DoorKey = true};

// Level k's letters in the state, and the level set up again from them.
inline void PutLevel(GameState& s, uint32_t k, const Storeys& storeys) {
    for (uint32_t row = 1; row <= Rows; ++row) {
        const std::string letters = row <= 2 ? std::string(Columns, 'c') : storeys[row - 3];
        for (uint32_t column = 1; column <= Columns; ++column) s.Game[k][row][column] = letters[column - 1];
    }
}

inline void NoCats(GameState& s) {
    for (Enemy& cat : s.EnemyArr) cat.StillExisting = false;
}

// A new game (Easy) on these storeys in all ten levels with the generator
// at its start, and the first attempt at level 1 set up; the cats out of
// play unless asked for.
inline GameState Game(const Storeys& storeys, bool withCats = false) {
    GameState s;
    s.LevelsHeld = true;
    for (uint32_t k = 1; k <= MostLevels; ++k) PutLevel(s, k, storeys);
    NewGame(s);
    LoadLevel(s, 1);
    if (!withCats) NoCats(s);
    return s;
}

// Oska under control at (x, y).
inline void PutOska(GameState& s, float x, float y, bool falling = true) {
    s.Man.x = x;
    s.Man.y = y;
    s.Man.HaveToFall = falling;
    s.Man.Controlable = true;
}

// One frame as the front end plays it, less its holds, sounds and drawing.
inline FrameEvents Frame(GameState& s, const FrameInput& in = NoKey) {
    FrameEvents events;
    PlayerMovement(s, in, events);
    EnemyMovement(s, events);
    PauseGame(s, in, events);
    RestoreLastTrampoline(s);
    MoveShockWaves(s.AllShockWaves);
    return events;
}

inline void Frames(GameState& s, int n, const FrameInput& in = NoKey) {
    for (int k = 0; k < n; ++k) Frame(s, in);
}

// Frames with `in` until `done` holds (at least one): how many, and the
// events of the last. Fails after `limit` frames.
struct Played {
    int frames = 0;
    FrameEvents last;
};
inline Played FramesUntil(GameState& s, const FrameInput& in,
                          const std::function<bool(const GameState&)>& done, int limit = 5000) {
    Played played;
    while (played.frames < limit) {
        played.last = Frame(s, in);
        ++played.frames;
        if (done(s)) return played;
    }
    ADD_FAILURE() << "condition not reached in " << limit << " frames";
    return played;
}

inline bool InControl(const GameState& s) {
    return s.Man.Controlable;
}
inline bool Gliding(const GameState& s) {
    return !s.Man.Controlable;
}

}  // namespace RulesFixture
