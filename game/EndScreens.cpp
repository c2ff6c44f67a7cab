// The screens that end a game: game over and the win. Both record the score
// first and then offer a new game or the start menu.
#include "game/FrontEnd.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

enum EndChoice : int32_t { Retry, QuitToStartMenu };

Screen EndScreen(MusicRole tune, const char* tuneFile, const char* backgroundFile) {
    CompareHighScore();
    PlayTune(tune, tuneFile, false);

    std::array<StandardMenu::ButtonRc, 2> menu;
    menu[Retry] = StandardMenu::CreateButton(250, 75, "images/retry0.bmp", "images/retry1.bmp");
    menu[QuitToStartMenu] =
        StandardMenu::CreateButton(250, 75, "images/quittomenu0.bmp", "images/quittomenu1.bmp");
    StandardMenu::SetVerticalMenu(60, 60, 80, menu);
    const uint32_t background = Vitrine::LoadBitmap(backgroundFile, 800, 500);

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
    return EndScreen(GameOverTune, "Music/GOver.MP3", "images/gameoverbackground.bmp");
}

Screen YouWin() {
    return EndScreen(WinTune, "Music/Win.MP3", "images/youwinbackground.bmp");
}

}  // namespace KerboImplementation
