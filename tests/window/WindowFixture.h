// Shared set-up for the window layer's tests: a real window on SDL's dummy
// video driver, and a writer of small BMP files of any bit depth.
#pragma once

#include "window/Vitrine.h"
#include "window/VitrineTest.h"
#include "tests/support/BmpWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <string>
#include <vector>

namespace kerbo_test {

// Opens the game's window before each test and closes it after.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        Vitrine::Testing::SetInstantWaits(true);
        Vitrine::SetBuffering(true);
        Vitrine::ClearScreen();
    }
    void TearDown() override {
        Vitrine::KillWindow();
        Vitrine::Testing::SetInstantWaits(false);
    }
};

// A folder of its own for files a test writes, removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("kerbo-window-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

// Writes a BMP file (see BmpWriter.h) and fails the test when it can't.
inline void WriteBmp(const std::string& file, int width, int height, int bpp,
                     const std::function<uint32_t(int, int)>& pixel, std::vector<uint32_t> palette = {}) {
    ASSERT_TRUE(WriteBmpFile(file, width, height, bpp, pixel, std::move(palette))) << file;
}

}  // namespace kerbo_test
