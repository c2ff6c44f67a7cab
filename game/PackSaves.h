// Saving a level pack's files all or nothing. The new files are written into
// a staging folder inside the pack first, then switched in; a save killed
// half way is rolled back (still staging) or finished (switching) by the next
// open of the pack, so the folder only ever holds the old pack or the new one.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace KerboImplementation {

// The names the staging folder has while it fills and once it is complete,
// followed by the saving process's number and '-XXXXXX'.
inline constexpr const char* PackStagingPrefix = ".saving-";
inline constexpr const char* PackSwitchingPrefix = ".switching-";
// Inside it: the new pack's level count.
inline constexpr const char* PackCountFile = "count";

// The file whose lock (util/FileLock.h) a save of the pack in `folder` holds.
std::string PackLockFile(const std::string& folder);

// Replaces the levels numbered in `changed` (number -> the file's text) and
// removes the files past `count`, with the caller holding the pack's lock;
// with `packInfo`, pack.txt is replaced by that text in the same switch.
// "" or the problem; on a problem before the switch the folder is as it was.
std::string SavePackFiles(const std::string& folder, const std::map<uint32_t, std::string>& changed,
                          uint32_t count, const std::string* packInfo = nullptr);

// What saves of ended processes left in `folder`: a staging folder still
// filling is removed, a complete one switched in, and the temporary files of
// single-file saves (levelN.txt.saving-...) removed.
void FinishPackSaves(const std::string& folder);

}  // namespace KerboImplementation
