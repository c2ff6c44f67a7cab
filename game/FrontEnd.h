// The screens around the game: the start menu and its screens, the name
// entry and the high-score table, and the flat loop that runs them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "game/KerboImplementation.h"
#include "menu/StandardMenu.h"

namespace KerboImplementation {

// ---------------------------------------------------------------- start menu

// The difficulty selector's buttons: 0 down arrow, 1 up arrow, 2 back.
extern std::array<StandardMenu::ButtonRc, 3> SpinnerMenu;
// The three difficulty pictures, sharing one place: 0 easy, 1 medium, 2 hard.
extern std::array<StandardMenu::ButtonRc, 3> Difficulties;
// The start menu's background image (also behind the selector).
extern uint32_t Background;

void LoadStartMenu(std::span<StandardMenu::ButtonRc, 5> StartMenu);
void LoadDifficultySelector(std::span<StandardMenu::ButtonRc, 3> SpinnerMenu,
                            std::span<StandardMenu::ButtonRc, 3> Spinner);

// Runs the screens from `first` until the program ends, then says goodbye
// and closes the window. The window must be open.
void RunScreens(Screen first);
// The screen that follows the end of a game.
Screen AfterGame(GameEnd end);

// ---------------------------------------------------------------- comforts

// True while the name entry takes letters: M is one of them there.
extern bool NameEntryOpen;
// Makes M mute and unmute all sound wherever a key press takes effect.
void InstallComforts();

// ---------------------------------------------------------------- high scores

constexpr const char* HighScoreFileName = "Highscores.txt";
// The file the table is read from and saved to: HighScoreFileName in the
// working directory, unless SetUpInstallation placed it in the player's own folder.
extern std::string HighScoreFile;

struct HighScoreEntry {
    uint32_t Score = 0;
    String Name{};  // NUL-terminated when shorter than 25
};
using HighScoreTable = std::array<HighScoreEntry, 3>;

// Parses the file's bytes. Entries that are missing or malformed (and all
// after the first bad one) read as score 0 with an empty name; the result
// is empty when all three were good, else what was wrong.
std::string ParseHighScores(std::string_view bytes, HighScoreTable& table);
// Reads the table from a file; a missing, unreadable or malformed file is
// reported on standard error in one line and read as above.
HighScoreTable ReadHighScores(const std::string& path);

// Offers a score to the table: it goes in at the first place whose score is
// lower, after any equal ones, and the last entry falls out. True when it went in.
bool EnterScore(HighScoreTable& table, uint32_t score, const String& name);

// The file's bytes: each line the score right-aligned in 10 characters, a
// blank, the name up to its first NUL and CR LF; the last line's CR LF only
// when lineEndAfterLast.
std::string FormatHighScores(const HighScoreTable& table, bool lineEndAfterLast);

// Replaces the file's contents as a whole: the bytes go to a temporary file
// in the same folder, which is flushed to disk and renamed over the old one.
// On failure the old file is untouched, one line on standard error says
// why, and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// CompareHighScore on a file of the caller's choice.
void CompareHighScoreIn(const std::string& path, uint32_t score, const String& name);

}  // namespace KerboImplementation
