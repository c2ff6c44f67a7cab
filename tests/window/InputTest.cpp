// Keyboard and mouse: the key queue and flags, the mouse record and its
// callback, all taking effect at the main thread's input points; and the
// translation of SDL's events into the game's.
#include <tuple>

#include "tests/window/WindowFixture.h"
#include "window/VitrineSdl.h"

using namespace Vitrine;
using namespace Vitrine::Testing;
using kerbo_test::WindowTest;

namespace {

std::vector<std::pair<int32_t, int32_t>> gClicks;
void RecordClick(int32_t x, int32_t y) {
    gClicks.push_back({x, y});
}

}  // namespace

class Keyboard : public WindowTest {};

TEST_F(Keyboard, PressesComeOutInOrder) {
    PressKey(65);
    PressKey(66);
    PressKey(68);
    EXPECT_EQ(GetKey(), 65u);
    EXPECT_EQ(GetKey(), 66u);
    EXPECT_EQ(GetKey(), 68u);
}

TEST_F(Keyboard, InputTakesEffectAtInputPointsOnly) {
    PressKey(KEY_RIGHT);
    EXPECT_FALSE(KeyDown(KEY_RIGHT)) << "not before the main thread's next input point";
    UpdateWindow();
    EXPECT_TRUE(KeyDown(KEY_RIGHT));
    UpdateWindow();  // held over two points: its release is not a tap's
    ReleaseKey(KEY_RIGHT);
    Delay(200);
    EXPECT_FALSE(KeyDown(KEY_RIGHT));
    PressKey(KEY_LEFT);
    PaceFrame(60);
    EXPECT_TRUE(KeyDown(KEY_LEFT));
}

// A tap let go before the main thread looks is held over two input points:
// a paced game looks once per shown frame, and a frame of play, which reads
// its keys between its two points, must see it.
TEST_F(Keyboard, AShortPressIsHeldOverTwoInputPointsAndQueued) {
    for (bool pad : {false, true}) {
        if (pad) {
            PressPad(PAD_A);  // stands for X
            ReleasePad(PAD_A);
        } else {
            PressKey(KEY_X);
            ReleaseKey(KEY_X);
        }
        UpdateWindow();
        EXPECT_TRUE(KeyDown(KEY_X));
        UpdateWindow();
        EXPECT_TRUE(KeyDown(KEY_X));
        UpdateWindow();
        EXPECT_FALSE(KeyDown(KEY_X));
    }
    EXPECT_EQ(GetKey(), 88u);
}

TEST_F(Keyboard, AutoRepeatQueuesEachRepeatAndFlushEmptiesTheQueueOnly) {
    PressKey(KEY_LEFT);
    PressKey(KEY_LEFT);
    PressKey(KEY_LEFT);
    ApplyInput();
    EXPECT_TRUE(KeyDown(KEY_LEFT));
    EXPECT_FALSE(KeyDown(256));
    FlushKeys();
    EXPECT_TRUE(KeyDown(KEY_LEFT)) << "flushing leaves the flags alone";
    PressKey(KEY_LEFT);  // the next repeat counts again
    PressKey(KEY_P);
    EXPECT_EQ(GetKey(), 37u);
    EXPECT_EQ(GetKey(), 80u);
    ReleaseKey(KEY_LEFT);
    ApplyInput();
    EXPECT_FALSE(KeyDown(KEY_LEFT));
}

TEST_F(Keyboard, NextKeyTakesPressesWithoutWaitingAndKnowsTheModifiersOfTheirMoment) {
    KeyPress press;
    EXPECT_FALSE(NextKey(press)) << "nothing queued: no wait";
    // Ctrl+S, then Shift+D, all let go before the main thread looks.
    PressKey(KEY_CTRL);
    PressKey('S');
    ReleaseKey('S');
    ReleaseKey(KEY_CTRL);
    PressKey(KEY_SHIFT);
    PressKey('D');
    ReleaseKey(KEY_SHIFT);
    PressKey('D');
    EXPECT_FALSE(NextKey(press)) << "not an input point itself";
    std::vector<std::tuple<uint32_t, bool, bool>> seen;
    for (int point = 0; point < 8; ++point) {  // each tap's release waits two points
        ApplyInput();
        while (NextKey(press)) seen.emplace_back(press.key, press.shift, press.ctrl);
    }
    const std::vector<std::tuple<uint32_t, bool, bool>> expected = {{KEY_CTRL, false, true},
                                                                    {'S', false, true},
                                                                    {KEY_SHIFT, true, false},
                                                                    {'D', true, false},
                                                                    {'D', false, false}};
    EXPECT_EQ(seen, expected);
    PressKey('A');
    EXPECT_EQ(GetKey(), 65u) << "GetKey reads the same queue";
}

