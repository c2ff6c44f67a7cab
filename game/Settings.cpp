// The player's settings file: reading, writing, and keeping it in step with
// the game; see Settings.h.
#include "game/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "game/HighScoreTable.h"
#include "sound/Music.h"
#include "util/FileLock.h"
#include "util/Leftovers.h"
#include "util/SafeFile.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

namespace fs = std::filesystem;

// The settings of this run and where they are kept ("" for nowhere).
struct InForce {
    std::string path;
    Settings saved;  // as read or as last written
    bool fileMissing = false;
    bool fileNotUnderstood = false;  // moved aside before the first save
    uint32_t scale = 0;
    uint32_t volume = MaxVolume;
} gRun;

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// True and sets `on` for the two words of a switch.
bool Switch(std::string_view value, const char* yes, const char* no, bool& on) {
    if (value == yes || value == no) {
        on = value == yes;
        return true;
    }
    return false;
}

// One "name = value" line into the settings; "" or what is wrong with it.
std::string ParseLine(std::string_view name, std::string_view value, Settings& s) {
    if (name == "scale") {
        if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos) {
            return "the scale is not a whole number from 0 to 16";
        }
        const uint32_t scale = static_cast<uint32_t>(std::stoul(std::string(value)));
        if (scale > 16) return "the scale is not a whole number from 0 to 16";
        s.scale = scale;
        return {};
    }
    if (name == "full-screen") {
        return Switch(value, "yes", "no", s.fullScreen) ? "" : "full-screen is neither yes nor no";
    }
    if (name == "full-screen-scaling") {
        return Switch(value, "fill", "whole", s.fillScreen) ? ""
                                                            : "full-screen-scaling is neither whole nor fill";
    }
    if (name == "sound") {
        bool on = true;
        if (!Switch(value, "on", "off", on)) return "sound is neither on nor off";
        s.muted = !on;
        return {};
    }
    if (name == "difficulty") {
        return DifficultyNamed(value, s.difficulty) ? "" : "the difficulty is not easy, medium or hard";
    }
    if (name == "volume") {
        if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(std::string(value)) > MaxVolume) {
            return "the volume is not a whole number from 0 to " + std::to_string(MaxVolume);
        }
        s.volume = static_cast<uint32_t>(std::stoul(std::string(value)));
        return {};
    }
    for (Move move : AllMoves) {
        if (name != MoveSettingName(move)) continue;
        uint32_t key = 0;
        if (!KeyNamed(value, key))
            return std::string(name) + ": there is no key called '" + std::string(value) + "'";
        // Two moves on one key are told once the whole file is read.
        MoveKeys alone;
        alone.keys.fill(0);
        const std::string why = WhyNotChosen(key, move, alone);
        if (!why.empty()) return std::string(name) + ": " + why;
        s.keys[move] = key;
        return {};
    }
    return "there is no setting called '" + std::string(name) + "'";
}

}  // namespace

const char* DifficultyName(Difficulty difficulty) {
    switch (difficulty) {
        case Difficulty::Easy:
            return "easy";
        case Difficulty::Medium:
            return "medium";
        case Difficulty::Hard:
            return "hard";
    }
    return "easy";
}

bool DifficultyNamed(std::string_view name, Difficulty& difficulty) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard}) {
        if (name == DifficultyName(d)) {
            difficulty = d;
            return true;
        }
    }
    return false;
}

std::string ParseSettings(std::string_view text, Settings& settings) {
    settings = {};
    if (text.size() > MaxSettingsBytes)
        return "it is larger than " + std::to_string(MaxSettingsBytes) + " bytes";
    Settings read;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        std::string problem =
            equals == std::string_view::npos
                ? "it is not of the form 'name = value'"
                : ParseLine(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), read);
        if (!problem.empty()) return "line " + std::to_string(lineNumber) + ": " + problem;
    }
    for (Move move : AllMoves) {
        const std::string why = WhyNotChosen(read.keys[move], move, read.keys);
        if (!why.empty()) return std::string(MoveSettingName(move)) + ": " + why;
    }
    settings = read;
    return {};
}

std::string FormatSettings(const Settings& s) {
    std::string text =
        "# KERBO anno 2011: your settings. The game rewrites this file when you change one.\n"
        "# scale: 1 to 16, or 0 for the largest window that suits the desktop\n"
        "scale = " +
        std::to_string(s.scale) + "\nfull-screen = " + (s.fullScreen ? "yes" : "no") +
        "\n# full-screen-scaling: whole (sharp, black borders) or fill (the whole screen, smoothed)"
        "\nfull-screen-scaling = " +
        (s.fillScreen ? "fill" : "whole") + "\nsound = " + (s.muted ? "off" : "on") + "\n# volume: 0 to " +
        std::to_string(MaxVolume) +
        " (sound = off mutes it, as M does)\nvolume = " + std::to_string(s.volume) +
        "\ndifficulty = " + DifficultyName(s.difficulty) +
        "\n# the keys of play: a letter, a digit, Left, Right, Up, Down, Space, ...\n";
    for (Move move : AllMoves)
        text += std::string(MoveSettingName(move)) + " = " + KeyName(s.keys[move]) + "\n";
    return text;
}

std::string SettingsFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return (fs::path(config) / "kerbo" / "settings").string();
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return (fs::path(home) / ".config" / "kerbo" / "settings").string();
    return {};
}

