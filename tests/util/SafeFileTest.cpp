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

class SafeFile : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const char* name) { return (dir / name).string(); }
    fs::path dir = fs::path(::testing::TempDir()) / ("kerbo-safefile-" + std::to_string(::getpid()));
};

TEST_F(SafeFile, ReadsOnlySmallRegularFilesAndNeverBlocks) {
    std::string bytes = "old";
    std::ofstream(Path("level1.txt")) << "cccc\n";
    EXPECT_TRUE(ReadSmallFile(Path("level1.txt"), 5, bytes).ok);
    EXPECT_EQ(bytes, "cccc\n");
    fs::create_symlink("level1.txt", Path("link"));
    EXPECT_TRUE(ReadSmallFile(Path("link"), 5, bytes).ok) << "links are followed";

    FileRead read = ReadSmallFile(Path("level1.txt"), 4, bytes);
    EXPECT_EQ(read.why, "is 5 bytes, more than the 4 bytes such a file may hold");
    EXPECT_EQ(bytes, "");
    fs::resize_file(Path("level1.txt"), std::uintmax_t(100) << 30);  // sparse: costs no disk
    EXPECT_EQ(ReadSmallFile(Path("level1.txt"), MaxLevelBytes, bytes).why,
              "is 100 GB, more than the 64 KB such a file may hold");

    read = ReadSmallFile(Path("missing"), 5, bytes);
    EXPECT_TRUE(read.missing);
    EXPECT_EQ(read.why, "No such file or directory");
    EXPECT_EQ(ReadSmallFile(dir.string(), 5, bytes).why, "is a folder, not a file");
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    const int done = RunBounded(10, [&] {
        std::string got;
        EXPECT_EQ(ReadSmallFile(Path("fifo"), 5, got).why, "is a pipe, not a file");
        EXPECT_EQ(ReadSmallFile("/dev/zero", 5, got).why, "is a device, not a file");
    });
    EXPECT_EQ(done, 0) << "-1: blocked";
}

TEST_F(SafeFile, CreatesOnlyRegularFilesAndNeverBlocks) {
    std::string why;
    std::ofstream(Path("rec")) << "a longer old text";
    int fd = CreateRegularFile(Path("rec"), why);
    ASSERT_GE(fd, 0) << why;
    EXPECT_EQ(::write(fd, "new", 3), 3);
    ::close(fd);
    std::string bytes;
    ReadSmallFile(Path("rec"), 100, bytes);
    EXPECT_EQ(bytes, "new") << "what was there is replaced";

    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
    const int done = RunBounded(10, [&] {
        std::string reason;
        EXPECT_EQ(CreateRegularFile(Path("fifo"), reason), -1);
        EXPECT_EQ(reason, "is a pipe, not a file");
        EXPECT_EQ(CreateRegularFile(dir.string(), reason), -1);
        EXPECT_EQ(CreateRegularFile("/dev/null", reason), -1);
        EXPECT_EQ(reason, "is a device, not a file");
    });
    EXPECT_EQ(done, 0) << "-1: blocked";
}

}  // namespace
