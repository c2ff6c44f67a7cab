// The screens around the game, driven on the null platform: a "user" clicks
// and types through the window layer's test interface in turns with the
// test's thread, which runs the screens exactly as the program does. (Over 400 lines: every
// screen's suite, mouse and keyboard, shares the helpers at the top.)
#include <sstream>

#include "game/FrontEnd.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"
#include "window/VitrineReplay.h"

namespace {

using namespace KerboImplementation;
using Fixture::Storeys;
using ScreenDriver::ClickAndWait;
using ScreenDriver::User;
using ScreenDriver::WaitFor;
namespace T = Vitrine::Testing;

using ScreenDriver::Column;
using ScreenDriver::Row;

void Type(std::initializer_list<uint32_t> keys) {
    for (uint32_t k : keys) {
        T::PressKey(k);
        T::ReleaseKey(k);
    }
}

String Name(const std::string& text) {
    String name{};
    for (std::size_t i = 0; i < text.size(); ++i) name[i] = text[i];
    return name;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Records what goes to standard output and whether the window was still
// open when each piece was written.
class ConsoleRecorder : public std::streambuf {
  public:
    ConsoleRecorder() : old_(std::cout.rdbuf(this)) {}
    ~ConsoleRecorder() override { std::cout.rdbuf(old_); }
    std::string text;
    bool writtenAfterClose = false;

  protected:
    int overflow(int c) override {
        if (c != EOF) Note(std::string(1, static_cast<char>(c)));
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        Note(std::string(s, static_cast<std::size_t>(n)));
        return n;
    }

  private:
    void Note(const std::string& piece) {
        if (Vitrine::WindowClosed()) writtenAfterClose = true;
        text += piece;
    }
    std::streambuf* old_;
};

constexpr const char* Farewell = "Thanks for playing the game.\n";

// A level that goes on until something outside the game stops it: the one
// item lies in the ceiling and the cats can't move.
Storeys EndlessLevel() {
    Storeys level = Fixture::QuietLevel();
    level[0] = "cccccccccccciccc";
    return level;
}

class Screens : public Fixture::GameTest {
  protected:
    void SetUp() override {
        Fixture::GameTest::SetUp();
        StandardMenu::ClearPendingClick();
        // The user's clicks count from the moment the window opens, even if
        // the first menu hasn't been drawn yet when they come.
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    }
    void TearDown() override {
        Vitrine::Replay::SetInputPointHook(nullptr);
        Fixture::GameTest::TearDown();
    }
};

// The user closes the window at the first input point at which `when` holds.
bool (*gCloseWhen)() = nullptr;
void CloseWhen(bool (*when)()) {
    gCloseWhen = when;
    Vitrine::Replay::SetInputPointHook([] {
        if (gCloseWhen()) T::CloseWindow();
    });
}

// ---------------------------------------------------------------- story and name

TEST_F(Screens, StoryEndsOnlyAtXAndTakesTheKeysBeforeIt) {
    Type({65, 13, 37, 39, 90, Fixture::KeyX, 67});  // typed before the story appeared
    Story();
    EXPECT_EQ(Vitrine::GetKey(), 67u) << "the keys after X are still queued";

    Type({Fixture::KeyX});
    Story();  // an X already queued ends it at once
    EXPECT_FALSE(Vitrine::WindowClosed());
}

TEST_F(Screens, NameEntryKeepsUpToNineCapitalsThenBlanks) {
    Type({65, 66, 67, Fixture::KeyX});
    AskName();
    EXPECT_EQ(PlayerName, Name("ABC       "));

    Type({Fixture::KeyX});
    AskName();
    EXPECT_EQ(PlayerName, Name("          ")) << "X at once: ten blanks";

    // Ten letters keep nine; digits and arrows are not letters.
    Type({49, 37, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, Fixture::KeyX});
    AskName();
    EXPECT_EQ(PlayerName, Name("ABCDEFGHI "));

    // The keys after X are thrown away with the entry.
    Type({75, Fixture::KeyX, 76});
    AskName();
    Type({77});
    EXPECT_EQ(Vitrine::GetKey(), 77u);
}

TEST_F(Screens, NameEntryTakesBackspaceAndEndsAtEnter) {
    // Backspace takes the last letter back (none: nothing happens); Enter ends the name as X does.
    Type({Vitrine::KEY_BACKSPACE, 65, 66, 67, Vitrine::KEY_BACKSPACE, Vitrine::KEY_BACKSPACE, 68,
          Vitrine::KEY_ENTER, 69});
    AskName();
    EXPECT_EQ(PlayerName, Name("AD        "));
    Type({Fixture::KeyX});
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Fixture::KeyX)) << "the keys after Enter are thrown away";
}

