// The window's life with its message thread: opening, closing (by the game
// or by the user), re-opening, waits that end when the window goes, and
// input arriving from another thread. Run under ThreadSanitizer too.
#include "tests/window/WindowFixture.h"
#include "window/VitrineReplay.h"

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace Vitrine;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Runs `action` on another thread after `after`.
std::thread Later(std::chrono::milliseconds after, std::function<void()> action) {
    return std::thread([after, action] {
        std::this_thread::sleep_for(after);
        action();
    });
}

void Fill(uint32_t colour) {
    Rectangle(0, 0, 799, 499, colour, true);
}

// Pushes a key press the way SDL reports one, for the message thread to translate.
void PushSdlKey(SDL_Keycode sym) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    SDL_PushEvent(&event);
}

}  // namespace

class WindowLife : public ::testing::Test {
  protected:
    void SetUp() override { Testing::UseSteppedClock(true); }
    void TearDown() override {
        KillWindow();
        Testing::SetInstantWaits(false);
        Testing::UseSteppedClock(false);
    }
};

TEST_F(WindowLife, OpenCloseAndReopenStartFromNothing) {
    KillWindow();  // none open: returns at once
    EXPECT_TRUE(WindowClosed());
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    EXPECT_FALSE(WindowClosed());
    Fill(0xFFFFFF);
    EXPECT_EQ(Testing::Pixel(799, 499), 0xFFFFFFu);
    EXPECT_EQ(CreateBitmap(5, 5), 1u);
    Testing::PressKey(KEY_RIGHT);
    Testing::MoveMouse(40, 50);
    Testing::ApplyInput();
    SetBuffering(true);

    KillWindow();
    EXPECT_TRUE(WindowClosed());
    EXPECT_EQ(Testing::BitmapCount(), 0u);
    EXPECT_FALSE(KeyDown(KEY_RIGHT));
    int32_t x = -1, y = -1;
    MousePos(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(GetKey(), 0u);

    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    EXPECT_EQ(Testing::Pixel(799, 499), 0u) << "a new window starts black";
    EXPECT_FALSE(Testing::Buffering());
    EXPECT_EQ(CreateBitmap(5, 5), 1u);
    // Opening again while open closes the old window first.
    ASSERT_TRUE(Window("KERBO anno 2011", 320, 200)) << LastError();
    EXPECT_EQ(Testing::BitmapCount(), 0u);
    Fill(0x00FF00);
    EXPECT_EQ(Testing::Pixel(319, 199), 0x00FF00u);
    EXPECT_EQ(Testing::Pixel(320, 199), 0u);
}

TEST_F(WindowLife, NoDisplayIsReportedWithTheReason) {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    std::string saved = driver ? driver : "";
    setenv("SDL_VIDEODRIVER", "no-such-display", 1);
    bool opened = Window("KERBO anno 2011", 800, 500);
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_FALSE(opened);
    EXPECT_STRNE(LastError(), "");
    EXPECT_TRUE(WindowClosed());
    EXPECT_EQ(GetKey(), 0u);
    Delay(10000);  // returns at once: no window
    EXPECT_FALSE(Window("KERBO anno 2011", 0, 500));
}

TEST_F(WindowLife, NoDisplayIsNotHiddenBehindAnInvisibleWindow) {
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(name)) saved.push_back({name, value});
        unsetenv(name);
    }
    bool opened = Window("KERBO anno 2011", 800, 500);
    std::string reason = LastError();
    KillWindow();
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
    if (opened) GTEST_SKIP() << "this machine has a console display";
    EXPECT_NE(reason, "");
}

TEST_F(WindowLife, UserCloseEndsEveryWaitAndEmptiesEverything) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    uint32_t handle = CreateBitmap(10, 10);
    Testing::PressKey(65);
    Testing::ApplyInput();
    std::thread closer = Later(50ms, [] { Testing::CloseWindow(); });
    EXPECT_EQ(GetKey(), 65u);
    EXPECT_EQ(GetKey(), 0u) << "no key can come any more";
    closer.join();
    EXPECT_TRUE(WindowClosed());
    EXPECT_EQ(Testing::BitmapCount(), 0u);
    DrawBitmap(handle, 0, 0);  // does nothing, touches nothing released
    Fill(0xFFFFFF);
    UpdateWindow();
    EXPECT_EQ(Testing::Pixel(0, 0), 0u);
    const auto before = Testing::ClockNow();
    Delay(10000);
    PaceFrame(1);
    EXPECT_EQ(Testing::ClockNow(), before) << "no window, no wait";
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    EXPECT_EQ(CreateBitmap(10, 10), 1u);
}

