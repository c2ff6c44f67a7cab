// The lock beside a file: a second holder waits its patience and then goes
// on without it, told so; a folder that can't hold the lock file is no hang.
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "util/FileLock.h"

namespace {

TEST(FileLock, AHeldLockIsGivenUpAfterThePatienceAndAMissingFolderCostsNothing) {
    const std::string file = ::testing::TempDir() + "kerbo-lock-" + std::to_string(::getpid());
    {
        const StandardLib::FileLock first(file), second(file, 0);  // two opens: as two processes
        EXPECT_TRUE(first.Held());
        EXPECT_TRUE(!second.Held() && second.Busy());
    }
    EXPECT_TRUE(StandardLib::FileLock(file, 0).Held()) << "released with its holder";
    const StandardLib::FileLock nowhere(file + "/no/such");
    EXPECT_FALSE(nowhere.Held() || nowhere.Busy());
    std::filesystem::remove(StandardLib::LockFileFor(file));
}

}  // namespace
