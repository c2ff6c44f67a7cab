// Buttons and menus, driven on the null platform through the window layer's test interface.
#include <vector>

#include "menu/StandardMenu.h"
#include "tests/menu/ScreenDriver.h"
#include "window/VitrineReplay.h"

namespace {

using namespace StandardMenu;
using ScreenDriver::WindowTest;
namespace T = Vitrine::Testing;

ButtonRc Placed(int32_t x0, int32_t y0, int32_t w, int32_t h) {
    ButtonRc b;
    b.x0 = x0;
    b.y0 = y0;
    b.width = w;
    b.height = h;
    b.visible = true;
    return b;
}

// Feeds a release and applies it now (the recorder being installed).
void ReleaseAt(int32_t x, int32_t y) {
    T::LeftUp(x, y);
    T::ApplyInput();
}

TEST(ButtonGeometry, InButtonIsStrictOnAllFourEdges) {
    const ButtonRc b = Placed(60, 140, 250, 75);
    EXPECT_FALSE(InButton(b, 60, 140));   // the corner
    EXPECT_FALSE(InButton(b, 60, 170));   // first column
    EXPECT_FALSE(InButton(b, 100, 140));  // first row
    EXPECT_TRUE(InButton(b, 61, 141));
    EXPECT_TRUE(InButton(b, 309, 214));   // last inside pixel
    EXPECT_FALSE(InButton(b, 310, 141));  // x0 + width
    EXPECT_FALSE(InButton(b, 61, 215));   // y0 + height
    EXPECT_FALSE(InButton(b, -5, -5));
    // Near the end of the coordinate range the edges must not wrap around.
    const ButtonRc far = Placed(INT32_MAX - 10, 0, 100, 100);
    EXPECT_TRUE(InButton(far, INT32_MAX - 5, 50));
    EXPECT_FALSE(InButton(far, INT32_MIN + 5, 50));
}

TEST(ButtonGeometry, VerticalMenuStepsFromTopToTopAndKeepsSizes) {
    std::vector<ButtonRc> menu(5, Placed(0, 0, 250, 75));
    menu[2].height = 300;  // sizes play no part
    SetVerticalMenu(60, 60, 80, menu);
    const int32_t tops[] = {60, 140, 220, 300, 380};
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].x0, 60);
        EXPECT_EQ(menu[i].y0, tops[i]);
        EXPECT_EQ(menu[i].width, 250);
    }
    EXPECT_EQ(menu[2].height, 300);
}

class ButtonImages : public WindowTest {
  protected:
    static constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;
    void SetUp() override {
        WindowTest::SetUp();
        ScreenDriver::GivePicture("n.bmp", 40, 20, Red);
        ScreenDriver::GivePicture("o.bmp", 40, 20, Green);
        // White on the right half only: the left half stays transparent.
        ScreenDriver::GivePicture("m.bmp", 40, 20, 0xFFFFFF, true, 0x000000);
        ScreenDriver::GivePicture("bg.bmp", 800, 500, Blue);
        Vitrine::SetBuffering(true);
        Vitrine::DrawBitmap(Vitrine::LoadBitmap("bg.bmp", 800, 500), 0, 0);
    }
};

TEST_F(ButtonImages, EachConstructorLoadsItsImagesOnly) {
    uint32_t count = T::BitmapCount();
    const ButtonRc masked = CreateMaskedButton(40, 20, "n.bmp", "o.bmp", "m.bmp");
    EXPECT_EQ(T::BitmapCount(), count + 3);
    EXPECT_NE(masked.mask[0], 0u);
    EXPECT_EQ(masked.mask[1], masked.mask[0]);  // the mouse-over image uses the normal mask
    EXPECT_TRUE(masked.visible);
    EXPECT_EQ(masked.width, 40);
    EXPECT_EQ(masked.height, 20);

    count = T::BitmapCount();
    const ButtonRc field = CreateField(40, 20, "n.bmp", "m.bmp");
    EXPECT_EQ(T::BitmapCount(), count + 2);
    EXPECT_EQ(field.bitmap[1], 0u);
    EXPECT_FALSE(field.type.withMouseOver);

    count = T::BitmapCount();
    const ButtonRc plain = CreateButton(40, 20, "n.bmp", "o.bmp");
    EXPECT_EQ(T::BitmapCount(), count + 2);
    EXPECT_EQ(plain.mask[0], 0u);

    // Released buttons give their entries back for the next screen.
    ButtonRc again = masked;
    ReleaseButton(again);
    const uint32_t before = T::BitmapCount();
    CreateMaskedButton(40, 20, "n.bmp", "o.bmp", "m.bmp");
    EXPECT_EQ(T::BitmapCount(), before);
}

