// The player's settings file: what it reads back, every kind of bad file,
// where it lives, the command line over it, and runs that leave it alone.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "game/Settings.h"
#include "sound/Music.h"
#include "tests/menu/ScreenDriver.h"

namespace {

using namespace KerboImplementation;
namespace fs = std::filesystem;
using S = KerboImplementation::Settings;

std::string Slurp(const fs::path& p) {
    std::ostringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
}

// A scratch folder as $XDG_CONFIG_HOME for the test's life.
class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1); }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        StartWithSettings(false, 0);  // the defaults again, kept nowhere
    }
    fs::path File() const { return dir.path() / "kerbo" / "settings"; }
    void Write(const std::string& text) {
        fs::create_directories(File().parent_path());
        std::ofstream(File(), std::ios::binary) << text;
    }
    // Loads the file; `lines`: how many it wrote on standard error.
    S Load(long& lines) {
        bool found = false;
        testing::internal::CaptureStderr();
        const S s = LoadSettings(File().string(), found);
        const std::string errors = testing::internal::GetCapturedStderr();
        lines = std::count(errors.begin(), errors.end(), '\n');
        return s;
    }
    ScreenDriver::ScratchDir dir;
};

TEST_F(SettingsFile, WhatIsWrittenReadsBackAndHandEditsAreUnderstood) {
    const S chosen{3, true, true, Difficulty::Hard, true};
    ASSERT_TRUE(SaveSettings(File().string(), chosen));  // makes the folder
    long lines = -1;
    EXPECT_EQ(Load(lines), chosen);
    EXPECT_EQ(lines, 0);
    // Blanks, comments, Windows line ends, any order; a name left out keeps its default.
    Write("# mine\r\n\n  difficulty=medium  \r\nsound = off\n");
    EXPECT_EQ(Load(lines), (S{0, false, true, Difficulty::Medium}));
    EXPECT_EQ(lines, 0);
    Write("full-screen-scaling = fill\nfull-screen-scaling = whole\n");  // the last one counts
    EXPECT_EQ(Load(lines), S{});
    EXPECT_EQ(lines, 0);
}

// The volume and the keys of play read back; `sound = off` still mutes
// apart from the volume; a key refused on the settings screen is refused in
// the file too.
TEST_F(SettingsFile, TheVolumeAndTheKeysReadBack) {
    S chosen{2, false, true, Difficulty::Easy, false, 3};
    chosen.keys[Move::Left] = Vitrine::KEY_A;
    chosen.keys[Move::Door] = Vitrine::KEY_SPACE;
    chosen.keys[Move::Pausing] = Vitrine::KEY_PAGEDOWN;
    ASSERT_TRUE(SaveSettings(File().string(), chosen));
    long lines = -1;
    EXPECT_EQ(Load(lines), chosen) << Slurp(File());
    EXPECT_EQ(lines, 0);
    EXPECT_NE(Slurp(File()).find("key-pause = Page Down\n"), std::string::npos);
    Write("sound = off\nvolume = 0\nkey-door = Left\nkey-left = D\n");  // as an older file left out
    S read = Load(lines);
    EXPECT_TRUE(read.muted);
    EXPECT_EQ(read.volume, 0u);
    EXPECT_EQ(read.keys[Move::Door], Vitrine::KEY_LEFT);
    EXPECT_EQ(read.keys[Move::Left], uint32_t('D'));
    EXPECT_EQ(lines, 0);
    Write("sound = on\n");
    EXPECT_EQ(Load(lines).volume, MaxVolume) << "a file without a volume: all of it";
}

TEST_F(SettingsFile, EveryBadFileMeansTheDefaultsAndOneLine) {
    const std::string bad[] = {"volume = 11\n",
                               "volume = loud\n",
                               "key-left = Hyper\n",
                               "key-door = Esc\n",
                               "key-pause = M\n",
                               "key-left = Enter\n",
                               "key-right = X\n",  // the door's key already
                               "scale = 17\n",
                               "scale = -1\n",
                               "scale = two\n",
                               "full-screen = maybe\n",
                               "full-screen-scaling = smooth\n",
                               "sound = loud\n",
                               "difficulty = insane\n",
                               "colour = red\n",
                               "just words\n",
                               std::string("sound = on\0\n", 12),
                               std::string(MaxSettingsBytes + 1, '\n')};
    long lines = 0;
    for (const std::string& text : bad) {
        Write("difficulty = hard\n" + text);
        EXPECT_EQ(Load(lines), S{}) << text;
        EXPECT_EQ(lines, 1) << text;
    }
    fs::remove(File());  // missing
    EXPECT_EQ(Load(lines), S{});
    EXPECT_EQ(lines, 1);
    fs::create_directories(File());  // a folder where the file should be
    EXPECT_EQ(Load(lines), S{});
    EXPECT_EQ(lines, 1);
    // Nor can it be written there: the folder stays, one line says why.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveSettings(File().string(), S{}));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_TRUE(fs::is_directory(File()));
}

