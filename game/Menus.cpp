// The start menu and the screens it opens: the difficulty selector, the
// controls and the story.
#include <iostream>

#include "game/FrontEnd.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

using StandardMenu::ButtonRc;

std::array<ButtonRc, 3> SpinnerMenu;
std::array<ButtonRc, 3> Difficulties;
uint32_t Background = 0;

namespace {

constexpr uint32_t KeyX = 88;
constexpr int32_t MenuLeft = 60, MenuTop = 60, MenuStep = 80;

enum StartChoice : int32_t { Play, ChooseDifficulty, ShowControls, ShowHighScores, QuitGame };
enum SpinnerChoice : int32_t { Down, Up, Back };

void ButtonDoesNotExist() {
    std::cout << "ERROR! Button doesn't exist! Contact the game-maker" << std::endl;
}

uint32_t IndexOf(Difficulty d) {
    return static_cast<uint32_t>(d);
}

Difficulty DifficultyAt(uint32_t index) {
    switch (index) {
        case 0:
            return Difficulty::Easy;
        case 1:
            return Difficulty::Medium;
        default:
            return Difficulty::Hard;
    }
}

void LoadControlMenu(std::span<ButtonRc, 1> menu) {
    menu[0] = StandardMenu::CreateButton(250, 75, "images/back0.bmp", "images/back1.bmp");
    StandardMenu::SetVerticalMenu(MenuLeft, MenuTop, MenuStep, menu);
}

}  // namespace

void LoadStartMenu(std::span<ButtonRc, 5> StartMenu) {
    StartMenu[0] = StandardMenu::CreateButton(250, 75, "images/play0.bmp", "images/play1.bmp");
    StartMenu[1] = StandardMenu::CreateButton(250, 75, "images/difficulty0.bmp", "images/difficulty1.bmp");
    StartMenu[2] = StandardMenu::CreateButton(250, 75, "images/controls0.bmp", "images/controls1.bmp");
    StartMenu[3] = StandardMenu::CreateButton(250, 75, "images/highscores0.bmp", "images/highscores1.bmp");
    StartMenu[4] = StandardMenu::CreateButton(250, 75, "images/quit0.bmp", "images/quit1.bmp");
    StandardMenu::SetVerticalMenu(MenuLeft, MenuTop, MenuStep, StartMenu);
}

void LoadDifficultySelector(std::span<ButtonRc, 3> SpinnerMenu, std::span<ButtonRc, 3> Spinner) {
    SpinnerMenu[Down] = StandardMenu::CreateMaskedButton(50, 100, "images/down.bmp", "images/down1.bmp",
                                                         "images/down_mask.bmp");
    SpinnerMenu[Down].x0 = 25;
    SpinnerMenu[Down].y0 = 250;
    SpinnerMenu[Up] =
        StandardMenu::CreateMaskedButton(50, 100, "images/up.bmp", "images/up1.bmp", "images/up_mask.bmp");
    SpinnerMenu[Up].x0 = 275;
    SpinnerMenu[Up].y0 = 250;
    SpinnerMenu[Back] = StandardMenu::CreateMaskedButton(200, 100, "images/back0.bmp", "images/back1.bmp",
                                                         "images/back_mask.bmp");
    SpinnerMenu[Back].x0 = 25;
    SpinnerMenu[Back].y0 = 350;

    Spinner[0] = StandardMenu::CreateField(200, 100, "images/easy.bmp", "images/easy_mask.bmp");
    Spinner[1] = StandardMenu::CreateField(200, 100, "images/medium.bmp", "images/medium_mask.bmp");
    Spinner[2] = StandardMenu::CreateField(200, 100, "images/hard.bmp", "images/hard_mask.bmp");
    for (ButtonRc& picture : Spinner) {
        picture.x0 = 75;
        picture.y0 = 250;
    }
}

