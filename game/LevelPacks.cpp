// Level packs: finding a pack's files, reading it whole, playing it, and the
// checker's report on every file of a folder; see LevelPacks.h.
#include "game/LevelPacks.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <system_error>
#include <type_traits>

#include "game/PackSaves.h"
#include "util/SafeFile.h"
#include "levelcheck/LevelCheck.h"

namespace KerboImplementation {

static_assert(std::is_same_v<Level, LevelCheck::Level>, "the checker judges the game's own levels");
static_assert(MaxWaves == LevelCheck::MostShockDoors, "one shock wave for every shock door");

namespace {

namespace fs = std::filesystem;

// A folder's level files: the numbers of level1.txt .. level10.txt that are
// there, and the names of any level<n>.txt past the last a pack may have.
struct Listing {
    std::set<uint32_t> levels;
    std::set<std::string> surplus;
};

// False (with the reason) when the folder can't be listed.
bool ListFolder(const std::string& folder, Listing& listing, std::string& error) {
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec) {
        error = folder + ": can't be read as a folder (" + ec.message() + ")";
        return false;
    }
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        constexpr std::string_view head = "level", tail = ".txt";
        if (name.size() <= head.size() + tail.size() || !name.starts_with(head) || !name.ends_with(tail)) {
            continue;
        }
        const std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') continue;
        if (digits.size() <= 2 && std::stoul(digits) <= MostLevels) {
            listing.levels.insert(static_cast<uint32_t>(std::stoul(digits)));
        } else {
            listing.surplus.insert(name);
        }
    }
    return true;
}

std::string TooMany() {
    return "a pack holds at most " + std::to_string(MostLevels) + " levels";
}

}  // namespace

std::string LevelFileName(uint32_t k) {
    return "level" + std::to_string(k) + ".txt";
}

std::string LevelPath(const std::string& folder, uint32_t k) {
    return (fs::path(folder) / LevelFileName(k)).string();
}

std::string ListPack(const std::string& folder, uint32_t& count) {
    Listing listing;
    std::string error;
    if (!ListFolder(folder, listing, error)) return error;
    uint32_t n = 0;
    while (n < MostLevels && listing.levels.count(n + 1) != 0) ++n;
    if (n == 0) {
        return LevelPath(folder, 1) + " is missing: a pack holds level1.txt .. levelN.txt, N from 1 to " +
               std::to_string(MostLevels);
    }
    if (*listing.levels.rbegin() > n) {
        return LevelPath(folder, n + 1) + " is missing, but " + LevelFileName(*listing.levels.rbegin()) +
               " is there: a pack's levels are numbered from 1 without gaps";
    }
    if (!listing.surplus.empty())
        return (fs::path(folder) / *listing.surplus.begin()).string() + ": " + TooMany();
    count = n;
    return {};
}

bool HoldsLevelFiles(const std::string& folder) {
    std::error_code missing;
    if (!fs::exists(fs::symlink_status(folder, missing))) return false;  // no pack there yet
    Listing listing;
    std::string error;
    return !ListFolder(folder, listing, error) || !listing.levels.empty() || !listing.surplus.empty();
}

std::string ReadPack(const std::string& folder, TotalGame& levels, uint32_t& count) {
    FinishPackSaves(folder);  // a save killed half way is rolled back or finished first
    uint32_t n = 0;
    std::string error = ListPack(folder, n);
    if (!error.empty()) return error;
    TotalGame read;
    for (uint32_t k = 1; k <= n; ++k) {
        error = ReadLevelFile(LevelPath(folder, k), read[k]);
        if (!error.empty()) return error;
    }
    levels = read;
    count = n;
    return {};
}

