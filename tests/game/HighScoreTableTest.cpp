// The high-score table: entering scores, the file's exact bytes, reading
// back, bad entries and hand edits, odd files, and the rewrite that never
// loses the old table.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

#include "game/HighScoreTable.h"
#include "tests/menu/ScreenDriver.h"
#include "util/FileLock.h"
#include "tests/support/Bounded.h"

namespace {

using namespace KerboImplementation;
using namespace std::literals;

String Name(const std::string& text) {
    String name{};
    for (std::size_t i = 0; i < text.size() && i < name.size(); ++i) name[i] = text[i];
    return name;
}

HighScoreTable Table(uint32_t a, uint32_t b, uint32_t c) {
    return {{{a, Name("ANNA      ")}, {b, Name("BOB       ")}, {c, Name("CAT       ")}}};
}

std::vector<uint32_t> Scores(const HighScoreTable& t) {
    return {t[0].Score, t[1].Score, t[2].Score};
}

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

void Spit(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

TEST(EnterScore, NewScoreGoesBelowEqualOnesAndAboveLowerOnes) {
    struct Case {
        uint32_t score;
        std::vector<uint32_t> after;
        bool entered;
    };
    const Case cases[] = {
        {600, {600, 500, 300}, true}, {400, {500, 400, 300}, true}, {200, {500, 300, 200}, true},
        {300, {500, 300, 300}, true}, {500, {500, 500, 300}, true}, {100, {500, 300, 100}, false},
        {50, {500, 300, 100}, false}, {0, {500, 300, 100}, false},
    };
    for (const Case& c : cases) {
        HighScoreTable t = Table(500, 300, 100);
        EXPECT_EQ(EnterScore(t, c.score, Name("NEW")), c.entered) << c.score;
        EXPECT_EQ(Scores(t), c.after) << c.score;
    }
    // The new one follows the equal entry; the lowest falls out.
    HighScoreTable t = Table(500, 300, 100);
    EnterScore(t, 300, Name("NEW"));
    EXPECT_STREQ(t[1].Name.data(), "BOB       ");
    EXPECT_STREQ(t[2].Name.data(), "NEW");
    // The whole unsigned range compares as unsigned.
    t = Table(3000000000u, 5, 0);
    EXPECT_TRUE(EnterScore(t, 4000000000u, Name("BIG")));
    EXPECT_EQ(Scores(t), (std::vector<uint32_t>{4000000000u, 3000000000u, 5}));
    // An empty table takes any score above 0.
    t = {};
    EXPECT_FALSE(EnterScore(t, 0, Name("ZERO")));
    EXPECT_TRUE(EnterScore(t, 1, Name("ONE")));
}

TEST(HighScoreFile, BytesAfterAnEnteredAndAnUnchangedRewrite) {
    ScreenDriver::ScratchDir dir;
    Spit(HighScoreFile, FormatHighScores(Table(500, 300, 100), true));
    EXPECT_EQ(Slurp(HighScoreFile),
              "       500 ANNA      \r\n       300 BOB       \r\n       100 CAT       \r\n");

    EXPECT_EQ(CompareHighScoreIn(HighScoreFile, 1500, Name("ABC       ")), 1u) << "the place it took";
    EXPECT_EQ(
        Slurp(HighScoreFile),
        "      1500 ABC       \r\n       500 ANNA      \r\n       300 BOB       ");  // no line end at the end

    EXPECT_EQ(CompareHighScoreIn(HighScoreFile, 300, Name("DUD       ")),
              0u);  // equal to the lowest: stays out
    EXPECT_EQ(Slurp(HighScoreFile),
              "      1500 ABC       \r\n       500 ANNA      \r\n       300 BOB       \r\n");

    // The full range fits the field exactly; the name is written up to its first NUL.
    CompareHighScoreIn(HighScoreFile, 4294967295u, Name("X"));
    EXPECT_EQ(Slurp(HighScoreFile).substr(0, 13), "4294967295 X\r");
}

TEST(HighScoreFile, WrittenTableReadsBackTheSameTrailingBlanksIncluded) {
    ScreenDriver::ScratchDir dir;
    HighScoreTable t = {{{4294967295u, Name("ABCDEFGHI ")}, {7, Name("          ")}, {0, Name("Z")}}};
    for (bool lineEnd : {true, false}) {
        ASSERT_TRUE(WriteFileAtomically(HighScoreFile, FormatHighScores(t, lineEnd), "the high scores"));
        const HighScoreTable back = ReadHighScores(HighScoreFile);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(back[i].Score, t[i].Score);
            EXPECT_EQ(back[i].Name, t[i].Name) << i;
        }
    }
    // A name of the full 25 characters fits too.
    HighScoreTable full = Table(3, 2, 1);
    full[0].Name.fill('Q');
    HighScoreTable back;
    EXPECT_EQ(ParseHighScores(FormatHighScores(full, true), back), "");
    EXPECT_EQ(back[0].Name, full[0].Name);
    // Files edited by hand: bare LF line ends, tabs, an end-of-file mark.
    EXPECT_EQ(ParseHighScores("\t12 AL\n3 B O\n  1 C\x1a", back), "");
    EXPECT_EQ(Scores(back), (std::vector<uint32_t>{12, 3, 1}));
    EXPECT_STREQ(back[1].Name.data(), "B O");
}

TEST(HighScoreFile, EachBadEntryCostsOnlyItself) {
    struct Case {
        std::string_view bytes;
        std::vector<uint32_t> scores;
        std::size_t problems;  // lines left out
    };
    const Case cases[] = {
        {"", {0, 0, 0}, 0},
        {"       500 ANNA\r\n       300 BOB\r\n", {500, 300, 0}, 0},  // two entries
        {"       500 ANNA\r\n      3x0 BOB\r\n       100 CAT", {500, 100, 0}, 1},
        {"       500 ANNA\r\n4294967296 BOB\r\n       100 CAT", {500, 100, 0}, 1},  // beyond 32 bits
        {"       500 ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n       300 B\r\n       100 C",
         {300, 100, 0},
         1},  // 26 letters
        {"-5 A\r\n1 B\r\n1 C", {1, 1, 0}, 1},
        {"9 A\r\n8 B\0C\r\n7 C"sv, {9, 7, 0}, 1},  // a NUL can't be kept in a name
    };
    for (const Case& c : cases) {
        const std::string_view bytes = c.bytes;
        HighScoreTable t = Table(9, 9, 9);
        EXPECT_NE(ParseHighScores(bytes, t), "") << bytes;
        EXPECT_EQ(Scores(t), c.scores) << bytes;
        EXPECT_EQ(ReadHighScoreBytes(bytes).problems.size(), c.problems) << bytes;
        for (std::size_t i = 0; i < 3; ++i) {
            if (c.scores[i] == 0) {
                EXPECT_EQ(t[i].Name, String{}) << bytes;
            }
        }
    }
    // Line ends of every kind, a byte-order mark, a score without a name,
    // blank lines and an unsorted table all read in full, best first.
    for (const char* bytes : {"      9000 ANNA\r      8000 BERT\r      7000 CARL\r",
                              "\xEF\xBB\xBF      8000 BERT\n\n      7000 CARL\r\n      9000 ANNA"}) {
        HighScoreTable t;
        EXPECT_EQ(ParseHighScores(bytes, t), "") << bytes;
        EXPECT_EQ(Scores(t), (std::vector<uint32_t>{9000, 8000, 7000})) << bytes;
        EXPECT_STREQ(t[2].Name.data(), "CARL");
    }
    HighScoreTable t;
    EXPECT_EQ(ParseHighScores("3000\n2000 KAT\n1000 DOREL\n", t), "");
    EXPECT_EQ(t[0].Name, String{});
    EXPECT_STREQ(t[1].Name.data(), "KAT");
    // A fourth entry is one too many: the best three stay, equal ones in the file's order.
    EXPECT_EQ(ParseHighScores("1 A\n5 B\n5 C\n5 D\n", t), "it holds 4 entries; the best 3 are kept");
    EXPECT_EQ(std::string(t[0].Name.data()) + t[1].Name.data() + t[2].Name.data(), "BCD");
    EXPECT_TRUE(ReadHighScoreBytes("1 A\n5 B\n5 C\n5 D\n").Lossy());
}

TEST(HighScoreFile, MissingOrMalformedFileIsReportedOnceAndRewrittenWellFormed) {
    ScreenDriver::ScratchDir dir;
    testing::internal::CaptureStderr();
    CompareHighScoreIn(HighScoreFile, 250, Name("NEW       "));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_EQ(Slurp(HighScoreFile), "       250 NEW       \r\n         0 \r\n         0 ");

    Spit(HighScoreFile, "garbage\r\n");
    testing::internal::CaptureStderr();
    CompareHighScoreIn(HighScoreFile, 0, Name("NIL"));
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(err), 2) << err;  // the entry left out, and where the old table is kept
    EXPECT_EQ(Slurp(HighScoreFile + ".bak"), "garbage\r\n");
    EXPECT_EQ(Slurp(HighScoreFile), "         0 \r\n         0 \r\n         0 \r\n");
    HighScoreTable t;
    EXPECT_EQ(ParseHighScores(Slurp(HighScoreFile), t), "");
}

