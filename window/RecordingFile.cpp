// Reading a recording's text; see RecordingFile.h.
#include "window/RecordingFile.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace Vitrine::detail {

namespace {

// The blank-separated words of a line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (;;) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) return words;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
}

// Reads a whole number from `low` to `high` (decimal, or hexadecimal for the
// frames' hashes). Empty when it is one, else what is wrong with it.
std::string Number(std::string_view word, int64_t low, uint64_t high, uint64_t& value, int base = 10) {
    const std::string shown = "'" + std::string(word.substr(0, 24)) + (word.size() > 24 ? "...'" : "'");
    const bool negative = !word.empty() && word[0] == '-';
    std::string_view digits = negative ? word.substr(1) : word;
    if (digits.empty()) return shown + " is not a number";
    uint64_t magnitude = 0;
    bool tooLarge = false;
    for (char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = unsigned(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = unsigned(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = unsigned(c - 'A' + 10);
        } else {
            return shown + " is not a number";
        }
        if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / unsigned(base)) {
            tooLarge = true;
        } else {
            magnitude = magnitude * unsigned(base) + digit;
        }
    }
    if (negative && magnitude != 0) {
        if (low >= 0) return shown + " is negative";
        if (tooLarge || magnitude > uint64_t(-(low + 1)) + 1) return shown + " is out of range";
        value = uint64_t(0) - magnitude;  // two's complement; the caller narrows it
        return {};
    }
    if (tooLarge || magnitude > high) {
        // The limit in the number's own base, as the line would write it.
        char limit[24];
        std::snprintf(limit, sizeof limit, base == 16 ? "%llx" : "%llu",
                      static_cast<unsigned long long>(high));
        return shown + " is out of range (at most " + limit + ")";
    }
    value = magnitude;
    return {};
}

}  // namespace

std::string RecordingHeader(uint32_t format) {
    return std::string(kRecordingWord) + " " + std::to_string(format);
}

bool ParseRecording(std::string_view text, Recording& recording, std::string& error) {
    Recording read;
    uint64_t lineNumber = 0;
    uint64_t lastPoint = 0;
    bool ended = false;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    // Far beyond any run, and short of the counter's end: a point and the one after it both fit.
    constexpr uint64_t anyPoint = std::numeric_limits<int64_t>::max();
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        const bool lineEnded = end < text.size();
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (lineNumber == 1) {
            if (line == kFirstRecordingHeader) {
                return fail("recorded by an earlier version, whose replays this version can't play");
            }
            read.format = 0;
            for (uint32_t format = Replay::OldestReplayedFormat; format <= Replay::RecordingFormat; ++format)
                if (line == RecordingHeader(format)) read.format = format;
            if (read.format == 0) return fail("not a recording of this program");
            continue;
        }
        const std::vector<std::string_view> words = Words(line);
        const std::string_view tag = words.empty() ? std::string_view() : words[0];
        if (lineNumber == 2) {
            if (tag != "version" || words.size() < 2) return fail("the version is missing");
            read.version = words[1];
            continue;
        }
        if (ended) return fail("text after the end of the run");
        // The writer ended inside this line: what it holds is not what was meant (a hash cut short).
        if (!lineEnded && tag != "end") break;
        std::string wrong;
        if (tag == "e") {
            if (words.size() != 6) return fail("a malformed event (it has 5 numbers)");
            uint64_t point = 0, kind = 0, key = 0, x = 0, y = 0;
            constexpr int64_t int32Low = std::numeric_limits<int32_t>::min();
            constexpr uint64_t int32High = std::numeric_limits<int32_t>::max();
            if (!(wrong = Number(words[1], 0, anyPoint, point)).empty() ||
                !(wrong = Number(words[2], 0, uint64_t(InputKind::LAST), kind)).empty() ||
                !(wrong = Number(words[3], 0, std::numeric_limits<uint32_t>::max(), key)).empty() ||
                !(wrong = Number(words[4], int32Low, int32High, x)).empty() ||
                !(wrong = Number(words[5], int32Low, int32High, y)).empty()) {
                return fail("a malformed event: " + wrong);
            }
            if (point == 0) return fail("a malformed event: there is no point 0");
            if (point < lastPoint) return fail("a malformed event: its point comes before the one above");
            RecordedEvent r;
            r.point = lastPoint = point;
            r.event.kind = InputKind(kind);
            r.event.key = uint32_t(key);
            r.event.x = int32_t(uint32_t(x));
            r.event.y = int32_t(uint32_t(y));
            read.events.push_back(r);
        } else if (tag == "f") {
            uint64_t hash = 0;
            if (words.size() != 2) return fail("a malformed frame");
            if (!(wrong = Number(words[1], 0, std::numeric_limits<uint32_t>::max(), hash, 16)).empty()) {
                return fail("a malformed frame: " + wrong);
            }
            read.hashes.push_back(uint32_t(hash));
        } else if (tag == "m") {
            uint64_t moves = 0;
            if (words.size() != 2) return fail("a malformed record of moves");
            if (!(wrong = Number(words[1], 0, 0xFF, moves, 16)).empty()) {
                return fail("a malformed record of moves: " + wrong);
            }
            read.moves.push_back(uint8_t(moves));
        } else if (tag == "c" || tag == "end") {
            const std::string what = tag == "c" ? "a malformed close" : "a malformed end";
            uint64_t point = 0;
            if (words.size() != 2) return fail(what);
            if (!(wrong = Number(words[1], 0, anyPoint, point)).empty()) return fail(what + ": " + wrong);
            if (point < lastPoint) return fail(what + ": its point comes before the one above");
            if (tag == "c") {
                read.closePoint = lastPoint = point;
            } else {
                read.endPoint = point;
                ended = true;
            }
        } else if (tag == "setting") {
            // A setting that changes play, as the recorded run had it.
            if (words.size() != 3) return fail("a malformed setting (it has a name and a value)");
            read.settings.emplace_back(std::string(words[1]), std::string(words[2]));
        } else {
            return fail("unknown line '" + std::string(line.substr(0, 40)) + "'");
        }
    }
    if (lineNumber < 2) return fail("the file is incomplete");
    if (!ended) read.endPoint = lastPoint;  // a run cut short: replay what there is
    read.cutShort = !ended;
    recording = std::move(read);
    return true;
}

}  // namespace Vitrine::detail
