// Level packs: a folder read whole or refused by the file at fault, a game
// won after the pack's last level without reading a file again, and the
// checker's line for every file of a folder.
#include <sstream>

#include "game/FrontEnd.h"
#include "game/LevelPacks.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"

namespace {

using namespace KerboImplementation;
using Fixture::Storeys;
using Fixture::WorkDir;
namespace fs = std::filesystem;

// Walls round the storeys, a floor of walls, one item two cells right of Oska's start.
Storeys GoodLevel() {
    Storeys level;
    level.fill("wppppppppppppppw");
    level[7] = "wwwwwwwwwwwwwwww";
    level[6] = "wppppppppppipppw";
    return level;
}

void WriteTo(const fs::path& folder, const std::string& name, const Storeys& storeys) {
    fs::create_directories(folder);
    std::ofstream file(folder / name, std::ios::binary);
    file << "cccccccccccccccc\ncccccccccccccccc\n";
    for (const std::string& storey : storeys) file << storey << "\n";
}

class LevelPacks : public Fixture::GameTest {
  protected:
    const fs::path pack = WorkDir() / "pack";
};

TEST_F(LevelPacks, APackIsReadWholeOrRefusedNamingTheFileAtFault) {
    TotalGame levels;
    uint32_t count = 0;
    EXPECT_EQ(ReadPack(pack.string(), levels, count).find(pack.string() + ": can't be read as a folder"), 0u);
    fs::create_directories(pack);
    EXPECT_EQ(ReadPack(pack.string(), levels, count),
              (pack / "level1.txt").string() +
                  " is missing: a pack holds level1.txt .. levelN.txt, N from 1 to 10");

    Storeys third = GoodLevel();
    third[2] = "wppwpppppppppppw";
    for (const char* name : {"level1.txt", "level2.txt"}) WriteTo(pack, name, GoodLevel());
    WriteTo(pack, "level3.txt", third);
    WriteTo(pack, "level3.unsaved.txt", GoodLevel());  // not a level of the pack
    ASSERT_EQ(ReadPack(pack.string(), levels, count), "");
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(levels[3][5][4], 'w');
    EXPECT_EQ(levels[1][1][1], 'c');

    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"level5.txt", (pack / "level4.txt").string() +
                           " is missing, but level5.txt is there: a pack's levels are numbered from 1 "
                           "without gaps"},
        {"level11.txt", (pack / "level11.txt").string() + ": a pack holds at most 10 levels"},
    };
    for (const auto& [name, refusal] : refusals) {
        WriteTo(pack, name, GoodLevel());
        count = 0;
        EXPECT_EQ(ReadPack(pack.string(), levels, count), refusal);
        EXPECT_EQ(count, 0u) << "nothing read from a refused pack";
        fs::remove(pack / name);
    }
    Storeys broken = GoodLevel();
    broken[1][6] = 'x';
    WriteTo(pack, "level2.txt", broken);
    EXPECT_EQ(ReadPack(pack.string(), levels, count),
              (pack / "level2.txt").string() +
                  ": line 4, column 7: found 'x' where a cell letter (p w e n d D s S t c i) belongs");
}

TEST_F(LevelPacks, AGameOfAPackIsWonAfterItsLastLevelWithoutReadingItsFilesAgain) {
    // Levels without items are cleared in their first frame.
    for (const char* name : {"level1.txt", "level2.txt"}) WriteTo(pack, name, Fixture::QuietLevel());
    ASSERT_EQ(UsePack(pack.string()), "");
    EXPECT_EQ(LevelCount, 2u);
    EXPECT_EQ(PackFolder, pack.string());
    fs::remove_all(pack);
    EXPECT_EQ(PlayGame(), GameEnd::Won);
    EXPECT_EQ(ActualLevel, 3u);

    // A pack that can't be read leaves the levels in play as they were.
    EXPECT_NE(UsePack(pack.string()), "");
    EXPECT_EQ(LevelCount, 2u);
    EXPECT_TRUE(LevelsHeld);
    EXPECT_EQ(PackName((pack / "").string()), "pack");
}

TEST_F(LevelPacks, TheCheckerGivesEachFileOneLineAndPassesOnlyAFaultlessPack) {
    WriteTo(pack, "level1.txt", GoodLevel());
    std::ostringstream out;
    EXPECT_TRUE(CheckLevels(pack.string(), out));
    EXPECT_EQ(out.str(), "level1.txt: ok, 1 item, 0 doors, 0 shock doors, farthest item 0 rides away\n");

    Storeys faulty = GoodLevel();
    faulty[1] = "wpippppppppppppw";  // an item on a storey he never gets to
    faulty[4] = "wppppppwpppppppw";  // a wall where the cats appear
    WriteTo(pack, "level2.txt", faulty);
    Storeys broken = GoodLevel();
    broken[6][15] = ' ';
    WriteTo(pack, "level4.txt", broken);
    WriteTo(pack, "level12.txt", GoodLevel());
    out.str("");
    EXPECT_FALSE(CheckLevels(pack.string(), out));
    EXPECT_EQ(out.str(),
              "level1.txt: ok, 1 item, 0 doors, 0 shock doors, farthest item 0 rides away\n"
              "level2.txt: 2 faults: row 7, column 8: a wall where cats appear: a cat placed on its centre "
              "line never moves again; row 4, column 3: an item Oska cannot reach from his start\n"
              "level3.txt: missing: a pack's levels are numbered from 1 without gaps\n"
              "level4.txt: line 9, column 16: found a space where a cell letter (p w e n d D s S t c i) "
              "belongs\n"
              "level12.txt: a pack holds at most 10 levels\n");
}

}  // namespace

