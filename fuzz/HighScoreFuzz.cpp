// The high-score reader on arbitrary bytes: whatever it reads must write out
// and read back as the same table.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/HighScoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace KerboImplementation;
    HighScoreTable table;
    ParseHighScores(std::string_view(reinterpret_cast<const char*>(data), size), table);
    // Names holding a line end or starting with a separator cannot come back the same way.
    for (const HighScoreEntry& entry : table) {
        for (char c : entry.Name) {
            if (c == '\n' || c == '\r' || c == 26) return 0;
        }
    }
    HighScoreTable back;
    const std::string problem = ParseHighScores(FormatHighScores(table, true), back);
    if (!problem.empty()) std::abort();
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (back[k].Score != table[k].Score) std::abort();
    }
    return 0;
}
