// The pause screen: shown while the game in play is paused; resume, or
// leave the game for the start menu.
#include "game/FrontEnd.h"
#include "game/Keys.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

enum PauseChoice : int32_t { Resume, QuitToStartMenu };

void LoadPauseMenu(std::span<StandardMenu::ButtonRc, 2> menu) {
    menu[Resume] = MakeButton(Assets::ResumeButton);
    menu[QuitToStartMenu] = MakeButton(Assets::QuitToMenuButton);
    StandardMenu::SetVerticalMenu(Assets::Menus.Left, Assets::Menus.Top, Assets::Menus.Step, menu);
}

}  // namespace

bool PauseScreen() {
    std::array<StandardMenu::ButtonRc, 2> menu;
    LoadPauseMenu(menu);
    const uint32_t background = LoadScreen(Assets::PauseScreen);
    bool playOn = true;
    // The pause key, which paused, and Escape resume as well; so does P, the
    // gamepad's Start, whatever key the player chose.
    const uint32_t chosen = PlayKeys[Move::Pausing];
    const StandardMenu::Shortcut resume[] = {
        {Vitrine::KEY_P, Resume}, {Vitrine::KEY_ESCAPE, Resume}, {chosen, Resume}};
    const std::span<const StandardMenu::Shortcut> keys(resume, chosen == Vitrine::KEY_P ? 2 : 3);
    while (World.Pause) {
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(background, 0, 0);
        Vitrine::UpdateWindow();
        const int32_t choice = StandardMenu::MenuSelection(menu, keys);
        if (choice == Resume) {
            World.Pause = false;
        } else if (choice == QuitToStartMenu || choice == -1) {
            // The game is abandoned (or the window closed): nothing of it comes back.
            World.Pause = false;
            playOn = false;
        }
    }
    StandardMenu::ReleaseButtons(menu);
    Vitrine::DestroyBitmap(background);
    Vitrine::TakeFocusLoss();  // one lost while paused does not pause again
    return playOn;
}

}  // namespace KerboImplementation
