// Long play through the real program: from the start menu, game after game
// of ten quick levels (Oska starts next to the level's one item and holds the
// right arrow), past the story, the name entry and the win screen, until 500
// level attempts are done. Memory must settle after the first attempts, and
// no image or sound may be decoded a second time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <fstream>
#include <string>

#include "game/KerboImplementation.h"
#include "sound/MusicTest.h"
#include "util/StandardLib.h"
#include "window/VitrineReplay.h"
#include "window/VitrineTest.h"

namespace {

namespace fs = std::filesystem;
using namespace KerboImplementation;

constexpr int Attempts = 500;
constexpr int SettledAfter = 20;  // two games: every screen has been seen once

// Resident memory in bytes.
long Resident() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

struct Soak {
    uint32_t lastLevel = 0;
    int attempts = 0;
    int lifesLost = 0;
    long settledMemory = 0;
    long endMemory = 0;  // just before the window closes (closing frees much)
    int settledImageDecodes = -1;
    int settledSoundDecodes = -1;
} soak;

// At every input point: count the cleared levels, and keep the program going
// (a click on the first button of whatever menu is up, X for the key screens,
// the right arrow held).
void Drive() {
    if (ActualLevel != soak.lastLevel) {
        if (ActualLevel == soak.lastLevel + 1 && soak.lastLevel >= 1) ++soak.attempts;
        soak.lastLevel = ActualLevel;
        if (soak.attempts == SettledAfter && soak.settledMemory == 0) {
            soak.settledMemory = Resident();
            soak.settledImageDecodes = static_cast<int>(Vitrine::Testing::BitmapDecodes());
            soak.settledSoundDecodes = Music::Testing::Decodes();
        }
    }
    if (Lifes > 0 && Lifes < 4) soak.lifesLost = 1;
    if (soak.attempts >= Attempts) {
        if (soak.endMemory == 0) soak.endMemory = Resident();
        Vitrine::Testing::CloseWindow();
        return;
    }
    Vitrine::Testing::PressKey(Vitrine::KEY_RIGHT);
    Vitrine::Testing::PressKey(Vitrine::KEY_X);
    Vitrine::Testing::LeftDown(100, 100);
    Vitrine::Testing::LeftUp(100, 100);
}

TEST(Soak, FiveHundredLevelAttemptsKeepMemoryAndDecodeNothingTwice) {
    const fs::path data = KERBO_DATA_DIR;
    if (!fs::exists(data / "Images")) GTEST_SKIP() << "no generated data folder at " << data;
    const fs::path folder = fs::temp_directory_path() / ("kerbo-soak-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : {"Images", "images", "Music"})
        fs::create_directory_symlink(data / name, folder / name);
    fs::copy_file(data / "Highscores.txt", folder / "Highscores.txt");
    for (int k = 1; k <= 10; ++k) {
        std::ofstream level(folder / ("level" + std::to_string(k) + ".txt"), std::ios::binary);
        level << "cccccccccccccccc\r\ncccccccccccccccc\r\n";
        for (int row = 3; row <= 8; ++row) level << "cccccccccccccccc\r\n";
        level << "wpppppppppippppw\r\n"
              << "wwwwwwwwwwwwwwww\r\n";
    }
    const fs::path home = fs::current_path();
    fs::current_path(folder);

    Vitrine::Testing::SetInstantWaits(true);
    Vitrine::Replay::SetInputPointHook(Drive);
    StandardLib::ResetRandom();
    TotalProgram();
    Vitrine::Replay::SetInputPointHook(nullptr);
    fs::current_path(home);
    fs::remove_all(folder);

    EXPECT_EQ(soak.attempts, Attempts);
    EXPECT_EQ(soak.lifesLost, 0) << "every attempt should clear its level";
    ASSERT_GT(soak.settledMemory, 0);
    const long end = soak.endMemory;
    std::cout << soak.attempts << " attempts; resident memory " << soak.settledMemory / 1024 << " KiB after "
              << SettledAfter << ", " << end / 1024 << " KiB at the end; images decoded "
              << soak.settledImageDecodes << ", sounds decoded " << soak.settledSoundDecodes << std::endl;
    EXPECT_LE(end, soak.settledMemory + soak.settledMemory / 20)
        << "resident memory grew from " << soak.settledMemory << " to " << end << " bytes";
    EXPECT_EQ(static_cast<int>(Vitrine::Testing::BitmapDecodes()), soak.settledImageDecodes)
        << "images were decoded again";
    EXPECT_EQ(Music::Testing::Decodes(), soak.settledSoundDecodes) << "sounds were decoded again";
}

}  // namespace
