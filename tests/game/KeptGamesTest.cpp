// Finished games kept as recordings and watched from the high-score screen,
// driven on the null platform as the program runs them: the last ten and
// the high score's game stay, a killed write leaves the old files whole,
// watching shows the frames that were played, and a broken recording costs
// a line. (That a kept game replays exactly under --replay is checked by
// tests/system/KeyboardSession.sh.)
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "game/FrontEnd.h"
#include "game/KeptGames.h"
#include "game/StateDump.h"
#include "game/StateHash.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"
#include "window/VitrineReplay.h"

namespace {

namespace fs = std::filesystem;
using namespace KerboImplementation;
using ScreenDriver::ClickAndWait;
using ScreenDriver::Column;
using ScreenDriver::Row;
using ScreenDriver::User;
using ScreenDriver::WaitFor;
namespace T = Vitrine::Testing;

std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The state after every played frame, as the frame watcher sees it.
std::vector<uint32_t> gFrames;
void NoteFrame(bool frameEnd) {
    if (frameEnd) gFrames.push_back(StateHash(Vitrine::Replay::RecordingFormat));
}

class KeptGames : public Fixture::GameTest {
  protected:
    void SetUp() override {
        Fixture::GameTest::SetUp();
        StandardMenu::ClearPendingClick();
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
        // Level 1: Oska drops onto its one item (100 points); on every
        // later level he drops out of the house, so a game ends soon.
        Fixture::Storeys item = Fixture::QuietLevel();
        item[6] = "wppppppppepppppw";
        item[7] = "wwwwwwwwwiwwwwww";
        Fixture::Storeys drop = item;
        drop[0] = "cccccccccccciccc";
        drop[7] = "wwwwwwwwwewwwwww";
        Fixture::WriteLevel(1, item);
        for (uint32_t k = 2; k <= 10; ++k) Fixture::WriteLevel(k, drop);
        std::ofstream(HighScoreFile, std::ios::binary)
            << "       500 ANNA\r\n       300 BOB\r\n        50 CAT\r\n";
        KeptGamesRoot = (Fixture::WorkDir() / "kept").string() + "/";
        folder_ = Fixture::WorkDir() / "kept" / "Highscores";
        PlayerName = {'A', 'N', 'A', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    }
    void TearDown() override {
        KeptGamesRoot.clear();
        SetFrameWatcher(nullptr);
        Vitrine::Replay::SetInputPointHook(nullptr);
        Fixture::GameTest::TearDown();
    }
    // `games` games in a row (retried from the game-over screen), then out.
    void PlayGames(int games) {
        User user([games] {
            for (int game = 1; game < games; ++game) ClickAndWait(Column, Row(0));  // retry
            ClickAndWait(Column, Row(1));                                           // to the start menu
            ClickAndWait(Column, Row(4));                                           // quit
        });
        testing::internal::CaptureStdout();
        RunScreens(Screen::NewGame);
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500));
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    }
    fs::path folder_;
};

