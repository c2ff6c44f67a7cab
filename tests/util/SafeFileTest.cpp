// Opening files safely: whatever stands under a name (a folder, a pipe nobody
// writes to, an endless device, a huge file), one reason comes back at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/Bounded.h"
#include "util/SafeFile.h"

namespace {

using namespace StandardLib;
namespace fs = std::filesystem;

TEST(SafeFile, OnlySmallRegularFilesAreReadOrCreatedAndNothingBlocks) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("kerbo-safefile-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "level1.txt").string(), fifo = (dir / "fifo").string();
    std::ofstream(file) << "a longer old text";
    std::string why;
    const int fd = CreateRegularFile(file, why);
    ASSERT_GE(fd, 0) << why;
    EXPECT_EQ(::write(fd, "cccc\n", 5), 5);
    ::close(fd);
    std::string bytes;
    EXPECT_TRUE(ReadSmallFile(file, 5, bytes).ok);
    EXPECT_EQ(bytes, "cccc\n") << "the old text is replaced";

    EXPECT_EQ(ReadSmallFile(file, 4, bytes).why, "is 5 bytes, more than the 4 bytes such a file may hold");
    EXPECT_EQ(bytes, "");
    fs::resize_file(file, std::uintmax_t(100) << 30);  // sparse: costs no disk
    EXPECT_EQ(ReadSmallFile(file, MaxLevelBytes, bytes).why,
              "is 100 GB, more than the 64 KB such a file may hold");
    EXPECT_TRUE(ReadSmallFile((dir / "missing").string(), 5, bytes).missing);
    EXPECT_EQ(ReadSmallFile(dir.string(), 5, bytes).why, "is a folder, not a file");

    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int done = RunBounded(10, [&] {
        std::string got, reason;
        EXPECT_EQ(ReadSmallFile(fifo, 5, got).why, "is a pipe, not a file");
        EXPECT_EQ(ReadSmallFile("/dev/zero", 5, got).why, "is a device, not a file");
        EXPECT_EQ(CreateRegularFile(fifo, reason), -1);
        EXPECT_EQ(reason, "is a pipe, not a file");
        EXPECT_EQ(CreateRegularFile("/dev/null", reason), -1);
    });
    EXPECT_EQ(done, 0) << "-1: blocked";
    fs::remove_all(dir);
}

}  // namespace