TEST_F(ButtonImages, MouseOverImageFollowsThePointerThroughTheMaskFieldsDoNot) {
    ButtonRc button = CreateMaskedButton(40, 20, "n.bmp", "o.bmp", "m.bmp");
    button.x0 = 100;
    button.y0 = 100;
    DrawButton(button);
    EXPECT_EQ(T::Pixel(105, 110), Blue);  // masked out: background shows
    EXPECT_EQ(T::Pixel(130, 110), Red);

    T::MoveMouse(110, 110);
    T::ApplyInput();
    DrawButton(button);
    EXPECT_EQ(T::Pixel(105, 110), Blue);
    EXPECT_EQ(T::Pixel(130, 110), Green);

    // On the first column is not over it.
    T::MoveMouse(100, 110);
    T::ApplyInput();
    DrawButton(button);
    EXPECT_EQ(T::Pixel(130, 110), Red);

    // A field has no mouse-over image: the pointer over it changes nothing.
    ButtonRc field = CreateField(40, 20, "n.bmp", "m.bmp");
    field.x0 = 200;
    field.y0 = 200;
    T::MoveMouse(230, 210);
    T::ApplyInput();
    DrawButton(field);
    EXPECT_EQ(T::Pixel(230, 210), Red);
    EXPECT_EQ(T::Pixel(205, 210), Blue);
}

// A waiting menu draws its buttons again only when one is to look different;
// the pointer coming and going still shows in the next pass.
TEST_F(ButtonImages, AWaitingMenuFollowsThePointer) {
    static int point;
    static std::vector<uint32_t> seen;
    point = 0;
    seen.clear();
    std::vector<ButtonRc> menu = {CreateMaskedButton(40, 20, "n.bmp", "o.bmp", "m.bmp")};
    SetVerticalMenu(100, 100, 30, menu);
    Vitrine::Replay::SetInputPointHook([] {
        if (++point == 4) T::MoveMouse(110, 110);
        if (point == 8) seen.push_back(T::Pixel(130, 110)), T::MoveMouse(300, 300);
        if (point == 12) seen.push_back(T::Pixel(130, 110)), T::LeftUp(110, 110);
    });
    EXPECT_EQ(MenuSelection(menu), 0);
    Vitrine::Replay::SetInputPointHook(nullptr);
    EXPECT_EQ(seen, (std::vector<uint32_t>{Green, Red}));
}

TEST_F(ButtonImages, InvisibleButtonIsNotDrawnNorSelectedAndLeavesTheClickPending) {
    ButtonRc button = CreateButton(40, 20, "n.bmp", "o.bmp");
    button.x0 = 300;
    button.y0 = 300;
    button.visible = false;
    DrawButton(button);
    EXPECT_EQ(T::Pixel(320, 310), Blue);

    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    ReleaseAt(320, 310);
    EXPECT_FALSE(ButtonSelected(button));
    ClickRc click;
    ASSERT_TRUE(PendingClick(click));
    EXPECT_EQ(click.x, 320);
    EXPECT_EQ(click.y, 310);

    button.visible = true;
    EXPECT_TRUE(ButtonSelected(button));
    EXPECT_FALSE(PendingClick(click));
}

class Selection : public WindowTest {};

TEST_F(Selection, ReleaseSelectsNotPress) {
    const std::vector<ButtonRc> menu = {Placed(60, 60, 250, 75)};
    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    T::LeftDown(100, 100);
    T::ApplyInput();
    EXPECT_FALSE(ButtonSelected(menu[0]));
    ClickRc click;
    EXPECT_FALSE(PendingClick(click));
    ReleaseAt(100, 100);
    EXPECT_EQ(MenuSelection(menu), 0);
}

TEST_F(Selection, ClicksOutsideKeepMenuWaitingAndTheLastOneCarriesIntoTheNextMenu) {
    const std::vector<ButtonRc> first = {Placed(60, 60, 250, 75), Placed(60, 140, 250, 75)};
    const std::vector<ButtonRc> second = {Placed(500, 60, 100, 100), Placed(500, 300, 100, 100)};
    int32_t chosen = -2;
    {
        ScreenDriver::User user([] {
            T::LeftUp(700, 20);   // outside both menus
            T::LeftUp(550, 350);  // outside the first, on the second's button 1
            ScreenDriver::WaitFor([] {
                ClickRc c;
                return PendingClick(c) && c.x == 550;
            });
            ScreenDriver::ClickAndWait(100, 160);  // the first menu's button 1
        });
        chosen = MenuSelection(first);
    }
    // The menu waited through the outside clicks and chose only on its own button.
    EXPECT_EQ(chosen, 1);
    ClickRc click;
    EXPECT_FALSE(PendingClick(click));

    // A click outside every button of one menu selects in the next menu.
    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    ReleaseAt(700, 20);
    ReleaseAt(550, 350);
    const uint64_t frames = T::FramesShown();
    EXPECT_EQ(MenuSelection(second), 1);
    EXPECT_EQ(T::FramesShown(), frames + 1);  // in its first pass
}