// A hand-edited file the game can't read is never lost: it goes aside before
// the first change is saved, and only then.
TEST_F(SettingsFile, AFileNotUnderstoodIsKeptAsideBeforeTheFirstSave) {
    const std::string mine = "difficulty = Hard\n# my notes\n";
    Write(mine);
    testing::internal::CaptureStderr();
    StartWithSettings(true, 0);
    SaveSettingsIfChanged(true);
    EXPECT_EQ(Slurp(File()), mine) << "nothing changed, nothing written";
    LevelDifficulty = Difficulty::Medium;
    SaveSettingsIfChanged();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Slurp(File().string() + ".bak"), mine);
    long lines = 0;
    EXPECT_EQ(Load(lines).difficulty, Difficulty::Medium);
}

TEST_F(SettingsFile, TheFileLivesInTheConfigFolderElseUnderHome) {
    EXPECT_EQ(SettingsFilePath(), File().string());
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/oska", 1);
    for (const char* config : {"", "relative/folder"}) {
        ::setenv("XDG_CONFIG_HOME", config, 1);
        EXPECT_EQ(SettingsFilePath(), "/home/oska/.config/kerbo/settings") << config;
    }
    ::setenv("HOME", home.c_str(), 1);
}

// Play and recording read the file; --scale overrides it and is kept; a
// change in the game is saved at once; a replay neither reads nor writes it.
TEST_F(SettingsFile, TheCommandLineOverridesThemAndReplaysLeaveThemAlone) {
    Write("scale = 3\nfull-screen = yes\nfull-screen-scaling = fill\nsound = off\ndifficulty = hard\n");
    StartWithSettings(true, 2);
    EXPECT_EQ(CurrentSettings(), (S{2, true, true, Difficulty::Hard, true}));
    EXPECT_TRUE(Music::IsMuted());
    LevelDifficulty = Difficulty::Medium;  // chosen in the selector
    SaveSettingsIfChanged();
    long lines = 0;
    EXPECT_EQ(Load(lines), (S{2, true, true, Difficulty::Medium, true}));

    const std::string before = Slurp(File());
    StartWithSettings(false, 0);
    EXPECT_EQ(CurrentSettings(), S{});
    LevelDifficulty = Difficulty::Hard;  // as a recording may name it
    SaveSettingsIfChanged(true);
    EXPECT_EQ(Slurp(File()), before);

    // A first run makes the file at its end, even with nothing changed.
    fs::remove(File());
    testing::internal::CaptureStderr();
    StartWithSettings(true, 0);
    testing::internal::GetCapturedStderr();
    SaveSettingsIfChanged(true);
    EXPECT_EQ(Load(lines), S{});
    EXPECT_EQ(lines, 0);
}

// Two copies of the game: each writes only what it changed over the file as
// the other left it.
TEST_F(SettingsFile, TwoCopiesKeepEachOthersChanges) {
    Write(FormatSettings(S{}));
    StartWithSettings(true, 0);                                     // this copy starts first
    ASSERT_TRUE(SaveSettings(File().string(), S{0, false, true}));  // the other mutes and saves
    LevelDifficulty = Difficulty::Hard;
    SaveSettingsIfChanged(true);
    long lines = 0;
    EXPECT_EQ(Load(lines), (S{0, false, true, Difficulty::Hard}));

    // The keys go as one: the other copy's right key and this copy's left
    // key together would put two moves on one key.
    S other;
    other.keys[Move::Right] = Vitrine::KEY_A;
    StartWithSettings(true, 0);
    ASSERT_TRUE(SaveSettings(File().string(), other));
    PlayKeys[Move::Left] = Vitrine::KEY_Z;
    ChangeVolume(4);
    SaveSettingsIfChanged(true);
    const S merged = Load(lines);
    EXPECT_EQ(merged.keys, PlayKeys);
    EXPECT_EQ(merged.volume, 4u);
}

// A link, to a file or to none yet, stays a link; the file it names is saved.
TEST_F(SettingsFile, ALinkIsFollowedDanglingOrNot) {
    fs::create_directories(File().parent_path());
    for (const char* target : {"kept", "not-yet"}) {
        const fs::path real = dir.path() / target;
        if (target[0] == 'k') std::ofstream(real) << FormatSettings(S{});
        fs::remove(File());
        fs::create_symlink(real, File());
        testing::internal::CaptureStderr();
        StartWithSettings(true, 0);
        testing::internal::GetCapturedStderr();
        LevelDifficulty = Difficulty::Medium;
        SaveSettingsIfChanged(true);
        EXPECT_TRUE(fs::is_symlink(File()) && fs::is_regular_file(real)) << target;
        EXPECT_NE(Slurp(real).find("difficulty = medium"), std::string::npos) << target;
    }
}

}  // namespace
