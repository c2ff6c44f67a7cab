// KerboImplementation: the game itself. The rules live in game/rules/ (a
// library of their own that knows no window and no sound: Rules.h); this
// header is the front end that plays them: the game in play (World), a
// game, a level attempt and the frame loop that reads the devices once per
// frame, draws the state and plays the sounds the rules report, and the
// screens around the game:
//   State.cpp        the game in play and the front end's variables
//   Pictures.cpp     the images the game screen is drawn with, by role
//   Loop.cpp         a game, a level attempt and the frame
//   Drawing.cpp      the game screen
//   Sounds.cpp       the tunes and effects
//   LevelPacks.cpp   a pack of one's own levels: read, played, checked (LevelPacks.h)
//   Progress.cpp     the levels reached in each pack, started again as practice (Progress.h)
//   Pause.cpp, EndScreens.cpp, Menus.cpp, HighScores.cpp, Program.cpp: the screens around the game
//   KeptGames.cpp, Watch.cpp: finished games kept as recordings, and watched again
//   EditorLink.cpp   the way into the level editor (editor/), which is built on the game
//
// Conventions: positions are float pixels (single precision, rounded at
// every store), cells and cats are counted from 1 (Array1), every speed is
// an amount per frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/Assets.h"
#include "game/rules/Rules.h"

namespace KerboImplementation {

// ---------------------------------------------------------------- the game in play

using String = std::array<char, 25>;  // NUL-terminated when shorter

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

// The roles of the game's sound handles in Music.
enum MusicRole : std::size_t { DeathSound = 1, GameOverTune, LevelClearedTune, Theme, WinTune };

extern Array1<uint32_t, 5> Music;  // sound handles by MusicRole
extern String PlayerName;
extern std::string PackFolder;  // the pack in play (absolute); "" for the shipped levels
// The pack's status-band lines, made once when it is chosen so that
// drawing allocates nothing: its title, its author, and its level count.
extern std::string PackTitleLine;
extern std::string PackLevelsLine;
extern std::string PackCountLine;
// "Pack: 'title' by author, N levels", for the start menu and the story.
extern std::string PackNameLine;
// The level a practice game starts from (chosen in the pack list); 0 for a
// normal game. A practice game never enters the high-score table.
extern uint32_t PracticeLevel;
inline bool Practising() {
    return PracticeLevel != 0;
}

// Puts the game in play and every variable above back to its program-start
// value (all zero, LevelDifficulty Easy, the ten shipped levels, no level
// reached). For tests and replays.
void ResetState();

// The game in play's cell at a position, or nullptr outside the grid.
Blok* CellAt(float x, float y);

// ---------------------------------------------------------------- pictures

// The images the game screen is drawn with, loaded once per game: one per
// Picture, the masks of Oska's pictures, the waves' and the cats'.
struct GamePictures {
    std::array<uint32_t, PictureCount> image{};
    std::array<uint32_t, PictureCount> mask{};  // Oska's pictures only
    uint32_t waveLeft = 0, waveLeftMask = 0, waveRight = 0, waveRightMask = 0;
    uint32_t cat = 0, catMask = 0;
};
extern GamePictures Pictures;
void LoadGamePictures();
inline uint32_t PictureBitmap(Picture picture) {
    return Pictures.image[static_cast<std::size_t>(picture)];
}

// ---------------------------------------------------------------- the game loop

enum class GameEnd : uint8_t { Lost, Won, QuitToMenu, WindowClosed };
enum class LevelEnd : uint8_t { Cleared, Lost, QuitToMenu, WindowClosed };

// A new game in play (NewGame) and the game screen's images.
void LoadGame();
// An attempt at a level of the game in play.
void LoadLevel(uint32_t number);

// A whole game: attempts until the lives are gone or the last level is cleared.
GameEnd PlayGame();
// One attempt: the level card's frames, then frames of play until it ends;
// a cleared level counts on to the next, a lost one costs a life.
LevelEnd PlayLevel(uint32_t number);

// What the player does now: the arrows, X, P and a lost focus, read once.
FrameInput ReadFrameInput();

// One frame of play (or of a hold, in which nothing moves), drawn and shown
// but not paced; false when the player left the game from the pause screen
// (or the window was closed there).
bool PlayFrame();

// True when the attempt in play ends after the frame just played.
bool AttemptOver();

// ---------------------------------------------------------------- watching a kept game

// While a kept game is watched (Watch.cpp), the frames above take its
// recorded moves instead of the devices' and run at WatchSpeed times the
// game's pace; between frames the viewer may speed it up or leave.
bool Watching();
// The next frame's recorded moves; false when none is left.
bool WatchedMoves(uint8_t& moves);
// The watched game paused: it goes on (true) where its player resumed.
bool WatchedPause();
// Reads the viewer's keys and clicks; false when the viewer leaves (always
// true when nothing is watched).
bool WatchGoesOn();
uint32_t WatchSpeed();  // 1 when nothing is watched
// The line that names the watching keys, over the frame just drawn.
void DrawWatchLine();
// Shows the kept game recorded in `file` from its start, at the game's pace,
// until it ends or the viewer leaves; the game in play, the name and the
// difficulty are as before afterwards. "" or, for a recording that can't be
// shown, why (in one line).
std::string WatchGame(const std::string& file);

// ---------------------------------------------------------------- drawing

// The game screen of the game in play, back to front: house, waves, Oska,
// cats, the status band and the bar under it.
void DrawEverything();
void DrawHouse(uint32_t fromRow = 1);               // every cell's picture from that row down
void DrawShockWaves(const ShockWaves& ShockWaves);  // the live waves, by direction
void TextDuringGame();                              // the status band's texts and counts
// Whether a lost Oska is drawn white in this frame of the moment after an attempt.
bool OskaFlashes();

// ---------------------------------------------------------------- sounds

// Starts one of the game's tunes in its place in Music at volume 200;
// silent when the sound device is unavailable.
void PlayTune(MusicRole role, const Assets::Sound& sound, bool repeat);
// An effect at the mixer's default volume (item pickup, trampoline landing).
void PlayEffect(const Assets::Sound& sound);
// The sounds of what a frame did.
void PlayFrameSounds(const FrameEvents& events);

// ---------------------------------------------------------------- pause and end screens

// The pause screen, while the game in play is paused. Returns false when the
// player left the game from it (quit to menu) or the window was closed.
bool PauseScreen();

// The screens of the front end. Each returns the screen that follows, so
// the program runs them in a flat loop however often a game is retried.
enum class Screen : uint8_t { StartMenu, NewGame, Exit };

Screen GameOver();  // the game-over screen: a new game or the start menu
Screen YouWin();    // the win screen: the same choice

// ---------------------------------------------------------------- front end

void TotalProgram();  // opens the window and runs the screens until the player quits
// For the replay of a kept game: opens the window, puts the pointer where it
// was as the game began and plays the game alone, its replay's points
// counted from its start.
void KeptGameProgram(int32_t pointerX, int32_t pointerY);
Screen Menu();                           // the start menu: what the player chose
void Controls();                         // the controls screen, until Back
void Story();                            // the story screen, until X
void Quit();                             // the farewell on the console
void SelectDifficulty(uint32_t& level);  // the difficulty selector: level 0 easy, 1 medium, 2 hard
void AskName();                          // the name entry into PlayerName, until X
// Offers the game's score to the high-score table and saves it; the place
// (1 to 3) it took, or 0 when it stayed out or could not be saved.
std::size_t CompareHighScore();
void Highscores();  // the high-score screen, until X

}  // namespace KerboImplementation
