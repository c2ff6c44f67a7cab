// Recordings, replays and the timedemo. A replay or timedemo plays against a
// copy of the high-score table, so that the game it replays never changes the
// player's own table, and with the difficulty the recording names, whatever
// the player's settings.
#include "game/Replay.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "game/HighScoreTable.h"
#include "game/KeptGames.h"
#include "game/KerboImplementation.h"
#include "game/LevelPacks.h"
#include "game/Options.h"
#include "game/Progress.h"
#include "game/Settings.h"
#include "game/StateHash.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

// Scratch folders of earlier replays whose process has ended (killed, say).
void RemoveStaleCopies(const fs::path& temp) {
    std::error_code error;
    for (fs::directory_iterator it(temp, error), end; !error && it != end; it.increment(error)) {
        struct stat info {};
        std::error_code ignored;
        if (StandardLib::LeftByEndedProcess(it->path().filename().string(), "kerbo-replay-") &&
            ::lstat(it->path().c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()) {
            fs::remove_all(it->path(), ignored);
        }
    }
}

// A private copy of the high-score table for a replay; the program's own
// table is put back in place (untouched) on destruction. The copy's folder
// goes however the program ends (see util/Leftovers.h).
class TableCopy {
  public:
    bool Make(std::string& error) {
        std::error_code ec;
        const fs::path temp = fs::temp_directory_path(ec);
        if (!ec) RemoveStaleCopies(temp);
        std::string pattern = (temp / StandardLib::ScratchPattern("kerbo-replay-")).string();
        if (ec || !::mkdtemp(pattern.data())) {
            error = "can't make a scratch folder for the high scores";
            return false;
        }
        folder_ = pattern;
        StandardLib::RemoveWhenEnding(folder_);
        own_ = HighScoreFile;
        const fs::path copy = folder_ / HighScoreFileName;
        std::string bytes;
        const StandardLib::FileRead read =
            StandardLib::ReadSmallFile(own_, StandardLib::MaxHighScoreBytes, bytes);
        if (!read.ok && !read.missing) {
            error = own_ + ": can't be copied for the replay (" + read.why + ")";
            return false;
        }
        if (read.ok && !WriteFileAtomically(copy.string(), bytes, "the high scores")) {
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
        StandardLib::Forget(folder_);
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

bool KeysFromWord(const std::string& word, MoveKeys& keys) {
    MoveKeys read;
    std::size_t at = 0;
    for (Move move : AllMoves) {
        const std::size_t end = std::min(word.find(',', at), word.size());
        const std::string code = word.substr(at, end - at);
        if (code.empty() || code.size() > 3 || code.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(code) > 255)
            return false;
        read[move] = static_cast<uint32_t>(std::stoul(code));
        at = end + 1;
    }
    if (at != word.size() + 1) return false;
    keys = read;
    return true;
}

// The settings a recording started with, in force for its replay: the
// difficulty it names, Easy (the program's start value) when it names none,
// the keys it names, the usual ones when it names none, and the levels
// reached it names (none in recordings older than practice), kept for the
// replay alone. False for a setting this program can't play.
bool UseRecordedSettings(const Vitrine::Replay::Outcome& recorded, std::string& error) {
    LevelDifficulty = Difficulty::Easy;
    PlayKeys = MoveKeys{};
    ProgressFile.clear();
    ReachedLevels.clear();
    for (const auto& [name, value] : recorded.settings) {
        if (name == "difficulty" && !DifficultyNamed(value, LevelDifficulty)) {
            error = "the recording's difficulty '" + value + "' is unknown";
            return false;
        }
        if (name == "keys" && !KeysFromWord(value, PlayKeys)) {
            error = "the recording's keys '" + value + "' are not four key codes";
            return false;
        }
        if (name == "reached" && !UseRecordedReached(value)) {
            error = "the recording's level reached '" + value + "' can't be read";
            return false;
        }
    }
    return true;
}

int Replay(const std::string& file, bool paced, bool timed) {
    std::string error;
    if (!Vitrine::Replay::StartReplay(file, error)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    const Vitrine::Replay::Outcome recorded = Vitrine::Replay::ReplayOutcome();
    if (recorded.version != ProgramVersion) {
        std::cerr << "kerbo: " << file << " was recorded by version " << recorded.version << ", this is "
                  << ProgramVersion << std::endl;
    }
    if (recorded.cutShort) {
        std::cerr << "kerbo: " << file
                  << " has no end line: the run that made it ended before it could finish the file "
                     "(its display went away, or it was killed); what there is is replayed."
                  << std::endl;
    }
    // A kept game's recording starts at the game itself, with the state its
    // game began from.
    const bool keptGame = IsKeptGame(recorded.settings);
    KeptGameStart begin;
    if (!UseRecordedSettings(recorded, error) ||
        (keptGame && !UseKeptGameSettings(recorded.settings, begin, error))) {
        Vitrine::Replay::StopReplay();
        std::cerr << "kerbo: " << file << ": " << error << std::endl;
        return 1;
    }
    if (!begin.pack.empty()) {
        error = UsePack(begin.pack);
        if (!error.empty()) {
            Vitrine::Replay::StopReplay();
            std::cerr << "kerbo: " << file << ": its pack can't be played: " << error << std::endl;
            return 1;
        }
    }
    // No such audio driver: the sound table stays silent and decodes nothing.
    if (timed) ::setenv("SDL_AUDIODRIVER", "none", 1);
    TableCopy table;
    if (!table.Make(error)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    Vitrine::Replay::SetStateHash(StateHash);
    Vitrine::Replay::SetInstantWaits(!paced);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    if (keptGame) {
        KeptGameProgram(begin.pointerX, begin.pointerY);
    } else {
        TotalProgram();
    }
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

std::string KeysWord(const MoveKeys& keys) {
    std::string word;
    for (Move move : AllMoves) word += (word.empty() ? "" : ",") + std::to_string(keys[move]);
    return word;
}

int RecordSession(const std::string& file) {
    std::string error;
    // The difficulty the game starts with, the keys and the levels reached go
    // with the recording, so that a replay on another machine, with other
    // settings and progress, plays the same game.
    std::vector<Vitrine::Replay::Setting> settings{{"difficulty", DifficultyName(LevelDifficulty)}};
    if (PlayKeys != MoveKeys{}) settings.emplace_back("keys", KeysWord(PlayKeys));
    for (const Vitrine::Replay::Setting& reached : ProgressSettings()) settings.push_back(reached);
    if (!Vitrine::Replay::StartRecording(file, ProgramVersion, error, settings)) {
        std::cerr << "kerbo: " << error << std::endl;
        return 1;
    }
    Vitrine::Replay::SetStateHash(StateHash);
    TotalProgram();
    if (!Vitrine::Replay::StopRecording(error)) {
        std::cerr << "kerbo: " << file << ": " << error << std::endl;
        return 1;
    }
    // How the run ended, as its replay will tell it.
    PrintSummary(Vitrine::Replay::RecordedFrames());
    return 0;
}

int ReplaySession(const std::string& file, bool paced) {
    return Replay(file, paced, false);
}

int TimeDemo(const std::string& file) {
    return Replay(file, false, true);
}

}  // namespace KerboImplementation
