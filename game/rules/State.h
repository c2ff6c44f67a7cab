// The rule state: the house and its cells, Oska, the cats, the shock waves
// and the counters, all in one value (GameState), and the two records a
// frame of the rules trades with the front end: what the player did
// (FrameInput) and what happened (FrameEvents). Nothing here names an image
// or a sound; what a cell or a sprite shows is a Picture, a role that the
// front end draws with an image of its own.
#pragma once

#include <array>
#include <cstdint>

#include "game/rules/Array1.h"
#include "util/StandardLib.h"

namespace KerboImplementation {

// The kind of a cell, named by its letter in the level files.
enum class Initial : uint8_t { p, w, e, n, d, D, s, S, t, c, i };
// p passage, w wall, e shaft, n top of a shaft, d/D door (left/right hand),
// s/S shock door (left/right), t trampoline, c ceiling, i item.

enum class ItemInitial : uint8_t { i1, i2, i3, i4, i5 };

// All is only ever passed to the player's key handling ("either arrow").
enum class Direction : uint8_t { All, Right, Left };

enum class Difficulty : uint8_t { Easy, Medium, Hard };

// How an attempt ended, shown for a moment before the next level card.
enum class AttemptEnd : uint8_t { None, Caught, Fell, Cleared };

// What a cell or Oska shows. Waves show their direction's picture and cats
// all look alike, so neither needs one.
enum class Picture : uint8_t {
    None,
    Passage,
    Wall,
    Shaft,
    ShaftTop,
    Ceiling,
    TrampolineGreen,
    TrampolineBlue,
    TrampolineYellow,
    TrampolineRed,
    DoorLeftOpen,
    DoorLeftClosed,
    DoorRightOpen,
    DoorRightClosed,
    ShockLeftOpen,
    ShockLeftClosed,
    ShockRightOpen,
    ShockRightClosed,
    Item1,
    Item2,
    Item3,
    Item4,
    Item5,
    OskaLeft1,
    OskaLeft2,
    OskaRight1,
    OskaRight2,
};
constexpr std::size_t PictureCount = static_cast<std::size_t>(Picture::OskaRight2) + 1;

// One cell of the house.
struct Blok {
    ::KerboImplementation::Initial Initial = ::KerboImplementation::Initial::p;
    Picture Look = Picture::None;
    bool DoorOpen = false;
    ItemInitial WhichItem = ItemInitial::i1;
    uint32_t Points = 0;  // an item's worth, 0 for every other cell
};

constexpr std::size_t Rows = 10;
constexpr std::size_t Columns = 16;
constexpr uint32_t CellSize = 50;

using Level = Array1<Array1<char, Columns>, Rows>;  // one level as letters
constexpr uint32_t MostLevels = 10;                 // a game, or a pack, of at most ten levels
using TotalGame = Array1<Level, MostLevels>;        // the ten levels
using HouseGrid = Array1<Array1<Blok, Columns>, Rows>;

// Oska. (x, y) is the anchor of his 35 x 35 sprite, drawn at (x - 18, y - 27).
struct Personage {
    float x = 0, y = 0;
    bool HaveToFall = false;  // in a shaft or on a trampoline: moving down
    Picture Look = Picture::None;
    bool Controlable = false;  // false while he glides to (TargetX, TargetY)
    float TargetX = 0, TargetY = 0;
    bool Hit = false;  // a cat caught him
    uint32_t PersonalWalkTime = 0;
};

struct Enemy {
    float x = 0, y = 0;
    bool HaveToFall = false;
    bool Controlable = false;  // false once a shock wave carries it
    bool StillExisting = false;
    float TargetX = 0, TargetY = 0;  // unused by the cats' rules
    ::KerboImplementation::Direction Direction = ::KerboImplementation::Direction::All;
    float FloorHeight = 0;  // the y at which a cat riding a shaft steps off
    bool HitByShock = false;
};

// (x, y) is the top-left corner of the wave's 35 x 35 image.
struct ShockWave {
    float x = 0, y = 0;
    bool StillExisting = false;
    ::KerboImplementation::Direction Direction = ::KerboImplementation::Direction::All;
};

constexpr std::size_t MaxWaves = 25;  // also the most shock doors a level may have

struct ShockWaves {
    uint32_t NumberOfWaves = 0;  // waves made this attempt; wave k lives in slot k
    Array1<ShockWave, MaxWaves> Waves;
};

constexpr std::size_t MaxEnemies = 300;

// The frame rate of play: every speed in the rules is an amount per frame.
constexpr uint32_t FramesPerSecond = 250;
// Frames the game holds still after a door use or P (200 ms), and frames
// of the card that opens every level attempt (2 s).
constexpr uint32_t HoldFramesPerStop = FramesPerSecond / 5;
constexpr uint32_t LevelCardFrames = 2 * FramesPerSecond;
// Frames that show how an attempt ended (1 s): long enough to read the word
// and the changed counter, short beside the card that follows.
constexpr uint32_t EndShownFrames = FramesPerSecond;

// All that the rules change, in one value: a new game starts from a fresh
// one, the editor's test play works on a copy, and a copy compares whole.
struct GameState {
    TotalGame Game;  // the levels in play (LevelsHeld: a pack's, else read at every attempt)
    HouseGrid House;
    Personage Man;
    Array1<Enemy, MaxEnemies> EnemyArr;
    uint32_t CurrentAmountOfEnemy = 0;
    ShockWaves AllShockWaves;
    uint32_t Score = 0;
    uint32_t Lifes = 0;
    uint32_t ActualLevel = 0;  // 1..LevelCount, one more once the last is cleared
    uint32_t Jumps = 0;        // bounces in a row, 0..3
    uint32_t ItemsTotal = 0;
    uint32_t ItemsFound = 0;
    bool Pause = false;
    float RelativeSpeedCatX = 0.0f;
    Difficulty LevelDifficulty = Difficulty::Easy;
    float TrampolineX = 0.0f, TrampolineY = 0.0f;  // the last bounce; 0 until the first
    uint32_t LevelCount = MostLevels;              // the game is won after this level
    bool LevelsHeld = false;                       // Game holds the levels: LoadLevel reads no file
    uint32_t HoldFrames = 0;                       // frames the game still holds still (a door, P)
    uint32_t CardFrames = 0;                       // frames the level card is still shown
    AttemptEnd End = AttemptEnd::None;             // how the attempt ended, while that is shown
    uint32_t EndFrames = 0;                        // frames that still show it
    uint32_t ScoreAtStart = 0;                     // the score when the attempt began
    uint32_t Seed = StandardLib::StartSeed;        // the random generator's state: the cats' draws
};

// What the player does in one frame, read once from the devices by the
// front end (or from a recording): the rules see nothing else of him.
struct FrameInput {
    bool Left = false;
    bool Right = false;
    bool DoorKey = false;    // X
    bool PauseKey = false;   // P
    bool FocusLost = false;  // the window lost the focus since the last frame
};

// What a frame of the rules did that the front end shows or plays.
struct FrameEvents {
    bool ItemTaken = false;   // an item was collected
    bool Bounced = false;     // Oska landed on a trampoline
    bool Caught = false;      // a cat touched him
    bool DoorUsed = false;    // X opened or closed a door: the game holds still a moment
    bool Paused = false;      // P or a lost focus paused the game: it holds still a moment
    bool PauseShown = false;  // the game is paused: the front end shows the pause screen
};

// The template each cell kind is copied from: its kind and its picture,
// doors closed and trampolines green.
inline constexpr Blok Passage{Initial::p, Picture::Passage};
inline constexpr Blok Wall{Initial::w, Picture::Wall};
inline constexpr Blok Elevator{Initial::e, Picture::Shaft};
inline constexpr Blok EndElevator{Initial::n, Picture::ShaftTop};
inline constexpr Blok DoorLeft{Initial::d, Picture::DoorLeftClosed};
inline constexpr Blok DoorRight{Initial::D, Picture::DoorRightClosed};
inline constexpr Blok ShockDoorLeft{Initial::s, Picture::ShockLeftClosed};
inline constexpr Blok ShockDoorRight{Initial::S, Picture::ShockRightClosed};
inline constexpr Blok Trampoline{Initial::t, Picture::TrampolineGreen};
inline constexpr Blok Ceiling{Initial::c, Picture::Ceiling};
inline constexpr Blok Item{Initial::i, Picture::None};  // each item gets its own picture from CreateItems

}  // namespace KerboImplementation
