// Helpers for tests that drive screens headless: pictures of one colour, a
// window, a "user" that clicks and types in lockstep with the screen under
// test, and a scratch working directory.
#pragma once

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "game/Assets.h"
#include "menu/StandardMenu.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"
#include "window/VitrineTest.h"

namespace ScreenDriver {

// Loads of `file` get a picture of one colour (0x00BBGGRR); with splitHalves
// only the right half has that colour and the left half is `left`.
inline void GivePicture(const std::string& file, uint32_t w, uint32_t h, uint32_t color,
                        bool splitHalves = false, uint32_t left = 0) {
    std::vector<uint32_t> pixels(size_t(w) * h, color);
    for (uint32_t y = 0; splitHalves && y < h; ++y)
        for (uint32_t x = 0; x < w / 2; ++x) pixels[size_t(y) * w + x] = left;
    Vitrine::Testing::GivePicture(file, w, h, std::move(pixels));
}

// The middle of the n-th button of the game's menus (all stand in one column).
inline int32_t Row(int n) {
    const auto& menus = KerboImplementation::Assets::Menus;
    return menus.Top + menus.Step * n + int32_t(KerboImplementation::Assets::PlayButton.normal.height) / 2;
}
inline constexpr int32_t Column = KerboImplementation::Assets::Menus.Left +
                                  int32_t(KerboImplementation::Assets::PlayButton.normal.width) / 2;

// The user's script and the screen under test take turns: at each input
// point the test's thread hands over to the script and waits until the script
// waits (WaitFor) or ends, so what it feeds takes effect at that point and a
// run is the same however fast the machine is. One user at a time.
struct Turns {
    std::mutex lock;
    std::condition_variable turned;
    bool users = false, ended = false;
    bool abandoned = false;  // the screen under test has returned: no turn comes any more
    static inline Turns* current = nullptr;

    // Gives the turn to the other side and waits until it comes back; false
    // when it no longer can.
    bool Give(bool toUser) {
        std::unique_lock hold(lock);
        users = toUser && !ended;
        turned.notify_all();
        turned.wait(hold, [&] { return users != toUser || abandoned; });
        return !abandoned && !ended;
    }
    static void AtInputPoint() {
        if (current && !current->Give(true)) Vitrine::Replay::SetInputPointHook(nullptr);
    }
};

// The user waits: lets the screen run until `done` holds, for at most
// `points` of its input points.
inline bool WaitFor(const std::function<bool()>& done, int points = 100000) {
    for (int n = 0; !done(); ++n) {
        if (n == points || !Turns::current || !Turns::current->Give(false)) return done();
    }
    return true;
}

// A left click at (x, y) (press and release); returns once some button has
// taken it. Meant for a User's script while the screen sits in a menu.
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

// Runs a script (the "user") in turns with the screen the test's thread runs
// (see Turns), from the screen's first input point on.
class User {
  public:
    explicit User(std::function<void()> script) {
        Turns::current = &turns_;
        Vitrine::Replay::SetInputPointHook(&Turns::AtInputPoint);
        thread_ = std::thread([this, script = std::move(script)] {
            std::unique_lock hold(turns_.lock);
            turns_.turned.wait(hold, [this] { return turns_.users || turns_.abandoned; });
            const bool screenRuns = !turns_.abandoned;
            hold.unlock();
            if (screenRuns) script();
            hold.lock();
            turns_.ended = true;
            turns_.users = false;
            turns_.turned.notify_all();
        });
    }
    ~User() {
        {
            std::lock_guard hold(turns_.lock);
            turns_.abandoned = true;
            turns_.turned.notify_all();
        }
        thread_.join();
        Vitrine::Replay::SetInputPointHook(nullptr);
        Turns::current = nullptr;
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

  private:
    Turns turns_;
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
