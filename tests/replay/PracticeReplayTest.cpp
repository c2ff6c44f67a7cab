// A practice game is recorded and replayed like any other: the session
// starts level 3 from the pack list with level 3 reached, pauses there and
// leaves; its replay, with no level reached of the player's own, takes the
// levels reached from the recording and plays the same frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/FrontEnd.h"
#include "game/Progress.h"
#include "game/Replay.h"
#include "tests/menu/ScreenDriver.h"
#include "window/VitrineTest.h"

namespace {

using namespace KerboImplementation;
namespace fs = std::filesystem;
namespace T = Vitrine::Testing;

// Each run in a process of its own: a recording counts its input points
// from the program's start.
[[noreturn]] void Record(const std::string& file) {
    ReachedLevels = {{ShippedProgressKey, 3}};
    T::SetInstantWaits(true);
    ScreenDriver::User user([] {
        // A click counts once the start menu waits for one.
        ScreenDriver::WaitFor([] { return StandardMenu::WaitingMenu() != 0; });
        ScreenDriver::ClickAndWait(Assets::PacksButtonAt.x + 75, Assets::PacksButtonAt.y + 17);
        ScreenDriver::WaitFor([] { return (T::Pixel(5, 5) & 0xFFFFFF) == 0xF0E8E0; });
        for (uint32_t k : {Vitrine::KEY_RIGHT, Vitrine::KEY_RIGHT, Vitrine::KEY_ENTER})
            T::PressKey(k), T::ReleaseKey(k);
        ScreenDriver::WaitFor([] { return ActualLevel == 3 && Practising() && World.CardFrames == 0; });
        T::PressKey(Vitrine::KEY_P);
        ScreenDriver::WaitFor([] { return Pause; });
        T::ReleaseKey(Vitrine::KEY_P);
        ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(1));  // quit to menu
        ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(4));  // quit
    });
    const int status = RecordSession(file);
    std::fprintf(stderr, "recorded %d, level %u\n", status, ActualLevel);
    std::fflush(nullptr);
    std::_Exit(status);
}

[[noreturn]] void Replay(const std::string& file) {
    const int status = ReplaySession(file, false);
    std::fprintf(stderr, "replayed %d, level %u, practice from %u\n", status, ActualLevel,
                 ReachableLevel(ShippedProgressKey, MostLevels));
    std::fflush(nullptr);
    std::_Exit(status);
}

TEST(PracticeReplay, APracticeGameReplaysWithTheLevelsReachedItWasRecordedWith) {
    const fs::path data = KERBO_DATA_DIR;
    if (!fs::exists(data / "Images")) GTEST_SKIP() << "no generated data folder at " << data;
    const fs::path folder = fs::temp_directory_path() / ("kerbo-practice-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "home");
    for (const fs::directory_entry& entry : fs::directory_iterator(data)) {
        const fs::path file = entry.path().filename();
        if (file != "Highscores.txt") fs::create_symlink(entry.path(), folder / file);
    }
    fs::copy_file(fs::path(KERBO_RECORDINGS_DIR) / "Highscores.txt", folder / "Highscores.txt");
    const fs::path home = fs::current_path();
    fs::current_path(folder);
    ::setenv("XDG_DATA_HOME", (folder / "home").c_str(), 1);
    const std::string file = (folder / "practice.kerborec").string();
    EXPECT_EXIT(Record(file), ::testing::ExitedWithCode(0), "recorded 0, level 3");
    EXPECT_EXIT(Replay(file), ::testing::ExitedWithCode(0), "replayed 0, level 3, practice from 3");
    ::unsetenv("XDG_DATA_HOME");
    fs::current_path(home);
    fs::remove_all(folder);
}

}  // namespace
