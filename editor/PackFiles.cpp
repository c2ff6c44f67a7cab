// A pack on disk for the editor: reading it, saving it all or nothing once
// it is sure the folder still holds what it read, and rescuing unsaved
// levels when the window closes.
#include <filesystem>
#include <map>
#include <system_error>

#include "editor/LevelEditor.h"
#include "game/Installation.h"
#include "game/LevelPacks.h"
#include "game/PackSaves.h"
#include "util/FileLock.h"
#include "util/SafeFile.h"

namespace LevelEditor {

namespace {

namespace fs = std::filesystem;
using KerboImplementation::LevelPath;

}  // namespace

bool Pack::LevelUnsaved(std::size_t index) const {
    return index >= files.size() || !SameLetters(levels[index].letters, files[index]);
}

bool Pack::Unsaved() const {
    if (files.size() != levels.size() || InfoUnsaved()) return true;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        if (LevelUnsaved(k)) return true;
    }
    return false;
}

std::string FormatLevel(const Level& level) {
    std::string text;
    for (std::size_t row = 1; row <= KerboImplementation::Rows; ++row) {
        for (std::size_t column = 1; column <= KerboImplementation::Columns; ++column) {
            text += row < FirstRow ? 'c' : level[row][column];
        }
        text += '\n';
    }
    return text;
}

std::string ReadForEditing(const std::string& folder, Pack& pack) {
    std::error_code ec;
    const bool exists = fs::exists(folder, ec);
    if (exists && !fs::is_directory(folder, ec)) return folder + ": not a folder";
    if (exists) KerboImplementation::FinishPackSaves(folder);
    Pack read;
    read.folder = folder;
    const KerboImplementation::PackInfo info = KerboImplementation::ReadPackInfo(folder);
    read.title = read.savedTitle = info.titled ? info.title : "";
    read.author = read.savedAuthor = info.author;
    read.infoProblem = info.problem;
    if (!exists || !KerboImplementation::HoldsLevelFiles(folder)) {
        read.levels.resize(1);
        pack = std::move(read);
        return {};
    }
    KerboImplementation::TotalGame levels;
    uint32_t count = 0;
    const std::string problem = KerboImplementation::ReadPack(folder, levels, count);
    if (!problem.empty()) return problem;
    for (uint32_t k = 1; k <= count; ++k) {
        read.levels.push_back({levels[k], {}});
        read.files.push_back(levels[k]);
    }
    pack = std::move(read);
    return {};
}

std::string FolderChanged(const Pack& pack) {
    const KerboImplementation::PackInfo info = KerboImplementation::ReadPackInfo(pack.folder);
    if ((info.titled ? info.title : "") != pack.savedTitle || info.author != pack.savedAuthor)
        return std::string(KerboImplementation::PackInfoFile) + " was changed";
    if (pack.files.empty() && !KerboImplementation::HoldsLevelFiles(pack.folder)) return {};
    uint32_t count = 0;
    const std::string problem = KerboImplementation::ListPack(pack.folder, count);
    if (!problem.empty()) return problem;
    if (count != pack.files.size()) {
        return "it holds " + std::to_string(count) + (count == 1 ? " level" : " levels") + ", not the " +
               std::to_string(pack.files.size()) + " it held";
    }
    for (uint32_t k = 1; k <= count; ++k) {
        Level level;
        const std::string unread = KerboImplementation::ReadLevelFile(LevelPath(pack.folder, k), level);
        if (!unread.empty()) return unread;
        if (!SameLetters(level, pack.files[k - 1]))
            return KerboImplementation::LevelFileName(k) + " was changed";
    }
    return {};
}

std::string Save(Pack& pack, bool overwrite, bool* changedMeanwhile) {
    if (changedMeanwhile) *changedMeanwhile = false;
    std::error_code ec;
    fs::create_directories(pack.folder, ec);
    if (ec) return "can't make the folder " + pack.folder + " (" + ec.message() + ")";
    const StandardLib::FileLock lock(KerboImplementation::PackLockFile(pack.folder));
    if (!overwrite) {
        const std::string changed = FolderChanged(pack);
        if (!changed.empty()) {
            if (changedMeanwhile) *changedMeanwhile = true;
            return changed;
        }
    }
    // With `overwrite`, every level is written: the folder may hold anything.
    std::map<uint32_t, std::string> files;
    for (std::size_t k = 0; k < pack.levels.size(); ++k) {
        if (overwrite || pack.LevelUnsaved(k)) files[uint32_t(k + 1)] = FormatLevel(pack.levels[k].letters);
    }
    const uint32_t count = static_cast<uint32_t>(pack.levels.size());
    // pack.txt goes with the levels when its lines changed, or over whatever the folder holds.
    const bool info = pack.InfoUnsaved() || (overwrite && !(pack.title.empty() && pack.author.empty()));
    const std::string infoText = KerboImplementation::PackInfoText(pack.title, pack.author);
    const std::string problem =
        KerboImplementation::SavePackFiles(pack.folder, files, count, info ? &infoText : nullptr);
    if (!problem.empty()) return problem;
    pack.files.clear();
    for (const EditedLevel& level : pack.levels) pack.files.push_back(level.letters);
    if (info) {
        pack.savedTitle = pack.title;
        pack.savedAuthor = pack.author;
        pack.infoProblem.clear();
    }
    return {};
}

