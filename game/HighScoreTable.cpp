// The table of the three best scores and its file, Highscores.txt: reading
// (forgiving), entering a score, and saving (atomically). Apart from the
// screens, so that the reader can be built and fuzzed on its own.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "game/HighScoreTable.h"
#include "util/FileLock.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"

namespace KerboImplementation {

std::string HighScoreFile = HighScoreFileName;

namespace {

namespace fs = std::filesystem;

std::string_view NameOf(const String& name) {
    const std::string_view all(name.data(), name.size());
    return all.substr(0, all.find('\0'));
}

// A line as a message shows it: in quotes, shortened, unprintable bytes as '?'.
std::string Quoted(std::string_view line) {
    constexpr std::size_t Shown = 40;
    std::string text = "\"";
    for (char c : line.substr(0, Shown)) {
        const auto u = static_cast<unsigned char>(c);
        text += (u < 0x20 || u == 0x7f) ? '?' : c;
    }
    return text + (line.size() > Shown ? "...\"" : "\"");
}

}  // namespace

// ---------------------------------------------------------------- the table

HighScoreReading ReadHighScoreBytes(std::string_view bytes) {
    HighScoreReading reading;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // saved by an editor as UTF-8
    std::size_t lineNumber = 0;
    while (!bytes.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(bytes.find_first_of("\r\n\x1a"), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end);
        if (bytes.substr(0, 2) == "\r\n") {
            bytes.remove_prefix(2);
        } else if (!bytes.empty()) {
            bytes.remove_prefix(1);
        }

        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos) continue;  // a blank line
        std::string_view rest = line.substr(first);
        const std::string_view digits = rest.substr(0, rest.find_first_of(" \t"));
        rest.remove_prefix(digits.size());
        if (!rest.empty()) rest.remove_prefix(1);  // the blank between score and name

        std::string why;
        uint64_t score = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                why = "has no valid score";
                break;
            }
            score = score * 10 + static_cast<uint64_t>(c - '0');
            if (score > UINT32_MAX) {
                why = "has a score larger than 4294967295";
                break;
            }
        }
        HighScoreEntry entry;
        if (why.empty() && rest.size() > entry.Name.size()) {
            why = "has a name longer than " + std::to_string(entry.Name.size()) + " characters";
        }
        if (why.empty() && rest.find('\0') != std::string_view::npos) why = "has a NUL byte in its name";
        if (!why.empty()) {
            reading.problems.push_back("line " + std::to_string(lineNumber) + " (" + Quoted(line) + ") " +
                                       why);
            continue;
        }
        entry.Score = static_cast<uint32_t>(score);
        std::copy(rest.begin(), rest.end(), entry.Name.begin());
        reading.valid.push_back(entry);
    }

    // A table edited by hand may be out of order; equal scores keep the file's order.
    std::vector<HighScoreEntry> best = reading.valid;
    std::stable_sort(best.begin(), best.end(),
                     [](const HighScoreEntry& a, const HighScoreEntry& b) { return a.Score > b.Score; });
    for (std::size_t place = 0; place < reading.table.size() && place < best.size(); ++place) {
        reading.table[place] = best[place];
    }
    return reading;
}

std::string ParseHighScores(std::string_view bytes, HighScoreTable& table) {
    const HighScoreReading reading = ReadHighScoreBytes(bytes);
    table = reading.table;
    std::string findings;
    for (const std::string& problem : reading.problems) findings += (findings.empty() ? "" : "\n") + problem;
    const std::size_t count = reading.valid.size();
    if (count != table.size()) {
        findings += (findings.empty() ? "" : "\n") + std::string("it holds ") + std::to_string(count) +
                    (count < table.size() ? " of its 3 entries" : " entries; the best 3 are kept");
    }
    return findings;
}

