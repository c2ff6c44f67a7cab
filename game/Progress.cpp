// The levels reached in each pack: the file, its merge under the lock, and
// the recording's copy of them; see Progress.h.
#include "game/Progress.h"

#include <stdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "game/HighScoreTable.h"
#include "game/Installation.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr std::size_t MaxProgressBytes = StandardLib::MaxSettingsBytes;
constexpr std::size_t MaxKeyLength = 64;

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Keys are made of the characters PackKey writes.
bool IsKey(std::string_view key) {
    if (key.empty() || key.size() > MaxKeyLength) return false;
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '-' || c == '_';
    });
}

// A level from 1 to the most a pack holds.
bool IsLevel(std::string_view text, uint32_t& level) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    level = static_cast<uint32_t>(std::stoul(std::string(text)));
    return level >= 1 && level <= MostLevels;
}

void Raise(Progress& progress, const std::string& key, uint32_t level) {
    uint32_t& known = progress[key];
    known = std::max(known, level);
}

// True when `saved` already holds every level of `run`.
bool Holds(const Progress& saved, const Progress& run) {
    return std::all_of(run.begin(), run.end(), [&](const auto& entry) {
        const auto it = saved.find(entry.first);
        return it != saved.end() && it->second >= entry.second;
    });
}

}  // namespace

std::string ProgressKey(const std::string& packFolder) {
    return packFolder.empty() ? ShippedProgressKey : PackKey(packFolder);
}

std::string FormatProgress(const Progress& progress) {
    std::string text =
        "# The furthest level reached in each pack: kerbo's pack list starts them as practice.\n";
    for (const auto& [key, level] : progress) text += key + " = " + std::to_string(level) + "\n";
    return text;
}

std::string ParseProgress(std::string_view bytes, Progress& progress) {
    Progress read;
    uint32_t lineNumber = 0;
    while (!bytes.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = Trim(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        uint32_t level = 0;
        if (equals == std::string_view::npos || !IsKey(Trim(line.substr(0, equals))) ||
            !IsLevel(Trim(line.substr(equals + 1)), level)) {
            progress.clear();
            return "line " + std::to_string(lineNumber) + " (\"" + std::string(line.substr(0, 40)) +
                   "\") is not 'pack = level'";
        }
        Raise(read, std::string(Trim(line.substr(0, equals))), level);
    }
    progress = std::move(read);
    return {};
}

Progress ReadProgress(const std::string& path) {
    std::string bytes;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(path, MaxProgressBytes, bytes);
    if (read.missing) return {};
    if (!read.ok) {
        std::cerr << path << ": can't read the levels reached (" << read.why << "); none is offered."
                  << std::endl;
        return {};
    }
    Progress progress;
    const std::string problem = ParseProgress(bytes, progress);
    if (!problem.empty()) {
        std::cerr << path << ": " << problem << "; no level reached is offered, and the file is kept as "
                  << path << ".bak when the next one is saved." << std::endl;
    }
    return progress;
}

uint32_t ReachableLevel(const std::string& key, uint32_t levels) {
    const auto it = ReachedLevels.find(key);
    const uint32_t reached = it == ReachedLevels.end() ? 1 : it->second;
    return std::max(1u, std::min(reached, levels));
}

void NoteReached(const std::string& key, uint32_t level) {
    if (level < 2 || level > MostLevels || !IsKey(key)) return;
    Raise(ReachedLevels, key, level);
    if (ProgressFile.empty()) return;
    // A link is followed: the file it points to is replaced, in its own folder.
    const std::string file = StandardLib::FollowLinks(ProgressFile);
    const StandardLib::FileLock lock(file);
    std::string bytes;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(file, MaxProgressBytes, bytes);
    Progress saved;
    bool keepAside = false;
    if (!read.ok && !read.missing) {
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            std::cerr << ProgressFile << ": " << read.why << "; the levels reached are not saved."
                      << std::endl;
            return;
        }
        keepAside = true;  // a regular file that can't be read: moved aside whole
    } else if (read.ok && !ParseProgress(bytes, saved).empty()) {
        keepAside = true;
    }
    if (!keepAside && Holds(saved, ReachedLevels)) return;
    // Everything this run reached goes in: a level whose save failed earlier too.
    for (const auto& [k, l] : ReachedLevels) Raise(saved, k, l);
    if (keepAside) {
        const std::string copy = file + ".bak";
        if (read.ok ? !WriteFileAtomically(copy, bytes, "the levels reached")
                    : ::rename(file.c_str(), copy.c_str()) != 0) {
            std::cerr << ProgressFile << ": can't be kept as " << copy << " (" << std::strerror(errno)
                      << "); the levels reached are not saved." << std::endl;
            return;
        }
        std::cerr << ProgressFile << ": the file as it was is kept in " << copy << "." << std::endl;
    }
    if (StandardLib::WhileLockedHook) StandardLib::WhileLockedHook();
    WriteFileAtomically(file, FormatProgress(saved), "the levels reached");
}

void SetUpProgress() {
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    if (own.empty()) return;  // the pack list says there is no folder
    ProgressFile = own + ProgressFileName;
    RemoveStaleSaves(ProgressFile);
    ReachedLevels = ReadProgress(ProgressFile);
}

std::vector<std::pair<std::string, std::string>> ProgressSettings() {
    std::vector<std::pair<std::string, std::string>> settings;
    for (const auto& [key, level] : ReachedLevels)
        settings.emplace_back("reached", key + ":" + std::to_string(level));
    return settings;
}

bool UseRecordedReached(const std::string& value) {
    const std::size_t colon = value.rfind(':');
    uint32_t level = 0;
    if (colon == std::string::npos || !IsKey(std::string_view(value).substr(0, colon)) ||
        !IsLevel(std::string_view(value).substr(colon + 1), level))
        return false;
    Raise(ReachedLevels, value.substr(0, colon), level);
    return true;
}

}  // namespace KerboImplementation
