// The table of the three best scores and its file, Highscores.txt: reading
// (forgiving), entering a score, and saving (atomically). Apart from the
// screens, so that the reader can be built and fuzzed on its own.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "game/HighScoreTable.h"

namespace KerboImplementation {

std::string HighScoreFile = HighScoreFileName;

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 26;
}

std::string_view NameOf(const String& name) {
    const std::string_view all(name.data(), name.size());
    return all.substr(0, all.find('\0'));
}

std::string ErrnoText() {
    return std::strerror(errno);
}

}  // namespace

// ---------------------------------------------------------------- the table

std::string ParseHighScores(std::string_view bytes, HighScoreTable& table) {
    table = {};
    std::size_t pos = 0;
    for (std::size_t entry = 0; entry < table.size(); ++entry) {
        while (pos < bytes.size() && IsSeparator(bytes[pos])) ++pos;
        if (pos == bytes.size()) {
            return "it holds " + std::to_string(entry) + " of its 3 entries";
        }
        const std::size_t start = pos;
        while (pos < bytes.size() && !IsSeparator(bytes[pos])) ++pos;
        const std::string_view digits = bytes.substr(start, pos - start);
        uint64_t score = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                return "entry " + std::to_string(entry + 1) + " has no valid score";
            }
            score = score * 10 + static_cast<uint64_t>(c - '0');
            if (score > UINT32_MAX) {
                return "entry " + std::to_string(entry + 1) + " has a score too large";
            }
        }
        if (pos < bytes.size()) ++pos;  // the blank between score and name

        String name{};
        std::size_t length = 0;
        for (;;) {
            if (pos == bytes.size() || bytes[pos] == '\n' || bytes[pos] == 26) break;
            if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') break;
            if (length == name.size()) {
                return "entry " + std::to_string(entry + 1) + " has a name longer than 25 characters";
            }
            name[length++] = bytes[pos++];
        }
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;

        table[entry].Score = static_cast<uint32_t>(score);
        table[entry].Name = name;
    }
    return {};
}

HighScoreTable ReadHighScores(const std::string& path) {
    HighScoreTable table{};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": can't read the high scores (" << ErrnoText()
                  << "); every place counts as 0 points until a game ends." << std::endl;
        return table;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        std::cerr << path << ": can't read the high scores (read error); every place counts as 0 points."
                  << std::endl;
        return {};
    }
    const std::string problem = ParseHighScores(bytes.str(), table);
    if (!problem.empty()) {
        std::cerr << path << ": " << problem << "; the places from there on count as 0 points." << std::endl;
    }
    return table;
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

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string_view what) {
    const auto fail = [&](const std::string& why, const std::string& temp) {
        if (!temp.empty()) ::unlink(temp.c_str());
        std::cerr << path << ": can't save " << what << " (" << why << "); the old file is kept."
                  << std::endl;
        return false;
    };

    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(ErrnoText(), "");

    // The new file gets the old one's permissions (mkstemp makes it private).
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string why = ErrnoText();
            ::close(fd);
            return fail(why, temp);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const std::string why = ErrnoText();
        ::close(fd);
        return fail(why, temp);
    }
    if (::close(fd) != 0) return fail(ErrnoText(), temp);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(ErrnoText(), temp);

    // Make the rename itself durable.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::size_t CompareHighScoreIn(const std::string& path, uint32_t score, const String& name) {
    HighScoreTable table = ReadHighScores(path);
    const std::size_t place = PlaceFor(table, score);
    const bool entered = EnterScore(table, score, name);
    // An unchanged table keeps the line end after its last line; a new
    // entry leaves it off, as the table has always been written.
    const bool saved = WriteFileAtomically(path, FormatHighScores(table, !entered));
    return entered && saved ? place : 0;
}

std::size_t CompareHighScore() {
    return CompareHighScoreIn(HighScoreFile, Score, PlayerName);
}

}  // namespace KerboImplementation
