// The screens that end a game: game over and the win. Both record the score
// first (not a practice game's), show it (and its place in the high-score
// table when it entered it), and then offer a new game (practice again after
// practice) or the start menu.
#include <string>

#include "game/FrontEnd.h"
#include "game/KeptGames.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

enum EndChoice : int32_t { Retry, QuitToStartMenu };

constexpr uint32_t LineStyle = 1;
constexpr uint32_t Black = 0;

void CentredLine(const std::string& text, int32_t y) {
    uint32_t width = 0, height = 0;
    Vitrine::GetTextSize(text, LineStyle, width, height);
    Vitrine::SetFont(LineStyle, Black);
    Vitrine::Text(text, Assets::EndScoreAt.x - static_cast<int32_t>(width / 2), y);
}

// The final score, and the place it took in the table (0: none); a
// practice game says why it took none.
void DrawOutcome(std::size_t place) {
    CentredLine("Final score: " + std::to_string(Score), Assets::EndScoreAt.y);
    if (Practising()) {
        CentredLine("Practice game: no high score", Assets::EndScoreAt.y + Assets::EndLineStep);
    } else if (place != 0) {
        CentredLine("Number " + std::to_string(place) + " in the high scores!",
                    Assets::EndScoreAt.y + Assets::EndLineStep);
    }
}

Screen EndScreen(MusicRole tune, const Assets::Sound& tuneFile, const Assets::Image& backgroundFile) {
    // Practice stays out of the table.
    const std::size_t place = Practising() ? 0 : CompareHighScore();
    KeepEntryGame(place);
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
        DrawOutcome(place);
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
    return EndScreen(WinTune, Assets::WinTune,
                     PackFolder.empty() ? Assets::WinScreen : Assets::PackWinScreen);
}

}  // namespace KerboImplementation
