// Finished games kept as recordings for the high-score screen: writing them,
// keeping the last ten and the entries' games, and finding them again.
#include "game/KeptGames.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string_view>
#include <vector>

#include "game/Keys.h"
#include "game/LevelPacks.h"
#include "game/Options.h"
#include "game/Replay.h"
#include "game/Settings.h"
#include "game/StateHash.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

std::string KeptGamesRoot;

namespace {

namespace fs = std::filesystem;

constexpr std::string_view LastPrefix = "last-", EntryPrefix = "entry-", Ending = ".kerborec";

// The recording of the game that ended last, until its entry is known.
std::string gFinished;
bool gKeeping = false;

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) hex += {digits[c >> 4], digits[c & 15]};
    return hex;
}

bool FromHex(std::string_view hex, std::string& bytes) {
    if (hex.size() % 2 != 0) return false;
    bytes.clear();
    for (std::size_t k = 0; k < hex.size(); k += 2) {
        int value = 0;
        for (char c : hex.substr(k, 2)) {
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        bytes += char(value);
    }
    return true;
}

// An entry's name as the table keeps it: up to its NUL, without the blanks
// the name entry pads it with.
std::string_view Trimmed(const String& name) {
    std::string_view all(name.data(), name.size());
    all = all.substr(0, all.find('\0'));
    return all.substr(0, all.find_last_not_of(' ') + 1);
}

std::string EntryFileName(uint32_t score, const String& name) {
    return std::string(EntryPrefix) + std::to_string(score) + "-" + Hex(Trimmed(name)) + std::string(Ending);
}

// The number of a "last-N.kerborec", 0 for any other name.
uint64_t LastNumber(const std::string& name) {
    if (!name.starts_with(LastPrefix) || !name.ends_with(Ending)) return 0;
    const std::string digits =
        name.substr(LastPrefix.size(), name.size() - LastPrefix.size() - Ending.size());
    if (digits.empty() || digits.size() > 12 || digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::stoull(digits);
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

// The numbers of the last games kept, lowest first.
std::vector<uint64_t> LastNumbers(const std::string& folder) {
    std::vector<uint64_t> numbers;
    for (const std::string& name : Names(folder))
        if (const uint64_t n = LastNumber(name)) numbers.push_back(n);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::string LastName(uint64_t n) {
    return std::string(LastPrefix) + std::to_string(n) + std::string(Ending);
}

// What writes killed half way left behind: their temporary files.
void RemoveStaleWrites(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
        const std::size_t saving = name.find(".saving-");
        std::error_code ignored;
        if (saving != std::string::npos && StandardLib::LeftByEndedProcess(name, name.substr(0, saving + 8)))
            fs::remove(folder + name, ignored);
    }
}

bool Keeping() {
    return !KeptGamesRoot.empty() && !Vitrine::Replay::Replaying();
}

}  // namespace

void SetUpKeptGames() {
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    if (own.empty()) {
        std::cerr << "kerbo: no folder of your own, so no game is kept to be watched again (" << why << ")."
                  << std::endl;
        return;
    }
    KeptGamesRoot = own + "games/";
    // Its frames carry the state's hash, so that its replay tells where it went another way.
    Vitrine::Replay::SetStateHash(StateHash);
}

std::string KeptGamesFolder() {
    if (KeptGamesRoot.empty()) return {};
    std::string table = fs::path(HighScoreFile).filename().string();
    if (table.ends_with(".txt")) table.resize(table.size() - 4);
    return KeptGamesRoot + table + "/";
}

void StartKeepingGame() {
    gKeeping = Keeping();
    if (!gKeeping) return;
    int32_t x = 0, y = 0;
    Vitrine::MousePos(x, y);
    std::vector<Vitrine::Replay::Setting> settings = {
        {"start", "game"},
        {"difficulty", DifficultyName(LevelDifficulty)},
        {"seed", std::to_string(World.Seed)},
        {"player", Hex(std::string_view(PlayerName.data(), PlayerName.size()))},
        {"pointer", std::to_string(x) + "," + std::to_string(y)}};
    if (!PackFolder.empty()) settings.push_back({"pack", Hex(PackFolder)});
    if (Practising()) settings.push_back({"practice", std::to_string(PracticeLevel)});
    // The keys, as a recording names them: the pause screen takes the chosen pause key.
    if (PlayKeys != MoveKeys{}) settings.push_back({"keys", KeysWord(PlayKeys)});
    Vitrine::Replay::StartGameRecording(ProgramVersion, settings);
}

void StopKeepingGame(GameEnd end) {
    gFinished = Vitrine::Replay::StopGameRecording();
    if (!gKeeping || end == GameEnd::WindowClosed) {
        gFinished.clear();
        return;
    }
    gKeeping = false;
    const std::string folder = KeptGamesFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::cerr << "kerbo: " << folder << ": can't keep the game (" << error.message() << ")" << std::endl;
        gFinished.clear();
        return;
    }
    RemoveStaleWrites(folder);
    const std::vector<uint64_t> numbers = LastNumbers(folder);
    const uint64_t next = numbers.empty() ? 1 : numbers.back() + 1;
    if (!StandardLib::WriteFileAtomically(folder + LastName(next), gFinished, "the game to watch again")) {
        gFinished.clear();
        return;
    }
    // The newest ten stay: those written before this one, but the nine newest, go.
    for (std::size_t k = 0; k + (KeptLastGames - 1) < numbers.size(); ++k)
        fs::remove(folder + LastName(numbers[k]), error);
}

void KeepEntryGame(std::size_t place) {
    const std::string folder = KeptGamesFolder();
    if (folder.empty() || Vitrine::Replay::Replaying()) return;
    if (place != 0 && !gFinished.empty())
        StandardLib::WriteFileAtomically(folder + EntryFileName(Score, PlayerName), gFinished,
                                         "the high score's game");
    gFinished.clear();
    // The games of entries that fell out of the table go (another copy of
    // the game may have pushed them out too).
    std::string bytes;
    if (!StandardLib::ReadSmallFile(HighScoreFile, StandardLib::MaxHighScoreBytes, bytes).ok) return;
    std::set<std::string> standing;
    for (const HighScoreEntry& entry : ReadHighScoreBytes(bytes).table)
        standing.insert(EntryFileName(entry.Score, entry.Name));
    for (const std::string& name : Names(folder)) {
        std::error_code ignored;
        if (name.starts_with(EntryPrefix) && name.ends_with(Ending) && !standing.contains(name))
            fs::remove(folder + name, ignored);
    }
}

std::string EntryGameFile(const HighScoreEntry& entry) {
    const std::string folder = KeptGamesFolder();
    if (folder.empty()) return {};
    const std::string path = folder + EntryFileName(entry.Score, entry.Name);
    std::error_code error;
    return fs::exists(path, error) ? path : std::string();
}

std::string LastGameFile() {
    const std::string folder = KeptGamesFolder();
    if (folder.empty()) return {};
    const std::vector<uint64_t> numbers = LastNumbers(folder);
    return numbers.empty() ? std::string() : folder + LastName(numbers.back());
}

bool IsKeptGame(const std::vector<std::pair<std::string, std::string>>& settings) {
    return std::find(settings.begin(), settings.end(),
                     std::pair<std::string, std::string>{"start", "game"}) != settings.end();
}

bool UseKeptGameSettings(const std::vector<std::pair<std::string, std::string>>& settings,
                         KeptGameStart& start, std::string& error) {
    start = {};
    for (const auto& [name, value] : settings) {
        std::string bytes;
        if (name == "difficulty" && !DifficultyNamed(value, LevelDifficulty)) {
            error = "the recording's difficulty '" + value + "' is unknown";
            return false;
        }
        if (name == "player") {
            if (!FromHex(value, bytes) || bytes.size() != PlayerName.size()) {
                error = "the recording's player name is malformed";
                return false;
            }
            std::copy(bytes.begin(), bytes.end(), PlayerName.begin());
        }
        if (name == "seed") {
            unsigned long seed = 0;
            if (std::sscanf(value.c_str(), "%lu", &seed) != 1 || seed > UINT32_MAX) {
                error = "the recording's seed '" + value + "' is malformed";
                return false;
            }
            World.Seed = uint32_t(seed);
        }
        if (name == "pointer" && std::sscanf(value.c_str(), "%d,%d", &start.pointerX, &start.pointerY) != 2) {
            error = "the recording's pointer '" + value + "' is malformed";
            return false;
        }
        if (name == "practice") {
            unsigned long level = 0;
            if (std::sscanf(value.c_str(), "%lu", &level) != 1 || level > MostLevels) {
                error = "the recording's practice level '" + value + "' is malformed";
                return false;
            }
            PracticeLevel = uint32_t(level);
        }
        if (name == "pack" && !FromHex(value, start.pack)) {
            error = "the recording's pack is malformed";
            return false;
        }
    }
    return true;
}

}  // namespace KerboImplementation
