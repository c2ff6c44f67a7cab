// The null platform's input points: with no thread behind the window, input
// comes only from the test's own calls and from the input-point hook, so a
// wait for input that nothing can feed ends the run (the window closes, as
// when a replay runs past its end). Nothing is recorded or replayed.
#include "window/null/NullInput.h"
#include "window/ReplayHooks.h"
#include "window/VitrineReplay.h"

namespace Vitrine {
namespace detail {

namespace {

Replay::InputPointHook gHook = nullptr;
uint64_t gApplied = 0;  // events that took effect since the program started

}  // namespace

void BeginInputPoint() {
    if (gHook) gHook();
}
void EndInputPoint() {}
void RecordEvent(const InputEvent&) {
    ++gApplied;
}
void RecordFrame() {}
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

void SetStateHash(StateHash) {}

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

void RecordMoves(uint8_t) {}

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
