// Finished games kept as recordings in the player's data folder, to be
// watched again from the high-score screen: for each high-score table, its
// last ten games and the game behind each of its entries, for as long as
// the entry stands. The table's own file is left as it is: an entry's game
// is found by a name made from the entry's score and name.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "game/HighScoreTable.h"
#include "game/KerboImplementation.h"

namespace KerboImplementation {

// The folder every table's games are kept under, ending in '/' (games/ in
// the player's data folder); "" keeps none. Set when play starts.
extern std::string KeptGamesRoot;
inline constexpr std::size_t KeptLastGames = 10;

// Sets KeptGamesRoot from the player's data folder; without one, a line says
// so and no game is kept.
void SetUpKeptGames();

// The folder of the games of the table in play: KeptGamesRoot and the
// table's file name without ".txt" (Highscores/, Highscores-<pack>-<hash>/).
std::string KeptGamesFolder();

// Keeping the game about to start (not in a replay, nor without a folder):
// its input goes into memory from here, beside a recording to a file.
void StartKeepingGame();
// The game has ended: one that was lost, won or left from the pause screen
// is written (atomically) as the newest of its table's last games, and the
// oldest beyond ten go; an abandoned one (the window closed) is dropped.
void StopKeepingGame(GameEnd end);
// After the game just kept was offered to the table (place 1 to 3, or 0):
// its recording goes with the entry it made, and the recordings of entries
// no longer in the table go.
void KeepEntryGame(std::size_t place);

// The recording of a table entry's game, of the last game kept: its path,
// or "" when none is kept.
std::string EntryGameFile(const HighScoreEntry& entry);
std::string LastGameFile();

// A kept game's recording begins with what its game started from: the
// difficulty, the random generator, the player's name, the pointer, the
// pack, the practice level and the keys (the pause screen takes the chosen
// pause key; a replay reads them). IsKeptGame tells such a recording by its
// settings; UseKeptGameSettings puts them into the game in play (the pack
// and the pointer into `start`, for the caller), or says what is wrong.
struct KeptGameStart {
    std::string pack;                    // the pack's folder; "" for the shipped levels
    int32_t pointerX = 0, pointerY = 0;  // where the pointer was as the game began
};
bool IsKeptGame(const std::vector<std::pair<std::string, std::string>>& settings);
bool UseKeptGameSettings(const std::vector<std::pair<std::string, std::string>>& settings,
                         KeptGameStart& start, std::string& error);

}  // namespace KerboImplementation
