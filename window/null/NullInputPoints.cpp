// The null platform's input points: with no thread behind the window, input
// comes only from the test's own calls and from the input-point hook, so a
// wait for input that nothing can feed ends the run (the window closes, as
// when a replay runs past its end). Nothing is recorded to a file or
// replayed; a game is kept in memory as on the SDL platform.
#include <cstdio>

#include "window/null/NullInput.h"
#include "window/ReplayHooks.h"
#include "window/VitrineReplay.h"

namespace Vitrine {
namespace detail {

namespace {

Replay::InputPointHook gHook = nullptr;
Replay::StateHash gHash = nullptr;
uint64_t gApplied = 0;  // events that took effect since the program started
uint64_t gPoint = 0;    // input points passed since the program started

}  // namespace

uint64_t CurrentInputPoint() {
    return gPoint;
}

void BeginInputPoint() {
    ++gPoint;
    if (gHook) gHook();
}
void EndInputPoint() {}
void RecordEvent(const InputEvent& event) {
    ++gApplied;
    KeepGameEvent(event);
}
void RecordFrame() {
    if (!KeepingGame()) return;
    char line[16];
    std::snprintf(line, sizeof line, "f %08x\n", gHash ? gHash(Replay::RecordingFormat) : 0);
    KeepGameLine(line);
}
void RecordUserClose() {}

// Every wait returns at once: there is never anything to wait for.
bool ReplayFeedsInput() {
    return true;
}

void ReplayWaitForInput() {
    if (!gHook) EndForWantOfInput();
}

uint64_t EventsApplied() {
    return gApplied;
}

bool InputHooked() {
    return gHook != nullptr;
}

void EndForWantOfInput() {
    RequestClose();
    NoticeClose();
}

}  // namespace detail

namespace Replay {

void SetStateHash(StateHash hash) {
    detail::gHash = hash;
}

void SetInputPointHook(InputPointHook hook) {
    detail::gHook = hook;
}

bool StartRecording(const std::string&, const std::string&, std::string& error, const std::vector<Setting>&) {
    error = "the null platform records nothing";
    return false;
}

bool StopRecording(std::string&) {
    return true;
}

uint64_t RecordedFrames() {
    return 0;
}

void RecordMoves(uint8_t moves) {
    char line[8];
    std::snprintf(line, sizeof line, "m %02x\n", moves);
    detail::KeepGameLine(line);
}

bool Recording() {
    return false;
}

void ReplayFromHere() {}

bool ReplayedMoves(uint8_t&) {
    return false;
}

bool StartReplay(const std::string&, std::string& error) {
    error = "the null platform replays nothing";
    return false;
}

bool Replaying() {
    return false;
}

Outcome ReplayOutcome() {
    return {};
}

void StopReplay() {}

}  // namespace Replay

}  // namespace Vitrine
