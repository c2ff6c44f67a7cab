// The level editor driven as a player drives it: the mouse and the keys on a
// session, saving checked through the game's own level reader, test play by
// the game's rules, and the way in from the start menu and back.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "editor/LevelEditor.h"
#include "game/FrontEnd.h"
#include "game/LevelPacks.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"

namespace {

using namespace LevelEditor;
using Fixture::WorkDir;
namespace fs = std::filesystem;
namespace T = Vitrine::Testing;

int32_t X(Cell c) {
    return (c.column - 1) * 50 + 25;
}
int32_t Y(Cell c) {
    return (c.row - 1) * 50 + 25;
}

Vitrine::KeyPress Key(uint32_t key, bool shift = false, bool ctrl = false) {
    return {key, shift, ctrl};
}

// A click too quick for the editor's loop to see the button held.
void Click(Session& s, int32_t x, int32_t y) {
    OnMouse(s, x, y, false, true, x, y);
}

// The left button held from `from` along its row to `to`, as the loop sees it.
void Stroke(Session& s, Cell from, Cell to) {
    for (int column = from.column; column <= to.column; ++column) {
        OnMouse(s, X({from.row, column}), Y(from), true, false, 0, 0);
    }
    OnMouse(s, X(to), Y(to), false, true, X(to), Y(to));
}

char At(const Session& s, Cell c) {
    return s.Shown().letters[c.row][c.column];
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> Files(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    names.erase(".pack.lock");  // the lock the pack's saves take turns on
    return names;
}

class Editor : public Fixture::GameTest {
  protected:
    Session Opened() {
        Session s;
        EXPECT_EQ(ReadForEditing(folder.string(), s.pack), "");
        Recheck(s);
        return s;
    }
    const fs::path folder = WorkDir() / "pack";
};

TEST_F(Editor, PaintingWithTheMouseAndTheKeysUndoesStepByStepWithinTheHousesLimits) {
    Session s = Opened();
    ASSERT_EQ(s.pack.levels.size(), 1u) << "a new pack starts with one level";
    EXPECT_TRUE(SameLetters(s.Shown().letters, NewLevel()));

    Click(s, 475, 25);  // the palette's item
    EXPECT_EQ(Kinds[s.kind].letter, 'i');
    Stroke(s, {9, 2}, {9, 4});
    Click(s, X({9, 12}), Y({9, 12}));
    EXPECT_EQ(std::string({At(s, {9, 2}), At(s, {9, 3}), At(s, {9, 4}), At(s, {9, 5}), At(s, {9, 12})}),
              "iiipi");
    EXPECT_EQ(s.verdict.items, 4);

    Do(s, Command::Undo);
    EXPECT_EQ(At(s, {9, 12}), 'p');
    OnKey(s, Key('Z', false, true));  // the whole stroke at once
    EXPECT_EQ(std::string({At(s, {9, 2}), At(s, {9, 4})}), "pp");
    OnKey(s, Key('Y', false, true));
    EXPECT_EQ(At(s, {9, 3}), 'i');

    // The cursor follows the arrows within rows 3 to 10; letters place their kind.
    for (int k = 0; k < 12; ++k) OnKey(s, Key(Vitrine::KEY_UP));
    OnKey(s, Key(Vitrine::KEY_DOWN));
    EXPECT_EQ(s.cursor, (Cell{4, 12}));
    OnKey(s, Key('D', true));
    OnKey(s, Key(Vitrine::KEY_LEFT));
    OnKey(s, Key('S'));
    EXPECT_EQ(std::string({At(s, {4, 11}), At(s, {4, 12})}), "sD");
    EXPECT_TRUE(std::any_of(s.verdict.faults.begin(), s.verdict.faults.end(), [](const LevelCheck::Fault& f) {
        return f.cell == Cell{4, 12};
    })) << "a door beside a shock door is a fault, marked on its cell";
    Do(s, Command::Redo);
    EXPECT_EQ(s.message, "nothing to redo") << "a new edit drops what could be redone";

    Place(s, {2, 5}, 'w');
    EXPECT_EQ(s.message, "rows 1 and 2 stay ceiling");
    EXPECT_EQ(At(s, {2, 5}), 'c');
    for (int row = 5; ShockDoors(s.Shown().letters) < LevelCheck::MostShockDoors; ++row) {
        for (int column = 2; column <= 15 && ShockDoors(s.Shown().letters) < 25; column += 2) {
            Place(s, {row, column}, 'S');
        }
    }
    OnKey(s, Key(Vitrine::KEY_DOWN));
    OnKey(s, Key('S', true));
    EXPECT_EQ(s.message, "a level holds at most 25 shock doors");
    EXPECT_EQ(ShockDoors(s.Shown().letters), 25);
}

TEST_F(Editor, SavingWritesWhatTheGamesReaderReadsBackFileByFile) {
    Session s = Opened();
    Place(s, {9, 12}, 'i');
    OnKey(s, Key('N', false, true));  // a second level
    EXPECT_EQ(s.current, 1u);
    Place(s, {5, 5}, 'w');
    OnKey(s, Key('S', false, true));
    EXPECT_EQ(s.message, "saved in " + folder.string() + ", with faults in level 2");
    EXPECT_FALSE(s.pack.Unsaved());
    EXPECT_EQ(Files(folder), (std::set<std::string>{"level1.txt", "level2.txt"})) << "no temporary file left";
    EXPECT_EQ(Slurp(folder / "level1.txt"),
              "cccccccccccccccc\ncccccccccccccccc\nwppppppppppppppw\nwppppppppppppppw\nwppppppppppppppw\n"
              "wppppppppppppppw\nwppppppppppppppw\nwppppppppppppppw\nwppppppppppipppw\nwwwwwwwwwwwwwwww\n");
    KerboImplementation::Level read;
    EXPECT_EQ(KerboImplementation::ReadLevelFile((folder / "level2.txt").string(), read), "");
    EXPECT_TRUE(SameLetters(read, s.pack.levels[1].letters));

    // Deleting level 1 asks twice; saving moves level 2 into level1.txt and
    // removes level2.txt, so the pack never has a gap.
    ShowLevel(s, 0);
    OnKey(s, Key(Vitrine::KEY_DELETE));
    EXPECT_EQ(s.pack.levels.size(), 2u);
    OnKey(s, Key(Vitrine::KEY_DELETE));
    ASSERT_EQ(s.pack.levels.size(), 1u);
    EXPECT_TRUE(s.pack.Unsaved());
    Do(s, Command::Save);
    EXPECT_EQ(Files(folder), (std::set<std::string>{"level1.txt"}));
    Session again = Opened();
    ASSERT_EQ(again.pack.levels.size(), 1u);
    EXPECT_TRUE(SameLetters(again.Shown().letters, read));

    // Unsaved levels of a closing window go beside their files, which stay.
    Place(again, {9, 3}, 'i');
    EXPECT_EQ(Rescue(again.pack), "kept in " + (folder / "level1.unsaved.txt").string());
    EXPECT_EQ(Slurp(folder / "level1.txt"), FormatLevel(read));
    EXPECT_EQ(Slurp(folder / "level1.unsaved.txt"), FormatLevel(again.Shown().letters));

    // A folder that can't be made: nothing saved, and why.
    std::ofstream(WorkDir() / "plain") << "a file";
    EXPECT_EQ(ReadForEditing((WorkDir() / "plain").string(), again.pack),
              (WorkDir() / "plain").string() + ": not a folder");
    again.pack.folder = (WorkDir() / "plain" / "pack").string();
    Do(again, Command::Save);
    EXPECT_EQ(again.message.find("not saved: can't make the folder"), 0u) << again.message;
    EXPECT_TRUE(again.pack.Unsaved());
}

// Two editors on one pack: a save that would undo what the other made asks
// first (save over it, keep both, reload), and each answer does what it says.
TEST_F(Editor, ASaveOverAFolderThatChangedSinceItWasReadAsksFirst) {
    Session a = Opened(), b = Opened();
    Do(a, Command::AddLevel);
    Do(a, Command::Save);  // a adds level 2
    Place(b, {9, 3}, 'i');
    Do(b, Command::Save);
    EXPECT_EQ(b.message.find("not saved: the folder changed since it was read; Ctrl+S again saves over it, K "
                             "keeps both, R reloads it (it holds 2 levels"),
              0u)
        << b.message;
    Do(b, Command::Leave);
    EXPECT_FALSE(b.leave) << "unsaved: Esc asks";
    Do(b, Command::Save);
    OnKey(b, Key('R'));
    EXPECT_EQ(b.pack.levels.size(), 2u) << "reloaded";

    Place(a, {9, 5}, 'i');
    Do(a, Command::Save);
    Place(b, {9, 6}, 'i');
    Do(b, Command::Save);
    OnKey(b, Key('K'));  // b is behind again: both kept
    EXPECT_EQ(Slurp(folder.string() + "-2/level1.txt"), FormatLevel(b.Shown().letters));
    EXPECT_EQ(Slurp(folder / "level1.txt"), FormatLevel(a.pack.levels[0].letters));

    fs::remove(folder / "level2.txt");  // by hand
    Do(a, Command::Save);
    EXPECT_NE(a.message.find("it holds 1 level, not the 2"), std::string::npos) << a.message;
    Do(a, Command::Save);
    EXPECT_EQ(Files(folder).size(), 2u) << "saved over it";
}

// What a killed save leaves is gone at the next open: a pack still being
// staged is rolled back, a complete one finished, stray temporary files swept.
TEST_F(Editor, ASaveKilledHalfWayIsRolledBackOrFinishedAtTheNextOpen) {
    Session s = Opened();
    Do(s, Command::AddLevel);
    Do(s, Command::AddLevel);
    s.pack.levels[2].letters[9][3] = 'i';
    Do(s, Command::Save);
    const std::string third = Slurp(folder / "level3.txt");
    const pid_t gone = ::fork();
    if (gone == 0) std::_Exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone) + "-Ab12Cd";
    fs::create_directories(folder / (".saving-" + dead));
    std::ofstream(folder / ("level2.txt.saving-" + dead)) << "half";
    // Killed deleting level 2: level 3 moved up already, level3.txt not yet removed.
    fs::create_directory(folder / (".switching-" + dead));
    std::ofstream(folder / (".switching-" + dead) / "count") << "2\n";
    std::ofstream(folder / (".switching-" + dead) / "pack.txt") << "title = Cellar\n";  // not yet moved
    fs::copy_file(folder / "level3.txt", folder / "level2.txt", fs::copy_options::overwrite_existing);
    KerboImplementation::TotalGame levels;
    uint32_t count = 0;
    EXPECT_EQ(KerboImplementation::ReadPack(folder.string(), levels, count), "");
    EXPECT_EQ(Files(folder), (std::set<std::string>{"level1.txt", "level2.txt", "pack.txt"}));
    EXPECT_EQ(Slurp(folder / "level2.txt"), third);
    EXPECT_EQ(KerboImplementation::ReadPackInfo(folder.string()).title, "Cellar");
}

// Ctrl+T types the pack's title, Enter, its author, Enter; they are saved
// with the pack in pack.txt, the game's reader reads them back, and keys
// typed there paint nothing.
TEST_F(Editor, CtrlTSetsThePacksTitleAndAuthorSavedWithThePack) {
    using Vitrine::KEY_BACKSPACE, Vitrine::KEY_ENTER, Vitrine::KEY_ESCAPE;
    Session s = Opened(), other = Opened();
    const auto type = [&](std::initializer_list<Vitrine::KeyPress> keys) {
        for (const Vitrine::KeyPress& k : keys) OnKey(s, k);
    };
    type({Key('T', false, true), Key('C', true), Key('E'), Key('L'), Key('L'), Key('A'), Key('R'),
          Key(Vitrine::KEY_SPACE), Key('2'), Key('1', true), Key(190), Key(KEY_ENTER)});
    type({Key('A'), Key('N'), Key('X'), Key(KEY_BACKSPACE), Key('A'), Key(KEY_ENTER)});
    EXPECT_EQ(s.pack.title, "Cellar 2.") << "Shift+1 types nothing";
    EXPECT_EQ(s.pack.author, "ana");
    EXPECT_TRUE(s.pack.Unsaved());
    EXPECT_FALSE(s.Shown().history.CanUndo()) << "the letters typed painted nothing";
    OnKey(s, Key('S', false, true));
    EXPECT_FALSE(s.pack.Unsaved()) << s.message;
    EXPECT_EQ(Files(folder), (std::set<std::string>{"level1.txt", "pack.txt"})) << "no staging folder left";
    const KerboImplementation::PackInfo info = KerboImplementation::ReadPackInfo(folder.string());
    EXPECT_EQ(info.title + "/" + info.author + "/" + info.problem, "Cellar 2./ana/");

    // At most 30 characters; Esc leaves the title as it was.
    OnKey(s, Key('T', false, true));
    for (int k = 0; k < 40; ++k) OnKey(s, Key('W'));
    EXPECT_EQ(s.typed.size(), 30u);
    OnKey(s, Key(KEY_ESCAPE));
    EXPECT_EQ(s.pack.title, "Cellar 2.");
    EXPECT_FALSE(s.leave || s.pack.Unsaved());
    EXPECT_EQ(Opened().pack.author, "ana");

    // An editor that read the pack before: its save would lose the new title, so it asks.
    Place(other, {9, 3}, 'i');
    Do(other, Command::Save);
    EXPECT_EQ(other.message.find("not saved: the folder changed"), 0u) << other.message;
}

// Unsaved levels of a pack that can't be written go to the player's own
// folder, and the next session on the pack offers them back.
TEST_F(Editor, RescueFallsBackToThePlayersOwnFolderAndIsOfferedBackNextTime) {
    std::ofstream(WorkDir() / "plain") << "a file";
    ::setenv("XDG_DATA_HOME", (WorkDir() / "own").c_str(), 1);
    Session s, next;
    s.pack.folder = next.pack.folder = (WorkDir() / "plain" / "pack").string();
    s.pack.levels.resize(1);
    next.pack.levels.resize(1);
    Place(s, {9, 3}, 'i');
    const std::string kept = Rescue(s.pack);
    EXPECT_EQ(kept.find("kept in " + (WorkDir() / "own" / "kerbo" / "unsaved-").string()), 0u) << kept;
    OfferRescued(next);
    OnKey(next, Key('U'));
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(next.message, "level 1 taken back");
    EXPECT_TRUE(SameLetters(next.Shown().letters, s.Shown().letters));
}

// A pack with no level saved yet: what the window's closing rescued is
// offered back, and gone from the folder once taken or declined.
TEST_F(Editor, ANewPacksRescuedLevelIsOfferedBackAndDoesNotLinger) {
    for (const bool take : {true, false}) {
        Session s = Opened();
        Place(s, {9, 3}, 'i');
        EXPECT_EQ(Rescue(s.pack), "kept in " + (folder / "level1.unsaved.txt").string());
        Session next = Opened();
        EXPECT_EQ(Rescue(next.pack), "") << "a blank new level is not kept over it";
        OfferRescued(next);
        EXPECT_TRUE(next.offerRescued) << next.message;
        OnKey(next, Key('U', false, !take));  // Ctrl+U throws it away
        EXPECT_EQ(SameLetters(next.Shown().letters, s.Shown().letters), take) << next.message;
        EXPECT_FALSE(fs::exists(folder / "level1.unsaved.txt")) << next.message;
    }
}

TEST_F(Editor, TestPlayPlaysByTheGamesRulesAndPutsTheGameBack) {
    using namespace KerboImplementation;
    LevelCount = 3;  // a pack in play, say
    LevelsHeld = true;
    const TotalGame before = Game;
    Level level = NewLevel();
    level[9][12] = 'i';
    Fixture::Hold(Fixture::RightArrow);
    EXPECT_EQ(TestPlay(level, 2), "test play: level cleared with 4 lives left, 100 points");
    Fixture::Hold(Fixture::RightArrow);  // still held: an auto-repeat
    Vitrine::KeyPress press;
    EXPECT_FALSE(Vitrine::NextKey(press)) << "a key held from play does not move the editor's cursor";
    Fixture::Release(Fixture::RightArrow);
    EXPECT_EQ(LevelCount, 3u);
    EXPECT_TRUE(LevelsHeld);
    EXPECT_EQ(std::memcmp(&before, &Game, sizeof Game), 0);

    // Left from the pause screen: back to the editor.
    level[9][12] = 'p';
    level[4][12] = 'i';
    StandardMenu::RegisterLeftClick(ScreenDriver::Column, ScreenDriver::Row(1));  // quit, once it shows
    Fixture::Hold(Vitrine::KEY_P);
    EXPECT_EQ(TestPlay(level, 1), "test play: left from the pause screen");
    Fixture::Release(Vitrine::KEY_P);
}

TEST_F(Editor, TheStartMenusButtonOpensThePlayersOwnPackAndComesBack) {
    ::setenv("XDG_DATA_HOME", (WorkDir() / "home").c_str(), 1);
    KerboImplementation::Editor = {LevelEditor::Open, LevelEditor::Run};
    StandardMenu::ClearPendingClick();
    Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    const fs::path saved = WorkDir() / "home" / "kerbo" / "my-levels" / "level1.txt";
    {
        ScreenDriver::User user([&] {
            const auto& at = KerboImplementation::Assets::EditorButtonAt;
            ScreenDriver::ClickAndWait(at.x + 75, at.y + 17);
            // An item where the pointer is, the palette back to passages, saved;
            // again until the editor's loop, which starts by dropping earlier keys, has it.
            ScreenDriver::WaitFor([&] {
                T::MoveMouse(X({9, 12}), Y({9, 12}));
                for (uint32_t k : {uint32_t('I'), uint32_t(Vitrine::KEY_TAB)})
                    T::PressKey(k), T::ReleaseKey(k);
                T::PressKey(Vitrine::KEY_CTRL), T::PressKey('S'), T::ReleaseKey('S'),
                    T::ReleaseKey(Vitrine::KEY_CTRL);
                return ScreenDriver::WaitFor([&] { return fs::exists(saved); }, 50);
            });
            T::PressKey(Vitrine::KEY_ESCAPE);
            // Back in the menu once a click off its buttons waits there.
            ScreenDriver::WaitFor([] {
                T::LeftUp(700, 300);
                StandardMenu::ClickRc click;
                return StandardMenu::PendingClick(click) && click.x == 700;
            });
            ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(4));  // quit
        });
        EXPECT_EQ(KerboImplementation::Menu(), KerboImplementation::Screen::Exit);
    }
    KerboImplementation::Editor = {};
    ::unsetenv("XDG_DATA_HOME");
    Level read;
    ASSERT_EQ(KerboImplementation::ReadLevelFile(saved.string(), read), "");
    EXPECT_EQ(read[9][12], 'i');
}

}  // namespace