namespace {

std::string RescueName(std::size_t k) {
    return "level" + std::to_string(k) + ".unsaved.txt";
}

// Where Rescue puts what the pack's own folder can't take; "" without a folder of the player's own.
std::string RescueElsewhere(const Pack& pack) {
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    return own.empty() ? std::string() : own + "unsaved-" + KerboImplementation::PackKey(pack.folder);
}

// The rescued file of level k, in the pack's folder or else in the player's; "" when there is none.
std::string RescuedFile(const Pack& pack, std::size_t k, const std::string& elsewhere) {
    std::error_code ec;
    for (const std::string& folder : {pack.folder, elsewhere}) {
        if (folder.empty()) continue;
        const fs::path path = fs::path(folder) / RescueName(k);
        if (fs::is_regular_file(path, ec)) return path.string();
    }
    return {};
}

}  // namespace

std::string RescuedWaiting(const Pack& pack) {
    const std::string elsewhere = RescueElsewhere(pack);
    std::string files;
    for (std::size_t k = 1; k <= KerboImplementation::MostLevels; ++k) {
        const std::string path = RescuedFile(pack, k, elsewhere);
        if (!path.empty()) files += (files.empty() ? "" : ", ") + path;
    }
    return files;
}

std::string TakeBackRescued(Pack& pack) {
    const std::string elsewhere = RescueElsewhere(pack);
    std::string words;
    for (std::size_t k = 1; k <= KerboImplementation::MostLevels; ++k) {
        const std::string path = RescuedFile(pack, k, elsewhere);
        if (path.empty()) continue;
        Level level;
        const std::string problem = KerboImplementation::ReadLevelFile(path, level);
        if (!problem.empty()) {
            words += (words.empty() ? "" : "; ") + problem;
            continue;
        }
        if (pack.levels.size() < k) pack.levels.resize(k);
        pack.levels[k - 1].letters = level;
        std::error_code ec;
        fs::remove(path, ec);  // it is in the editor now, and rescued again should the editor end unsaved
        words += (words.empty() ? "" : "; ") + ("level " + std::to_string(k) + " taken back");
    }
    return words;
}

std::string ThrowAwayRescued(const Pack& pack) {
    const std::string elsewhere = RescueElsewhere(pack);
    std::string words;
    for (std::size_t k = 1; k <= KerboImplementation::MostLevels; ++k) {
        const std::string path = RescuedFile(pack, k, elsewhere);
        std::error_code ec;
        if (path.empty() || !fs::remove(path, ec)) continue;
        words += (words.empty() ? "" : ", ") + path;
    }
    return words.empty() ? words : "thrown away: " + words;
}

std::string Rescue(const Pack& pack) {
    std::string words, elsewhere;  // the player's own folder for them, once it is needed
    std::error_code ec;
    for (std::size_t k = 0; k < pack.levels.size(); ++k) {
        if (!pack.LevelUnsaved(k)) continue;
        // A new level never painted holds nothing to keep, and must not
        // replace what an earlier session rescued as that level.
        if (k >= pack.files.size() && SameLetters(pack.levels[k].letters, NewLevel())) continue;
        if (words.empty()) fs::create_directories(pack.folder, ec);
        const std::string name = RescueName(k + 1);
        const std::string text = FormatLevel(pack.levels[k].letters);
        std::string path = (fs::path(pack.folder) / name).string(), why;
        bool kept = StandardLib::TryWriteFileAtomically(path, text, why);
        if (!kept) {
            // A pack that can't be written (read-only, gone): the player's own data folder.
            if (elsewhere.empty()) {
                elsewhere = RescueElsewhere(pack);
                if (!elsewhere.empty()) fs::create_directories(elsewhere, ec);
            }
            const std::string second = (fs::path(elsewhere) / name).string();
            std::string secondWhy;
            if (!elsewhere.empty() && StandardLib::TryWriteFileAtomically(second, text, secondWhy)) {
                kept = true;
                path = second;
            }
        }
        words += (words.empty() ? "" : "; ") +
                 (kept ? "kept in " + path : "lost: can't write " + path + " (" + why + ")");
    }
    return words;
}

}  // namespace LevelEditor
