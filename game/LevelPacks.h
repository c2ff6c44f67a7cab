// Level packs: a folder of one's own levels, level1.txt .. levelN.txt (N from
// 1 to 10, no gaps) in the level format. The game plays a pack instead of the
// shipped levels (kerbo --levels), checks one (kerbo --check-levels), and the
// level editor reads and writes one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "game/KerboImplementation.h"

namespace KerboImplementation {

// "level3.txt".
std::string LevelFileName(uint32_t k);
// The file of level k of the pack in `folder`.
std::string LevelPath(const std::string& folder, uint32_t k);

// How many levels the folder holds (level1.txt up to the first missing one).
// Returns "" when they make a pack, else the problem in one line naming the
// file: no level1.txt, a gap before a later file, a level11.txt or beyond.
std::string ListPack(const std::string& folder, uint32_t& count);

// False when nothing is at `folder`, or it can be listed and holds no
// level<n>.txt at all (a new pack); a folder that can't be listed is left to
// ListPack to explain.
bool HoldsLevelFiles(const std::string& folder);

// Reads every level of the pack in `folder` into levels[1..count]. Returns ""
// or the first problem in one line naming the file (and the line and column
// for a malformed one); `levels` and `count` are only changed on success.
std::string ReadPack(const std::string& folder, TotalGame& levels, uint32_t& count);

// Plays the pack in `folder` from now on: Game holds its levels (read once,
// here) and the game is won after its last. Returns "" or the problem; on a
// problem the levels in play stay as they were.
std::string UsePack(const std::string& folder);

// A pack's own words from its pack.txt: "title = ..." and "author = ...".
// Without a pack.txt the title is the folder's name and the author blank;
// a pack.txt that can't be read or holds another line gives `problem` in one
// line naming the file, and the folder's name with no author.
inline constexpr const char* PackInfoFile = "pack.txt";
inline constexpr std::size_t PackInfoLength = 30;  // characters at most in a title or an author
struct PackInfo {
    std::string title;
    std::string author;
    std::string problem;
    bool titled = false;  // the title is pack.txt's own, not the folder's name
};
PackInfo ReadPackInfo(const std::string& folder);
// What pack.txt holds for a title and an author.
std::string PackInfoText(const std::string& title, const std::string& author);
// Writes pack.txt on its own; false when it can't be written.
bool WritePackInfo(const std::string& folder, const std::string& title, const std::string& author);

// The pack's name, for its high-score table: the folder's last part.
std::string PackName(const std::string& folder);

// kerbo --check-levels: one line per level file of `folder` on `out`,
// "level3.txt: ok, ..." or its faults, and a line for a missing or surplus
// file. True only when every level passes.
bool CheckLevels(const std::string& folder, std::ostream& out);

}  // namespace KerboImplementation
