// Where the game finds its data and keeps its high scores, with scratch
// folders standing for the working directory, the program's folder and the
// player's home.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "game/HighScoreTable.h"
#include "game/Installation.h"
#include "window/Vitrine.h"

namespace {

namespace fs = std::filesystem;
using namespace KerboImplementation;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void MakeDataFolder(const fs::path& folder, const std::string& table) {
    fs::create_directories(folder / "Images");
    fs::create_symlink("Images", folder / "images");
    std::ofstream(folder / "level1.txt") << "level";
    std::ofstream(folder / "Highscores.txt", std::ios::binary) << table;
}

class Installation : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kerbo-install-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        ::setenv("XDG_DATA_HOME", (root_ / "home" / "data").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_DATA_HOME");
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path root_;
};

TEST_F(Installation, TheWorkingDirectoryComesFirstThenBesideTheProgramThenShare) {
    const fs::path work = root_ / "work", bin = root_ / "prefix" / "bin";
    fs::create_directories(work);
    fs::create_directories(bin);
    MakeDataFolder(root_ / "prefix" / "share" / "kerbo", "shared");
    auto found = [&] {
        const auto candidates = DataFolderCandidates(work.string(), bin.string());
        const int k = FindDataFolder(candidates);
        return k < 0 ? std::string() : candidates[static_cast<std::size_t>(k)];
    };
    EXPECT_EQ(found(), (root_ / "prefix" / "share" / "kerbo").string());
    MakeDataFolder(bin / "data", "built");  // a build tree: the program with its data/ beside it
    EXPECT_EQ(found(), (bin / "data").string());
    MakeDataFolder(work, "here");
    EXPECT_EQ(found(), work.string());
    fs::remove(work / "level1.txt");  // images/ alone is not the game's data
    EXPECT_EQ(found(), (bin / "data").string());
}

TEST_F(Installation, DebiansGamesLayoutIsFoundFromAnyFolder) {
    const fs::path games = root_ / "usr" / "games", data = root_ / "usr" / "share" / "games" / "kerbo";
    fs::create_directories(games);
    MakeDataFolder(data, "shipped");
    const auto candidates = DataFolderCandidates((root_ / "home").string(), games.string());
    const int k = FindDataFolder(candidates);
    ASSERT_GE(k, 0);
    EXPECT_EQ(candidates[static_cast<std::size_t>(k)], data.string());
}

TEST_F(Installation, HighScoresStayInAWritableWorkingDirectoryElseGoToThePlayersFolder) {
    const fs::path data = root_ / "data";
    MakeDataFolder(data, "shipped table");
    EXPECT_EQ(ChooseHighScoreFile(data.string(), true, "/nowhere/"), HighScoreFileName)
        << "as with make run: the table in the data folder, the game's working directory";

    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    ASSERT_EQ(own, (root_ / "home" / "data" / "kerbo").string() + "/") << why;
    ASSERT_TRUE(fs::is_directory(own));

    const std::string path = ChooseHighScoreFile(data.string(), false, own);
    EXPECT_EQ(path, own + HighScoreFileName);
    EXPECT_EQ(Slurp(path), "shipped table") << "made from the shipped table on first use";

    std::ofstream(path, std::ios::binary) << "the player's scores";
    EXPECT_EQ(ChooseHighScoreFile(data.string(), false, own), path);
    EXPECT_EQ(Slurp(path), "the player's scores") << "never replaced once there";
    EXPECT_EQ(Slurp(data / "Highscores.txt"), "shipped table");

    // Without XDG_DATA_HOME, or with an empty one, the folder is under the
    // home folder (never /kerbo).
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome ? oldHome : "";
    ::setenv("HOME", (root_ / "home2").c_str(), 1);
    const std::string underHome = (root_ / "home2" / ".local" / "share" / "kerbo").string() + "/";
    ::setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(Vitrine::UserDataFolder("kerbo", why), underHome);
    EXPECT_TRUE(fs::is_directory(underHome));
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Vitrine::UserDataFolder("kerbo", why), underHome);
    if (oldHome) ::setenv("HOME", home.c_str(), 1);
}