TEST(HighScoreFile, HandEditsAreKeptAndOddTablesLeftAlone) {
    namespace fs = std::filesystem;
    ScreenDriver::ScratchDir dir;
    // A bad line costs only itself, and the file as it was is kept beside the new one.
    const std::string edited = "      9000 ANNA\r\n      8x00 BERT\r\n      7000 CARL\r\n";
    Spit(HighScoreFile, edited);
    testing::internal::CaptureStderr();
    CompareHighScoreIn(HighScoreFile, 100, Name("LOW"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("line 2 (\"      8x00 BERT\") has no valid score"), std::string::npos) << err;
    EXPECT_EQ(Slurp(HighScoreFile), "      9000 ANNA\r\n      7000 CARL\r\n       100 LOW");
    EXPECT_EQ(Slurp(HighScoreFile + ".bak"), edited);
    // An unsorted table is sorted: nothing is lost, so nothing is kept aside.
    fs::remove(HighScoreFile + ".bak");
    Spit(HighScoreFile, "1000 A\r\n3000 B\r\n2000 C\r\n");
    CompareHighScoreIn(HighScoreFile, 3700, Name("ROBO"));
    EXPECT_EQ(Slurp(HighScoreFile), "      3700 ROBO\r\n      3000 B\r\n      2000 C");
    EXPECT_FALSE(fs::exists(HighScoreFile + ".bak"));

    // A link is followed: the file it names is replaced in its own folder.
    fs::create_directory("real");
    Spit("real/table.txt", FormatHighScores(Table(5, 4, 3), true));
    fs::remove(HighScoreFile);
    fs::create_symlink("real/table.txt", HighScoreFile);
    CompareHighScoreIn(HighScoreFile, 10, Name("P"));
    EXPECT_TRUE(fs::is_symlink(HighScoreFile));
    EXPECT_EQ(Slurp("real/table.txt").substr(0, 13), "        10 P\r");

    // A read-only table, a folder and a pipe are left as they are, one line each.
    fs::remove(HighScoreFile);
    const std::string old = FormatHighScores(Table(5, 4, 3), true);
    Spit(HighScoreFile, old);
    fs::permissions(HighScoreFile, fs::perms(0444));
    testing::internal::CaptureStderr();
    CompareHighScoreIn(HighScoreFile, 10, Name("P"));
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find("read-only"), std::string::npos) << err;
    EXPECT_EQ(Slurp(HighScoreFile), old);
    fs::create_directory("folder");
    ASSERT_EQ(::mkfifo("pipe", 0644), 0);
    const int done = RunBounded(10, [] {
        testing::internal::CaptureStderr();
        CompareHighScoreIn("folder", 10, Name("P"));
        CompareHighScoreIn("pipe", 10, Name("P"));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 2) << said;
        EXPECT_NE(said.find("pipe: can't read the high scores (is a pipe, not a file)"), std::string::npos);
    });
    EXPECT_EQ(done, 0) << "-1: blocked";
    EXPECT_TRUE(fs::is_fifo("pipe"));
    EXPECT_TRUE(fs::is_directory("folder"));
}

