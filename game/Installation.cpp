// Finding the data folder and the high-score file; see Installation.h.
#include "game/Installation.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "game/HighScoreTable.h"
#include "game/LevelPacks.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

// The folder of the running program, from the kernel's link to it.
std::string ProgramDir() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string WorkingDir() {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    return error ? std::string() : here.string();
}

bool Writable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

// Copies the shipped table to `path` unless a file is there already.
void StartFrom(const std::string& shipped, const std::string& path) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error)) || !fs::exists(shipped, error)) return;
    std::string bytes;
    const StandardLib::FileRead read =
        StandardLib::ReadSmallFile(shipped, StandardLib::MaxHighScoreBytes, bytes);
    if (!read.ok) {
        std::cerr << shipped << ": can't read the starting high scores (" << read.why << ")." << std::endl;
        return;
    }
    WriteFileAtomically(path, bytes, "the high scores");
}

// A pack's name as its table's name shows it: letters, digits, '.', '-' and
// '_' kept, any other byte '_'; "pack" for a name of none.
std::string PlainName(std::string name) {
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '.' || c == '-' || c == '_';
        if (!plain) c = '_';
    }
    return name.empty() || name == "." || name == ".." ? std::string("pack") : name;
}

}  // namespace

bool IsDataFolder(const std::string& folder) {
    std::error_code error;
    const fs::path base(folder);
    return fs::is_regular_file(base / "level1.txt", error) && fs::is_directory(base / "images", error);
}

std::vector<std::string> DataFolderCandidates(const std::string& workingDir, const std::string& programDir) {
    std::vector<std::string> candidates;
    if (!workingDir.empty()) candidates.push_back(workingDir);
    if (!programDir.empty()) {
        const fs::path program(programDir);
        candidates.push_back(program.string());
        candidates.push_back((program / "data").string());
        candidates.push_back((program.parent_path() / "share" / "kerbo").string());
        // Debian's layout for games: the program in games/, its data in share/games/.
        candidates.push_back((program.parent_path() / "share" / "games" / "kerbo").string());
    }
#ifdef KERBO_INSTALLED_DATA
    if (std::find(candidates.begin(), candidates.end(), KERBO_INSTALLED_DATA) == candidates.end()) {
        candidates.push_back(KERBO_INSTALLED_DATA);
    }
#endif
    return candidates;
}

int FindDataFolder(const std::vector<std::string>& candidates) {
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (IsDataFolder(candidates[k])) return static_cast<int>(k);
    }
    return -1;
}

std::string DataFolder() {
    const std::vector<std::string> candidates = DataFolderCandidates(WorkingDir(), ProgramDir());
    const int found = FindDataFolder(candidates);
    return found < 0 ? std::string() : candidates[static_cast<std::size_t>(found)];
}

std::string ChooseHighScoreFile(const std::string& dataFolder, bool isWorkingDir,
                                const std::string& ownFolder) {
    const std::string shipped = (fs::path(dataFolder) / HighScoreFileName).string();
    if (isWorkingDir && Writable(dataFolder)) return HighScoreFileName;
    if (ownFolder.empty()) return shipped;
    const std::string own = ownFolder + HighScoreFileName;
    StartFrom(shipped, own);
    return own;
}

std::string PackKey(const std::string& packFolder) {
    // The folder's full path tells packs apart: FNV-1a, 48 bits of it.
    std::error_code error;
    fs::path full = fs::weakly_canonical(fs::absolute(packFolder, error), error).lexically_normal();
    if (error) full = fs::path(packFolder).lexically_normal();
    std::string text = full.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3u;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%012llx", static_cast<unsigned long long>(hash >> 16));
    return PlainName(PackName(packFolder).substr(0, 40)) + "-" + digits;
}

std::string PackTableName(const std::string& packFolder) {
    return "Highscores-" + PackKey(packFolder) + ".txt";
}

std::string PackHighScoreFile(const std::string& packFolder, const std::string& ownFolder) {
    const std::string path = ownFolder.empty() ? (fs::path(packFolder) / HighScoreFileName).string()
                                               : ownFolder + PackTableName(packFolder);
    const StandardLib::FileLock lock(path);  // two copies starting on one pack make one table
    std::error_code error;
    if (fs::exists(fs::symlink_status(path, error))) return path;
    if (!ownFolder.empty()) {
        // The name every pack's table had before: taken over once, with its
        // entries, by the first pack that finds it.
        const std::string oldName = PlainName(PackName(packFolder));
        const std::string old = ownFolder + "Highscores-" + oldName + ".txt";
        if (fs::is_regular_file(old, error) && ::rename(old.c_str(), path.c_str()) == 0) {
            std::cerr << old << ": this pack's high scores are kept in " << path << " from now on."
                      << std::endl;
            return path;
        }
    }
    WriteFileAtomically(path, FormatHighScores(HighScoreTable{}, true), "the high scores");
    return path;
}

std::string ShippedHighScoreFile;

void UsePackHighScores(const std::string& packFolder) {
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    if (own.empty()) {
        std::cerr << "No folder of your own for the high scores (" << why << "); the pack's table is kept in "
                  << packFolder << "." << std::endl;
    }
    HighScoreFile = PackHighScoreFile(packFolder, own);
    RemoveStaleSaves(HighScoreFile);
}

bool SetUpInstallation() {
    const std::string here = WorkingDir();
    const std::vector<std::string> candidates = DataFolderCandidates(here, ProgramDir());
    const int found = FindDataFolder(candidates);
    if (found < 0) {
        std::cerr << "Can't find the game's data (level1.txt and images/); looked in:";
        for (const std::string& folder : candidates) std::cerr << ' ' << folder;
        std::cerr << std::endl;
        return false;
    }
    const std::string& data = candidates[static_cast<std::size_t>(found)];
    const bool isWorkingDir = found == 0 && !here.empty();
    std::string own;
    if (!(isWorkingDir && Writable(data))) {
        std::string why;
        own = Vitrine::UserDataFolder("kerbo", why);
        if (own.empty()) {
            std::cerr << "No folder of your own for the high scores (" << why << "); the table in " << data
                      << " is used." << std::endl;
        }
    }
    HighScoreFile = ChooseHighScoreFile(data, isWorkingDir, own);
    ShippedHighScoreFile = HighScoreFile;
    RemoveStaleSaves(HighScoreFile);
    if (::chdir(data.c_str()) != 0) {
        std::cerr << data << ": can't run in the game's data folder (" << std::strerror(errno) << ")."
                  << std::endl;
        return false;
    }
    return true;
}

}  // namespace KerboImplementation
