// The lock beside a file: a second holder waits its patience and then goes
// on without it, told so; a folder that can't hold the lock file is no hang.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "util/FileLock.h"

namespace {

namespace fs = std::filesystem;

TEST(FileLock, AHeldLockIsGivenUpAfterThePatienceAndAMissingFolderCostsNothing) {
    const fs::path file = fs::path(::testing::TempDir()) / ("kerbo-lock-" + std::to_string(::getpid()));
    {
        const StandardLib::FileLock first(file.string());
        ASSERT_TRUE(first.Held()) << first.Why();
        const StandardLib::FileLock second(file.string(), 0);  // another open: as another process
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(second.Busy());
    }
    EXPECT_TRUE(StandardLib::FileLock(file.string(), 0).Held()) << "released with its holder";
    const StandardLib::FileLock nowhere((file / "no" / "such").string());
    EXPECT_FALSE(nowhere.Held());
    EXPECT_FALSE(nowhere.Busy());
    fs::remove(StandardLib::LockFileFor(file.string()));
}

}  // namespace
