// Ending at once (EndNow) still does what must not be lost: the tasks set to
// run then, and every stdio stream flushed, so a file ends on a whole line.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

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
        std::FILE* out = std::fopen((dir / "recording").c_str(), "w");
        std::fprintf(out, "f 0000abcd\n");  // held in stdio's buffer
        StandardLib::WhenEndingNow("cleared", [&] { std::ofstream(dir / "cleared") << "x"; });
        StandardLib::WhenEndingNow("cleared", {});
        StandardLib::WhenEndingNow("rescue", [&] { std::ofstream(dir / "rescued") << "kept"; });
        StandardLib::EndNow(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    std::ostringstream recording;
    recording << std::ifstream(dir / "recording").rdbuf();
    EXPECT_EQ(recording.str(), "f 0000abcd\n");
    EXPECT_TRUE(fs::exists(dir / "rescued"));
    EXPECT_FALSE(fs::exists(dir / "cleared")) << "a cleared task does not run";
    fs::remove_all(dir);
}

}  // namespace
