// The command line. With no options the program plays as always; the others
// record a session's input, replay it (or time it: the timedemo), or say how
// to use the program and which version it is.
//
// A replay or timedemo plays against a copy of the high-score table, so that
// the game it replays never changes the player's own table.
#include "game/Options.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "game/FrontEnd.h"
#include "game/Installation.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"
#include "window/VitrineTest.h"

#ifndef KERBO_VERSION
#define KERBO_VERSION "unknown"
#endif

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

const char* const Usage =
    "Usage: kerbo [OPTION]\n"
    "Play KERBO anno 2011. The game reads its levels, images and sounds from the\n"
    "working directory, else from beside the program or from where it was\n"
    "installed. It keeps the high scores in Highscores.txt there when it runs in\n"
    "that folder and may write it, else in $XDG_DATA_HOME/kerbo/.\n"
    "F11 or Alt+Enter: full screen; M: sound off and on.\n"
    "\n"
    "  --scale N         show the window N times as large (1 to 16)\n"
    "  --no-focus-pause  play on when the window loses the focus\n"
    "  --record FILE     play, and write every input event and the state of every\n"
    "                    frame to FILE; then print a summary as --replay does\n"
    "  --replay FILE     replay a recording without waits (no display or sound\n"
    "                    device needed with SDL's dummy drivers) and print a summary;\n"
    "                    the high-score table in the working directory is not changed\n"
    "  --paced           with --replay: at the game's own speed\n"
    "  --timedemo FILE   replay as fast as possible with sound off and print the\n"
    "                    frames per second\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n";

// The program's start, as main always began it: every run places the cats the same way.
void StartFresh() {
    StandardLib::gPseudoRandom = true;
    StandardLib::ResetRandom();
}

// A private copy of the high-score table for a replay; the program's own
// table is put back in place (untouched) on destruction.
class TableCopy {
  public:
    bool Make(std::string& error) {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "kerbo-replay-XXXXXX").string();
        if (ec || !::mkdtemp(pattern.data())) {
            error = "can't make a scratch folder for the high scores";
            return false;
        }
        folder_ = pattern;
        own_ = HighScoreFile;
        const fs::path copy = folder_ / HighScoreFileName;
        if (fs::exists(own_, ec)) fs::copy_file(own_, copy, ec);
        if (ec) {
            error = own_ + ": can't be copied for the replay";
            return false;
        }
        HighScoreFile = copy.string();
        return true;
    }
    ~TableCopy() {
        if (folder_.empty()) return;
        HighScoreFile = own_;
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

  private:
    fs::path folder_;
    std::string own_;
};

void PrintSummary(uint64_t frames) {
    std::cout << "frames " << frames << "\n"
              << "score " << Score << "\n"
              << "lives " << Lifes << "\n"
              << "level " << ActualLevel << "\n"
              << "high scores\n";
    const HighScoreTable table = ReadHighScores(HighScoreFile);
    for (std::size_t place = 0; place < table.size(); ++place) {
        std::string_view name(table[place].Name.data(), table[place].Name.size());
        name = name.substr(0, name.find('\0'));
        name = name.substr(0, name.find_last_not_of(' ') + 1);  // names are kept padded with blanks
        std::cout << "  " << place + 1 << " " << table[place].Score << " " << name << "\n";
    }
    std::cout.flush();
}

// What a replay found against the recording; true when the run matched it.
bool ReportDifferences(const Vitrine::Replay::Outcome& outcome) {
    bool same = true;
    if (outcome.firstDifference != 0) {
        std::fprintf(
            stderr,
            "kerbo: the replay first differs from the recording at frame %llu (state %08x, recorded %08x)\n",
            static_cast<unsigned long long>(outcome.firstDifference), outcome.actualHash,
            outcome.expectedHash);
        same = false;
    }
    if (outcome.frames != outcome.recordedFrames) {
        std::fprintf(stderr, "kerbo: the replay showed %llu frames, the recording %llu\n",
                     static_cast<unsigned long long>(outcome.frames),
                     static_cast<unsigned long long>(outcome.recordedFrames));
        same = false;
    }
    if (outcome.ranPastEnd) {
        std::fprintf(stderr, "kerbo: the replay went on past the end of the recording\n");
        same = false;
    }
    return same;
}

int Record(const Options& options) {
    std::string error;
    if (!Vitrine::Replay::StartRecording(options.file, KERBO_VERSION, error)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    Vitrine::Replay::SetStateHash(StateHash);
    StartFresh();
    TotalProgram();
    if (!Vitrine::Replay::StopRecording(error)) {
        std::cerr << "kerbo: " << options.file << ": " << error << std::endl;
        return 1;
    }
    // How the run ended, as its replay will tell it.
    PrintSummary(Vitrine::Replay::RecordedFrames());
    return 0;
}

int Replay(const Options& options) {
    std::string error;
    if (!Vitrine::Replay::StartReplay(options.file, error)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    const Vitrine::Replay::Outcome recorded = Vitrine::Replay::ReplayOutcome();
    if (recorded.version != KERBO_VERSION) {
        std::cerr << "kerbo: " << options.file << " was recorded by version " << recorded.version
                  << ", this is " << KERBO_VERSION << std::endl;
    }
    const bool timed = options.mode == RunMode::Timedemo;
    // No such audio driver: the sound table stays silent and decodes nothing.
    if (timed) ::setenv("SDL_AUDIODRIVER", "none", 1);
    TableCopy table;
    if (!table.Make(error)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    Vitrine::Replay::SetStateHash(StateHash);
    Vitrine::Testing::SetInstantWaits(!options.paced);
    StartFresh();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    TotalProgram();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const Vitrine::Replay::Outcome outcome = Vitrine::Replay::ReplayOutcome();
    Vitrine::Replay::StopReplay();
    if (timed) {
        // The processor time too: on a busy machine it is the steadier figure.
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        std::printf(
            "frames %llu, seconds %.3f, frames per second %.0f (processor seconds %.3f, %.0f frames each)\n",
            static_cast<unsigned long long>(outcome.frames), seconds.count(),
            seconds.count() > 0 ? double(outcome.frames) / seconds.count() : 0.0, cpu,
            cpu > 0 ? double(outcome.frames) / cpu : 0.0);
        std::fflush(stdout);
    } else {
        PrintSummary(outcome.frames);
    }
    return ReportDifferences(outcome) ? 0 : 1;
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
            error = "only one of --record, --replay, --timedemo, --help and --version at a time";
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
    return true;
}

int RunProgram(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error)) {
        std::cerr << "kerbo: " << error << "\nTry 'kerbo --help'." << std::endl;
        return 2;
    }
    if (options.mode != RunMode::Help && options.mode != RunMode::Version) {
        // The recording is named from where the program was started; the
        // program may then move into its data folder.
        std::error_code ec;
        if (!options.file.empty()) options.file = fs::absolute(options.file, ec).string();
        if (!SetUpInstallation()) return 1;
        Vitrine::SetWindowScale(options.scale);
        Vitrine::ReportFocusLoss(options.focusPause);
    }
    switch (options.mode) {
        case RunMode::Help:
            std::cout << Usage;
            return 0;
        case RunMode::Version:
            std::cout << "kerbo " << KERBO_VERSION << std::endl;
            return 0;
        case RunMode::Record:
            return Record(options);
        case RunMode::Replay:
        case RunMode::Timedemo:
            return Replay(options);
        case RunMode::Play:
            break;
    }
    StartFresh();
    TotalProgram();
    return 0;
}

}  // namespace KerboImplementation
