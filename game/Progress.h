// The levels the player has reached in each pack, so that the pack list can
// start a later level as practice without clearing all before it. They are
// kept in one file in the player's data folder, replaced whole under a lock
// and merged (the furthest level of each pack wins), so two copies of the
// game ending together both keep theirs. A recording carries the levels
// reached at its start, so that its replay offers the pack list the same.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace KerboImplementation {

inline constexpr const char* ProgressFileName = "progress.txt";
// The key of the shipped levels; a pack's is its PackKey (which has a '-').
inline constexpr const char* ShippedProgressKey = "shipped";

// A pack's key -> the furthest level reached (levels 2 and on; level 1 is
// always there).
using Progress = std::map<std::string, uint32_t>;

// Where the progress is kept: the player's data folder, as the program's
// start chose it; "" keeps it for this run only (replays, tests, no folder).
extern std::string ProgressFile;
// The levels reached as this run knows them: read at its start (or from the
// recording it replays) and raised by every level reached since.
extern Progress ReachedLevels;

// The key of the pack in `packFolder` ("" for the shipped levels).
std::string ProgressKey(const std::string& packFolder);

// The file's text: a comment line, then one "key = level" line per pack.
std::string FormatProgress(const Progress& progress);
// The progress in the bytes; "" or what is wrong ("line 2: ..."). Blank
// lines and lines starting with '#' are skipped; any other fault makes the
// whole file unusable, and `progress` is then left empty.
std::string ParseProgress(std::string_view bytes, Progress& progress);
// Reads the file: missing means no progress; an unreadable or corrupt file
// means no progress too, with one line on standard error.
Progress ReadProgress(const std::string& path);

// The level a pack's game may start from: 1 up to the furthest reached,
// never past the pack's `levels`.
uint32_t ReachableLevel(const std::string& key, uint32_t levels);

// Level `level` of the pack `key` was reached: ReachedLevels rises, and the
// file (when there is one) is read, merged and replaced under its lock. A
// file that could not be read or understood is kept as `file`.bak first;
// one that is no regular file is left as it is (one line says so).
void NoteReached(const std::string& key, uint32_t level);

// The start of a run that plays (or records): ProgressFile in the player's
// data folder, what killed saves of it left removed, ReachedLevels read.
void SetUpProgress();

// The levels reached, as settings of a recording: ("reached", "key:level").
std::vector<std::pair<std::string, std::string>> ProgressSettings();
// A recorded "reached" setting's value into ReachedLevels; false for one
// this program can't read.
bool UseRecordedReached(const std::string& value);

}  // namespace KerboImplementation