// A pack names itself on the status band: its pack.txt, or the folder's name
// with one line on what is wrong in pack.txt; the shipped game keeps its own.
TEST_F(LevelPacks, APackNamesItsTitleAuthorAndLevelCount) {
    WriteTo(pack, "level1.txt", GoodLevel());
    EXPECT_EQ(UsePack(pack.string()), "");
    EXPECT_EQ(PackTitleLine, "KERBO anno 2011 'pack'");
    EXPECT_EQ(PackLevelsLine, "Levels: unknown");
    EXPECT_EQ(PackCountLine, "of 1");

    ASSERT_TRUE(WritePackInfo(pack.string(), "Cellar", "Ana Maria van der Berg"));
    EXPECT_EQ(UsePack(pack.string()), "");
    EXPECT_EQ(PackTitleLine, "KERBO anno 2011 'Cellar'");
    EXPECT_EQ(PackLevelsLine, "Levels: Ana Maria va...") << "cut to the band's room";

    EXPECT_EQ(PackNameLine, "Pack: 'Cellar' by Ana Maria van der Berg, 1 level");

    // The story names the pack in its free line; the shipped game's leaves it free.
    auto storyLine = [] {
        Vitrine::Testing::PressKey(Fixture::KeyX);
        Vitrine::Testing::ReleaseKey(Fixture::KeyX);
        Story();
        bool inked = false;
        for (int32_t x = Assets::PackLineOnStory.x; x < Assets::PackLineOnStory.x + 40; ++x)
            for (int32_t y = Assets::PackLineOnStory.y; y < Assets::PackLineOnStory.y + 12; ++y)
                inked = inked || Fixture::Pixel(x, y) == Assets::PackLineOnStoryInk;
        return inked;
    };
    EXPECT_TRUE(storyLine());
    PackFolder.clear();
    EXPECT_FALSE(storyLine());

    std::ofstream(pack / "pack.txt", std::ios::binary) << "title = Cellar\nmusic = loud\n";
    const PackInfo bad = ReadPackInfo(pack.string());
    EXPECT_EQ(bad.title, "pack");
    EXPECT_EQ(bad.author, "");
    EXPECT_NE(bad.problem.find("pack.txt: line 2: unknown key 'music'"), std::string::npos);
}

// The start menu's Packs button lists the shipped levels, the player's own
// pack and every folder under packs/; the keys or a click choose one, which
// is then played, named on the start menu and scored in its own table.
TEST_F(LevelPacks, ThePackListOffersEveryPackAndPlaysTheOneChosen) {
    namespace T = Vitrine::Testing;
    const fs::path own = WorkDir() / "home" / "kerbo";
    EXPECT_EQ(PacksToChoose(own.string() + "/").size(), 1u) << "no pack of the player's own yet: none listed";
    WriteTo(own / "my-levels", "level1.txt", GoodLevel());
    WriteTo(own / "packs" / "cellar", "level1.txt", GoodLevel());
    ASSERT_TRUE(WritePackInfo((own / "packs" / "cellar").string(), "Cellar", "Ana"));
    fs::create_directories(own / "packs" / "empty");
    std::ofstream(own / "packs" / "notes.txt") << "not a pack";
    std::vector<std::string> lines;
    for (const PackChoice& c : PacksToChoose(own.string() + "/"))
        lines.push_back(c.line + (c.problem.empty() ? "" : " *"));
    EXPECT_EQ(lines, (std::vector<std::string>{"KERBO anno 2011: the shipped levels, 10 levels",
                                               "Your own pack: 'my-levels', 1 level",
                                               "'Cellar' by Ana, 1 level", "empty: can't be played *"}));

    ::setenv("XDG_DATA_HOME", (WorkDir() / "home").c_str(), 1);
    StandardMenu::ClearPendingClick();
    Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    const std::string shippedTable = HighScoreFile;
    // Opens the list and waits until it shows (its page covers the start screen).
    const auto openList = [] {
        ScreenDriver::ClickAndWait(Assets::PacksButtonAt.x + 75, Assets::PacksButtonAt.y + 17);
        ScreenDriver::WaitFor([] { return Fixture::Pixel(5, 5) == 0xF0E8E0; });
    };
    const auto quitOnceBack = [] {
        ScreenDriver::WaitFor([] { return Fixture::Pixel(5, 5) != 0xF0E8E0; });
        ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(4));
    };
    {
        ScreenDriver::User user([&] {
            openList();
            for (uint32_t k : {Vitrine::KEY_DOWN, Vitrine::KEY_DOWN, Vitrine::KEY_ENTER})
                T::PressKey(k), T::ReleaseKey(k);
            quitOnceBack();
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    EXPECT_EQ(PackFolder, (own / "packs" / "cellar").string());
    EXPECT_EQ(PackNameLine, "Pack: 'Cellar' by Ana, 1 level");
    EXPECT_NE(HighScoreFile.find("Highscores-cellar-"), std::string::npos) << HighScoreFile;
    {
        ScreenDriver::User user([&] {
            openList();
            T::MoveMouse(100, 70), T::LeftDown(100, 70),
                T::LeftUp(100, 70);  // the first row: the shipped levels
            quitOnceBack();
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(PackFolder, "");
    EXPECT_FALSE(LevelsHeld);
    EXPECT_EQ(LevelCount, 10u);
    EXPECT_EQ(HighScoreFile, shippedTable);
}
