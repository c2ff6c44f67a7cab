// The levels reached and practice: the progress file read back, merged and
// kept through bad files and a kill, and a practice game started from the
// pack list, kept out of the high scores and replayed from its recording.
#include <sys/wait.h>

#include <csignal>
#include <sstream>

#include "game/FrontEnd.h"
#include "game/Progress.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"
#include "util/FileLock.h"

namespace {

using namespace KerboImplementation;
using Fixture::Storeys;
using Fixture::WorkDir;
namespace fs = std::filesystem;
namespace T = Vitrine::Testing;

long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

class Practice : public Fixture::GameTest {
  protected:
    void SetUp() override {
        Fixture::GameTest::SetUp();
        ::setenv("XDG_DATA_HOME", (WorkDir() / "home").c_str(), 1);
        StandardMenu::ClearPendingClick();
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    }
    void TearDown() override {
        ::unsetenv("XDG_DATA_HOME");
        ProgressFile.clear();
        StandardLib::WhileLockedHook = nullptr;
        Fixture::GameTest::TearDown();
    }
    const std::string file = (WorkDir() / "home" / "kerbo" / ProgressFileName).string();
};

TEST_F(Practice, TheFileReadsBackMergesTwoCopiesAndABadOneMeansNoneAndOneLine) {
    const Progress some{{"shipped", 4}, {"cellar-0123456789ab", 2}};
    Progress read;
    EXPECT_EQ(ParseProgress(FormatProgress(some), read), "");
    EXPECT_EQ(read, some);
    EXPECT_EQ(ParseProgress("\r\n# mine\r\n  shipped = 3 \r\nshipped=5\r\n", read), "") << "hand edits";
    EXPECT_EQ(read, (Progress{{"shipped", 5}}));

    SetUpProgress();
    EXPECT_EQ(ProgressFile, file);
    EXPECT_TRUE(ReachedLevels.empty()) << "no file yet";
    NoteReached("shipped", 3);
    // A second copy of the game, started before this one saved, reaches a
    // level of another pack: both stay.
    ReachedLevels = {};
    NoteReached("cellar-0123456789ab", 2);
    EXPECT_EQ(ReadProgress(file), (Progress{{"shipped", 3}, {"cellar-0123456789ab", 2}}));
    NoteReached("shipped", 2);  // never lower
    EXPECT_EQ(ReadProgress(file).at("shipped"), 3u);

    for (const std::string bad : {"shipped = 11\n", "shipped 3\n", "two words = 3\n", "\x01\x02\x03"}) {
        std::ofstream(file, std::ios::binary) << bad;
        testing::internal::CaptureStderr();
        SetUpProgress();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(ReachedLevels.empty()) << bad;
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(file), std::string::npos) << said;
        // The next save keeps the file as it was beside the new one.
        testing::internal::CaptureStderr();
        NoteReached("shipped", 2);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(Fixture::FileText(file + ".bak"), bad);
        EXPECT_EQ(ReadProgress(file), (Progress{{"shipped", 2}}));
    }
    // A folder in its place is left alone: one line, kept for this run.
    fs::remove(file);
    fs::create_directory(file);
    testing::internal::CaptureStderr();
    NoteReached("shipped", 6);
    EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()), 1);
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(ReachableLevel("shipped", 10), 6u);
    EXPECT_EQ(ReachableLevel("shipped", 4), 4u) << "never past the pack's last level";
    EXPECT_EQ(ReachableLevel("other-0123456789ab", 10), 1u);
}

// A game killed while it replaces the file (its lock held, the new bytes
// half written) leaves the old file whole; the next start clears up.
TEST_F(Practice, AKillDuringTheWriteLeavesTheOldFileAndTheNextStartClearsUp) {
    SetUpProgress();
    NoteReached("shipped", 3);
    const std::string before = Fixture::FileText(file);
    const pid_t game = ::fork();
    if (game == 0) {
        StandardLib::WhileLockedHook = [this] {
            std::ofstream(file + ".saving-" + std::to_string(::getpid()) + "-Ab12Cd") << "shipped = ";
            ::raise(SIGKILL);
        };
        NoteReached("shipped", 7);
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(game, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::string left = file + ".saving-" + std::to_string(game) + "-Ab12Cd";
    EXPECT_TRUE(fs::exists(left));
    EXPECT_EQ(Fixture::FileText(file), before);
    SetUpProgress();
    EXPECT_FALSE(fs::exists(left));
    EXPECT_EQ(ReachedLevels, (Progress{{"shipped", 3}}));
    NoteReached("shipped", 4);  // the lock went with the killed game
    EXPECT_EQ(ReadProgress(file), (Progress{{"shipped", 4}}));
}

// From the pack list, Right twice starts level 3 reached before (a third
// Right goes no further): a practice game that clears level 3 for 100
// points, which would take second place, and loses every life on level 4.
// The table stays as it was and level 4 counts as reached. (Its replay is
// tested with the recordings: the null platform records nothing.)
TEST_F(Practice, ALevelReachedStartsFromTheListAndStaysOutOfTheTable) {
    Fixture::WriteAllLevels(Fixture::DropLevel());
    for (uint32_t k = 1; k <= 3; ++k) Fixture::WriteLevel(k, Fixture::ItemAtTheFootLevel());
    const std::string table = "500 A\r\n50 B\r\n10 C";
    std::ofstream(HighScoreFile, std::ios::binary) << table;
    ReachedLevels = {{"shipped", 3}};
    uint32_t startedAt = 0;
    {
        ScreenDriver::User user([&] {
            ScreenDriver::ClickAndWait(Assets::PacksButtonAt.x + 75, Assets::PacksButtonAt.y + 17);
            ScreenDriver::WaitFor([] { return Fixture::Pixel(5, 5) == 0xF0E8E0; });
            for (uint32_t k :
                 {Vitrine::KEY_RIGHT, Vitrine::KEY_RIGHT, Vitrine::KEY_RIGHT, Vitrine::KEY_ENTER})
                T::PressKey(k), T::ReleaseKey(k);
            ScreenDriver::WaitFor([&] { return Practising() && World.CardFrames > 0; });
            startedAt = ActualLevel;
            ScreenDriver::WaitFor([] { return Practising() && ActualLevel == 4 && Lifes == 0; });
            ScreenDriver::ChooseByKeys(
                {Vitrine::KEY_DOWN, Vitrine::KEY_DOWN, Vitrine::KEY_ENTER});         // to the menu
            ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(4));  // quit
        });
        RunScreens(Screen::StartMenu);
    }
    EXPECT_EQ(startedAt, 3u);
    EXPECT_EQ(Score, 100u);
    EXPECT_EQ(ActualLevel, 4u);
    EXPECT_FALSE(Practising()) << "the start menu ends practice";
    EXPECT_EQ(Fixture::FileText(HighScoreFile), table);
    EXPECT_EQ(ReachedLevels, (Progress{{"shipped", 4}}));
}

}  // namespace