Settings LoadSettings(const std::string& path, bool& found, bool* understood) {
    Settings settings;
    found = false;
    if (understood) *understood = false;
    const char* const usingDefaults = "; the game starts with the default settings.";
    if (path.empty()) {
        std::cerr << "kerbo: no home folder for the settings" << usingDefaults << std::endl;
        return settings;
    }
    std::string text;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(path, StandardLib::MaxSettingsBytes, text);
    if (read.missing) {
        std::cerr << "kerbo: no settings yet in " << path << usingDefaults << std::endl;
        return settings;
    }
    found = true;
    if (!read.ok) {
        std::cerr << "kerbo: " << path << ": can't be read (" << read.why << ")" << usingDefaults
                  << std::endl;
        return settings;
    }
    const std::string problem = ParseSettings(text, settings);
    if (!problem.empty()) std::cerr << "kerbo: " << path << ": " << problem << usingDefaults << std::endl;
    if (understood) *understood = problem.empty();
    return settings;
}

bool SaveSettings(const std::string& path, const Settings& settings) {
    // A link is followed, as for the high-score table: a dotfiles setup keeps its link.
    const std::string file = StandardLib::FollowLinks(path);
    std::error_code error;
    fs::create_directories(fs::path(file).parent_path(), error);
    if (error) {
        std::cerr << "kerbo: " << path << ": can't save the settings (" << error.message() << ")."
                  << std::endl;
        return false;
    }
    return StandardLib::WriteFileAtomically(file, FormatSettings(settings), "the settings");
}

Settings MergeSettings(const Settings& onFile, const Settings& before, const Settings& now) {
    Settings merged = onFile;
    if (now.scale != before.scale) merged.scale = now.scale;
    if (now.fullScreen != before.fullScreen) merged.fullScreen = now.fullScreen;
    if (now.muted != before.muted) merged.muted = now.muted;
    if (now.difficulty != before.difficulty) merged.difficulty = now.difficulty;
    if (now.fillScreen != before.fillScreen) merged.fillScreen = now.fillScreen;
    if (now.volume != before.volume) merged.volume = now.volume;
    // The keys go together: one taken from each copy could leave two moves on one key.
    if (now.keys != before.keys) merged.keys = now.keys;
    return merged;
}

void StartWithSettings(bool playersOwn, uint32_t scaleAsked) {
    gRun = InForce{};
    Settings settings;
    if (playersOwn) {
        gRun.path = SettingsFilePath();
        RemoveStaleSaves(gRun.path);  // what a save killed half way left beside the file
        bool found = false, understood = false;
        settings = LoadSettings(gRun.path, found, &understood);
        gRun.fileMissing = !found;
        gRun.fileNotUnderstood = found && !understood;
    }
    gRun.saved = settings;
    // Kept even when the program ends at once (the display gone); nothing when not the player's own.
    StandardLib::WhenEndingNow("the settings", [] { SaveSettingsIfChanged(true); });
    if (scaleAsked != 0) settings.scale = scaleAsked;
    gRun.scale = settings.scale;
    gRun.volume = settings.volume;
    Vitrine::SetWindowScale(settings.scale);
    Vitrine::SetFullScreen(settings.fullScreen);
    Vitrine::SetFullScreenFill(settings.fillScreen);
    Music::SetMuted(settings.muted);
    Music::SetVolumeLevel(settings.volume, MaxVolume);
    LevelDifficulty = settings.difficulty;
    PlayKeys = settings.keys;
}

Settings CurrentSettings() {
    return Settings{gRun.scale,      Vitrine::FullScreen(), Music::IsMuted(),
                    LevelDifficulty, gRun.saved.fillScreen, gRun.volume,
                    PlayKeys};
}

void ChangeScale(uint32_t scale) {
    gRun.scale = std::min<uint32_t>(scale, 16);
    Vitrine::ResizeWindow(gRun.scale);
}

void ChangeVolume(uint32_t volume) {
    gRun.volume = std::min(volume, MaxVolume);
    Music::SetVolumeLevel(gRun.volume, MaxVolume);
}

void SaveSettingsIfChanged(bool atEnd) {
    if (gRun.path.empty()) return;
    const Settings now = CurrentSettings();
    if (now == gRun.saved && !(atEnd && gRun.fileMissing)) return;
    const std::string file = StandardLib::FollowLinks(gRun.path);
    std::error_code error;
    fs::create_directories(fs::path(file).parent_path(), error);
    // Another copy of the game may save meanwhile: read, merge and replace in turn.
    const StandardLib::FileLock lock(file);
    if (gRun.fileNotUnderstood && fs::is_regular_file(file, error)) {
        fs::rename(file, file + ".bak", error);
        if (error) {
            std::cerr << "kerbo: " << gRun.path << ": can't be moved aside (" << error.message()
                      << "); the settings are not saved." << std::endl;
            gRun.path.clear();
            return;
        }
        std::cerr << "kerbo: " << gRun.path << ": the file as it was is kept in " << file << ".bak."
                  << std::endl;
        gRun.fileNotUnderstood = false;
    }
    // Only what this run changed goes over the file as it is now, so that a
    // change another copy saved meanwhile stays.
    Settings onFile = gRun.saved;
    std::string text;
    if (StandardLib::ReadSmallFile(file, MaxSettingsBytes, text).ok && !ParseSettings(text, onFile).empty()) {
        onFile = gRun.saved;
    }
    if (SaveSettings(file, MergeSettings(onFile, gRun.saved, now))) {
        gRun.saved = now;
        gRun.fileMissing = false;
    } else {
        gRun.path.clear();  // said once; the run goes on with its settings unsaved
    }
}

}  // namespace KerboImplementation