TEST(HighScoreFile, AStartRemovesWhatKilledSavesLeftBehind) {
    ScreenDriver::ScratchDir dir;
    const pid_t gone = ::fork();
    if (gone == 0) std::_Exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string stale = HighScoreFile + ".saving-" + std::to_string(gone) + "-Ab12Cd";
    const std::string staleCopy = HighScoreFile + ".bak.saving-" + std::to_string(gone) + "-Ab12Cd";
    const std::string underWay = HighScoreFile + ".saving-" + std::to_string(::getpid()) + "-Ab12Cd";
    const std::string players = HighScoreFile + ".saving-2011";  // not a name the game makes
    for (const std::string& file : {stale, staleCopy, underWay, players}) Spit(file, "x");
    RemoveStaleSaves(HighScoreFile);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(staleCopy));
    EXPECT_TRUE(std::filesystem::exists(underWay));
    EXPECT_TRUE(std::filesystem::exists(players));
}

TEST(HighScoreFile, FailedRewriteLeavesTheOldTableUntouched) {
    ScreenDriver::ScratchDir dir;
    const std::string old = FormatHighScores(Table(500, 300, 100), true);

    // The folder can't take the temporary file: the path's folder is a file.
    Spit("notafolder", old);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically("notafolder/Highscores.txt", "x", "the high scores"));
    EXPECT_EQ(Lines(testing::internal::GetCapturedStderr()), 1);
    EXPECT_EQ(Slurp("notafolder"), old);

    // The disk fills up half way through the new table (a file size limit
    // stands in for the full disk).
    Spit(HighScoreFile, old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    // Standard error is caught in memory: a capture file would meet the limit too.
    std::ostringstream caught;
    std::streambuf* const cerrBuf = std::cerr.rdbuf(caught.rdbuf());
    const std::size_t place = CompareHighScoreIn(HighScoreFile, 900, Name("LOST      "));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(place, 0u) << "a table that was not saved holds no place for the score";
    std::cerr.rdbuf(cerrBuf);
    const std::string err = caught.str();
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find("kept"), std::string::npos) << err;
    EXPECT_EQ(Slurp(HighScoreFile), old);
    // No temporary file is left behind.
    std::size_t temporary = 0;
    for (const auto& e : std::filesystem::directory_iterator(".")) {
        temporary += e.path().filename().string().find(".saving-") != std::string::npos;
    }
    EXPECT_EQ(temporary, 0u);

    // The target is a folder: rename fails, nothing is lost, no crash.
    std::filesystem::create_directory("taken");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically("taken", old, "the high scores"));
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::filesystem::is_directory("taken"));
}

