// The recording reader on arbitrary bytes: it must refuse (naming the line) or
// accept without reading out of bounds, and what it accepts keeps the order a
// replay relies on.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "window/RecordingFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace Vitrine::detail;
    Recording recording;
    std::string error;
    if (!ParseRecording(std::string_view(reinterpret_cast<const char*>(data), size), recording, error)) {
        if (error.compare(0, 5, "line ") != 0) std::abort();
        return 0;
    }
    constexpr uint64_t highest = INT64_MAX;  // a point and the one after it both fit
    uint64_t last = 0;
    for (const RecordedEvent& r : recording.events) {
        if (r.point == 0 || r.point < last || r.point > highest || r.event.kind > InputKind::LAST)
            std::abort();
        last = r.point;
    }
    if (recording.closePoint > highest || recording.endPoint > highest) std::abort();
    if (recording.endPoint < last || recording.endPoint < recording.closePoint) std::abort();
    return 0;
}
