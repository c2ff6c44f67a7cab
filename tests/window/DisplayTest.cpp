// The window's side of the comforts: the picture's place in windows and
// screens of other sizes and the mouse brought back to the picture's own
// pixels (in the maths and through a real headless window at twice the
// size), changed parts put straight into a window's pixels, the full-screen keys, a controller plugged in
// while the window is open, and the report of a lost focus.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <thread>

#include "window/Display.h"
#include "window/Vitrine.h"
#include "window/VitrineInternal.h"
#include "window/VitrineTest.h"

namespace {

using namespace Vitrine::detail;

// A 3 x 2 frame's right column put at scale 2 into 0xAARRGGBB pixels with the
// picture at (1, 1); an area that would stick out puts nothing.
TEST(WindowPixels, EachPixelBecomesASquareInTheWindowsLayout) {
    const uint32_t frame[6] = {0, 0, 0x00332211, 0, 0, 0x00665544};
    std::vector<uint32_t> pixels(8 * 6, 7);
    WindowPixels into{reinterpret_cast<unsigned char*>(pixels.data()), 8 * 4, 8, 6, 1, 1, 2, true};
    ASSERT_TRUE(PutInWindow(into, frame, 3, Area{2, 0, 1, 2}));
    for (int y = 1; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t want = x < 5 || x > 6 ? 7u : y < 3 ? 0xFF112233u : 0xFF445566u;
            EXPECT_EQ(pixels[size_t(y) * 8 + x], want) << x << ", " << y;
        }
    into.x = 3;  // the column would now land on x = 7 and 8
    EXPECT_FALSE(PutInWindow(into, frame, 3, Area{2, 0, 1, 2}));
    EXPECT_EQ(pixels[1 * 8 + 7], 7u);
}

struct Point {
    int32_t x, y;
};

Point Map(const Placement& p, int32_t x, int32_t y) {
    ToPicture(p, 800, 500, x, y);
    return {x, y};
}

TEST(Display, WholeFactorsArePixelPerfectAndLetterboxed) {
    const Placement one = PlacePicture(800, 500, 800, 500);
    EXPECT_EQ(one.whole, 1u);
    EXPECT_EQ(one.x, 0);
    EXPECT_EQ(one.w, 800);
    EXPECT_EQ(Map(one, 799, 499).x, 799);
    // Outside the window while the mouse is captured: unchanged at 1x.
    EXPECT_EQ(Map(one, -5, 600).x, -5);
    EXPECT_EQ(Map(one, -5, 600).y, 600);

    const Placement two = PlacePicture(800, 500, 1600, 1000);
    EXPECT_EQ(two.whole, 2u);
    EXPECT_EQ(Map(two, 1599, 999).x, 799);
    EXPECT_EQ(Map(two, 1599, 999).y, 499);
    EXPECT_EQ(Map(two, 3, 3).x, 1);
    EXPECT_EQ(Map(two, -1, -1).x, -1) << "left of the picture is never column 0";

    // A wider window: bars left and right, the factor stays whole.
    const Placement wide = PlacePicture(800, 500, 1700, 1000);
    EXPECT_EQ(wide.whole, 2u);
    EXPECT_EQ(wide.x, 50);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(Map(wide, 50, 0).x, 0);
    EXPECT_EQ(Map(wide, 49, 0).x, -1);
}

TEST(Display, AFullHdScreenGetsTheLargestFactorThatFits) {
    const Placement p = PlacePicture(800, 500, 1920, 1080);
    EXPECT_EQ(p.whole, 0u);
    EXPECT_EQ(p.h, 1080);
    EXPECT_EQ(p.w, 1728);
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(SharpFactor(p, 800), 3u) << "enlarged by 3, then down to 2.16";
    EXPECT_EQ(Map(p, 96, 0).x, 0);
    EXPECT_EQ(Map(p, 96 + 1727, 1079).x, 799);
    EXPECT_EQ(Map(p, 96 + 1727, 1079).y, 499);
    EXPECT_EQ(Map(p, 96 + 864, 540).x, 400);
    EXPECT_EQ(Map(p, 96 + 864, 540).y, 250);

    // Smaller than the picture: scaled down, no enlarged copy.
    const Placement small = PlacePicture(800, 500, 640, 480);
    EXPECT_EQ(small.w, 640);
    EXPECT_EQ(small.h, 400);
    EXPECT_EQ(small.y, 40);
    EXPECT_EQ(SharpFactor(small, 800), 1u);
    EXPECT_EQ(Map(small, 639, 439).x, 799);
}

// On the whole screen the picture stays sharp by default: the largest whole
// multiple, centred with black borders, the mouse still on the picture's pixels.
TEST(Display, TheWholeScreenShowsWholeMultiplesUnlessAskedToFill) {
    const Placement hd = PlaceOnScreen(800, 500, 1920, 1080, true, false);
    EXPECT_EQ(hd.whole, 2u);
    EXPECT_TRUE(hd.x == 160 && hd.y == 40 && hd.w == 1600 && hd.h == 1000);
    EXPECT_EQ(Map(hd, 160 + 1599, 40 + 999).x, 799);
    EXPECT_EQ(Map(hd, 159, 39).y, -1);
    EXPECT_EQ(PlaceOnScreen(800, 500, 3840, 2160, true, false).whole, 4u);
    EXPECT_EQ(PlaceOnScreen(800, 500, 2560, 1440, true, false).w, 1600);
    EXPECT_EQ(PlaceOnScreen(800, 500, 640, 480, true, false).w, 640) << "smaller than the picture: shrunk";
    EXPECT_EQ(PlaceOnScreen(800, 500, 1920, 1080, true, true).w, 1728) << "fill";
    EXPECT_EQ(PlaceOnScreen(800, 500, 1700, 1000, false, false).w, 1600) << "a window as before";

    // Had only when the window really covers the screen it is on.
    EXPECT_TRUE(Covers(0, 0, 1920, 1080, 0, 0, 1920, 1080));
    EXPECT_TRUE(Covers(1920, 0, 1920, 1080, 1920, 0, 1920, 1080)) << "the second screen";
    EXPECT_FALSE(Covers(160, 40, 1600, 1000, 0, 0, 1920, 1080));
    EXPECT_FALSE(Covers(0, 0, 1920, 1079, 0, 0, 1920, 1080));
}

TEST(Display, DefaultScaleLeavesRoomOnTheDesktop) {
    EXPECT_EQ(DefaultScale(800, 500, 800, 500), 1u);  // never less than 1
    EXPECT_EQ(DefaultScale(800, 500, 1366, 768), 1u);
    EXPECT_EQ(DefaultScale(800, 500, 1920, 1080), 2u);
    EXPECT_EQ(DefaultScale(800, 500, 2560, 1440), 2u);  // 3x would fill the height
    EXPECT_EQ(DefaultScale(800, 500, 3840, 2160), 4u);
}

// A scale asked for that would make the window larger than the desktop's room
// gives the largest that fits; what fits is kept; never less than 1.
TEST(Display, AScaleTooLargeForTheDesktopGivesTheLargestThatFits) {
    EXPECT_EQ(FittingScale(3, 800, 500, 1920, 1080), 2u);  // 2400 x 1500 would not fit
    EXPECT_EQ(FittingScale(3, 800, 500, 1920, 1040), 2u);  // a panel's room taken off: 1600 x 1000
    EXPECT_EQ(FittingScale(2, 800, 500, 1600, 999), 1u);   // one pixel short
    EXPECT_EQ(FittingScale(2, 800, 500, 1600, 1000), 2u);  // exactly
    EXPECT_EQ(FittingScale(16, 800, 500, 3840, 2160), 4u);
    EXPECT_EQ(FittingScale(4, 800, 500, 640, 480), 1u);  // even 1 is too large: 1
    EXPECT_EQ(FittingScale(5, 800, 500, 0, 0), 5u);      // no desktop size known
}

// What the player is told matches how the window opens; a desktop smaller
// than one window gets the whole screen.
TEST(Display, ADesktopTooSmallForOneWindowIsNamedAndGetsTheWholeScreen) {
    for (uint32_t asked : {0u, 1u, 16u}) {
        const WindowChoice tiny = ChooseWindow(asked, 800, 500, 640, 480, 640, 480);
        EXPECT_TRUE(tiny.fullScreen && tiny.scale == 1) << asked;
        EXPECT_TRUE(tiny.note.find("640 x 480") != std::string::npos &&
                    tiny.note.find("scale 1") == std::string::npos)
            << tiny.note;
    }
    EXPECT_NE(ChooseWindow(16, 800, 500, 1920, 1080, 1920, 1040).note.find("opens at scale 2"),
              std::string::npos);
    EXPECT_EQ(ChooseWindow(2, 800, 500, 1920, 1080, 1920, 1040).note, "") << "what fits is said nothing of";
}

SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

// Pushes an A behind the events pushed before and waits until the game has
// it: they have all taken effect then, however long the message thread took.
void PushKeyBehind() {
    SDL_Event a = Key(SDL_KEYDOWN, SDLK_a, 0);
    SDL_PushEvent(&a);
    EXPECT_EQ(Vitrine::GetKey(), 65u);
}

// SDL's mouse events, as the window at 2x reports them, reach the game halved.
TEST(Display, TheWindowAtTwiceTheSizeGivesPicturePixels) {
    Vitrine::SetWindowScale(2);
    ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
    Vitrine::SetWindowScale(0);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 1001;
    motion.motion.y = 601;
    SDL_PushEvent(&motion);
    PushKeyBehind();
    int32_t x = 0, y = 0;
    Vitrine::MousePos(x, y);
    EXPECT_EQ(x, 500);
    EXPECT_EQ(y, 300);
    Vitrine::KillWindow();
}

// F11 and Alt+Enter switch to the whole screen and back; the game never sees them.
TEST(Display, FullScreenKeysNeverReachTheGame) {
    ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
    for (SDL_Event event : {Key(SDL_KEYDOWN, SDLK_F11, 0), Key(SDL_KEYUP, SDLK_F11, 0),
                            Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT), Key(SDL_KEYUP, SDLK_RETURN, 0),
                            Key(SDL_KEYDOWN, SDLK_a, 0)}) {
        SDL_PushEvent(&event);
    }
    EXPECT_EQ(Vitrine::GetKey(), 65u) << "the first key the game gets is the A after them";
    EXPECT_FALSE(Vitrine::KeyDown(122));
    EXPECT_FALSE(Vitrine::FullScreen()) << "switched twice: back in the window";
    SDL_Event f11 = Key(SDL_KEYDOWN, SDLK_F11, 0);
    SDL_PushEvent(&f11);
    PushKeyBehind();
    EXPECT_TRUE(Vitrine::FullScreen());
    Vitrine::KillWindow();
    EXPECT_TRUE(Vitrine::FullScreen()) << "as it was at the close";
    Vitrine::SetFullScreen(false);
}

// A controller plugged in while the window is open (SDL's virtual one): its
// d-pad reaches the game as an arrow key, through the message thread.
TEST(Display, AControllerPluggedInLaterSteers) {
    // The headless window never has the focus, and SDL keeps a controller's
    // events from a window without it unless told otherwise.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    // Pressed again and again until the window has opened the controller and
    // seen it, however long that takes.
    for (int k = 0; !Vitrine::KeyDown(Vitrine::KEY_RIGHT); ++k) {
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, (k / 50) % 2);
        SDL_Event wake{};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent(&wake);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        Vitrine::Testing::ApplyInput();
    }
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    Vitrine::KillWindow();
}

// The window's own report of a lost focus, and none when told not to.
TEST(Display, FocusLossIsReportedUnlessSwitchedOff) {
    for (bool on : {true, false}) {
        Vitrine::ReportFocusLoss(on);
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        SDL_Event lost{};
        lost.type = SDL_WINDOWEVENT;
        lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        SDL_PushEvent(&lost);
        PushKeyBehind();
        EXPECT_EQ(Vitrine::TakeFocusLoss(), on);
        Vitrine::KillWindow();
    }
    Vitrine::ReportFocusLoss(true);
}

}  // namespace
