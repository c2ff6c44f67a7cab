// The rules of the game as functions of the rule state: reading the levels,
// the grid's geometry, setting up a game and a level attempt, and one frame
// of play. They read no device, wait for nothing, draw nothing, play no
// sound and read no clock: a frame takes the state and what the player did
// and gives back what happened (see State.h). Every speed is an amount per
// frame.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/rules/State.h"

namespace KerboImplementation {

// ---------------------------------------------------------------- cells

// The template for a cell kind.
const Blok& TemplateFor(Initial kind);
// The cell kind a level letter stands for; anything but the eleven cell
// letters becomes solid ceiling rather than something walkable.
Initial KindOf(char letter);

// ---------------------------------------------------------------- level files

// Reads level1.txt .. level10.txt from the working directory into s.Game
// (nothing while it holds a pack's levels: s.LevelsHeld). A missing or
// malformed file ends the program with one line on standard error naming
// the file, the line and column and what was found.
void InputLevels(GameState& s);
// Reads one level file into s.Game[k], or ends the program as above.
void ConfigureLevels(GameState& s, const std::string& filename, uint32_t k);
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
void Fall(float& y);         // one step down (0.4 pixel)
void Rise(float& y);         // one step up
// One step of Oska's glide to (TargetX, TargetY); on arrival he is
// controllable again. He faces the way he glides.
void AlineSmoothly(Personage& Man);
// The cell at a position, or nullptr when the position is outside the grid.
Blok* CellAt(HouseGrid& House, float x, float y);

// ---------------------------------------------------------------- set-up

// A new game: four lives, no points, level 1, the cats' speed of the difficulty.
void NewGame(GameState& s);
// An attempt at a level: Oska at his start, the cats at random places, the
// house rebuilt from the level's letters (read again unless held), its
// items numbered and the counters of an attempt back at zero.
void LoadLevel(GameState& s, uint32_t number);
// The items in a level's letters.
uint32_t HowManyItems(const GameState& s, uint32_t n);
// Gives the items of the house their worth and picture in reading order.
void CreateItems(HouseGrid& House);

// ---------------------------------------------------------------- one frame

// The frame's rules in their order: Oska, the cats, the pause key, the last
// trampoline's resting picture, the waves. What happened comes back in
// `events`; a door used or P holds the game still for HoldFramesPerStop
// frames. The frame's picture is drawn between the pause key and the waves.
void PlayerMovement(GameState& s, const FrameInput& in, FrameEvents& events);
void EnemyMovement(GameState& s, FrameEvents& events);
// P or a lost focus pauses the game (and holds it still a moment); once paused,
// every frame asks for the pause screen until the front end resumes play.
void PauseGame(GameState& s, const FrameInput& in, FrameEvents& events);
// Once a run of bounces is over (Jumps 0), the trampoline of the last bounce
// gets its resting picture back.
void RestoreLastTrampoline(GameState& s);
void MoveShockWaves(ShockWaves& ShockWaves);

// A wave from the door at (x, y), in slot NumberOfWaves + 1; none when the
// table is full.
void NewShockWave(float x, float y, Direction Direction, ShockWaves& ShockWaves);
// A wave in the cat's cell catches it: from then on it drifts with the wave.
void HitByShock(Enemy& Enemy, const ShockWave& ShockWave);
// A cat within a few pixels of Oska on his storey catches him.
void HitByEnemy(const Enemy& Enemy, Personage& Man, FrameEvents& events);
// The trampoline under (x, y + 25) shows the colour of `Jumps` bounces.
void HelpTrampoline(HouseGrid& House, float x, float y, uint32_t Jumps);

// A frame of the level card or of a hold (after a door use or P): counts it
// off and returns true; nothing else moves. False: the frame is played.
bool HoldStill(GameState& s);

// True when the attempt ends after the frame just played: all items found
// (this wins over the rest), Oska fallen into the bottom row, or caught.
bool AttemptOver(const GameState& s);

// After the frame that ended the attempt: how it ended (cleared, caught or
// fallen); a lost life is taken at once. EndShownFrames frames then show it.
AttemptEnd EndAttempt(GameState& s);
// One frame of that moment: counts it off and returns true; nothing moves.
// False once it is over.
bool ShowEnd(GameState& s);
// After the moment: a cleared level moves the game on to the next.
void LeaveAttempt(GameState& s);
// The points scored since the attempt began.
uint32_t AttemptPoints(const GameState& s);

}  // namespace KerboImplementation
