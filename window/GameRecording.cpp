// The game kept on its own (VitrineReplay.h, StartGameRecording): its lines
// in memory, points counted from its start, and reading a recording's moves
// back. Shared by both platforms, so the front end's tests keep games too.
#include <cinttypes>
#include <cstdio>

#include "util/SafeFile.h"
#include "window/RecordingFile.h"
#include "window/ReplayHooks.h"
#include "window/VitrineReplay.h"

namespace Vitrine {
namespace detail {

namespace {

struct GameRecording {
    bool on = false;
    uint64_t start = 0;  // the input point it started at
    std::string text;
} gGame;

}  // namespace

bool KeepingGame() {
    return gGame.on;
}

void KeepGameEvent(const InputEvent& event) {
    if (!gGame.on) return;
    char line[96];
    std::snprintf(line, sizeof line, "e %" PRIu64 " %d %u %d %d\n", CurrentInputPoint() - gGame.start,
                  int(event.kind), event.key, event.x, event.y);
    gGame.text += line;
}

void KeepGameLine(const char* line) {
    if (gGame.on) gGame.text += line;
}

}  // namespace detail

namespace Replay {

using namespace detail;

void StartGameRecording(const std::string& version, const std::vector<Setting>& settings) {
    gGame = GameRecording{true, CurrentInputPoint(), {}};
    gGame.text.reserve(std::size_t(1) << 20);
    gGame.text += RecordingHeader() + "\nversion " + version + "\n";
    for (const auto& [name, value] : settings) gGame.text += "setting " + name + " " + value + "\n";
}

std::string StopGameRecording() {
    if (!gGame.on) return {};
    std::string text = std::move(gGame.text);
    text += "end " + std::to_string(CurrentInputPoint() - gGame.start) + "\n";
    gGame = GameRecording{};
    return text;
}

bool ReadMoves(const std::string& path, std::vector<Setting>& settings, std::vector<uint8_t>& moves,
               std::string& error) {
    std::string text;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(path, StandardLib::MaxRecordingBytes, text);
    if (!read.ok) {
        error = path + ": can't be read (" + read.why + ")";
        return false;
    }
    detail::Recording recording;
    if (!ParseRecording(text, recording, error)) {
        error = path + ": " + error;
        return false;
    }
    settings = std::move(recording.settings);
    moves = std::move(recording.moves);
    return true;
}

}  // namespace Replay

}  // namespace Vitrine
