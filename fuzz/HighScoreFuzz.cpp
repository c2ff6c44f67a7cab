// The high-score reader on arbitrary bytes: every line is either a valid entry
// or reported, the table holds the best valid entries, and they all come back
// unchanged from the file the game would write.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/HighScoreTable.h"

namespace {

using namespace KerboImplementation;

bool Same(const HighScoreEntry& a, const HighScoreEntry& b) {
    return a.Score == b.Score && a.Name == b.Name;
}

// Lines holding more than blanks, as the reader splits them.
std::size_t FilledLines(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    std::size_t count = 0;
    bool filled = false;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const char c = bytes[k];
        if (c == '\r' || c == '\n' || c == 26) {
            count += filled;
            filled = false;
            if (c == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;
        } else if (c != ' ' && c != '\t') {
            filled = true;
        }
    }
    return count + filled;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HighScoreReading reading = ReadHighScoreBytes(bytes);
    if (reading.valid.size() + reading.problems.size() != FilledLines(bytes)) std::abort();

    std::vector<HighScoreEntry> best = reading.valid;
    std::stable_sort(best.begin(), best.end(),
                     [](const HighScoreEntry& a, const HighScoreEntry& b) { return a.Score > b.Score; });
    for (std::size_t k = 0; k < reading.table.size(); ++k) {
        if (!Same(reading.table[k], k < best.size() ? best[k] : HighScoreEntry{})) std::abort();
    }
    for (bool lineEnd : {true, false}) {
        const HighScoreReading back = ReadHighScoreBytes(FormatHighScores(reading.table, lineEnd));
        if (!back.problems.empty() || back.valid.size() != reading.table.size()) std::abort();
        for (std::size_t k = 0; k < reading.table.size(); ++k) {
            if (!Same(back.table[k], reading.table[k])) std::abort();
        }
    }
    return 0;
}