TEST_F(KeptGames, TheLastTenStayAndTheHighScoresGameAsLongAsItsEntry) {
    // What a write killed half way left: the old files stay whole, its own goes.
    fs::create_directories(folder_);
    const pid_t gone = ::fork();
    if (gone == 0) std::_Exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string stale = "last-3.kerborec.saving-" + std::to_string(gone) + "-Ab12Cd";
    std::ofstream(folder_ / stale) << "kerbo-replay 2\nversion 1";
    std::ofstream(folder_ / "last-2.kerborec") << "an older game";
    std::ofstream(folder_ / "notes.txt") << "the player's";

    PlayGames(12);
    // Twelve more games after last-2: last-5 to last-14 stay.
    std::vector<std::string> expected;
    for (int n = 5; n <= 14; ++n) expected.push_back("last-" + std::to_string(n) + ".kerborec");
    const std::string entry = "entry-100-414e41.kerborec";  // 100 points, "ANA": the first game, third place
    expected.push_back(entry);
    expected.push_back("notes.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Files(folder_), expected);
    EXPECT_EQ(LastGameFile(), (folder_ / "last-14.kerborec").string());
    HighScoreEntry third{100, {'A', 'N', 'A', ' ', ' '}};
    EXPECT_EQ(EntryGameFile(third), (folder_ / entry).string());
    // The entry's game is the first one, which had already gone from the last ten.
    const std::string game = Fixture::FileText(folder_ / entry);
    EXPECT_EQ(game.substr(0, 48), "kerbo-replay 3\nversion 1.0.0\nsetting start game\n");

    // Once the entry falls out of the table, its game goes with the next game's end.
    std::ofstream(HighScoreFile, std::ios::binary) << "       900 D\r\n       800 E\r\n       700 F\r\n";
    PlayGames(1);
    EXPECT_FALSE(fs::exists(folder_ / entry));
    EXPECT_TRUE(fs::exists(folder_ / "last-15.kerborec"));
    EXPECT_FALSE(fs::exists(folder_ / "last-5.kerborec"));
}

// Watching a kept game from the high-score screen shows, frame for frame,
// the game as it was played (the rules run on its recorded moves alone);
// the player's difficulty and a later seed change nothing.
TEST_F(KeptGames, AKeptGameIsWatchedToItsEndFromTheHighScoresAsItWasPlayed) {
    PlayGames(1);
    SetFrameWatcher(NoteFrame);
    gFrames.clear();
    PlayGames(1);  // this game starts from the generator as the last one left it
    const std::vector<uint32_t> played = gFrames;
    ASSERT_GT(played.size(), 100u);

    World.Seed = 12345;
    LevelDifficulty = Difficulty::Hard;
    gFrames.clear();
    bool watched = false;
    {
        User user([&] {
            T::PressKey(Vitrine::KEY_L);  // the last game
            T::ReleaseKey(Vitrine::KEY_L);
            watched = WaitFor(Watching);
            WaitFor([] { return !Watching(); });
            T::PressKey(Vitrine::KEY_X);  // back from the screen it returned to
            T::ReleaseKey(Vitrine::KEY_X);
        });
        Highscores();
    }
    EXPECT_TRUE(watched);
    EXPECT_EQ(gFrames, played);
    EXPECT_EQ(LevelDifficulty, Difficulty::Hard) << "the player's difficulty is back";
    EXPECT_EQ(World.Seed, 12345u);
}

TEST_F(KeptGames, ABrokenKeptGameCostsOneLineAndTheScreenStays) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "last-1.kerborec") << "kerbo-replay 2\nversion 1.0.0\nm zz\n";
    testing::internal::CaptureStderr();
    {
        User user([] {
            T::PressKey(Vitrine::KEY_L);
            T::ReleaseKey(Vitrine::KEY_L);
            WaitFor([] { return false; }, 20);
            // Once more, by the mouse.
            const int32_t x = Assets::HighScoreLast.x0 + 5, y = Assets::HighScoreLast.y0 + 5;
            T::MoveMouse(x, y);
            T::LeftDown(x, y);
            T::LeftUp(x, y);
            WaitFor([] { return false; }, 20);
            T::PressKey(Vitrine::KEY_ESCAPE);
            T::ReleaseKey(Vitrine::KEY_ESCAPE);
        });
        Highscores();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;  // one line for each try
    EXPECT_NE(said.find("that game can't be shown: "), std::string::npos) << said;
    EXPECT_FALSE(Vitrine::WindowClosed());
    EXPECT_FALSE(Watching());
}

// Today's frame hashes leave out the cat slots past the level's cats, which
// play never reads; older recordings replay by the hash that took them in.
TEST(StateHashFormats, OnlyTheOldFormatSeesCatSlotsOutOfPlay) {
    ResetState();
    World.CurrentAmountOfEnemy = 2;
    const uint32_t old = StateHash(2), now = StateHash(Vitrine::Replay::RecordingFormat);
    World.EnemyArr[5].x += 1;
    EXPECT_NE(StateHash(2), old);
    EXPECT_EQ(StateHash(Vitrine::Replay::RecordingFormat), now);
    World.EnemyArr[2].x += 1;
    EXPECT_NE(StateHash(Vitrine::Replay::RecordingFormat), now);
    ResetState();
}

}  // namespace
