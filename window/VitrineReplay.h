// Vitrine::Replay: recording the input a run takes and feeding it to a later
// run at the same points of the main thread's flow.
//
// A point is one pass through the main thread's input step (UpdateWindow,
// GetKey, Delay, PaceFrame, each loop of GetKey counting again). A run's
// points depend only on its input, so events fed at the same point numbers
// take effect at the same moment of the game. The file also holds, for every
// frame shown, a hash of the program's state, so that a replay tells at which
// frame it first went another way than the recorded run.
//
// The file is text: a header line, the program's version, the settings the
// run started with that change play ("setting name value", perhaps none),
// then one line per event ("e point kind key x y"), per frame shown ("f
// hash"), per frame of play the moves the game's rules took ("m bits", in
// hexadecimal), a window close by the user ("c point") and the end of the
// run ("end point").
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Vitrine::Replay {

// The format of the recordings this program writes (the number on their
// first line), and the oldest whose replays it still plays. They differ in
// what a frame's hash covers: format 2 hashed every slot of the state, in
// use or not; format 3 leaves out what play does not use.
inline constexpr uint32_t RecordingFormat = 3;
inline constexpr uint32_t OldestReplayedFormat = 2;

// The program's state reduced to a number, as recordings of `format` hash
// it; taken at every frame shown while recording or replaying. Without one,
// frames carry 0.
using StateHash = uint32_t (*)(uint32_t format);
void SetStateHash(StateHash hash);

// Called at the start of every input point, before its input is taken: what
// it feeds (Testing::PressKey, ...) takes effect at that point. For scripted
// players: the soak test and the maker of the committed recordings.
using InputPointHook = void (*)();
void SetInputPointHook(InputPointHook hook);

// A setting of a run: a name and a value, each one word.
using Setting = std::pair<std::string, std::string>;

// Starts writing every input event the main thread applies to `path`, after
// the settings given. False (with the reason in `error`) when the file can't
// be created.
bool StartRecording(const std::string& path, const std::string& version, std::string& error,
                    const std::vector<Setting>& settings = {});
// Writes the end of the run and closes the file; false when it could not be
// written completely.
bool StopRecording(std::string& error);
// Frames written by the last recording started.
uint64_t RecordedFrames();
// True while a recording to a file is under way.
bool Recording();

// A game kept on its own: from StartGameRecording on, what a recording
// writes goes into memory as well (beside a recording to a file, if one
// runs), with the points counted from there, so that the game alone is a
// recording that replays from the point where its replay calls
// ReplayFromHere. StopGameRecording gives its text with the end line, and
// "" when none was under way.
void StartGameRecording(const std::string& version, const std::vector<Setting>& settings);
std::string StopGameRecording();

// The moves of a frame of play, as the game packs them: a recording writes
// them down; a replay gives back, in `moves`, those of the next recorded
// frame of play (true) or leaves them as they are once none is left (false).
void RecordMoves(uint8_t moves);
bool ReplayedMoves(uint8_t& moves);

// Reads a recording; from then on the window's own input is ignored and the
// recorded events are fed in instead, waits for keys never block, and the
// window is closed where the user closed it, or once the run goes past the
// end of the recording: past its last point, past its last frame, or waiting
// for a key with no event left to come (as the recorded run ended). False
// (with the reason) for an unreadable or malformed file; a recording is a
// regular file of at most 64 MB.
bool StartReplay(const std::string& path, std::string& error);
bool Replaying();
// A recording's settings and its frames' moves, read and checked as
// StartReplay reads it but without replaying anything: for showing a kept
// game by its moves alone. False with the reason in `error`.
bool ReadMoves(const std::string& path, std::vector<Setting>& settings, std::vector<uint8_t>& moves,
               std::string& error);
// The replay's points count from the next one on (a kept game's recording
// starts where its game does); before, they count from the program's start.
void ReplayFromHere();

struct Outcome {
    std::string version;            // the version that made the recording
    std::vector<Setting> settings;  // as recorded, in their order
    uint64_t frames = 0;            // frames shown in this run
    uint64_t recordedFrames = 0;
    uint64_t firstDifference = 0;               // the first frame whose state differed (1-based); 0: none
    uint32_t expectedHash = 0, actualHash = 0;  // at that frame
    bool ranPastEnd = false;                    // the run wanted input after the recording ended
    bool cutShort = false;                      // the recording has no end line (Recording::cutShort)
};
Outcome ReplayOutcome();
// Back to plain input.
void StopReplay();

// For replays and the timedemo: Delay and PaceFrame return at once (after
// applying pending input), so a run goes as fast as it can be computed.
void SetInstantWaits(bool on);

}  // namespace Vitrine::Replay
