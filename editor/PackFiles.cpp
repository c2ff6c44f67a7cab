// A pack on disk for the editor: reading it, saving it level file by level
// file (each atomically), and rescuing unsaved levels when the window closes.
#include <filesystem>
#include <system_error>

#include "editor/LevelEditor.h"
#include "game/LevelPacks.h"
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
    if (files.size() != levels.size()) return true;
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
    Pack read;
    read.folder = folder;
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

std::string Save(Pack& pack) {
    std::error_code ec;
    fs::create_directories(pack.folder, ec);
    if (ec) return "can't make the folder " + pack.folder + " (" + ec.message() + ")";
    for (std::size_t k = 0; k < pack.levels.size(); ++k) {
        if (!pack.LevelUnsaved(k)) continue;
        const std::string path = LevelPath(pack.folder, static_cast<uint32_t>(k + 1));
        std::string why;
        if (!StandardLib::TryWriteFileAtomically(path, FormatLevel(pack.levels[k].letters), why)) {
            return "can't save " + path + " (" + why + ")";
        }
        if (k < pack.files.size()) {
            pack.files[k] = pack.levels[k].letters;
        } else {
            pack.files.push_back(pack.levels[k].letters);
        }
    }
    while (pack.files.size() > pack.levels.size()) {
        const std::string path = LevelPath(pack.folder, static_cast<uint32_t>(pack.files.size()));
        if (!fs::remove(path, ec) && ec) return "can't remove " + path + " (" + ec.message() + ")";
        pack.files.pop_back();
    }
    return {};
}

std::string Rescue(const Pack& pack) {
    std::string words;
    std::error_code ec;
    fs::create_directories(pack.folder, ec);
    for (std::size_t k = 0; k < pack.levels.size(); ++k) {
        if (!pack.LevelUnsaved(k)) continue;
        const std::string path =
            (fs::path(pack.folder) / ("level" + std::to_string(k + 1) + ".unsaved.txt")).string();
        std::string why;
        const bool kept = StandardLib::TryWriteFileAtomically(path, FormatLevel(pack.levels[k].letters), why);
        words += (words.empty() ? "" : "; ") +
                 (kept ? "kept in " + path : "lost: can't write " + path + " (" + why + ")");
    }
    return words;
}

}  // namespace LevelEditor
