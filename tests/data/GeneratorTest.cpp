// The generator makes the same bytes every time, and the build's set-up step gives a
// fresh data folder its high-score table without ever replacing a player's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct TempDir {
    fs::path path;
    explicit TempDir(const std::string& name)
        : path(fs::temp_directory_path() / (name + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

int Shell(const std::string& cmd) {
    return std::system(cmd.c_str());
}
}  // namespace

TEST(Generator, TwoRunsGiveTheSameBytes) {
    TempDir a("kerbo_gen_a"), b("kerbo_gen_b");
    ASSERT_EQ(Shell(std::string(KERBO_DATAGEN) + " " + KERBO_TOOLS_DIR + " " + a.path.string()), 0);
    ASSERT_EQ(Shell(std::string(KERBO_DATAGEN) + " " + KERBO_TOOLS_DIR + " " + b.path.string()), 0);
    int files = 0;
    for (auto& e : fs::recursive_directory_iterator(a.path)) {
        if (!e.is_regular_file()) continue;
        fs::path rel = fs::relative(e.path(), a.path);
        ASSERT_TRUE(fs::exists(b.path / rel)) << rel;
        EXPECT_TRUE(Slurp(e.path()) == Slurp(b.path / rel)) << rel << " differs between runs";
        ++files;
    }
    EXPECT_EQ(files, 94);  // 87 pictures, 7 sounds
}

TEST(Generator, SetUpKeepsAPlayersHighScores) {
    TempDir d("kerbo_setup");
    const std::string setup = std::string(KERBO_CMAKE) + " -DDATA_DIR=" + d.path.string() + " -P " +
                              KERBO_TOOLS_DIR + "/DataSetup.cmake";
    ASSERT_EQ(Shell(setup), 0);
    std::string fresh = Slurp(d.path / "Highscores.txt");
    EXPECT_EQ(fresh, "      3000 OSKA      \r\n      2000 KAT       \r\n      1000 DOREL     \r\n");
    EXPECT_TRUE(fs::is_symlink(d.path / "images"));

    const std::string players = "     12300 ANNE      \r\n      4500 BOB       \r\n       700 CEES      ";
    std::ofstream(d.path / "Highscores.txt", std::ios::binary) << players;
    ASSERT_EQ(Shell(setup), 0);
    EXPECT_EQ(Slurp(d.path / "Highscores.txt"), players);
}
