// The ten level files, level1.txt .. level10.txt: ten lines of letters, one
// per cell. Lines 1 and 2 (the status band) are ignored and become ceiling;
// lines 3 to 10 are the storeys, columns 1 to 16; characters 17 to 24 and
// lines after the tenth are ignored. A file that breaks these rules is
// refused with a message that points at the offending character; anything
// that is no regular file of at most 64 KB is refused unread.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "game/rules/Rules.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"

namespace KerboImplementation {

namespace {

constexpr std::size_t LineCapacity = 25;  // one read takes at most 25 characters
constexpr char CtrlZ = 26;

bool IsCellLetter(char c) {
    switch (c) {
        case 'p':
        case 'w':
        case 'e':
        case 'n':
        case 'd':
        case 'D':
        case 's':
        case 'S':
        case 't':
        case 'c':
        case 'i':
            return true;
        default:
            return false;
    }
}

struct Line {
    std::string text;      // the characters before the line end
    bool present = false;  // false: the file had ended before this line
};

// Splits the first ten lines. A line ends at CR (with the LF after it),
// LF, Ctrl-Z or the end of the file.
Array1<Line, Rows> SplitLines(std::string_view bytes) {
    Array1<Line, Rows> lines;
    std::size_t pos = 0;
    for (std::size_t row = 1; row <= Rows; ++row) {
        if (pos >= bytes.size()) break;
        Line& line = lines[row];
        line.present = true;
        while (pos < bytes.size()) {
            const char c = bytes[pos++];
            if (c == '\r') {
                if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
                break;
            }
            if (c == '\n' || c == CtrlZ) break;
            line.text.push_back(c);
        }
    }
    return lines;
}

std::string Describe(char c) {
    char buffer[32];
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7f) {
        std::snprintf(buffer, sizeof buffer, "'%c'", c);
    } else if (c == ' ') {
        std::snprintf(buffer, sizeof buffer, "a space");
    } else {
        std::snprintf(buffer, sizeof buffer, "the byte 0x%02X", u);
    }
    return buffer;
}

std::string At(std::size_t line, std::size_t column, const std::string& what) {
    std::ostringstream out;
    out << "line " << line;
    if (column > 0) out << ", column " << column;
    out << ": " << what;
    return out.str();
}

}  // namespace

std::string ParseLevel(std::string_view bytes, Level& level) {
    const Array1<Line, Rows> lines = SplitLines(bytes);

    for (std::size_t row = 1; row <= Rows; ++row) {
        if (!lines[row].present) {
            return At(row, 0,
                      "the file ends after " + std::to_string(row - 1) + " lines; a level has 10 lines");
        }
        if (lines[row].text.size() >= LineCapacity) {
            return At(
                row, 0,
                "the line has " + std::to_string(lines[row].text.size()) + " characters; at most 24 fit");
        }
    }

    Level parsed;
    for (auto& row : parsed) {
        for (char& cell : row) cell = 'c';
    }
    uint32_t shockDoors = 0;
    for (std::size_t row = 3; row <= Rows; ++row) {
        const std::string& text = lines[row].text;
        for (std::size_t column = 1; column <= Columns; ++column) {
            if (column > text.size()) {
                return At(row, column,
                          "the line ends after " + std::to_string(text.size()) +
                              " characters; a storey has 16 cells");
            }
            const char c = text[column - 1];
            if (!IsCellLetter(c)) {
                return At(row, column,
                          "found " + Describe(c) + " where a cell letter (p w e n d D s S t c i) belongs");
            }
            if (c == 's' || c == 'S') ++shockDoors;
            parsed[row][column] = c;
        }
    }
    if (shockDoors > MaxWaves) {
        return "the level has " + std::to_string(shockDoors) + " shock doors; at most " +
               std::to_string(MaxWaves) + " fit";
    }
    level = parsed;
    return {};
}

std::string ReadLevelFile(const std::string& filename, Level& level) {
    std::string bytes;
    const StandardLib::FileRead read =
        StandardLib::ReadSmallFile(filename, StandardLib::MaxLevelBytes, bytes);
    if (read.missing) return filename + ": cannot be opened";
    if (!read.ok) return filename + ": " + read.why;
    const std::string error = ParseLevel(bytes, level);
    return error.empty() ? error : filename + ": " + error;
}

void ConfigureLevels(GameState& s, const std::string& filename, uint32_t k) {
    const std::string error = ReadLevelFile(filename, s.Game[k]);
    if (!error.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "kerbo: level file %s\n", error.c_str());
        StandardLib::EndNow(1);
    }
}

void InputLevels(GameState& s) {
    if (s.LevelsHeld) return;  // a pack, read once when it was chosen
    for (uint32_t k = 1; k <= MostLevels; ++k) {
        ConfigureLevels(s, "level" + std::to_string(k) + ".txt", k);
    }
}

}  // namespace KerboImplementation
