// KerboImplementation: the game itself. Its state (the house, Oska, the cats,
// the shock waves, the counters and the image and sound handles) lives in
// module variables declared here; the rules work on them directly, one file
// per mechanic:
//   State.cpp        the variables and their program-start values
//   LevelFiles.cpp   reading level1.txt .. level10.txt
//   LevelPacks.cpp   a pack of one's own levels: read, played, checked (LevelPacks.h)
//   Geometry.cpp     pixels <-> cells, centring, falling, the glide
//   SetUp.cpp        a new game and a new level attempt
//   Loop.cpp         a game, a level attempt and the frame loop
//   Drawing.cpp      the game screen
//   Player.cpp       Oska's movement
//   Trampolines.cpp  bouncing and wearing out
//   Doors.cpp        doors and shock waves
//   Cats.cpp         the cats
//   Pause.cpp, EndScreens.cpp, Menus.cpp, HighScores.cpp, Program.cpp: the screens around the game
//   EditorLink.cpp   the way into the level editor (editor/), which is built on the game
//
// Conventions: positions are float pixels (single precision, rounded at
// every store), cells and cats are counted from 1 (Array1), every speed is
// an amount per frame and nothing here reads the clock.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/Array1.h"
#include "game/Assets.h"

namespace KerboImplementation {

// ---------------------------------------------------------------- types

// The kind of a cell, named by its letter in the level files.
enum class Initial : uint8_t { p, w, e, n, d, D, s, S, t, c, i };
// p passage, w wall, e shaft, n top of a shaft, d/D door (left/right hand),
// s/S shock door (left/right), t trampoline, c ceiling, i item.

enum class ItemInitial : uint8_t { i1, i2, i3, i4, i5 };

// All is only ever passed to the player's key handling ("either arrow").
enum class Direction : uint8_t { All, Right, Left };

enum class Difficulty : uint8_t { Easy, Medium, Hard };

// One cell of the house.
struct Blok {
    ::KerboImplementation::Initial Initial = ::KerboImplementation::Initial::p;
    uint32_t Bitmap = 0;  // 50 x 50 image handle
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

using String = std::array<char, 25>;  // NUL-terminated when shorter

// Oska. (x, y) is the anchor of his 35 x 35 sprite, drawn at (x - 18, y - 27).
struct Personage {
    float x = 0, y = 0;
    bool HaveToFall = false;  // in a shaft or on a trampoline: moving down
    uint32_t Bitmap = 0, MaskBitmap = 0;
    bool Controlable = false;  // false while he glides to (TargetX, TargetY)
    float TargetX = 0, TargetY = 0;
    bool Hit = false;  // a cat caught him
    uint32_t PersonalWalkTime = 0;
};

struct Enemy {
    float x = 0, y = 0;
    bool HaveToFall = false;
    uint32_t Bitmap = 0, MaskBitmap = 0;
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
    uint32_t Bitmap = 0, MaskBitmap = 0;
};

constexpr std::size_t MaxWaves = 25;  // also the most shock doors a level may have

struct ShockWaves {
    uint32_t NumberOfWaves = 0;  // waves made this attempt; wave k lives in slot k
    Array1<ShockWave, MaxWaves> Waves;
};

struct PersonageBitmaps {
    uint32_t Left1 = 0, Right1 = 0, LeftMask1 = 0, RightMask1 = 0;
    uint32_t Left2 = 0, Right2 = 0, LeftMask2 = 0, RightMask2 = 0;
};
struct AllTrampolineBitmaps {
    uint32_t Green = 0, Blue = 0, Yellow = 0, Red = 0;
};
struct AllDoorBitmaps {
    uint32_t LeftOpen = 0, LeftClosed = 0, RightOpen = 0, RightClosed = 0;
    uint32_t ShockLeftOpen = 0, ShockLeftClosed = 0, ShockRightOpen = 0, ShockRightClosed = 0;
};
struct AllItemBitmaps {
    uint32_t Item1 = 0, Item2 = 0, Item3 = 0, Item4 = 0, Item5 = 0;
};
struct AllShockWaveBitmaps {
    uint32_t Left = 0, MaskLeft = 0, Right = 0, MaskRight = 0;
};

// The roles of the game's sound handles in Music.
enum MusicRole : std::size_t { DeathSound = 1, GameOverTune, LevelClearedTune, Theme, WinTune };

constexpr std::size_t MaxEnemies = 300;

// ---------------------------------------------------------------- state

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
};

// The game in play. The names below are its parts, as the screens, the
// editor and the tests know them.
extern GameState World;
inline TotalGame& Game = World.Game;
inline HouseGrid& House = World.House;
inline Personage& Man = World.Man;
inline Array1<Enemy, MaxEnemies>& EnemyArr = World.EnemyArr;
inline uint32_t& CurrentAmountOfEnemy = World.CurrentAmountOfEnemy;
inline ShockWaves& AllShockWaves = World.AllShockWaves;
inline uint32_t& Score = World.Score;
inline uint32_t& Lifes = World.Lifes;
inline uint32_t& ActualLevel = World.ActualLevel;
inline uint32_t& Jumps = World.Jumps;
inline uint32_t& ItemsTotal = World.ItemsTotal;
inline uint32_t& ItemsFound = World.ItemsFound;
inline bool& Pause = World.Pause;
inline float& RelativeSpeedCatX = World.RelativeSpeedCatX;
inline Difficulty& LevelDifficulty = World.LevelDifficulty;
inline float& TrampolineX = World.TrampolineX;
inline float& TrampolineY = World.TrampolineY;
inline uint32_t& LevelCount = World.LevelCount;
inline bool& LevelsHeld = World.LevelsHeld;

extern Array1<uint32_t, 5> Music;  // sound handles by MusicRole
extern String PlayerName;
extern std::string PackFolder;  // the pack in play (absolute); "" for the shipped levels

extern PersonageBitmaps ManBitmaps;
extern AllTrampolineBitmaps TrampolineBitmaps;
extern AllDoorBitmaps DoorBitmaps;
extern AllItemBitmaps ItemBitmaps;
extern AllShockWaveBitmaps ShockWaveBitmaps;

// The template each cell kind is copied from.
extern Blok Passage, Wall, Elevator, EndElevator, DoorLeft, DoorRight, ShockDoorLeft, ShockDoorRight,
    Trampoline, Ceiling, Item;

// Puts every variable above back to its program-start value (all zero,
// LevelDifficulty Easy, the ten shipped levels). For tests and replays.
void ResetState();

// The template for a cell kind.
const Blok& TemplateFor(Initial kind);
// The cell kind a level letter stands for; anything but the eleven cell
// letters becomes solid ceiling rather than something walkable.
Initial KindOf(char letter);

// ---------------------------------------------------------------- level files

// Reads level1.txt .. level10.txt from the working directory into Game
// (nothing while Game holds a pack's levels: LevelsHeld).
// A missing or malformed file ends the program with one line on standard
// error naming the file, the line and column and what was found.
void InputLevels();
void ConfigureLevels(const std::string& filename, uint32_t k);

// Parses one level file's bytes into a level. Returns an empty string when
// the level is good, else the reason ("line 4, column 7: found ' '...").
std::string ParseLevel(std::string_view bytes, Level& level);
// Reads and parses a file; the error names the file too.
std::string ReadLevelFile(const std::string& filename, Level& level);

// ---------------------------------------------------------------- geometry

uint32_t WhereAmI(float x);  // the column of an x or the row of a y (0 for a negative value)
float Middle(float x);       // the centre of that column (or row)
void CenterX(float& x);      // x onto its column's centre
void CenterY(float& y);      // y to its row's walking height
void Fall(float& y);
void Rise(float& y);
void AlineSmoothly(Personage& Man);  // one step of the glide to (TargetX, TargetY)

// The cell at a position, or nullptr when the position is outside the grid.
Blok* CellAt(float x, float y);

// ---------------------------------------------------------------- set-up

void LoadGame();
void LoadLevel(uint32_t Level);
uint32_t HowManyItems(uint32_t n);
void CreateItems();

// ---------------------------------------------------------------- the game loop

// The frame rate of play: every speed in the rules is per frame.
constexpr uint32_t FramesPerSecond = 250;

enum class GameEnd : uint8_t { Lost, Won, QuitToMenu, WindowClosed };
enum class LevelEnd : uint8_t { Cleared, Lost, QuitToMenu, WindowClosed };

GameEnd PlayGame();
LevelEnd PlayLevel(uint32_t Level);

// One frame of play, drawn and shown but not paced; false when the player left
// the game from the pause screen (or the window was closed there).
bool PlayFrame();

// True when the attempt ends after the frame just played: all items found
// (this wins over the rest), Oska fallen into the bottom row, or caught.
bool AttemptOver();

// ---------------------------------------------------------------- drawing

void DrawEverything();
void DrawHouse();
void TextDuringGame();

// ---------------------------------------------------------------- the player

void PlayerMovement();
void Key(float& x, uint32_t& Bitmap, uint32_t& MaskBitmap, uint32_t& PersonalWalkTime, Direction WhichKeys);
void MovePassage(Personage& Man);
void MoveWall(Personage& Man);
void MoveElevator(Personage& Man);
void MoveEndElevator(Personage& Man);
void MoveItem(Personage& Man, uint32_t& Points);
void MoveDoor(Personage& Man, bool& DoorOpen);

// ---------------------------------------------------------------- trampolines

void MoveTrampoline(Personage& Man);
void HelpTrampoline(float x, float y, uint32_t& Jumps);
// Once a run of bounces is over (Jumps 0), the trampoline of the last bounce
// gets its resting picture back. A rule of every frame, run before the frame
// is drawn, whether or not it is drawn.
void RestoreLastTrampoline();

// ---------------------------------------------------------------- doors and shock waves

void UseDoor(float& x, float& y, bool& DoorOpen);
void HelpUseDoor(float x, float y, bool& DoorOpen);
void NewShockWave(float x, float y, Direction Direction, ShockWaves& ShockWaves);
void MoveShockWaves(ShockWaves& ShockWaves);
void DrawShockWaves(const ShockWaves& ShockWaves);

// ---------------------------------------------------------------- cats

void EnemyMovement();
void HitByShock(Enemy& Enemy, ShockWave ShockWave);
void MoveEnemyPassage(Enemy& Enemy);
void MoveEnemyDoor(Enemy& Enemy, bool DoorOpen);
void MoveEnemyWall(Enemy& Enemy);
void MoveEnemyElevator(Enemy& Enemy);
void MoveEnemyEndElevator(Enemy& Enemy);
void MoveEnemyTrampoline(Enemy& Enemy);
void HitByEnemy(Enemy Enemy, Personage& Man);

// ---------------------------------------------------------------- sounds

// Starts one of the game's tunes in its place in Music at volume 200;
// silent when the sound device is unavailable.
void PlayTune(MusicRole role, const Assets::Sound& sound, bool repeat);
// An effect at the mixer's default volume (item pickup, trampoline landing).
void PlayEffect(const Assets::Sound& sound);

// ---------------------------------------------------------------- pause and end screens

// Watches P and shows the pause screen. Returns false when the player left
// the game from it (quit to menu) or the window was closed.
bool PauseGame(bool& Pause);

// The screens of the front end. Each returns the screen that follows, so
// the program runs them in a flat loop however often a game is retried.
enum class Screen : uint8_t { StartMenu, NewGame, Exit };

Screen GameOver();
Screen YouWin();

// ---------------------------------------------------------------- front end

void TotalProgram();
Screen Menu();
void Controls();
void Story();
void Quit();
void SelectDifficulty(uint32_t& level);
void AskName();
// Offers the game's score to the high-score table and saves it; the place
// (1 to 3) it took, or 0 when it stayed out or could not be saved.
std::size_t CompareHighScore();
void Highscores();

}  // namespace KerboImplementation