std::string UsePack(const std::string& folder) {
    TotalGame levels;
    uint32_t count = 0;
    const std::string error = ReadPack(folder, levels, count);
    if (!error.empty()) return error;
    Game = levels;
    LevelCount = count;
    LevelsHeld = true;
    PackFolder = folder;
    const PackInfo info = ReadPackInfo(folder);
    PackTitleLine = "KERBO anno 2011 '" + info.title + "'";
    // The band's right-hand column has room for 23 characters: a longer
    // author is cut, and the count goes beside the level's number.
    std::string author = info.author.empty() ? std::string("unknown") : info.author;
    if (author.size() > 15) {
        author.resize(12);
        while (author.back() == ' ') author.pop_back();
        author += "...";
    }
    PackLevelsLine = "Levels: " + author;
    PackCountLine = "of " + std::to_string(count);
    PackNameLine = "Pack: '" + info.title + "'" + (info.author.empty() ? "" : " by " + info.author) + ", " +
                   std::to_string(count) + (count == 1 ? " level" : " levels");
    return {};
}

PackInfo ReadPackInfo(const std::string& folder) {
    PackInfo info;
    const std::string fallback = PackName(folder);
    info.title = fallback;
    const std::string file = (fs::path(folder) / PackInfoFile).string();
    std::error_code code;
    if (!fs::exists(file, code)) return info;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::string title, author;
    uint32_t number = 0;
    auto bad = [&](const std::string& why) {
        info.title = fallback;
        info.author.clear();
        info.problem = file + ": " + why;
        return info;
    };
    if (!in) return bad("can't be read");
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return bad("line " + std::to_string(number) + ": not key = value");
        auto trim = [](std::string text) {
            const std::size_t first = text.find_first_not_of(" \t");
            if (first == std::string::npos) return std::string{};
            return text.substr(first, text.find_last_not_of(" \t") - first + 1);
        };
        const std::string key = trim(line.substr(0, equals));
        std::string value = trim(line.substr(equals + 1));
        // Printable ASCII only, short enough for the status band.
        for (const char c : value)
            if (c < ' ' || c > '~') return bad("line " + std::to_string(number) + ": not plain text");
        if (value.size() > PackInfoLength)
            return bad("line " + std::to_string(number) + ": longer than 30 characters");
        if (key == "title")
            title = value;
        else if (key == "author")
            author = value;
        else
            return bad("line " + std::to_string(number) + ": unknown key '" + key + "'");
    }
    if (!title.empty()) info.title = title;
    info.titled = !title.empty();
    info.author = author;
    return info;
}

std::string PackInfoText(const std::string& title, const std::string& author) {
    return "title = " + title + "\nauthor = " + author + "\n";
}

bool WritePackInfo(const std::string& folder, const std::string& title, const std::string& author) {
    const std::string file = (fs::path(folder) / PackInfoFile).string();
    return StandardLib::WriteFileAtomically(file, PackInfoText(title, author), "the pack's title");
}

std::string PackName(const std::string& folder) {
    fs::path path = fs::path(folder).lexically_normal();
    if (path.filename().empty()) path = path.parent_path();
    return path.filename().string();
}

bool CheckLevels(const std::string& folder, std::ostream& out) {
    Listing listing;
    std::string error;
    if (!ListFolder(folder, listing, error)) {
        out << error << "\n";
        return false;
    }
    if (listing.levels.empty() && listing.surplus.empty()) {
        out << folder << ": no level files (a pack holds level1.txt .. levelN.txt, N from 1 to " << MostLevels
            << ")\n";
        return false;
    }
    bool allPass = true;
    const uint32_t last = listing.levels.empty() ? 1 : *listing.levels.rbegin();
    for (uint32_t k = 1; k <= last; ++k) {
        out << LevelFileName(k) << ": ";
        if (listing.levels.count(k) == 0) {
            out << "missing: a pack's levels are numbered from 1 without gaps\n";
            allPass = false;
            continue;
        }
        const std::string path = LevelPath(folder, k);
        Level level;
        error = ReadLevelFile(path, level);
        if (!error.empty()) {
            // The reader names the file; the line has named it already.
            if (error.starts_with(path + ": ")) error.erase(0, path.size() + 2);
            out << error << "\n";
            allPass = false;
            continue;
        }
        const LevelCheck::Report report = LevelCheck::Check(level);
        out << LevelCheck::Summary(report) << "\n";
        if (!report.faults.empty()) allPass = false;
    }
    for (const std::string& name : listing.surplus) {
        out << name << ": " << TooMany() << "\n";
        allPass = false;
    }
    return allPass;
}

}  // namespace KerboImplementation
