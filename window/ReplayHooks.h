// The points where the window layer's input path calls the recorder
// (Record.cpp). Main thread only.
#pragma once

#include "window/VitrineInternal.h"

namespace Vitrine::detail {

// The start of an input point: counts it; a replay puts the events recorded
// for it in the queue here (and closes the window once the recording is used up).
void BeginInputPoint();
// The end of an input point: a replay closes the window where the user did.
void EndInputPoint();
// An event has just taken effect: a recording writes it down.
void RecordEvent(const InputEvent& event);
// UpdateWindow has shown a frame.
void RecordFrame();
// The user closed the window (the main thread has just noticed).
void RecordUserClose();
// The input points passed since the program started (each platform counts them).
uint64_t CurrentInputPoint();
// The game being kept (GameRecording.cpp, shared): whether one is, an event
// that took effect (its point counted from the game's start), a whole line.
bool KeepingGame();
void KeepGameEvent(const InputEvent& event);
void KeepGameLine(const char* line);
// True while a replay feeds the input: nothing is worth waiting for.
bool ReplayFeedsInput();
// GetKey has no key and would now wait for the next event. A replay moves
// on to the point before its next recorded event or close (the passes in
// between change nothing); with none left it ends the run there.
void ReplayWaitForInput();

}  // namespace Vitrine::detail
