// The settings screen from the start menu, by keyboard and by mouse; the keys
// it chooses acting in play (the gamepad keeping its buttons) and named on
// the controls screen; the keys that can't be chosen.
#include "game/FrontEnd.h"
#include "game/Keys.h"
#include "game/Settings.h"
#include "sound/Music.h"
#include "tests/game/Fixture.h"
#include "tests/menu/ScreenDriver.h"

namespace {

using namespace KerboImplementation;
namespace T = Vitrine::Testing;
using namespace Vitrine;

constexpr uint32_t PagePaper = 0xF0E8E0;  // the settings page, as the pack list's

void Type(std::initializer_list<uint32_t> keys) {
    for (uint32_t k : keys) T::PressKey(k), T::ReleaseKey(k);
}

// A click, and a few passes of the screen to take it.
void Click(int32_t x, int32_t y) {
    T::MoveMouse(x, y), T::LeftDown(x, y), T::LeftUp(x, y);
    ScreenDriver::WaitFor([] { return false; }, 3);
}

// The middle of a settings row, and of its arrow "<" (-1) or ">" (+1).
int32_t RowY(int32_t row) {
    const auto& at = Assets::SettingsLayout;
    return at.RowsTop + row * at.RowHeight + 4 + at.ArrowSize / 2;
}
int32_t ArrowX(int32_t arrow) {
    const auto& at = Assets::SettingsLayout;
    return (arrow < 0 ? at.LessX : at.MoreX) + at.ArrowSize / 2;
}

bool PageShown() {
    return Fixture::Pixel(5, 5) == PagePaper;
}

class SettingsScreenTest : public Fixture::GameTest {
  protected:
    void SetUp() override {
        Fixture::GameTest::SetUp();
        StartWithSettings(false, 0);  // the defaults, kept nowhere
        StandardMenu::ClearPendingClick();
        Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    }
    void TearDown() override {
        Vitrine::Replay::SetInputPointHook(nullptr);
        StartWithSettings(false, 0);
        Fixture::GameTest::TearDown();
    }
};

// Up from no button reaches the settings' button last in the ring; on the
// screen the arrows change each setting, Enter takes a key, a key taken or
// kept for the menus is refused and the row waits on, Esc keeps the key and
// then goes back.
TEST_F(SettingsScreenTest, TheKeyboardChangesEverySettingAndRefusesKeysItCantTake) {
    InstallComforts();
    {
        ScreenDriver::User user([] {
            ScreenDriver::ChooseByKeys({KEY_UP, KEY_ENTER});
            ScreenDriver::WaitFor(PageShown);
            Type({KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_RIGHT});          // scale 2, full screen
            Type({KEY_DOWN, KEY_LEFT, KEY_LEFT, KEY_DOWN, KEY_RIGHT});  // volume 8, medium
            Type({KEY_DOWN, KEY_ENTER, KEY_A});                         // walk left: A
            Type({KEY_DOWN, KEY_ENTER, KEY_A, KEY_ENTER, KEY_M,
                  uint32_t('D')});                                // walk right: not A, Enter, M; D
            Type({KEY_DOWN, KEY_ENTER, KEY_ESCAPE});              // the door keeps X
            Type({KEY_DOWN, KEY_SPACE, KEY_ESCAPE, KEY_ESCAPE});  // pause keeps P; back
            ScreenDriver::WaitFor([] { return !PageShown(); });
            ScreenDriver::ChooseByKeys({KEY_UP, KEY_UP, KEY_UP, KEY_ENTER});  // settings, editor, packs: quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    Settings now = CurrentSettings();
    EXPECT_EQ(now.scale, 2u);
    EXPECT_TRUE(now.fullScreen);
    EXPECT_EQ(now.volume, 8u);
    EXPECT_EQ(now.difficulty, Difficulty::Medium);
    MoveKeys chosen;
    chosen[Move::Left] = KEY_A;
    chosen[Move::Right] = 'D';
    EXPECT_EQ(now.keys, chosen);
    EXPECT_TRUE(Music::IsMuted()) << "M, refused as a key, still turned the sound off";
    Vitrine::OnKeyPress(nullptr);
}

TEST_F(SettingsScreenTest, TheMouseChangesSettingsAndGoesBack) {
    {
        ScreenDriver::User user([] {
            ScreenDriver::ClickAndWait(Assets::SettingsButtonAt.x + 75, Assets::SettingsButtonAt.y + 17);
            ScreenDriver::WaitFor(PageShown);
            Click(ArrowX(+1), RowY(2));                     // volume: already all of it
            Click(ArrowX(-1), RowY(2));                     // 9
            Click(ArrowX(-1), RowY(3));                     // difficulty: easy stays
            Click(ArrowX(+1), RowY(3));                     // medium
            Click(Assets::SettingsLayout.ValueX, RowY(7));  // the pause row takes a key
            Type({uint32_t('Q')});
            Click(Assets::SettingsLayout.NameX, RowY(8));  // Back
            ScreenDriver::WaitFor([] { return !PageShown(); });
            ScreenDriver::ClickAndWait(ScreenDriver::Column, ScreenDriver::Row(4));  // quit
        });
        EXPECT_EQ(Menu(), Screen::Exit);
    }
    const Settings now = CurrentSettings();
    EXPECT_EQ(now.volume, 9u);
    EXPECT_EQ(now.difficulty, Difficulty::Medium);
    EXPECT_EQ(now.keys[Move::Pausing], uint32_t('Q'));
}

TEST_F(SettingsScreenTest, EveryKeyThatCantBeChosenSaysWhyInOneLine) {
    const MoveKeys keys;
    for (uint32_t k : {uint32_t(KEY_ESCAPE), uint32_t(KEY_ENTER), uint32_t(KEY_M), uint32_t(KEY_F1 + 10),
                       uint32_t(KEY_RIGHT), uint32_t(KEY_X), 0xE5u}) {
        const std::string why = WhyNotChosen(k, Move::Left, keys);
        EXPECT_FALSE(why.empty()) << k;
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
    EXPECT_EQ(WhyNotChosen(KEY_RIGHT, Move::Left, keys), "Right is the key for walk right already");
    EXPECT_EQ(WhyNotChosen(KEY_LEFT, Move::Left, keys), "") << "its own key again";
    for (uint32_t k = 1; k < 256; ++k) {
        uint32_t back = 0;
        const std::string name = KeyName(k);
        if (!name.empty()) {
            EXPECT_TRUE(KeyNamed(name, back) && back == k) << name;
        }
    }
}

// The chosen key walks; the usual arrow no longer does; the gamepad's
// direction still does, and a pad held on a key now chosen for another move
// counts for its own move only.
TEST_F(SettingsScreenTest, TheChosenKeysActInPlayAndThePadKeepsItsButtons) {
    StartLevel(Fixture::QuietLevel());
    PlayKeys[Move::Left] = KEY_A;
    PlayKeys[Move::Door] = KEY_LEFT;
    const float start = Man.x;
    Fixture::Hold(KEY_A);
    Fixture::Frames(10);
    Fixture::Release(KEY_A);
    EXPECT_LT(Man.x, start) << "A walks left";
    float at = Man.x;
    T::PressPad(PAD_LEFT);
    T::ApplyInput();
    const FrameInput padHeld = ReadFrameInput();
    Fixture::Frames(10);
    T::ReleasePad(PAD_LEFT);
    T::ApplyInput();
    EXPECT_LT(Man.x, at) << "the d-pad walks left";
    EXPECT_FALSE(padHeld.DoorKey) << "the d-pad's left is not the Left key chosen for the door";
    at = Man.x;
    Fixture::Hold(KEY_LEFT);
    const FrameInput leftHeld = ReadFrameInput();
    Fixture::Release(KEY_LEFT);
    EXPECT_TRUE(leftHeld.DoorKey && !leftHeld.Left);
}

// The controls screen names the keys in force: its caps of the walking and
// the door rows are drawn anew once the player chose others.
TEST_F(SettingsScreenTest, TheControlsScreenShowsTheChosenKeys) {
    ScreenDriver::GivePicture(Assets::ControlsScreen.file, 800, 500, 0x123456);
    const auto& at = Assets::Controls;
    const auto capsShown = [&] {
        ScreenDriver::User user([] { ScreenDriver::ChooseByKeys({KEY_ESCAPE}); });
        Controls();
        return std::array<uint32_t, 3>{Fixture::Pixel(at.CapsX + 6, at.CapsTop + 10),
                                       Fixture::Pixel(at.CapsX + 6, at.CapsTop + at.RowStep + 10),
                                       Fixture::Pixel(at.CapsX + 6, at.CapsTop + 2 * at.RowStep + 10)};
    };
    EXPECT_EQ(capsShown(), (std::array<uint32_t, 3>{0x123456, 0x123456, 0x123456})) << "the picture's own";
    PlayKeys[Move::Door] = uint32_t('S');
    const auto shown = capsShown();
    EXPECT_EQ(shown[0], 0x123456u) << "walking keys as they were";
    EXPECT_NE(shown[1], 0x123456u) << "the door's cap drawn anew";
    EXPECT_EQ(shown[2], 0x123456u);
}

}  // namespace