TEST(HighScoreFile, RewriteKeepsThePermissionsOfTheOldFile) {
    ScreenDriver::ScratchDir dir;
    Spit(HighScoreFile, FormatHighScores(Table(5, 4, 3), true));
    std::filesystem::permissions(HighScoreFile, std::filesystem::perms(0640));
    CompareHighScoreIn(HighScoreFile, 10, Name("P"));
    EXPECT_EQ(std::filesystem::status(HighScoreFile).permissions(), std::filesystem::perms(0640));
}

// Games ending together: each enters its score into the table as the others
// left it. A child process is a game that ends; `start`, when given, a pipe
// whose closing starts it.
pid_t EndAGame(uint32_t score, const int* start = nullptr) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        char go = 0;
        if (start && (::close(start[1]) != 0 || ::read(start[0], &go, 1) < 0)) std::_Exit(2);
        ::close_range(3, ~0U, 0);  // a lock the parent holds is not this game's
        testing::internal::CaptureStderr();
        CompareHighScoreIn(HighScoreFile, score, Name("P" + std::to_string(score)));
        std::_Exit(0);
    }
    return child;
}

TEST(HighScoreFile, ASecondGameWaitsForTheFirstBetweenItsReadAndItsRename) {
    ScreenDriver::ScratchDir dir;
    Spit(HighScoreFile, FormatHighScores(Table(50, 40, 30), true));
    // Between reading and renaming, the first game lets a second one end and
    // gives it up to a second: it must wait for the first's lock.
    pid_t second = 0;
    bool secondFinishedFirst = false;
    StandardLib::WhileLockedHook = [&] {
        StandardLib::WhileLockedHook = nullptr;
        second = EndAGame(200);
        for (int k = 0; k < 100 && !secondFinishedFirst; ++k) {
            secondFinishedFirst = ::waitpid(second, nullptr, WNOHANG) == second || (::usleep(10'000), false);
        }
    };
    EXPECT_EQ(CompareHighScoreIn(HighScoreFile, 100, Name("FIRST")), 1u);
    if (!secondFinishedFirst) ::waitpid(second, nullptr, 0);
    EXPECT_FALSE(secondFinishedFirst);
    EXPECT_EQ(Scores(ReadHighScores(HighScoreFile)), (std::vector<uint32_t>{200, 100, 50}));
}

TEST(HighScoreFile, TenGamesEndingAtOnceLeaveTheThreeBest) {
    ScreenDriver::ScratchDir dir;
    for (int round = 0; round < 20; ++round) {
        Spit(HighScoreFile, FormatHighScores(Table(3, 2, 1), true));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> games;
        for (uint32_t k = 0; k < 10; ++k)
            games.push_back(EndAGame(10 + (k * 7) % 10, start));  // out of order
        ::close(start[1]);                                        // all ten at once
        for (pid_t game : games) ::waitpid(game, nullptr, 0);
        ::close(start[0]);
        ASSERT_EQ(Scores(ReadHighScores(HighScoreFile)), (std::vector<uint32_t>{19, 18, 17}))
            << "round " << round;
    }
}

}  // namespace