namespace {

// Reads the table at `path` and reports what is wrong with it, one line each.
// False when the file is there but can't be read (a folder, a pipe, too
// large, no permission): such a file is no table the game may replace.
bool ReadReported(const std::string& path, HighScoreReading& reading, std::string& bytes) {
    reading = {};
    const StandardLib::FileRead read =
        StandardLib::ReadSmallFile(path, StandardLib::MaxHighScoreBytes, bytes);
    if (!read.ok) {
        std::cerr << path << ": can't read the high scores (" << read.why
                  << "); every place counts as 0 points"
                  << (read.missing ? " until a game ends." : ", and no score is saved in it.") << std::endl;
        return read.missing;
    }
    reading = ReadHighScoreBytes(bytes);
    for (const std::string& problem : reading.problems) {
        std::cerr << path << ": " << problem << "; that entry is left out." << std::endl;
    }
    if (reading.valid.size() > reading.table.size()) {
        std::cerr << path << ": it holds " << reading.valid.size() << " entries; the best "
                  << reading.table.size() << " are kept." << std::endl;
    } else if (reading.valid.size() < reading.table.size() && reading.problems.empty()) {
        std::cerr << path << ": it holds " << reading.valid.size()
                  << " of its 3 entries; the places after them count as 0 points." << std::endl;
    }
    return true;
}

}  // namespace

HighScoreTable ReadHighScores(const std::string& path) {
    HighScoreReading reading;
    std::string bytes;
    ReadReported(path, reading, bytes);
    return reading.table;
}

std::size_t PlaceFor(const HighScoreTable& table, uint32_t score) {
    for (std::size_t place = 0; place < table.size(); ++place) {
        if (table[place].Score < score) return place + 1;
    }
    return 0;
}

bool EnterScore(HighScoreTable& table, uint32_t score, const String& name) {
    const std::size_t place = PlaceFor(table, score);
    if (place == 0) return false;
    for (std::size_t k = table.size() - 1; k >= place; --k) table[k] = table[k - 1];
    table[place - 1] = {score, name};
    return true;
}

std::string FormatHighScores(const HighScoreTable& table, bool lineEndAfterLast) {
    std::string bytes;
    for (std::size_t place = 0; place < table.size(); ++place) {
        char field[16];
        std::snprintf(field, sizeof field, "%10u ", static_cast<unsigned>(table[place].Score));
        bytes += field;
        bytes += NameOf(table[place].Name);
        if (place + 1 < table.size() || lineEndAfterLast) bytes += "\r\n";
    }
    return bytes;
}

void RemoveStaleSaves(const std::string& path) {
    const std::string table = FollowLinks(path);
    const std::size_t slash = table.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : table.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? table : table.substr(slash + 1);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // As WriteFileAtomically names them, for the table and for its copy.
        std::error_code ignored;
        if ((StandardLib::LeftByEndedProcess(name, base + ".saving-") ||
             StandardLib::LeftByEndedProcess(name, base + ".bak.saving-")) &&
            it->is_regular_file(ignored)) {
            fs::remove(it->path(), ignored);
        }
    }
}

std::size_t CompareHighScoreIn(const std::string& path, uint32_t score, const String& name) {
    // A link is followed: the file it points to is replaced, in its own folder.
    const std::string file = FollowLinks(path);
    // Read, merge and replace under the lock, so that a second game ending
    // meanwhile enters its score into this one's table, not into the old one.
    const StandardLib::FileLock lock(file);
    if (lock.Busy()) {
        std::cerr << path << ": can't lock the table (" << lock.Why() << "); it is saved without the lock."
                  << std::endl;
    }
    HighScoreReading reading;
    std::string bytes;
    if (!ReadReported(file, reading, bytes)) return 0;  // no table the game may replace
    HighScoreTable table = reading.table;
    const std::size_t place = PlaceFor(table, score);
    const bool entered = EnterScore(table, score, name);

    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 &&
        (::access(file.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0)) {
        std::cerr << path << ": the table is read-only; it is left as it is"
                  << (entered ? ", and this game's score is not saved." : ".") << std::endl;
        return 0;
    }
    if (reading.Lossy()) {
        // What the reader could not understand is kept for the player to mend.
        const std::string copy = file + ".bak";
        if (!WriteFileAtomically(copy, bytes, "the high scores")) return 0;
        std::cerr << path << ": the table as it was is kept in " << copy << "." << std::endl;
    }
    // An unchanged table keeps the line end after its last line; a new
    // entry leaves it off, as the table has always been written. A file that
    // holds those bytes already is left as it is.
    const std::string written = FormatHighScores(table, !entered);
    if (!entered && bytes == written) return 0;
    if (StandardLib::WhileLockedHook) StandardLib::WhileLockedHook();
    const bool saved = WriteFileAtomically(file, written, "the high scores");
    return entered && saved ? place : 0;
}

std::size_t CompareHighScore() {
    return CompareHighScoreIn(HighScoreFile, Score, PlayerName);
}

}  // namespace KerboImplementation
