// The command line: what each option means, and which kind of run it starts
// (play, record, replay, timedemo, help, version, checking or editing levels).
#include "game/Options.h"

#include <filesystem>
#include <iostream>

#include "game/FrontEnd.h"
#include "game/Installation.h"
#include "game/KeptGames.h"
#include "game/KerboImplementation.h"
#include "game/LevelPacks.h"
#include "game/Progress.h"
#include "game/Replay.h"
#include "game/Settings.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"

#ifndef KERBO_VERSION
#define KERBO_VERSION "unknown"
#endif

namespace KerboImplementation {

const char* const ProgramVersion = KERBO_VERSION;

namespace {

namespace fs = std::filesystem;

const char* const Usage =
    "Usage: kerbo [OPTION]\n"
    "Play KERBO anno 2011. The game reads its levels, images and sounds from the\n"
    "working directory, else from beside the program or from where it was\n"
    "installed. It keeps the high scores in Highscores.txt there when it runs in\n"
    "that folder and may write it, else in $XDG_DATA_HOME/kerbo/.\n"
    "F11 or Alt+Enter: full screen; M: sound off and on. The scale, full screen,\n"
    "sound, its volume, the difficulty and the keys of play (the start menu's\n"
    "Settings) are kept in $XDG_CONFIG_HOME/kerbo/settings\n"
    "(~/.config/kerbo/settings); --replay and --timedemo leave them alone.\n"
    "\n"
    "  --scale N         show the window N times as large (1 to 16; kept in the\n"
    "                    settings for the next runs)\n"
    "  --no-focus-pause  play on when the window loses the focus\n"
    "  --record FILE     play, and write every input event and the state of every\n"
    "                    frame to FILE; then print a summary as --replay does\n"
    "  --replay FILE     replay a recording without waits (no display or sound\n"
    "                    device needed with SDL's dummy drivers) and print a summary;\n"
    "                    the high-score table in the working directory is not changed\n"
    "  --paced           with --replay: at the game's own speed\n"
    "  --timedemo FILE   replay as fast as possible with sound off and print the\n"
    "                    frames per second\n"
    "  --levels DIR      play the level pack in DIR (level1.txt .. levelN.txt,\n"
    "                    N up to 10) instead of the shipped levels\n"
    "  --check-levels [DIR]  check every level of the pack in DIR (else the\n"
    "                    shipped levels): one line per file; exit status 0 when\n"
    "                    all of them pass\n"
    "  --edit DIR        edit the level pack in DIR (made when it is new)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n";

// The program's start, as main always began it: every run places the cats the same way.
void StartFresh() {
    StandardLib::ResetRandom();
}

// kerbo --check-levels: the pack in `folder`, or the shipped levels.
int CheckLevelFolder(const std::string& folder) {
    const std::string levels = folder.empty() ? DataFolder() : folder;
    if (levels.empty()) {
        std::cerr << "kerbo: can't find the game's data (level1.txt and images/)" << std::endl;
        return 1;
    }
    return CheckLevels(levels, std::cout) ? 0 : 1;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    options = {};
    bool modeGiven = false;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        RunMode mode;
        bool takesFile = true;
        if (arg == "--record") {
            mode = RunMode::Record;
        } else if (arg == "--replay") {
            mode = RunMode::Replay;
        } else if (arg == "--timedemo") {
            mode = RunMode::Timedemo;
        } else if (arg == "--help" || arg == "-h") {
            mode = RunMode::Help, takesFile = false;
        } else if (arg == "--version") {
            mode = RunMode::Version, takesFile = false;
        } else if (arg == "--check-levels") {
            mode = RunMode::CheckLevels, takesFile = false;
            // The folder is optional: the shipped levels without one.
            if (k + 1 < args.size() && !args[k + 1].starts_with("-")) options.folder = args[++k];
        } else if (arg == "--edit" || arg == "--levels") {
            if (k + 1 == args.size() || args[k + 1].empty()) {
                error = "option '" + arg + "' needs a folder";
                return false;
            }
            if (arg == "--levels") {
                options.levels = args[++k];
                continue;
            }
            mode = RunMode::Edit, takesFile = false;
            options.folder = args[++k];
        } else if (arg == "--paced") {
            options.paced = true;
            continue;
        } else if (arg == "--no-focus-pause") {
            options.focusPause = false;
            continue;
        } else if (arg == "--scale") {
            const std::string value = k + 1 < args.size() ? args[++k] : "";
            if (value.empty() || value.size() > 2 ||
                value.find_first_not_of("0123456789") != std::string::npos || std::stoul(value) < 1 ||
                std::stoul(value) > 16) {
                error = "--scale needs a whole number from 1 to 16";
                return false;
            }
            options.scale = static_cast<uint32_t>(std::stoul(value));
            continue;
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (modeGiven) {
            error =
                "only one of --record, --replay, --timedemo, --check-levels, --edit, --help and --version "
                "at a time";
            return false;
        }
        modeGiven = true;
        options.mode = mode;
        if (takesFile) {
            if (k + 1 == args.size() || args[k + 1].empty()) {
                error = "option '" + arg + "' needs a file name";
                return false;
            }
            options.file = args[++k];
        }
    }
    if (options.paced && options.mode != RunMode::Replay) {
        error = "--paced goes with --replay";
        return false;
    }
    if (!options.levels.empty() && options.mode != RunMode::Play) {
        error = "--levels goes with plain play";
        return false;
    }
    return true;
}

int RunProgram(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error)) {
        std::cerr << "kerbo: " << error << "\nTry 'kerbo --help'." << std::endl;
        return 2;
    }
    // Level folders too are named from where the program was started.
    for (std::string* folder : {&options.levels, &options.folder}) {
        if (folder->empty()) continue;
        std::error_code ec;
        const fs::path absolute = fs::absolute(*folder, ec);
        if (!ec) *folder = absolute.lexically_normal().string();
    }
    if (options.mode == RunMode::CheckLevels) return CheckLevelFolder(options.folder);
    if (options.mode != RunMode::Help && options.mode != RunMode::Version) {
        // The recording is named from where the program was started; the
        // program may then move into its data folder.
        std::error_code ec;
        if (!options.file.empty()) options.file = fs::absolute(options.file, ec).string();
        if (!SetUpInstallation()) return 1;
        // Only play and recording read (and keep) the player's settings.
        StartWithSettings(options.mode == RunMode::Play || options.mode == RunMode::Record, options.scale);
        // And only they keep the levels reached; a replay takes its recording's.
        if (options.mode == RunMode::Play || options.mode == RunMode::Record) SetUpProgress();
        // Play keeps its finished games, to be watched again.
        if (options.mode == RunMode::Play || options.mode == RunMode::Record) SetUpKeptGames();
        Vitrine::ReportFocusLoss(options.focusPause);
    }
    switch (options.mode) {
        case RunMode::Help:
            std::cout << Usage;
            return 0;
        case RunMode::Version:
            std::cout << "kerbo " << ProgramVersion << std::endl;
            return 0;
        case RunMode::Record: {
            StartFresh();
            const int status = RecordSession(options.file);
            SaveSettingsIfChanged(true);
            return status;
        }
        case RunMode::Replay:
            StartFresh();
            return ReplaySession(options.file, options.paced);
        case RunMode::Timedemo:
            StartFresh();
            return TimeDemo(options.file);
        case RunMode::Edit:
            StartFresh();
            return EditLevels(options.folder);
        case RunMode::CheckLevels:
        case RunMode::Play:
            break;
    }
    if (!options.levels.empty()) {
        // A broken pack is refused before the window opens.
        const std::string problem = UsePack(options.levels);
        if (!problem.empty()) {
            std::cerr << "kerbo: " << problem << std::endl;
            return 1;
        }
        // A bad pack.txt costs the pack only its own name.
        const PackInfo info = ReadPackInfo(options.levels);
        if (!info.problem.empty()) std::cerr << "kerbo: " << info.problem << std::endl;
        UsePackHighScores(options.levels);
    }
    StartFresh();
    TotalProgram();
    SaveSettingsIfChanged(true);
    return 0;
}

}  // namespace KerboImplementation