// ---------------------------------------------------------------- start menu

// The start menu and every screen it opens, with the keyboard alone.
TEST_F(Screens, EveryMenuScreenAnswersTheKeyboard) {
    using ScreenDriver::ChooseByKeys;
    using namespace Vitrine;
    {
        User user([] {
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_ENTER});  // from no button: play, difficulty
            ChooseByKeys({KEY_TAB, KEY_TAB, KEY_ENTER});    // the up arrow: medium
            ChooseByKeys({KEY_ENTER});                      // hard
            ChooseByKeys({KEY_ESCAPE});                     // back
            ChooseByKeys({KEY_DOWN, KEY_ENTER});            // back on "difficulty": controls
            ChooseByKeys({KEY_ESCAPE});                     // back: the pointer stays on "controls"
            ChooseByKeys({KEY_DOWN, KEY_SPACE});            // high scores
            Type({KEY_ESCAPE});
            ChooseByKeys({KEY_UP, KEY_UP, KEY_UP, KEY_UP, KEY_UP, KEY_UP, KEY_UP,
                          KEY_ENTER});  // up round, past the settings, the editor and the packs, to quit
        });
        testing::internal::CaptureStderr();  // no high-score table here
        EXPECT_EQ(Menu(), Screen::Exit);
        testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Hard);
    for (uint32_t k : {KEY_DOWN, KEY_UP, KEY_TAB, KEY_ENTER, KEY_SPACE, KEY_ESCAPE})
        EXPECT_FALSE(KeyDown(k)) << k;
}

// The selector's Back lies over Quit: Enter after it opens the selector again.
TEST_F(Screens, LeavingTheSelectorPutsThePointerOnDifficultyNotQuit) {
    using ScreenDriver::ChooseByKeys;
    using namespace Vitrine;
    LevelDifficulty = Difficulty::Easy;
    {
        User user([] {
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_ENTER});         // difficulty
            ChooseByKeys({KEY_TAB, KEY_TAB, KEY_TAB, KEY_ENTER});  // its Back button
            ChooseByKeys({KEY_ENTER});                             // difficulty again
            ChooseByKeys({KEY_TAB, KEY_TAB, KEY_ENTER});           // the up arrow: medium
            ChooseByKeys({KEY_ESCAPE});
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});  // quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Medium);
}

