// Ending at once (EndNow) still does what must not be lost: the tasks set to
// run then, and every stdio stream flushed, so a file ends on a whole line.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "util/Leftovers.h"

namespace {

namespace fs = std::filesystem;

TEST(Leftovers, EndingAtOnceRunsTheTasksSetAndFlushesStdio) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("kerbo-ending-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::fprintf(std::fopen((dir / "recording").c_str(), "w"), "f 0000abcd\n");  // in stdio's buffer
        StandardLib::WhenEndingNow("cleared", [&] { std::ofstream(dir / "cleared"); });
        StandardLib::WhenEndingNow("cleared", {});
        StandardLib::WhenEndingNow("rescue", [&] { std::ofstream(dir / "rescued"); });
        StandardLib::EndNow(1);
    }
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(fs::file_size(dir / "recording"), 11u);
    EXPECT_TRUE(fs::exists(dir / "rescued"));
    EXPECT_FALSE(fs::exists(dir / "cleared"));
    fs::remove_all(dir);
}

}  // namespace
