// The player's settings kept between runs (the window's scale, full screen
// and how it scales, sound off, the sound's volume, the difficulty and the
// keys of play) in a small text file,
// $XDG_CONFIG_HOME/kerbo/settings.
//
// The file is read when the game starts to play or record; anything wrong
// with it (missing, unreadable, too large, malformed) means the defaults and
// one line on standard error, never a refusal to start. It is rewritten whole
// (atomically) when the player changes a setting in the game, and at the end
// of a run when it was missing or a setting changed meanwhile. Replays and
// the timedemo neither read nor write it: they play with the defaults and
// the difficulty the recording names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/KerboImplementation.h"
#include "game/Keys.h"
#include "util/SafeFile.h"

namespace KerboImplementation {

// The sound's volume runs from 0 (silent) to this (every sound at its own level).
inline constexpr uint32_t MaxVolume = 10;

struct Settings {
    uint32_t scale = 0;  // the window's whole factor, 1..16; 0: the largest that suits the desktop
    bool fullScreen = false;
    bool muted = false;
    Difficulty difficulty = Difficulty::Easy;
    bool fillScreen = false;      // full screen filled smoothly; else at whole multiples ("whole")
    uint32_t volume = MaxVolume;  // 0..MaxVolume; muting (sound = off) is apart from it
    MoveKeys keys{};
    bool operator==(const Settings&) const = default;
};

// A settings file larger than StandardLib::MaxSettingsBytes is not read.
using StandardLib::MaxSettingsBytes;

// "easy", "medium" or "hard", as the settings file and recordings write it.
const char* DifficultyName(Difficulty difficulty);
// False for any other name.
bool DifficultyNamed(std::string_view name, Difficulty& difficulty);

// Parses the file's text: "name = value" lines, blank lines and lines
// starting with '#'; a name left out keeps its default. Returns "" when the
// text is good, else what is wrong with it, and the settings are then all
// the defaults.
std::string ParseSettings(std::string_view text, Settings& settings);
// The file's text for the settings; ParseSettings reads it back unchanged.
std::string FormatSettings(const Settings& settings);

// $XDG_CONFIG_HOME/kerbo/settings, or ~/.config/kerbo/settings when
// XDG_CONFIG_HOME is unset, empty or relative; "" without a home folder.
std::string SettingsFilePath();

// Reads the settings file; see the top of this file for what goes wrong.
// `found` tells whether a file was there at all; `understood`, when given,
// whether it was read and understood whole.
Settings LoadSettings(const std::string& path, bool& found, bool* understood = nullptr);
// Writes the file atomically, making its folder when missing; false (with
// one line on standard error) when it can't be written. A symbolic link is
// followed: the file it points to is replaced, in its own folder.
bool SaveSettings(const std::string& path, const Settings& settings);
// The settings to write over a file that now holds `onFile`, by a run that
// started from `before` and stands at `now`: the file's, with each setting
// this run changed taken from `now`.
Settings MergeSettings(const Settings& onFile, const Settings& before, const Settings& now);

// The start of a run. With the player's own settings (play and record):
// reads them, lets the command line's scale (0: none given) override the
// file's and be kept, and puts them in force. Otherwise (replay, timedemo):
// the defaults, and nothing is ever saved.
void StartWithSettings(bool playersOwn, uint32_t scaleAsked);
// The settings as they stand: the scale in force, the window's full screen,
// the sound, the difficulty and the full screen's scaling as read.
Settings CurrentSettings();
// The settings screen's changes, in force at once: the window takes the
// scale's size, every sound the volume (0..MaxVolume).
void ChangeScale(uint32_t scale);
void ChangeVolume(uint32_t volume);
// Saves the settings when they changed since they were read or last saved;
// at the end of a run (atEnd) also when the file was missing. Only what
// changed is written over the file as it is then (another copy of the game
// may have saved a change of its own), under the file's lock. A file that was
// there but not understood is first moved to settings.bak, so a hand edit is
// never lost; should that fail, the file is left alone and nothing is saved.
void SaveSettingsIfChanged(bool atEnd = false);

}  // namespace KerboImplementation
