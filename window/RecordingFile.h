// Reading a recording's text (see VitrineReplay.h for its lines) into what a
// replay feeds back. Apart from the replay itself, so that it can be fuzzed alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/VitrineInternal.h"
#include "window/VitrineReplay.h"

namespace Vitrine::detail {

// A recording's first line: this word and its format (Replay::RecordingFormat).
inline constexpr std::string_view kRecordingWord = "kerbo-replay";
// The first line of recordings of `format`.
std::string RecordingHeader(uint32_t format = Replay::RecordingFormat);
// The first line of recordings made before play kept one record of moves per
// frame: their events are numbered by other input points.
inline constexpr std::string_view kFirstRecordingHeader = "kerbo-replay 1";

struct RecordedEvent {
    uint64_t point = 0;
    InputEvent event;
};

struct Recording {
    uint32_t format = Replay::RecordingFormat;                  // the number on its first line
    std::string version;                                        // of the program that made it
    std::vector<std::pair<std::string, std::string>> settings;  // "setting NAME VALUE" lines, in order
    std::vector<RecordedEvent> events;                          // in the order they took effect
    std::vector<uint32_t> hashes;                               // one per frame shown
    std::vector<uint8_t> moves;                                 // one per frame played, in order
    uint64_t closePoint = 0;                                    // 0: the user did not close the window
    uint64_t endPoint = 0;  // the last point of the run (of what there is, for a run cut short)
    bool cutShort = false;  // no end line: the recording program ended before it could finish the file
};

// Parses a recording. Lines may end in LF or CR LF. False, with "line N:
// what is wrong" in `error`, for anything the recorder does not write: a
// number that is negative, out of its range or not a number, points that go
// back, a line after the end. A recording without its end line is read as
// far as it goes (a last line cut off before its line end is left out) and
// marked cutShort.
bool ParseRecording(std::string_view text, Recording& recording, std::string& error);

}  // namespace Vitrine::detail
