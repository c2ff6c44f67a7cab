// Reading the level files: line ends, ignored lines and columns, and each
// kind of malformed file refused with its message.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "game/KerboImplementation.h"

using namespace KerboImplementation;

namespace {

// A valid level: walls round every storey, a passage floor, one shaft.
const char* const kRows[10] = {
    "status line one",  "status line two",  "wwwwwwwwwwwwwwww", "wpppppnppppppppw", "wpppppeppppppppw",
    "wpppppeppdpppipw", "wpppppeppppppppw", "wpppppeppppppppw", "wppiiptpppppSppw", "wwwwwwwwwwwwwwww",
};

std::string Join(const char* lineEnd, const std::string& extra = "") {
    std::string text;
    for (const char* row : kRows) text += std::string(row) + extra + lineEnd;
    return text;
}

std::string Parse(const std::string& bytes, Level& level) {
    return ParseLevel(bytes, level);
}

std::string RowOf(const Level& level, std::size_t row) {
    std::string s;
    for (char c : level[row]) s.push_back(c);
    return s;
}

}  // namespace

TEST(LevelReading, LineEndsAndIgnoredPartsGiveTheSameLevel) {
    Level lf, crlf, wide, longer, noFinalEnd;
    ASSERT_EQ(Parse(Join("\n"), lf), "");
    ASSERT_EQ(Parse(Join("\r\n"), crlf), "");
    ASSERT_EQ(Parse(Join("\n", "abcd"), wide), "") << "columns 17 to 20 are ignored";
    ASSERT_EQ(Parse(Join("\n") + "anything at all on line eleven\n\x1a", longer), "");
    std::string last = Join("\n");
    last.pop_back();
    ASSERT_EQ(Parse(last, noFinalEnd), "") << "the last line may end at the end of the file";

    for (std::size_t row = 1; row <= 10; ++row) {
        EXPECT_EQ(RowOf(crlf, row), RowOf(lf, row)) << "row " << row;
        EXPECT_EQ(RowOf(wide, row), RowOf(lf, row)) << "row " << row;
        EXPECT_EQ(RowOf(longer, row), RowOf(lf, row)) << "row " << row;
        EXPECT_EQ(RowOf(noFinalEnd, row), RowOf(lf, row)) << "row " << row;
    }
    EXPECT_EQ(RowOf(lf, 1), "cccccccccccccccc") << "status rows become ceiling whatever they hold";
    EXPECT_EQ(RowOf(lf, 2), "cccccccccccccccc");
    EXPECT_EQ(RowOf(lf, 9), "wppiiptpppppSppw");
    EXPECT_EQ(lf[6][14], 'i');
}

TEST(LevelReading, CtrlZAndLoneCarriageReturnEndALine) {
    std::string text;
    for (int k = 0; k < 10; ++k) text += std::string(kRows[k]) + (k % 2 ? "\x1a" : "\r");
    Level level, reference;
    ASSERT_EQ(Parse(text, level), "");
    ASSERT_EQ(Parse(Join("\n"), reference), "");
    for (std::size_t row = 1; row <= 10; ++row) EXPECT_EQ(RowOf(level, row), RowOf(reference, row));
}

TEST(LevelReading, MalformedLevelsAreRefusedWithThePlace) {
    Level level;
    level[5][5] = 'x';  // a refused level leaves the old contents alone

    std::string bad = Join("\n");
    bad[bad.find("wpppppeppdpppipw") + 3] = ' ';
    EXPECT_EQ(Parse(bad, level),
              "line 6, column 4: found a space where a cell letter (p w e n d D s S t c i) belongs");

    std::string letter = Join("\n");
    letter[letter.find("wpppppeppdpppipw") + 1] = 'x';
    EXPECT_EQ(Parse(letter, level),
              "line 6, column 2: found 'x' where a cell letter (p w e n d D s S t c i) belongs");

    std::string caseMatters = Join("\n");
    caseMatters[caseMatters.find("wpppppeppdpppipw") + 1] = 'P';
    EXPECT_NE(Parse(caseMatters, level), "");

    std::string shortRow = Join("\n");
    shortRow.replace(shortRow.find("wpppppnppppppppw"), 16, "wpppppnpp");
    EXPECT_EQ(Parse(shortRow, level),
              "line 4, column 10: the line ends after 9 characters; a storey has 16 cells");

    std::string tooLong = Join("\n");
    tooLong.replace(tooLong.find("wpppppnppppppppw"), 16, "wpppppnppppppppwxxxxxxxxx");
    EXPECT_EQ(Parse(tooLong, level), "line 4: the line has 25 characters; at most 24 fit");

    std::string firstLineTooLong =
        "0123456789012345678901234\n" + Join("\n").substr(std::string(kRows[0]).size() + 1);
    EXPECT_EQ(Parse(firstLineTooLong, level), "line 1: the line has 25 characters; at most 24 fit")
        << "a long status line would shift every storey";

    std::string eightLines;
    for (int k = 0; k < 8; ++k) eightLines += std::string(kRows[k]) + "\n";
    EXPECT_EQ(Parse(eightLines, level), "line 9: the file ends after 8 lines; a level has 10 lines");
    EXPECT_EQ(Parse("", level), "line 1: the file ends after 0 lines; a level has 10 lines");

    EXPECT_EQ(level[5][5], 'x');
}

TEST(LevelReading, MoreShockDoorsThanWavesIsRefused) {
    auto withShockDoors = [](int count) {
        std::string text = "c\nc\n";
        for (int row = 3; row <= 10; ++row) {
            std::string line = "wppppppppppppppw";
            for (int column = 2; column <= 15 && count > 0; column += 2, --count) line[column - 1] = 'S';
            text += line + "\n";
        }
        return text;
    };
    Level level;
    EXPECT_EQ(Parse(withShockDoors(25), level), "");
    EXPECT_EQ(Parse(withShockDoors(26), level), "the level has 26 shock doors; at most 25 fit");
}

TEST(LevelReading, FilesAreReadByNameAndAMissingOneIsNamed) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kerbo-level-files-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string good = (dir / "level1.txt").string();
    std::ofstream(good, std::ios::binary) << Join("\r\n");
    Level level;
    EXPECT_EQ(ReadLevelFile(good, level), "");
    EXPECT_EQ(RowOf(level, 9), "wppiiptpppppSppw");

    const std::string missing = (dir / "level11.txt").string();
    EXPECT_EQ(ReadLevelFile(missing, level), missing + ": cannot be opened");

    const std::string bad = (dir / "level2.txt").string();
    std::ofstream(bad, std::ios::binary) << "only one line\n";
    EXPECT_EQ(ReadLevelFile(bad, level), bad + ": line 2: the file ends after 1 lines; a level has 10 lines");
    std::filesystem::remove_all(dir);
}

TEST(LevelReadingDeathTest, ABrokenLevelStopsTheProgramWithOneLine) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kerbo-level-death-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string bad = (dir / "level3.txt").string();
    std::ofstream(bad, std::ios::binary) << "c\nc\nwwww\n";
    EXPECT_EXIT(ConfigureLevels(World, bad, 3), testing::ExitedWithCode(1),
                "kerbo: level file .*level3.txt: line 4: the file ends after 3 lines");
    std::filesystem::remove_all(dir);
}
