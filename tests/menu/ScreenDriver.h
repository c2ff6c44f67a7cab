// Helpers for tests that drive screens headless: small BMP files, a window
// opened on SDL's dummy driver, clicks that wait until a menu took them,
// and a scratch working directory.
#pragma once

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "menu/StandardMenu.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace ScreenDriver {

// A 24-bit BMP of one colour (0x00BBGGRR); with splitHalves only the right
// half has that colour and the left half is `left`.
inline void WriteBmp(const std::filesystem::path& path, int32_t w, int32_t h, uint32_t color,
                     bool splitHalves = false, uint32_t left = 0) {
    std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
    const uint32_t rowBytes = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(h);
    std::string bytes(54 + dataBytes, '\0');
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + dataBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, dataBytes);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t c = (splitHalves && x < w / 2) ? left : color;
            const std::size_t at =
                54 + static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x) * 3;
            bytes[at] = static_cast<char>((c >> 16) & 0xFF);  // blue
            bytes[at + 1] = static_cast<char>((c >> 8) & 0xFF);
            bytes[at + 2] = static_cast<char>(c & 0xFF);
        }
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// Polls `done` until it holds or `seconds` have passed.
inline bool WaitFor(const std::function<bool()>& done, double seconds = 10.0) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A left click at (x, y) (press and release); returns once some button has
// taken it. Meant for a driver thread while the main thread sits in a menu.
// A click that no menu takes fails the test and closes the window, so the
// screen under test returns instead of waiting for ever.
inline bool ClickAndWait(int32_t x, int32_t y) {
    const uint64_t before = StandardMenu::ClicksTaken();
    Vitrine::Testing::MoveMouse(x, y);
    Vitrine::Testing::LeftDown(x, y);
    Vitrine::Testing::LeftUp(x, y);
    if (WaitFor([&] { return StandardMenu::ClicksTaken() > before; })) return true;
    ADD_FAILURE() << "no menu took the click at (" << x << ", " << y << ")";
    Vitrine::Testing::CloseWindow();
    return false;
}

// Runs a script on its own thread (the "user") while the test's thread runs
// a screen; joined when it goes out of scope.
class User {
  public:
    explicit User(std::function<void()> script) : thread_(std::move(script)) {}
    ~User() {
        if (thread_.joinable()) thread_.join();
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

  private:
    std::thread thread_;
};

// A fresh scratch directory as the working directory for the test's life.
class ScratchDir {
  public:
    ScratchDir() : old_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kerbo-front-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        std::filesystem::current_path(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::current_path(old_, ignored);
        std::filesystem::permissions(path_, std::filesystem::perms::all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path old_;
    std::filesystem::path path_;
};

// A headless window, instant waits, no pending click from earlier.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        Vitrine::Testing::SetInstantWaits(true);
        StandardMenu::ClearPendingClick();
    }
    void TearDown() override {
        Vitrine::KillWindow();
        Vitrine::Testing::SetInstantWaits(false);
    }
};

}  // namespace ScreenDriver