void Tap(uint32_t k) {
    T::PressKey(k);
    T::ReleaseKey(k);
}

// While a menu waits the keyboard serves it as the gamepad does; every key it
// does not use goes on to the game.
TEST_F(Selection, TheKeyboardMovesBetweenButtonsAndChooses) {
    std::vector<ButtonRc> menu = {Placed(60, 60, 250, 75), Placed(60, 140, 250, 75), Placed(60, 220, 250, 75),
                                  Placed(60, 300, 250, 75)};
    menu[2].visible = false;  // skipped
    for (uint32_t k : {Vitrine::KEY_DOWN, Vitrine::KEY_RIGHT, Vitrine::KEY_ENTER}) Tap(k);
    EXPECT_EQ(MenuSelection(menu), 1) << "from no button to the first, then the next";

    Tap(Vitrine::KEY_TAB);  // past the hidden one
    Tap(Vitrine::KEY_SPACE);
    EXPECT_EQ(MenuSelection(menu), 3);

    Tap(Vitrine::KEY_TAB);  // round to the first
    T::PressKey(Vitrine::KEY_SHIFT);
    Tap(Vitrine::KEY_TAB);  // Shift+Tab: back round to the last
    T::ReleaseKey(Vitrine::KEY_SHIFT);
    Tap(Vitrine::KEY_UP);
    Tap(Vitrine::KEY_ENTER);
    EXPECT_EQ(MenuSelection(menu), 1);
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Vitrine::KEY_SHIFT)) << "Shift is the game's";

    // Enter off every button only brings the pointer to the first; other
    // keys are the game's, and a shortcut chooses its button from anywhere.
    T::MoveMouse(700, 450);
    Tap(Vitrine::KEY_ENTER);
    Tap(Vitrine::KEY_A);
    Tap(Vitrine::KEY_ESCAPE);
    const Shortcut back[] = {{Vitrine::KEY_ESCAPE, 3}};
    EXPECT_EQ(MenuSelection(menu, back), 3);
    int32_t x = 0, y = 0;
    Vitrine::MousePos(x, y);
    EXPECT_TRUE(InButton(menu[0], x, y));
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Vitrine::KEY_A)) << "the only key the game was given";
    Vitrine::FlushKeys();

    // Without a menu waiting, the same keys are the game's.
    Tap(Vitrine::KEY_ENTER);
    T::ApplyInput();
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Vitrine::KEY_ENTER));
}

// A key a menu took stays its own until released: its auto-repeats and its
// release, even after the menu has gone, never reach the game. A key held
// down from before the menu stays the game's.
TEST_F(Selection, AKeyTheMenuTookStaysItsOwnUntilReleased) {
    const std::vector<ButtonRc> menu = {Placed(60, 60, 250, 75), Placed(60, 140, 250, 75)};
    const Shortcut resume[] = {{Vitrine::KEY_P, 0}};
    T::PressKey(Vitrine::KEY_P);
    EXPECT_EQ(MenuSelection(menu, resume), 0);
    T::PressKey(Vitrine::KEY_P);  // held: auto-repeat
    T::ReleaseKey(Vitrine::KEY_P);
    T::ApplyInput();
    EXPECT_FALSE(Vitrine::KeyDown(Vitrine::KEY_P));
    Vitrine::OnMouseLeftUp(RegisterLeftClick);
    ClickRc click;
    EXPECT_FALSE(PendingClick(click)) << "chose once";

    T::PressKey(Vitrine::KEY_DOWN);  // held from before the next menu
    T::ApplyInput();
    T::PressKey(Vitrine::KEY_DOWN);  // its auto-repeat while the menu waits
    T::PressKey(Vitrine::KEY_P);
    EXPECT_EQ(MenuSelection(menu, resume), 0);
    EXPECT_TRUE(Vitrine::KeyDown(Vitrine::KEY_DOWN));
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Vitrine::KEY_DOWN));
    EXPECT_EQ(Vitrine::GetKey(), uint32_t(Vitrine::KEY_DOWN)) << "the repeat, not a step between buttons";
}

TEST_F(Selection, ClosedWindowEndsTheWaitWithoutAChoice) {
    const std::vector<ButtonRc> menu = {Placed(60, 60, 250, 75)};
    ScreenDriver::User user([] {
        ScreenDriver::WaitFor([] { return WaitingMenu() != 0; });
        T::CloseWindow();
    });
    EXPECT_EQ(MenuSelection(menu), -1);
    EXPECT_TRUE(Vitrine::WindowClosed());
}

}  // namespace
