// The high-score table: the three best scores with their players' names, and
// its file Highscores.txt (reading, entering a score, saving atomically).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/KerboImplementation.h"

namespace KerboImplementation {

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

// The place (1 to 3) a score would take in the table: the first whose score
// is lower, after any equal ones; 0 when it stays out.
std::size_t PlaceFor(const HighScoreTable& table, uint32_t score);
// Offers a score to the table: it goes in at PlaceFor and the last entry
// falls out. True when it went in.
bool EnterScore(HighScoreTable& table, uint32_t score, const String& name);

// The file's bytes: each line the score right-aligned in 10 characters, a
// blank, the name up to its first NUL and CR LF; the last line's CR LF only
// when lineEndAfterLast.
std::string FormatHighScores(const HighScoreTable& table, bool lineEndAfterLast);

// Replaces the file's contents as a whole: the bytes go to a temporary file
// in the same folder, which is flushed to disk and renamed over the old one.
// On failure the old file is untouched, one line on standard error says
// why (naming `what` was being saved), and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string_view what = "the high scores");

// CompareHighScore on a file of the caller's choice.
std::size_t CompareHighScoreIn(const std::string& path, uint32_t score, const String& name);

}  // namespace KerboImplementation