Screen Menu() {
    PlayTune(Theme, "Music/Theme.MP3", true);
    Vitrine::SetBuffering(true);

    std::array<ButtonRc, 5> StartMenu;
    LoadStartMenu(StartMenu);
    LoadDifficultySelector(SpinnerMenu, Difficulties);
    // The selector opens on the difficulty in force, so that looking at it
    // and leaving changes nothing.
    uint32_t DifficultyLevel = IndexOf(LevelDifficulty);
    Background = Vitrine::LoadBitmap("images/background.bmp", 800, 500);

    Screen next = Screen::Exit;
    bool chosen = false;
    while (!chosen) {
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(Background, 0, 0);
        Vitrine::UpdateWindow();
        const int32_t Select = StandardMenu::MenuSelection(StartMenu);
        switch (Select) {
            case -1:  // the window was closed
                chosen = true;
                break;
            case Play:
                Story();
                if (!Vitrine::WindowClosed()) AskName();
                next = Vitrine::WindowClosed() ? Screen::Exit : Screen::NewGame;
                chosen = true;
                break;
            case ChooseDifficulty:
                SelectDifficulty(DifficultyLevel);
                LevelDifficulty = DifficultyAt(DifficultyLevel);
                break;
            case ShowControls:
                Controls();
                break;
            case ShowHighScores:
                Highscores();
                break;
            case QuitGame:
                chosen = true;
                break;
            default:
                ButtonDoesNotExist();
                break;
        }
        if (Vitrine::WindowClosed()) {
            next = Screen::Exit;
            chosen = true;
        }
    }

    StandardMenu::ReleaseButtons(StartMenu);
    StandardMenu::ReleaseButtons(SpinnerMenu);
    StandardMenu::ReleaseButtons(Difficulties);
    Vitrine::DestroyBitmap(Background);
    Background = 0;
    return next;
}

void SelectDifficulty(uint32_t& level) {
    if (level > 2) level = 2;
    const int32_t diffbgx = Difficulties[0].x0, diffbgy = Difficulties[0].y0;
    const uint32_t w = static_cast<uint32_t>(Difficulties[0].width);
    const uint32_t h = static_cast<uint32_t>(Difficulties[0].height);
    // The piece of the background under the pictures, to wipe the last one.
    const uint32_t diffbg = Vitrine::CreateBitmap(w, h);
    Vitrine::CopyBitmap(Background, diffbg, diffbgx, diffbgy, 0, 0, w, h);
    Vitrine::DrawBitmap(Background, 0, 0);

    for (;;) {
        Vitrine::DrawBitmap(diffbg, diffbgx, diffbgy);
        StandardMenu::DrawButton(Difficulties[level]);
        Vitrine::UpdateWindow();
        const int32_t Select = StandardMenu::MenuSelection(SpinnerMenu);
        if (Select == -1 || Select == Back) break;
        if (Select == Down) {
            if (level > 0) level = level - 1;
        } else if (Select == Up) {
            if (level < 2) level = level + 1;
        } else {
            std::cout << "ERROR! Button undefined!" << std::endl;
        }
    }
    Vitrine::DestroyBitmap(diffbg);
}

void Controls() {
    std::array<ButtonRc, 1> menu;
    LoadControlMenu(menu);
    const uint32_t picture = Vitrine::LoadBitmap("images/Controls.bmp", 800, 500);
    for (;;) {
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(picture, 0, 0);
        Vitrine::UpdateWindow();
        const int32_t Select = StandardMenu::MenuSelection(menu);
        if (Select == -1 || Select == 0) break;
        ButtonDoesNotExist();
    }
    StandardMenu::ReleaseButtons(menu);
    Vitrine::DestroyBitmap(picture);
}

void Story() {
    const uint32_t picture = Vitrine::LoadBitmap("images/storybackground.bmp", 800, 500);
    Vitrine::DrawBitmap(picture, 0, 0);
    Vitrine::UpdateWindow();
    // Every key but X is taken and ignored, keys typed earlier included.
    for (;;) {
        const uint32_t k = Vitrine::GetKey();
        if (Vitrine::WindowClosed() || k == KeyX) break;
    }
    Vitrine::DestroyBitmap(picture);
}

void Quit() {
    std::cout << "Thanks for playing the game." << std::endl;
}

}  // namespace KerboImplementation
