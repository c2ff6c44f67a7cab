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
#include <initializer_list>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "game/Assets.h"
#include "menu/StandardMenu.h"
#include "tests/support/BmpWriter.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace ScreenDriver {

// A 24-bit BMP of one colour (0x00BBGGRR); with splitHalves only the right
// half has that colour and the left half is `left`.
inline void WriteBmp(const std::filesystem::path& path, int32_t w, int32_t h, uint32_t color,
                     bool splitHalves = false, uint32_t left = 0) {
    ASSERT_TRUE(kerbo_test::WriteSolidBmp(path, w, h, color,
                                          splitHalves ? std::optional<uint32_t>(left) : std::nullopt))
        << path;
}

// The middle of the n-th button of the game's menus (all stand in one column).
inline int32_t Row(int n) {
    const auto& menus = KerboImplementation::Assets::Menus;
    return menus.Top + menus.Step * n + int32_t(KerboImplementation::Assets::PlayButton.normal.height) / 2;
}
inline constexpr int32_t Column = KerboImplementation::Assets::Menus.Left +
                                  int32_t(KerboImplementation::Assets::PlayButton.normal.width) / 2;

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

// Taps the keys (press and release each) into the next menu that waits, one
// that began after the last menu this driver typed into, and returns once a
// button took the click they make. As ClickAndWait, a failure closes the window.
inline bool ChooseByKeys(std::initializer_list<uint32_t> keys) {
    static std::atomic<uint64_t> last{0};
    uint64_t menu = 0;
    const bool waits = WaitFor([&] {
        menu = StandardMenu::WaitingMenu();
        return menu > last;
    });
    const uint64_t before = StandardMenu::ClicksTaken();
    if (waits) {
        last = menu;
        for (uint32_t k : keys) {
            Vitrine::Testing::PressKey(k);
            Vitrine::Testing::ReleaseKey(k);
        }
        if (WaitFor([&] { return StandardMenu::ClicksTaken() > before; })) return true;
    }
    ADD_FAILURE() << (waits ? "the keys chose nothing" : "no menu came to wait");
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