TEST_F(Keyboard, CodesKeepTheirLowByte) {
    PressKey(256 + 65);
    EXPECT_EQ(GetKey(), 65u);
    EXPECT_TRUE(KeyDown(65));
}

class Mouse : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        gClicks.clear();
    }
};

TEST_F(Mouse, PositionIsZeroUntilTheMouseMoves) {
    int32_t x = -1, y = -1;
    MousePos(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    MoveMouse(120, 340);
    MoveMouse(121, 341);
    ApplyInput();
    MousePos(x, y);
    EXPECT_EQ(x, 121);
    EXPECT_EQ(y, 341);
}

TEST_F(Mouse, DragOutsideReadsAsUnsigned16Bits) {
    LeftDown(10, 10);
    MoveMouse(-3, 20);
    ApplyInput();
    int32_t x, y;
    MousePos(x, y);
    EXPECT_EQ(x, 65533);
    EXPECT_EQ(y, 20);
    MoveMouse(810, -1);
    ApplyInput();
    MousePos(x, y);
    EXPECT_EQ(x, 810);
    EXPECT_EQ(y, 65535);
}

TEST_F(Mouse, LeftReleaseCallbackRunsOnTheMainThreadAtTheInputPoint) {
    OnMouseLeftUp(RecordClick);
    LeftDown(5, 6);
    LeftUp(5, 6);
    EXPECT_TRUE(gClicks.empty());
    UpdateWindow();
    ASSERT_EQ(gClicks.size(), 1u);
    EXPECT_EQ(gClicks[0], std::make_pair(5, 6));
    RightDown(1, 1);
    RightUp(1, 1);
    LeftUp(-2, 7);
    ApplyInput();
    ASSERT_EQ(gClicks.size(), 2u);
    EXPECT_EQ(gClicks[1], std::make_pair(65534, 7));
    OnMouseLeftUp(nullptr);
    LeftDown(5, 6);
    LeftUp(5, 6);
    ApplyInput();
    EXPECT_EQ(gClicks.size(), 2u);
}

uint32_t gKeyInCallback = 0;
void WaitForKeyOnClick(int32_t, int32_t) {
    gKeyInCallback = GetKey();
}

TEST_F(Mouse, ACallbackMayWaitForInputThatCameAfterItsClick) {
    OnMouseLeftUp(WaitForKeyOnClick);
    LeftUp(1, 1);
    PressKey(65);
    PressKey(66);
    ApplyInput();
    EXPECT_EQ(gKeyInCallback, 65u);
    EXPECT_EQ(GetKey(), 66u);
}

TEST_F(Mouse, ADoubleClickReleasesTwice) {
    OnMouseLeftUp(RecordClick);
    // What the message thread makes of two quick clicks.
    SDL_Event event{};
    std::vector<detail::InputEvent> seen;
    auto feed = [&](Uint32 type, Uint8 clicks) {
        event.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.clicks = clicks;
        event.button.x = 30;
        event.button.y = 40;
        if (auto input = detail::TranslateEvent(event)) detail::QueueInput(*input), seen.push_back(*input);
    };
    feed(SDL_MOUSEBUTTONDOWN, 1);
    feed(SDL_MOUSEBUTTONUP, 1);
    feed(SDL_MOUSEBUTTONDOWN, 2);
    feed(SDL_MOUSEBUTTONUP, 2);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, detail::InputKind::LEFT_DOWN);
    EXPECT_EQ(seen[1].kind, detail::InputKind::LEFT_UP);
    EXPECT_EQ(seen[2].kind, detail::InputKind::LEFT_DOUBLE);
    EXPECT_EQ(seen[3].kind, detail::InputKind::LEFT_UP);
    ApplyInput();
    EXPECT_EQ(gClicks.size(), 2u);
}

