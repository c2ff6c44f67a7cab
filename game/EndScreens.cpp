// The screens that end a game: game over and the win. Both record the score
// first and then offer a new game or the start menu.
#include "game/FrontEnd.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

enum EndChoice : int32_t { Retry, QuitToStartMenu };

Screen EndScreen(MusicRole tune, const Assets::Sound& tuneFile, const Assets::Image& backgroundFile) {
    CompareHighScore();
    PlayTune(tune, tuneFile, false);

    std::array<StandardMenu::ButtonRc, 2> menu;
    menu[Retry] = MakeButton(Assets::RetryButton);
    menu[QuitToStartMenu] = MakeButton(Assets::QuitToMenuButton);
    StandardMenu::SetVerticalMenu(Assets::Menus.Left, Assets::Menus.Top, Assets::Menus.Step, menu);
    const uint32_t background = LoadScreen(backgroundFile);

    Screen next = Screen::Exit;
    for (bool chosen = false; !chosen;) {
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(background, 0, 0);
        Vitrine::UpdateWindow();
        switch (StandardMenu::MenuSelection(menu)) {
            case Retry:
                next = Screen::NewGame;
                chosen = true;
                break;  // same name, same difficulty
            case QuitToStartMenu:
                next = Screen::StartMenu;
                chosen = true;
                break;
            case -1:
                next = Screen::Exit;
                chosen = true;
                break;
            default:
                break;
        }
    }
    StandardMenu::ReleaseButtons(menu);
    Vitrine::DestroyBitmap(background);
    return next;
}

}  // namespace

Screen GameOver() {
    return EndScreen(GameOverTune, Assets::GameOverTune, Assets::GameOverScreen);
}

Screen YouWin() {
    return EndScreen(WinTune, Assets::WinTune, Assets::WinScreen);
}

}  // namespace KerboImplementation
