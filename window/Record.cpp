// Recording and replaying the input of a run (see VitrineReplay.h).
#include "window/RecordingFile.h"
#include "window/ReplayHooks.h"
#include "window/VitrineReplay.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "util/SafeFile.h"

namespace Vitrine {
namespace detail {

namespace {

Replay::StateHash gHash = nullptr;
Replay::InputPointHook gHook = nullptr;
uint64_t gPoint = 0;  // input points passed since the program started

// ------------------------------------------------ recording

std::FILE* gOut = nullptr;
uint64_t gRecordedFrames = 0;  // frames written by the recording under way

// ------------------------------------------------ replaying

struct Playback {
    bool on = false;
    detail::Recording recording;
    size_t next = 0;       // the next event to feed
    size_t nextMoves = 0;  // the next frame's moves to give the game
    bool closing = false;  // the window is being closed by the replay
    uint64_t start = 0;    // the point the recording's points count from (ReplayFromHere)
    Replay::Outcome outcome;
} gPlay;

// The point the replay is at, as its recording counts them.
uint64_t Here() {
    return gPoint - gPlay.start;
}

// The hash as the recording being written (this program's format) or the one
// replayed takes it.
uint32_t StateHashNow(uint32_t format = Replay::RecordingFormat) {
    return gHash ? gHash(format) : 0;
}

void CloseByReplay() {
    if (gPlay.closing) return;
    gPlay.closing = true;
    RequestClose();
}

}  // namespace

uint64_t CurrentInputPoint() {
    return gPoint;
}

void BeginInputPoint() {
    ++gPoint;
    if (gHook) gHook();
    if (!gPlay.on) return;
    if (Here() > gPlay.recording.endPoint) {
        gPlay.outcome.ranPastEnd = true;
        CloseByReplay();
        return;
    }
    std::lock_guard guard(link().lock);
    link().pending.clear();  // the window's own input has no say in a replay
    const std::vector<RecordedEvent>& events = gPlay.recording.events;
    while (gPlay.next < events.size() && events[gPlay.next].point == Here()) {
        link().pending.push_back(events[gPlay.next++].event);
    }
}

void EndInputPoint() {
    if (gPlay.on && gPlay.recording.closePoint != 0 && Here() == gPlay.recording.closePoint) CloseByReplay();
}

void RecordEvent(const InputEvent& event) {
    if (gOut)
        std::fprintf(gOut, "e %" PRIu64 " %d %u %d %d\n", gPoint, int(event.kind), event.key, event.x,
                     event.y);
    KeepGameEvent(event);
}

void RecordFrame() {
    if (gOut || KeepingGame()) {
        const uint32_t hash = StateHashNow();
        char line[16];
        std::snprintf(line, sizeof line, "f %08x\n", hash);
        KeepGameLine(line);
        if (gOut) {
            ++gRecordedFrames;
            std::fputs(line, gOut);
        }
        return;
    }
    if (!gPlay.on) return;
    const std::vector<uint32_t>& hashes = gPlay.recording.hashes;
    uint64_t frame = ++gPlay.outcome.frames;
    if (frame > hashes.size()) {
        // Every frame of the recorded run was shown: this run has gone past
        // it, and nothing recorded can end it any more.
        gPlay.outcome.ranPastEnd = true;
        CloseByReplay();
    }
    if (gPlay.outcome.firstDifference != 0) return;
    uint32_t actual = StateHashNow(gPlay.recording.format);
    uint32_t expected = frame <= hashes.size() ? hashes[frame - 1] : 0;
    if (frame > hashes.size() || actual != expected) {
        gPlay.outcome.firstDifference = frame;
        gPlay.outcome.expectedHash = expected;
        gPlay.outcome.actualHash = actual;
    }
}

void RecordUserClose() {
    if (gOut && !gPlay.closing) std::fprintf(gOut, "c %" PRIu64 "\n", gPoint);
}

bool ReplayFeedsInput() {
    return gPlay.on || gHook != nullptr;
}

void ReplayWaitForInput() {
    if (!gPlay.on || gHook != nullptr || gPlay.closing) return;
    // Until the next recorded event or close, a pass through GetKey changes
    // nothing: the points up to it pass at once.
    const std::vector<RecordedEvent>& events = gPlay.recording.events;
    uint64_t next = UINT64_MAX;
    if (gPlay.next < events.size()) next = events[gPlay.next].point;
    if (gPlay.recording.closePoint > Here()) next = std::min(next, gPlay.recording.closePoint);
    if (next == UINT64_MAX) {
        // Nothing recorded is left to come: the live run would wait for ever.
        gPlay.outcome.ranPastEnd = true;
        CloseByReplay();
        return;
    }
    if (next > Here() + 1) gPoint = gPlay.start + next - 1;
}

}  // namespace detail

namespace Replay {

using namespace detail;

void SetStateHash(StateHash hash) {
    gHash = hash;
}

void SetInputPointHook(InputPointHook hook) {
    gHook = hook;
}

bool StartRecording(const std::string& path, const std::string& version, std::string& error,
                    const std::vector<Setting>& settings) {
    std::string ignored;
    StopRecording(ignored);
    std::string why;
    const int fd = StandardLib::CreateRegularFile(path, why);
    gOut = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
    if (!gOut) {
        if (fd >= 0) {
            why = std::strerror(errno);
            ::close(fd);
        }
        error = path + ": can't be created (" + why + ")";
        return false;
    }
    std::fprintf(gOut, "%s\nversion %s\n", RecordingHeader().c_str(), version.c_str());
    for (const auto& [name, value] : settings)
        std::fprintf(gOut, "setting %s %s\n", name.c_str(), value.c_str());
    gRecordedFrames = 0;
    return true;
}

bool StopRecording(std::string& error) {
    if (!gOut) return true;
    std::fprintf(gOut, "end %" PRIu64 "\n", gPoint);
    bool good = std::ferror(gOut) == 0;
    good = std::fclose(gOut) == 0 && good;
    gOut = nullptr;
    if (!good) error = "the recording could not be written completely";
    return good;
}

bool StartReplay(const std::string& path, std::string& error) {
    StopReplay();
    std::string text;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(path, StandardLib::MaxRecordingBytes, text);
    if (!read.ok) {
        error = path + ": can't be read (" + read.why + ")";
        return false;
    }
    Playback play;
    if (!ParseRecording(text, play.recording, error)) {
        error = path + ": " + error;
        return false;
    }
    play.outcome.version = play.recording.version;
    play.outcome.settings = play.recording.settings;
    play.outcome.recordedFrames = play.recording.hashes.size();
    play.outcome.cutShort = play.recording.cutShort;
    play.on = true;
    gPlay = std::move(play);
    return true;
}

void RecordMoves(uint8_t moves) {
    if (!gOut && !KeepingGame()) return;  // most frames of plain play
    char line[8];
    std::snprintf(line, sizeof line, "m %02x\n", moves);
    if (gOut) std::fputs(line, gOut);
    KeepGameLine(line);
}

bool Recording() {
    return gOut != nullptr;
}

void ReplayFromHere() {
    gPlay.start = gPoint;
}

bool ReplayedMoves(uint8_t& moves) {
    if (!gPlay.on || gPlay.nextMoves >= gPlay.recording.moves.size()) return false;
    moves = gPlay.recording.moves[gPlay.nextMoves++];
    return true;
}

uint64_t RecordedFrames() {
    return gRecordedFrames;
}

bool Replaying() {
    return gPlay.on;
}

Outcome ReplayOutcome() {
    Outcome outcome = gPlay.outcome;
    if (outcome.firstDifference == 0 && outcome.frames < outcome.recordedFrames) {
        outcome.firstDifference = outcome.frames + 1;  // the run ended early
        outcome.expectedHash = gPlay.recording.hashes[outcome.frames];
    }
    return outcome;
}

void StopReplay() {
    gPlay = Playback{};
}

}  // namespace Replay

}  // namespace Vitrine