TEST_F(Mouse, TheLeftButtonIsHeldFromEachPressToItsRelease) {
    EXPECT_FALSE(MouseLeftDown());
    LeftDown(5, 5);
    ApplyInput();
    EXPECT_TRUE(MouseLeftDown());
    LeftUp(5, 5);
    LeftDouble(5, 5);  // the second press of a double click holds it too
    ApplyInput();
    EXPECT_TRUE(MouseLeftDown());
    LeftUp(5, 5);
    ApplyInput();
    EXPECT_FALSE(MouseLeftDown());
}

TEST(KeyTranslation, VirtualKeyCodes) {
    using detail::VirtualKey;
    EXPECT_EQ(VirtualKey(SDLK_LEFT), 37u);
    EXPECT_EQ(VirtualKey(SDLK_UP), 38u);
    EXPECT_EQ(VirtualKey(SDLK_RIGHT), 39u);
    EXPECT_EQ(VirtualKey(SDLK_DOWN), 40u);
    EXPECT_EQ(VirtualKey(SDLK_a), 65u);
    EXPECT_EQ(VirtualKey(SDLK_x), 88u);
    EXPECT_EQ(VirtualKey(SDLK_z), 90u);
    EXPECT_EQ(VirtualKey(SDLK_0), 48u);
    EXPECT_EQ(VirtualKey(SDLK_9), 57u);
    EXPECT_EQ(VirtualKey(SDLK_RETURN), 13u);
    EXPECT_EQ(VirtualKey(SDLK_ESCAPE), 27u);
    EXPECT_EQ(VirtualKey(SDLK_SPACE), 32u);
    EXPECT_EQ(VirtualKey(SDLK_BACKSPACE), 8u);
    EXPECT_EQ(VirtualKey(SDLK_TAB), 9u);
    EXPECT_EQ(VirtualKey(SDLK_RSHIFT), 16u);
    EXPECT_EQ(VirtualKey(SDLK_LCTRL), 17u);
    EXPECT_EQ(VirtualKey(SDLK_F1), 112u);
    EXPECT_EQ(VirtualKey(SDLK_F12), 123u);
    EXPECT_EQ(VirtualKey(SDLK_MENU), 0u);
}

TEST(KeyTranslation, AltCombinationsAndSystemKeysNeverReachTheGame) {
    auto translate = [](Uint32 type, SDL_Keycode sym, Uint16 mod, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        event.key.repeat = repeat;
        return detail::TranslateEvent(event);
    };
    EXPECT_FALSE(translate(SDL_KEYDOWN, SDLK_x, KMOD_LALT));
    EXPECT_FALSE(translate(SDL_KEYDOWN, SDLK_LALT, KMOD_NONE));
    EXPECT_FALSE(translate(SDL_KEYDOWN, SDLK_F10, KMOD_NONE));
    auto release = translate(SDL_KEYUP, SDLK_x, KMOD_LALT);
    ASSERT_TRUE(release) << "a release always clears the flag";
    EXPECT_EQ(release->kind, detail::InputKind::KEY_RELEASE);
    SDL_Event cyrillic{};
    cyrillic.type = SDL_KEYDOWN;
    cyrillic.key.keysym.sym = 0x444;  // the letter on the A key of a Russian layout
    cyrillic.key.keysym.scancode = SDL_SCANCODE_A;
    auto letter = detail::TranslateEvent(cyrillic);
    ASSERT_TRUE(letter) << "a letter key of another alphabet counts by its place";
    EXPECT_EQ(letter->key, 65u);
    auto repeat = translate(SDL_KEYDOWN, SDLK_p, KMOD_NONE, 1);
    ASSERT_TRUE(repeat) << "auto-repeat is a press";
    EXPECT_EQ(repeat->kind, detail::InputKind::KEY_PRESS);
    EXPECT_EQ(repeat->key, 80u);
}
