// The comforts as the game meets them: a gamepad walks Oska and chooses menu
// buttons, a lost focus pauses play but not the menus, and M mutes except on
// the name entry.
#include "game/FrontEnd.h"
#include "sound/Music.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"

namespace {

using namespace KerboImplementation;
namespace T = Vitrine::Testing;

using ScreenDriver::Column;
using ScreenDriver::Row;

void Tap(Vitrine::PadButton button) {
    T::PressPad(button);
    T::ReleasePad(button);
}

void Click(int32_t x, int32_t y) {
    T::MoveMouse(x, y);
    T::LeftDown(x, y);
    T::LeftUp(x, y);
}

class Comforts : public Fixture::GameTest {
  protected:
    void SetUp() override {
        Fixture::GameTest::SetUp();
        StandardMenu::ClearPendingClick();
        // Clicks count from the moment the window opens, as in the menus.
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    }
};

TEST_F(Comforts, GamepadWalksOskaAndChoosesMenuButtons) {
    // In a menu the d-pad moves the pointer from button to button (up from
    // none: the last) and A clicks where it is.
    std::array<StandardMenu::ButtonRc, 5> menu;
    LoadStartMenu(menu);
    Tap(Vitrine::PAD_UP);
    Tap(Vitrine::PAD_A);
    EXPECT_EQ(StandardMenu::MenuSelection(menu), 4);
    Tap(Vitrine::PAD_DOWN);  // from the last round to the first
    Tap(Vitrine::PAD_DOWN);
    Tap(Vitrine::PAD_A);
    EXPECT_EQ(StandardMenu::MenuSelection(menu), 1);
    StandardMenu::ReleaseButtons(menu);

    // Out of the menus the d-pad and the stick are the arrow keys; holding
    // both and letting one go keeps Oska walking.
    StartLevel(Fixture::QuietLevel());
    const float start = Man.x;
    T::PressPad(Vitrine::PAD_RIGHT);
    T::PressPad(Vitrine::STICK_RIGHT);
    T::ApplyInput();
    Fixture::Frames(50);
    EXPECT_NEAR(Man.x, start + 20.0f, 0.01f);
    T::ReleasePad(Vitrine::PAD_RIGHT);
    T::ApplyInput();
    EXPECT_TRUE(Vitrine::KeyDown(Fixture::RightArrow));
    T::ReleasePad(Vitrine::STICK_RIGHT);
    T::ApplyInput();
    EXPECT_FALSE(Vitrine::KeyDown(Fixture::RightArrow));

    // Start is P: the pause screen opens; its first button resumes.
    T::PressPad(Vitrine::PAD_START);
    T::ApplyInput();
    Fixture::Frames(1);
    EXPECT_TRUE(Pause);
    T::ReleasePad(Vitrine::PAD_START);
    StandardMenu::RegisterLeftClick(Column, Row(0));
    Fixture::PassHold();
    Fixture::Frames(1);
    EXPECT_FALSE(Pause);

    // B (and Back) is Escape: it leaves the pack list, which has no buttons.
    Tap(Vitrine::PAD_B);
    EXPECT_FALSE(PackList());
    EXPECT_FALSE(Vitrine::WindowClosed());
}

TEST_F(Comforts, LostFocusPausesPlayButNotTheMenus) {
    StartLevel(Fixture::QuietLevel());
    T::LoseFocus();
    T::ApplyInput();
    Fixture::Frames(1);
    EXPECT_TRUE(Pause) << "the pause screen opens once the game has held still";
    StandardMenu::RegisterLeftClick(Column, Row(0));  // resume
    Fixture::PassHold();
    Fixture::Frames(2);
    EXPECT_FALSE(Pause) << "one focus loss pauses once";

    // Lost in a menu: the menu carries on, and the game started from it does
    // not open with the pause screen (which would take the waiting click).
    std::array<StandardMenu::ButtonRc, 5> menu;
    LoadStartMenu(menu);
    T::LoseFocus();
    Click(Column, Row(2));
    EXPECT_EQ(StandardMenu::MenuSelection(menu), 2);
    StandardMenu::ReleaseButtons(menu);
    StandardMenu::RegisterLeftClick(Column, Row(1));  // "quit to menu", were it shown
    Fixture::WriteAllLevels(Fixture::QuietLevel());   // no items: every level is cleared at once
    EXPECT_EQ(PlayGame(), GameEnd::Won);
}

TEST_F(Comforts, MuteTogglesEverywhereButOnTheNameEntry) {
    Music::InitMusic();
    Music::SetMuted(false);
    InstallComforts();
    T::PressKey(Vitrine::KEY_M);
    T::PressKey(Vitrine::KEY_M);  // auto-repeat: still one press
    T::ReleaseKey(Vitrine::KEY_M);
    T::ApplyInput();
    EXPECT_TRUE(Music::IsMuted());

    T::PressKey(Vitrine::KEY_M);
    T::ReleaseKey(Vitrine::KEY_M);
    T::PressKey(Fixture::KeyX);
    T::ReleaseKey(Fixture::KeyX);
    Story();
    EXPECT_FALSE(Music::IsMuted()) << "M on the story screen";

    T::PressKey(Vitrine::KEY_M);
    T::ReleaseKey(Vitrine::KEY_M);
    T::PressKey(Fixture::KeyX);
    T::ReleaseKey(Fixture::KeyX);
    AskName();
    EXPECT_FALSE(Music::IsMuted()) << "M is a letter of the name";
    EXPECT_EQ(PlayerName[0], 'M');
    Vitrine::OnKeyPress(nullptr);
}

}  // namespace
