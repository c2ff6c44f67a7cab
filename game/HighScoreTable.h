// The high-score table: the three best scores with their players' names, and
// its file Highscores.txt (reading, entering a score, saving atomically).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/KerboImplementation.h"
#include "util/SafeFile.h"

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

// What a table's bytes hold. Each line is read on its own: leading blanks,
// the score (digits), one blank or tab, and the name up to the line end (CR
// LF, LF, a lone CR or Ctrl-Z); blank lines and a UTF-8 byte-order mark at
// the start are skipped. A bad line costs only itself.
struct HighScoreReading {
    HighScoreTable table{};             // the best three valid entries, best first
    std::vector<HighScoreEntry> valid;  // every valid entry, in the file's order
    std::vector<std::string> problems;  // one per line left out: "line 2 (\"...\"): why"
    // True when a rewrite would drop something the file holds: a bad line or
    // a fourth entry. Such a file is kept as a copy before it is replaced.
    bool Lossy() const { return !problems.empty() || valid.size() > table.size(); }
};
HighScoreReading ReadHighScoreBytes(std::string_view bytes);

// The table in the bytes (as ReadHighScoreBytes); empty when they hold
// exactly three valid entries and nothing else, else what was wrong, one
// finding a line.
std::string ParseHighScores(std::string_view bytes, HighScoreTable& table);
// Reads the table from a file; a missing or unreadable file and each bad
// entry are reported on standard error in one line, and read as above.
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

// Writing files whole and safely (util/SafeFile.h), used here for the table.
using StandardLib::FollowLinks;
using StandardLib::TryWriteFileAtomically;
using StandardLib::WriteFileAtomically;

// Removes what earlier saves of the table at `path` left behind when they were
// killed half way: temporary files of processes that are gone.
void RemoveStaleSaves(const std::string& path);

// CompareHighScore on a file of the caller's choice; the place (1 to 3) the
// score took when it entered the table and was saved, else 0. The table is
// read, merged and replaced under a lock (util/FileLock.h), so games ending
// together all get their scores in. A table that is no regular file, or is
// read-only, is left as it is (one line says so); a table the reader could
// not fully understand is kept as `path`.bak first.
std::size_t CompareHighScoreIn(const std::string& path, uint32_t score, const String& name);

}  // namespace KerboImplementation
