// Opening the files the game reads and writes without trusting what stands
// under their names: a folder, a pipe nobody writes to, a device that never
// ends or a file far too large must cost one clear reason, never a hang.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace StandardLib {

// The most each kind of file may hold (README, "Files the game reads").
inline constexpr std::size_t MaxLevelBytes = std::size_t(64) << 10;
inline constexpr std::size_t MaxHighScoreBytes = std::size_t(64) << 10;
inline constexpr std::size_t MaxImageBytes = std::size_t(65) << 20;  // 4096 x 4096 at 32 bits, and headers
inline constexpr std::size_t MaxSoundBytes = std::size_t(8) << 20;
inline constexpr std::size_t MaxRecordingBytes = std::size_t(64) << 20;
inline constexpr std::size_t MaxSettingsBytes = std::size_t(64) << 10;

struct FileRead {
    bool ok = false;
    bool missing = false;  // nothing by that name (or a link to nothing)
    std::string why;       // when not ok: the reason in a few words, e.g. "is a folder"
};

// Reads the whole of `path` into `bytes` when it is a regular file of at most
// `limit` bytes. It is opened without blocking and looked at before a byte
// is read, so a pipe or a device costs nothing. On failure `bytes` is empty.
FileRead ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes);

// Opens `path` for writing from its start, creating it (mode 0644 before the
// umask) when it is missing, but only when it is, or becomes, a regular file:
// never blocks on a pipe. The descriptor, or -1 with the reason in `why`.
int CreateRegularFile(const std::string& path, std::string& why);

// Replaces the file's contents as a whole: the bytes go to a temporary file
// in the same folder (named after the file and this process), which is
// flushed to disk and renamed over the old one. On failure the old file is
// untouched, one line on standard error says why (naming `what` was being
// saved), and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string_view what);
// The same without a word on standard error: false with the reason in `problem`.
bool TryWriteFileAtomically(const std::string& path, std::string_view bytes, std::string& problem);

// The file a path names once symbolic links are followed: the path itself
// when it is no link, else the last target (which may be missing).
std::string FollowLinks(const std::string& path);

// A byte count as a person reads it: "512 bytes", "64 KB", "100 MB".
std::string SizeText(uint64_t bytes);

}  // namespace StandardLib
