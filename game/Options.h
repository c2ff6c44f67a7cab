// The program's command line: play (no options), record a session, replay
// one, time one (timedemo), --help and --version; a level pack to play,
// check or edit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace KerboImplementation {

// The program's version, as --version prints it and recordings carry it.
extern const char* const ProgramVersion;

enum class RunMode : uint8_t { Play, Record, Replay, Timedemo, Help, Version, CheckLevels, Edit };

struct Options {
    RunMode mode = RunMode::Play;
    std::string file;        // the recording to write or read
    bool paced = false;      // a replay at the game's own speed
    uint32_t scale = 0;      // the window's whole factor; 0: the largest that suits the desktop
    bool focusPause = true;  // a window losing the focus pauses play
    std::string levels;      // the level pack to play instead of the shipped levels
    std::string folder;      // the pack to check (""; the shipped levels) or to edit
};

// Reads the arguments after the program name. False (with the reason in
// `error`) for anything it does not know.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Runs the program as the command line asks; returns the exit status.
int RunProgram(int argc, char** argv);

}  // namespace KerboImplementation
