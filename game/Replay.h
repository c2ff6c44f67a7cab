// Recording a session's input, replaying a recording (paced or as fast as
// it goes) and timing one (the timedemo). Each returns the program's exit status.
#pragma once

#include <string>

#include "game/Keys.h"

namespace KerboImplementation {

// Plays as usual while every input event and every frame's state go to
// `file`; then prints a summary of how the run ended.
int RecordSession(const std::string& file);

// Replays `file` against a copy of the high-score table and prints a
// summary; paced: at the game's own speed. Status 1 when the run went
// another way than the recording.
int ReplaySession(const std::string& file, bool paced);

// The keys of play as a recording names them: four codes, "37,39,88,80".
// Play itself replays the moves; the keys count on the screens around it
// (the pause key resumes).
std::string KeysWord(const MoveKeys& keys);

// Replays `file` as fast as it goes with sound off and prints the frames per second.
int TimeDemo(const std::string& file);

}  // namespace KerboImplementation