TEST_F(Screens, SelectorArrowsStopAtTheEndsAndItOpensOnTheDifficultyInForce) {
    {
        User user([] {
            ClickAndWait(Column, Row(1));                        // difficulty
            for (int k = 0; k < 3; ++k) ClickAndWait(300, 300);  // up from easy, three times
            ClickAndWait(125, 400);                              // back
            ClickAndWait(Column, Row(4));                        // quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Hard);

    {  // A fresh start menu: looking at the selector and leaving changes nothing.
        User user([] {
            ClickAndWait(Column, Row(1));
            ClickAndWait(125, 400);
            ClickAndWait(Column, Row(4));
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Hard);

    {  // One step down from hard, leave; then from medium down four times.
        User user([] {
            ClickAndWait(Column, Row(1));
            ClickAndWait(50, 300);
            ClickAndWait(125, 400);
            ClickAndWait(Column, Row(1));
            for (int k = 0; k < 4; ++k) ClickAndWait(50, 300);
            ClickAndWait(125, 400);
            ClickAndWait(Column, Row(4));
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Easy);
}

// The selector's line on what the difficulty changes, as the buffer holds it.
std::vector<uint32_t> DifficultyLinePixels() {
    std::vector<uint32_t> pixels;
    const auto& at = Assets::DifficultyLineAt;
    for (int32_t y = at.y; y < at.y + Assets::DifficultyLineHeight; ++y)
        for (int32_t x = at.x; x < at.x + Assets::DifficultyLineWidth; ++x)
            pixels.push_back(Fixture::Pixel(x, y));
    return pixels;
}

// The arrows lie left and right of the picture, Back below: the arrow keys go
// by where they lie, and "<" at Easy says so rather than doing nothing.
TEST_F(Screens, SelectorArrowKeysGoByPlaceAndItsEndSaysSo) {
    using ScreenDriver::ChooseByKeys;
    using namespace Vitrine;
    LevelDifficulty = Difficulty::Easy;
    {
        User user([] {
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_ENTER});  // difficulty
            ChooseByKeys({KEY_RIGHT, KEY_ENTER});           // ">": medium
            ChooseByKeys({KEY_ESCAPE});
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});  // quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Medium);

    LevelDifficulty = Difficulty::Easy;
    std::vector<uint32_t> easyLine, endLine;
    {
        User user([&] {
            // The menu that waits after `menu`, once it waits.
            const auto next = [](uint64_t menu) {
                WaitFor([&] { return StandardMenu::WaitingMenu() > menu; });
                return StandardMenu::WaitingMenu();
            };
            ClickAndWait(Column, Row(1));  // difficulty, the pointer left on its button
            const uint64_t selector = next(StandardMenu::WaitingMenu());
            easyLine = DifficultyLinePixels();
            ChooseByKeys({KEY_LEFT, KEY_ENTER});  // "<" at easy
            next(selector);
            endLine = DifficultyLinePixels();
            ChooseByKeys({KEY_DOWN, KEY_ENTER});                      // Back, below "<"
            ChooseByKeys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});  // quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(LevelDifficulty, Difficulty::Easy);
    EXPECT_NE(std::count(easyLine.begin(), easyLine.end(), Fixture::LightGrey), 0) << "a line on Easy";
    EXPECT_TRUE(easyLine != endLine) << "\"<\" at Easy says it is the end";
}

TEST_F(Screens, ControlsAndHighScoresReturnToTheStartMenu) {
    std::ofstream(HighScoreFile, std::ios::binary) << "       500 ANNA      \r\n       300 BOB       \r\n"
                                                      "       100 CAT       \r\n";
    User user([] {
        ClickAndWait(Column, Row(2));  // controls
        ClickAndWait(Column, Row(0));  // its back button
        ClickAndWait(Column, Row(3));  // high scores
        Type({65, Fixture::KeyX});
        ClickAndWait(Column, Row(4));  // quit
    });
    EXPECT_EQ(Menu(), Screen::Exit);
}

// ---------------------------------------------------------------- whole program

TEST_F(Screens, QuitSaysGoodbyeBeforeTheWindowCloses) {
    ConsoleRecorder console;
    {
        User user([] { ClickAndWait(Column, Row(4)); });
        RunScreens(Screen::StartMenu);
    }
    EXPECT_EQ(console.text, Farewell);
    EXPECT_FALSE(console.writtenAfterClose);
    EXPECT_TRUE(Vitrine::WindowClosed());
}

TEST_F(Screens, ClosingTheWindowInTheStartMenuEndsTheProgram) {
    ConsoleRecorder console;
    CloseWhen([] { return true; });
    RunScreens(Screen::StartMenu);
    EXPECT_EQ(console.text, Farewell);
}

TEST_F(Screens, ClosingTheWindowInTheNameEntryEndsTheProgramBeforeAnyGame) {
    ConsoleRecorder console;
    {
        User user([] {
            ClickAndWait(Column, Row(0));   // play
            Type({Fixture::KeyX, 65, 66});  // story over, "AB" typed
            WaitFor([] { return PlayerName[1] == 'B'; });
            T::CloseWindow();
        });
        RunScreens(Screen::StartMenu);
    }
    EXPECT_EQ(console.text, Farewell);
    EXPECT_EQ(PlayerName, Name("AB        "));
    EXPECT_EQ(Lifes, 0u) << "no game was started";
    EXPECT_FALSE(std::filesystem::exists(HighScoreFile));
}

TEST_F(Screens, ClosingTheWindowInPlayRecordsNothing) {
    Fixture::WriteAllLevels(EndlessLevel());
    ConsoleRecorder console;
    {
        User user([] {
            ClickAndWait(Column, Row(0));
            Type({Fixture::KeyX, 65, Fixture::KeyX});
            WaitFor([] { return Lifes == 4; });  // in play
            T::CloseWindow();
        });
        RunScreens(Screen::StartMenu);
    }
    EXPECT_EQ(console.text, Farewell);
    EXPECT_EQ(Lifes, 4u) << "the game was under way";
    EXPECT_FALSE(std::filesystem::exists(HighScoreFile));
}

TEST_F(Screens, RetryAfterGameOverStartsAfreshWithTheSameNameAndDifficulty) {
    // Level 1 gives 100 points, level 2 takes every life.
    Fixture::WriteAllLevels(Fixture::DropLevel());
    Fixture::WriteLevel(1, Fixture::ItemAtTheFootLevel());
    LevelDifficulty = Difficulty::Hard;
    const std::string once = "       100 ABC       \r\n         0 \r\n         0 ";
    const std::string twice = "       100 ABC       \r\n       100 ABC       \r\n         0 ";
    ConsoleRecorder console;
    {
        User user([&] {
            ClickAndWait(Column, Row(0));
            Type({Fixture::KeyX, 65, 66, 67, Fixture::KeyX});
            // The score is in the table before the game-over screen takes a choice.
            WaitFor([&] { return Slurp(HighScoreFile) == once; });
            ClickAndWait(Column, Row(0));  // retry
            WaitFor([&] { return Slurp(HighScoreFile) == twice; });
            ClickAndWait(Column, Row(1));  // quit to menu
            ClickAndWait(Column, Row(4));  // quit
        });
        testing::internal::CaptureStderr();  // the missing table's notice
        RunScreens(Screen::StartMenu);
        testing::internal::GetCapturedStderr();
    }
    // The second game started at level 1 with 4 lives and no points: it
    // ended exactly like the first, 100 points on level 2.
    EXPECT_EQ(Slurp(HighScoreFile), twice);
    EXPECT_EQ(Score, 100u);
    EXPECT_EQ(ActualLevel, 2u);
    EXPECT_EQ(Lifes, 0u);
    EXPECT_EQ(PlayerName, Name("ABC       "));
    EXPECT_EQ(LevelDifficulty, Difficulty::Hard);
    EXPECT_EQ(RelativeSpeedCatX, 1.75f);
    EXPECT_EQ(console.text, Farewell);
}

TEST_F(Screens, RetryAfterTheWinStartsAfreshWithTheSameNameAndDifficulty) {
    Fixture::WriteLevel(1, Fixture::ItemAtTheFootLevel());  // levels 2 to 10 have no items
    LevelDifficulty = Difficulty::Medium;
    const std::string twice = "       100 WIN       \r\n       100 WIN       \r\n         0 ";
    {
        User user([&] {
            ClickAndWait(Column, Row(0));
            Type({Fixture::KeyX, 87, 73, 78, Fixture::KeyX});
            WaitFor([&] { return std::filesystem::exists(HighScoreFile); });
            ClickAndWait(Column, Row(0));  // retry
            WaitFor([&] { return Slurp(HighScoreFile) == twice; });
            ClickAndWait(Column, Row(1));
            ClickAndWait(Column, Row(4));
        });
        testing::internal::CaptureStderr();
        RunScreens(Screen::StartMenu);
        testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(Slurp(HighScoreFile), twice);
    EXPECT_EQ(Score, 100u);
    EXPECT_EQ(ActualLevel, 11u);
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(PlayerName, Name("WIN       "));
    EXPECT_EQ(RelativeSpeedCatX, 1.0f);
}

// The game-over screen shows the final score on its card, and under it the
// place the score took in the table, when it took one; its menu answers the keyboard.
TEST_F(Screens, TheEndScreenShowsTheFinalScoreAndItsPlaceInTheTable) {
    ScreenDriver::GivePicture(Assets::GameOverScreen.file, 800, 500, 0xFFFFFF);
    const auto inked = [](int32_t top) {
        int n = 0;
        for (int32_t y = top; y < top + 16; ++y)
            for (int32_t x = Assets::EndScoreAt.x - 120; x < Assets::EndScoreAt.x + 120; ++x)
                n += Fixture::Pixel(x, y) != 0xFFFFFF;
        return n;
    };
    const int32_t scoreLine = Assets::EndScoreAt.y, placeLine = scoreLine + Assets::EndLineStep;
    const std::pair<const char*, bool> tables[] = {{"500 A\r\n50 B\r\n10 C", true},
                                                   {"500 A\r\n300 B\r\n200 C", false}};
    for (const auto& [table, enters] : tables) {
        std::ofstream(HighScoreFile, std::ios::binary) << table;
        Score = 100;
        {
            User user([] {
                ScreenDriver::ChooseByKeys({Vitrine::KEY_DOWN, Vitrine::KEY_DOWN, Vitrine::KEY_ENTER});
            });
            EXPECT_EQ(GameOver(), Screen::StartMenu) << "quit to menu, the second button";
        }
        EXPECT_GT(inked(scoreLine), 40) << table;
        EXPECT_EQ(inked(placeLine) > 40, enters) << table;
    }
}

// A key held as a screen ends acts on the next one only once pressed again:
// its auto-repeats neither move a menu's pointer nor reach the key queue.
TEST_F(Screens, AKeyHeldIntoTheNextScreenWaitsForItsNextPress) {
    using namespace Vitrine;
    Fixture::Hold(KEY_LEFT);             // held as the last life goes
    FlushKeys();                         // as every frame of play does
    testing::internal::CaptureStderr();  // no high-score table here
    {
        User user([] {
            WaitFor([] { return StandardMenu::WaitingMenu() != 0; });
            T::PressKey(KEY_LEFT);  // its auto-repeats
            T::PressKey(KEY_LEFT);
            ScreenDriver::ChooseByKeys({KEY_DOWN, KEY_ENTER});
        });
        EXPECT_EQ(GameOver(), Screen::NewGame) << "the first button: the repeats moved nothing";
    }
    testing::internal::GetCapturedStderr();
    KeyPress press;
    EXPECT_FALSE(NextKey(press)) << "nor reached the key queue";
    Fixture::Release(KEY_LEFT);
    Type({KEY_LEFT});
    T::ApplyInput();
    EXPECT_TRUE(NextKey(press)) << "pressed again, it counts";
}

// ---------------------------------------------------------------- pause

TEST_F(Screens, PauseWithPResumeAndQuitToTheMenu) {
    StartLevel(EndlessLevel());
    User user([] {
        ClickAndWait(Column, Row(0));  // resume
        ClickAndWait(Column, Row(1));  // quit to menu
    });
    Fixture::Hold(Vitrine::KEY_P);
    EXPECT_TRUE(PlayFrame());
    EXPECT_TRUE(Pause) << "P seen: the screen opens once the game has held still";
    Fixture::PassHold();
    EXPECT_TRUE(PlayFrame());
    EXPECT_FALSE(Pause) << "resumed";
    EXPECT_TRUE(PlayFrame());
    EXPECT_TRUE(Pause) << "P still held pauses again";
    Fixture::Release(Vitrine::KEY_P);
    Fixture::PassHold();
    EXPECT_FALSE(PlayFrame()) << "quit to menu leaves the game";
    EXPECT_FALSE(Pause);
}

TEST_F(Screens, PResumesEscapeResumesAndTheArrowsLeaveForTheMenu) {
    using ScreenDriver::ChooseByKeys;
    StartLevel(EndlessLevel());
    User user([] {
        ChooseByKeys({Vitrine::KEY_P});
        ChooseByKeys({Vitrine::KEY_ESCAPE});
        ChooseByKeys({Vitrine::KEY_DOWN, Vitrine::KEY_DOWN, Vitrine::KEY_ENTER});  // quit to menu
    });
    for (int round = 0; round < 2; ++round) {
        Fixture::Hold(Vitrine::KEY_P);
        EXPECT_TRUE(PlayFrame());
        Fixture::Release(Vitrine::KEY_P);
        Fixture::PassHold();
        EXPECT_TRUE(PlayFrame()) << "resumed";
        EXPECT_FALSE(Pause);
        EXPECT_TRUE(PlayFrame());
        EXPECT_FALSE(Pause) << "the P that resumed does not pause again";
    }
    Fixture::Hold(Vitrine::KEY_P);
    EXPECT_TRUE(PlayFrame());
    Fixture::Release(Vitrine::KEY_P);
    Fixture::PassHold();
    EXPECT_FALSE(PlayFrame()) << "quit to menu";
}

TEST_F(Screens, ClosingTheWindowOnThePauseScreenLeavesTheGame) {
    StartLevel(EndlessLevel());
    Pause = true;
    CloseWhen([] { return true; });
    EXPECT_FALSE(PauseScreen());
}

}  // namespace