TEST_F(Installation, EachLevelPackKeepsItsOwnTableApartFromTheShippedOne) {
    const fs::path data = root_ / "data";
    MakeDataFolder(data, "shipped table");
    HighScoreFile = (data / HighScoreFileName).string();
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    const fs::path pack = root_ / "packs" / "Cat attic!";
    fs::create_directories(pack);

    // What a killed save of the pack's table left goes when the pack is played.
    const pid_t gone = ::fork();
    if (gone == 0) std::_Exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string stale =
        own + PackTableName(pack.string()) + ".saving-" + std::to_string(gone) + "-Ab12Cd";
    std::ofstream(stale) << "half";

    UsePackHighScores(pack.string() + "/");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_EQ(HighScoreFile, own + PackTableName(pack.string()));
    EXPECT_TRUE(HighScoreFile.starts_with(own + "Highscores-Cat_attic_-")) << HighScoreFile;
    EXPECT_EQ(Slurp(HighScoreFile), "         0 \r\n         0 \r\n         0 \r\n") << "started empty";
    String name{'A', 'N', 'N', 'A'};
    CompareHighScoreIn(HighScoreFile, 700, name);
    EXPECT_EQ(ReadHighScores(HighScoreFile)[0].Score, 700u);
    EXPECT_EQ(PackHighScoreFile(pack.string(), own), HighScoreFile) << "the same pack, the same table";
    EXPECT_EQ(ReadHighScores(HighScoreFile)[0].Score, 700u) << "never started again once there";
    EXPECT_EQ(Slurp(data / HighScoreFileName), "shipped table");

    // With no folder of the player's own, the pack keeps its table itself.
    EXPECT_EQ(PackHighScoreFile(pack.string(), ""), (pack / HighScoreFileName).string());
    EXPECT_TRUE(fs::exists(pack / HighScoreFileName));
    EXPECT_TRUE(PackHighScoreFile("/", own).starts_with(own + "Highscores-pack-"));
}

// Different folders, different tables, whatever their names; one folder,
// one table, however its path is written; an old table taken over once.
TEST_F(Installation, NoTwoPackFoldersShareATableAndTheOldNameIsTakenOverOnce) {
    std::string why;
    const std::string own = Vitrine::UserDataFolder("kerbo", why);
    const fs::path packs = root_ / "packs", longName = std::string(250, 'x');
    std::set<std::string> tables;
    for (const fs::path& folder :
         {packs / "my pack", packs / "my_pack", packs / "\xc3\xa9", packs / "\xc3\xa8", packs / "a" / "pack",
          packs / "b" / "pack", packs / longName}) {
        fs::create_directories(folder);
        const std::string table = PackHighScoreFile(folder.string(), own);
        EXPECT_TRUE(tables.insert(table).second) << folder << " shares " << table;
        EXPECT_EQ(PackHighScoreFile((folder / ".." / folder.filename() / "").string(), own), table);
    }
    EXPECT_EQ(CompareHighScoreIn(PackHighScoreFile((packs / longName).string(), own), 9, String{'L'}), 1u);
    testing::internal::CaptureStderr();
    WriteFileAtomically(own + "Highscores-" + longName.string() + ".txt", "x", "the high scores");
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("old file"), std::string::npos) << "there is none";

    const std::string old = own + "Highscores-Cat_attic_.txt";
    fs::create_directories(packs / "Cat attic!");
    for (const char* bytes : {"       900 OLD\r\n       800 OLDER\r\n       700 OLDEST", "5 LATER"}) {
        std::ofstream(old, std::ios::binary) << bytes;
        testing::internal::CaptureStderr();
        const std::string table = PackHighScoreFile((packs / "Cat attic!").string(), own);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(ReadHighScores(table)[2].Score, 700u) << "taken over once, with its entries";
    }
}

}  // namespace