TEST_F(WindowLife, DelayEndsEarlyWhenTheWindowCloses) {
    Testing::UseSteppedClock(false);
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    const auto start = Clock::now();
    Delay(30);
    EXPECT_GE(Clock::now() - start, 30ms) << "by the steady clock";
    std::thread closer = Later(50ms, [] { Testing::CloseWindow(); });
    Delay(UINT32_MAX);  // 49 days, but for the close
    EXPECT_TRUE(WindowClosed());
    closer.join();
}

TEST_F(WindowLife, DelayAndPaceFrameWaitAndApplyInput) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    auto at = Testing::ClockNow();
    Delay(30);
    EXPECT_EQ(Testing::ClockNow() - at, 30ms);
    // Absolute deadlines: the game's own time within a frame does not add up.
    PaceFrame(50);
    at = Testing::ClockNow();
    for (int i = 0; i < 5; ++i) Testing::StepClock(7ms), PaceFrame(50);
    EXPECT_EQ(Testing::ClockNow() - at, 100ms);
    // After a stall the pace carries on from now instead of catching up.
    Testing::StepClock(100ms);
    Testing::PressKey(KEY_P);
    at = Testing::ClockNow();
    PaceFrame(50);
    EXPECT_TRUE(KeyDown(KEY_P));
    PaceFrame(50);
    EXPECT_EQ(Testing::ClockNow() - at, 20ms);
    Testing::SetInstantWaits(true);
    Delay(10000);
    PaceFrame(1);
    EXPECT_EQ(Testing::ClockNow() - at, 20ms);
}

// Replays and the timedemo turn the waits off through their own switch.
TEST_F(WindowLife, ReplaysTurnTheWaitsOff) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    Replay::SetInstantWaits(true);
    Testing::PressKey(KEY_P);
    const auto start = Testing::ClockNow();
    Delay(10000);
    PaceFrame(1);
    PaceFrame(1);
    EXPECT_EQ(Testing::ClockNow(), start);
    EXPECT_TRUE(KeyDown(KEY_P));
}

// Frames come far faster than a screen shows them (200 in 800 ms, no wait):
// only the ones it can take (one per 1/60 s) are copied to the message
// thread, and the last one drawn before a wait is always among them.
TEST_F(WindowLife, OnlyFramesTheScreenCanShowAreCopiedAndTheLastAlwaysIs) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    SetBuffering(true);
    Delay(50);
    const uint64_t offered = Testing::HandOffs();
    const uint64_t copied = Testing::FramesCopied();
    for (int frame = 0; frame < 200; ++frame) {
        Fill(frame * 0x010101u);
        UpdateWindow();
        Testing::StepClock(4ms);
    }
    EXPECT_EQ(Testing::HandOffs() - offered, 200u);
    EXPECT_LE(Testing::FramesCopied() - copied, 49u);
    Delay(100);
    EXPECT_FALSE(Testing::FrameUnsent()) << "a timed wait hands the last frame over";

    Fill(0x123456);
    UpdateWindow();
    Fill(0x654321);
    UpdateWindow();
    std::thread typist = Later(100ms, [] { PushSdlKey(SDLK_a); });
    EXPECT_EQ(GetKey(), 65u);
    typist.join();
    EXPECT_FALSE(Testing::FrameUnsent()) << "so does waiting for a key";

    Testing::SetInstantWaits(true);
    Fill(0x111111);
    UpdateWindow();
    Fill(0x222222);
    UpdateWindow();
    for (int i = 0; i < 3 && Testing::FrameUnsent(); ++i) {
        Testing::StepClock(20ms);
        Delay(0);
    }
    EXPECT_FALSE(Testing::FrameUnsent()) << "and an instant wait, once the screen is ready";
}

// A picture the screen shows already is not handed over again: a menu that
// waits and redraws unchanged costs neither thread a copy.
TEST_F(WindowLife, AnUnchangedPictureIsNotHandedOverAgain) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    SetBuffering(true);
    Fill(0x123456);
    UpdateWindow();
    Delay(50);
    const uint64_t copied = Testing::FramesCopied();
    for (int pass = 0; pass < 5; ++pass) {
        Fill(0x123456);
        UpdateWindow();
        Delay(30);
    }
    EXPECT_EQ(Testing::FramesCopied(), copied);
    EXPECT_FALSE(Testing::FrameUnsent());
    Rectangle(10, 10, 20, 20, 0xFFFFFF, true);
    UpdateWindow();
    Delay(50);
    EXPECT_EQ(Testing::FramesCopied(), copied + 1);
}

