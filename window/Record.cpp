// Recording and replaying the input of a run (see VitrineReplay.h).
#include "window/ReplayHooks.h"
#include "window/VitrineReplay.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace Vitrine {
namespace detail {

namespace {

constexpr const char* kHeader = "kerbo-replay 1";

Replay::StateHash gHash = nullptr;
Replay::InputPointHook gHook = nullptr;
uint64_t gPoint = 0;  // input points passed since the program started

// ------------------------------------------------ recording

std::FILE* gOut = nullptr;
uint64_t gRecordedFrames = 0;  // frames written by the recording under way

// ------------------------------------------------ replaying

struct Recorded {
    uint64_t point;
    InputEvent event;
};

struct Playback {
    bool on = false;
    std::vector<Recorded> events;  // in the order they took effect
    size_t next = 0;
    std::vector<uint32_t> hashes;  // one per frame
    uint64_t closePoint = 0;       // 0: the user did not close the window
    uint64_t endPoint = 0;         // the last point of the recorded run
    bool closing = false;          // the window is being closed by the replay
    Replay::Outcome outcome;
} gPlay;

uint32_t StateHashNow() {
    return gHash ? gHash() : 0;
}

void CloseByReplay() {
    if (gPlay.closing) return;
    gPlay.closing = true;
    RequestClose();
}

}  // namespace

void BeginInputPoint() {
    ++gPoint;
    if (gHook) gHook();
    if (!gPlay.on) return;
    if (gPoint > gPlay.endPoint) {
        gPlay.outcome.ranPastEnd = true;
        CloseByReplay();
        return;
    }
    std::lock_guard guard(link().lock);
    link().pending.clear();  // the window's own input has no say in a replay
    while (gPlay.next < gPlay.events.size() && gPlay.events[gPlay.next].point == gPoint) {
        link().pending.push_back(gPlay.events[gPlay.next++].event);
    }
}

void EndInputPoint() {
    if (gPlay.on && gPlay.closePoint != 0 && gPoint == gPlay.closePoint) CloseByReplay();
}

void RecordEvent(const InputEvent& event) {
    if (!gOut) return;
    std::fprintf(gOut, "e %" PRIu64 " %d %u %d %d\n", gPoint, int(event.kind), event.key, event.x, event.y);
}

void RecordFrame() {
    if (gOut) {
        ++gRecordedFrames;
        std::fprintf(gOut, "f %08x\n", StateHashNow());
        return;
    }
    if (!gPlay.on) return;
    uint64_t frame = ++gPlay.outcome.frames;
    if (gPlay.outcome.firstDifference != 0) return;
    uint32_t actual = StateHashNow();
    uint32_t expected = frame <= gPlay.hashes.size() ? gPlay.hashes[frame - 1] : 0;
    if (frame > gPlay.hashes.size() || actual != expected) {
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
    gOut = std::fopen(path.c_str(), "w");
    if (!gOut) {
        error = path + ": can't be created";
        return false;
    }
    std::fprintf(gOut, "%s\nversion %s\n", kHeader, version.c_str());
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
    std::ifstream in(path);
    if (!in) {
        error = path + ": can't be opened";
        return false;
    }
    Playback play;
    std::string line;
    uint64_t lineNumber = 0;
    uint64_t lastPoint = 0;
    bool ended = false;
    auto fail = [&](const std::string& what) {
        error = path + ": line " + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (lineNumber == 1) {
            if (line != kHeader) return fail("not a recording of this program");
            continue;
        }
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (lineNumber == 2) {
            if (tag != "version" || !(fields >> play.outcome.version)) return fail("the version is missing");
            continue;
        }
        if (ended) return fail("text after the end of the run");
        if (tag == "e") {
            uint64_t point = 0;
            int kind = -1;
            Recorded r{};
            if (!(fields >> point >> kind >> r.event.key >> r.event.x >> r.event.y) || kind < 0 ||
                kind > int(InputKind::LAST) || point < lastPoint || point == 0) {
                return fail("a malformed event");
            }
            r.point = lastPoint = point;
            r.event.kind = InputKind(kind);
            play.events.push_back(r);
        } else if (tag == "f") {
            uint32_t hash = 0;
            if (!(fields >> std::hex >> hash)) return fail("a malformed frame");
            play.hashes.push_back(hash);
        } else if (tag == "c") {
            if (!(fields >> play.closePoint) || play.closePoint < lastPoint) return fail("a malformed close");
            lastPoint = play.closePoint;
        } else if (tag == "setting") {
            Setting setting;
            std::string more;
            if (!(fields >> setting.first >> setting.second) || (fields >> more))
                return fail("a malformed setting");
            play.outcome.settings.push_back(std::move(setting));
        } else if (tag == "end") {
            if (!(fields >> play.endPoint) || play.endPoint < lastPoint) return fail("a malformed end");
            ended = true;
        } else {
            return fail("unknown line '" + line + "'");
        }
    }
    if (lineNumber < 2) return fail("the file is incomplete");
    if (!ended) play.endPoint = lastPoint;  // a run cut short: replay what there is
    play.outcome.recordedFrames = play.hashes.size();
    play.on = true;
    gPlay = std::move(play);
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
        outcome.expectedHash = gPlay.hashes[outcome.frames];
    }
    return outcome;
}

void StopReplay() {
    gPlay = Playback{};
}

}  // namespace Replay

}  // namespace Vitrine