// A note goes over the picture where the screen shows it, never into the
// buffer: no frame is handed over for it and the buffer keeps its pixels,
// while the message thread draws it, replaces it and lets it go.
TEST_F(WindowLife, ANoteNeverTouchesTheGamesPicture) {
    ShowNote("before any window", 36);  // nothing to show it on: ignored
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    SetBuffering(true);
    Fill(0x345678);
    UpdateWindow();
    Delay(50);
    const uint64_t offered = Testing::HandOffs(), shown = Testing::FramesShown();
    ShowNote("Sound off", 36);
    std::this_thread::sleep_for(50ms);
    ShowNote("Sound on", 36);
    std::this_thread::sleep_for(1200ms);  // shown, then gone
    EXPECT_EQ(Testing::HandOffs(), offered);
    EXPECT_EQ(Testing::FramesShown(), shown);
    EXPECT_FALSE(Testing::FrameUnsent());
    EXPECT_EQ(Testing::Pixel(400, 40), 0x345678u);
}

// A paced loop at 250 frames a second for a second on a screen of at most 60
// pictures a second: it wakes once per shown frame, runs the frames due by
// then back to back (about four) and draws only the last of them, the one
// after which it waits; each frame drawn reaches the screen.
TEST_F(WindowLife, APacedLoopDrawsOnlyAboutTheFramesTheScreenShows) {
    EXPECT_TRUE(FrameWillBeSeen()) << "without a window";
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    SetBuffering(true);
    int seen = 0, wakes = 0, runOfFrames = 0;
    const uint64_t copied = Testing::FramesCopied();
    for (int frame = 0; frame < 250; ++frame) {
        const bool drawn = FrameWillBeSeen();
        if (drawn) {
            ++seen;
            Fill(frame * 0x010101u);
        }
        UpdateWindow();
        const auto before = Testing::ClockNow();
        PaceFrame(250);
        const bool waited = Testing::ClockNow() != before;
        if (frame > 0) {
            EXPECT_EQ(drawn, waited) << "frame " << frame;
        }
        ++runOfFrames;
        if (waited) {
            ++wakes;
            EXPECT_LE(runOfFrames, 5) << "frame " << frame;
            runOfFrames = 0;
        }
    }
    const uint64_t shown = Testing::FramesCopied() - copied;
    EXPECT_NEAR(wakes, 60, 1);
    EXPECT_LE(shown, 61u);
    EXPECT_LE(uint64_t(seen), shown + 1) << "only the last may still wait for the screen";
    EXPECT_GE(seen, 59);
    Testing::SetInstantWaits(true);
    EXPECT_TRUE(FrameWillBeSeen()) << "instant waits draw every frame (tests, replays, timedemo)";
}

TEST_F(WindowLife, KeysFromTheMessageThreadArriveInOrder) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    std::thread typist = Later(20ms, [] {
        PushSdlKey(SDLK_a);
        PushSdlKey(SDLK_b);
        PushSdlKey(SDLK_d);
    });
    EXPECT_EQ(GetKey(), 65u);
    EXPECT_EQ(GetKey(), 66u);
    EXPECT_EQ(GetKey(), 68u);
    typist.join();
}

TEST_F(WindowLife, FramesAndInputFlowWhileTheGameDraws) {
    ASSERT_TRUE(Window("KERBO anno 2011", 800, 500)) << LastError();
    SetBuffering(true);
    constexpr int kMoves = 300;
    std::thread mover([] {
        for (int i = 1; i <= kMoves; ++i) Testing::MoveMouse(i, i);
    });
    int32_t x = 0, y = 0;
    for (int frame = 0; frame < 100 && x != kMoves; ++frame) {
        Fill(frame * 0x010101u);
        UpdateWindow();
        MousePos(x, y);
        ASSERT_EQ(x, y) << "a position is always one pair";
    }
    mover.join();
    UpdateWindow();
    MousePos(x, y);
    EXPECT_EQ(x, kMoves);
    EXPECT_GE(Testing::FramesShown(), 2u);
}
