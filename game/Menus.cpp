// The start menu and the screens it opens: the difficulty selector, the
// controls and the story; its small buttons apart from the column open the
// settings (SettingsScreen.cpp), the list of packs (PackList.cpp) and the
// level editor (EditorLink.cpp).
#include <algorithm>
#include <iostream>

#include "game/FrontEnd.h"
#include "game/Keys.h"
#include "game/Settings.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

using StandardMenu::ButtonRc;

std::array<ButtonRc, 3> SpinnerMenu;
std::array<ButtonRc, 3> Difficulties;
uint32_t Background = 0;

namespace {

constexpr uint32_t LightGrey = 0xC0C0C0;
enum StartChoice : int32_t {
    Play,
    ChooseDifficulty,
    ShowControls,
    ShowHighScores,
    QuitGame,
    OpenPacks,
    OpenEditor,
    OpenSettings
};
enum SpinnerChoice : int32_t { Down, Up, Back };

void ButtonDoesNotExist() {
    std::cout << "ERROR! Button doesn't exist! Contact the game-maker" << std::endl;
}

// The pack in play, named in one line where a screen would name the shipped game.
void DrawPackLine(Assets::Place at, uint32_t ink) {
    Vitrine::SetFont(2, ink);
    Vitrine::Text(PackNameLine, at.x, at.y);
}

uint32_t IndexOf(Difficulty d) {
    return static_cast<uint32_t>(d);
}

Difficulty DifficultyAt(uint32_t index);

const char* WhatItChanges(uint32_t index) {
    return WhatTheDifficultyChanges(DifficultyAt(index));
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
    menu[0] = MakeButton(Assets::BackButton);
    StandardMenu::SetVerticalMenu(Assets::Menus.Left, Assets::Menus.Top, Assets::Menus.Step, menu);
}

ButtonRc Placed(ButtonRc button, Assets::Place at) {
    button.x0 = at.x;
    button.y0 = at.y;
    return button;
}

void PointerBackTo(const ButtonRc& button) {
    Vitrine::PlacePointer(button.x0 + button.width / 2, button.y0 + button.height / 2);
}

// Colours as the window layer takes them (0x00BBGGRR): a key cap as the
// controls screen's picture draws one, and its paper.
constexpr uint32_t CapShadow = 0x8C7A7C, CapEdge = 0xEEE2E4, CapFace = 0xFFFFFF, CapInk = 0x281A1C;
constexpr uint32_t ControlsPaper = 0xDBEEF6;

// A key cap with the key's name at (x, y); its width.
int32_t DrawKeyCap(const std::string& name, int32_t x, int32_t y) {
    const auto& at = Assets::Controls;
    uint32_t w = 0, h = 0;
    Vitrine::GetTextSize(name, 1, w, h);
    const int32_t width = std::max(at.CapWidth, int32_t(w) + 14);
    Vitrine::Rectangle(x, y + 3, x + width - 1, y + at.CapHeight - 1, CapShadow, true);
    Vitrine::Rectangle(x, y, x + width - 1, y + at.CapHeight - 5, CapEdge, true);
    Vitrine::Rectangle(x + 2, y + 2, x + width - 3, y + at.CapHeight - 9, CapFace, true);
    Vitrine::SetFont(1, CapInk);
    Vitrine::Text(name, x + (width - int32_t(w)) / 2, y + 4);
    return width;
}

// The controls screen's caps of the keys of play, where the player chose
// others than the usual ones: the picture's caps of those rows give way to
// caps named by the keys in force (the gamepad's lines stay: its buttons are
// its own). The pause row's words name the pause key too.
void DrawChosenKeys() {
    const MoveKeys usual;
    if (PlayKeys == usual) return;
    const auto& at = Assets::Controls;
    const auto row = [&](int32_t n) { return at.CapsTop + n * at.RowStep; };
    // Walk: both caps again when either key differs.
    if (PlayKeys[Move::Left] != usual[Move::Left] || PlayKeys[Move::Right] != usual[Move::Right]) {
        Vitrine::Rectangle(at.CapsX, row(0), at.WordsX - 6, row(0) + at.CapHeight, ControlsPaper, true);
        const int32_t left = DrawKeyCap(KeyName(PlayKeys[Move::Left]), at.CapsX, row(0));
        DrawKeyCap(KeyName(PlayKeys[Move::Right]), at.CapsX + left + at.CapGap, row(0));
    }
    if (PlayKeys[Move::Door] != usual[Move::Door]) {
        Vitrine::Rectangle(at.CapsX, row(1), at.WordsX - 6, row(1) + at.CapHeight, ControlsPaper, true);
        DrawKeyCap(KeyName(PlayKeys[Move::Door]), at.CapsX, row(1));
    }
    if (PlayKeys[Move::Pausing] != usual[Move::Pausing]) {
        Vitrine::Rectangle(at.CapsX, row(2), at.WordsX + 225, row(2) + at.CapHeight, ControlsPaper, true);
        const std::string name = KeyName(PlayKeys[Move::Pausing]);
        DrawKeyCap(name, at.CapsX, row(2));
        Vitrine::SetFont(1, CapInk);
        Vitrine::Text("Pause; " + name + " or Esc resumes.", at.WordsX, row(2) + 4);
    }
}

}  // namespace

const char* WhatTheDifficultyChanges(Difficulty difficulty) {
    // The cats' walking pace along the storeys, against Oska's, and nothing else.
    switch (difficulty) {
        case Difficulty::Easy:
            return "Easy: cats walk 3/4 as fast as Oska";
        case Difficulty::Medium:
            return "Medium: cats walk as fast as Oska";
        case Difficulty::Hard:
            break;
    }
    return "Hard: cats walk 1.75 times as fast as Oska";
}

ButtonRc MakeButton(const Assets::Button& b) {
    if (b.mask.file) {
        return StandardMenu::CreateMaskedButton(static_cast<int32_t>(b.normal.width),
                                                static_cast<int32_t>(b.normal.height), b.normal.file,
                                                b.over.file, b.mask.file);
    }
    return StandardMenu::CreateButton(static_cast<int32_t>(b.normal.width),
                                      static_cast<int32_t>(b.normal.height), b.normal.file, b.over.file);
}

uint32_t LoadScreen(const Assets::Image& screen) {
    // Every screen of the game begins here: a key held from the last one
    // (an arrow in play at game over) must not act on it by its repeats.
    Vitrine::NewScreen();
    return Vitrine::LoadBitmap(screen.file, screen.width, screen.height);
}

void LoadStartMenu(std::span<ButtonRc, 5> StartMenu) {
    StartMenu[0] = MakeButton(Assets::PlayButton);
    StartMenu[1] = MakeButton(Assets::DifficultyButton);
    StartMenu[2] = MakeButton(Assets::ControlsButton);
    StartMenu[3] = MakeButton(Assets::HighScoresButton);
    StartMenu[4] = MakeButton(Assets::QuitButton);
    StandardMenu::SetVerticalMenu(Assets::Menus.Left, Assets::Menus.Top, Assets::Menus.Step, StartMenu);
}

void LoadDifficultySelector(std::span<ButtonRc, 3> arrows, std::span<ButtonRc, 3> Spinner) {
    arrows[Down] = Placed(MakeButton(Assets::DownArrow), Assets::DownArrowAt);
    arrows[Up] = Placed(MakeButton(Assets::UpArrow), Assets::UpArrowAt);
    arrows[Back] = Placed(MakeButton(Assets::SelectorBack), Assets::SelectorBackAt);

    const std::pair<Assets::Image, Assets::Image> pictures[] = {{Assets::Easy, Assets::EasyMask},
                                                                {Assets::Medium, Assets::MediumMask},
                                                                {Assets::Hard, Assets::HardMask}};
    for (std::size_t k = 0; k < Spinner.size(); ++k) {
        const auto& [picture, mask] = pictures[k];
        Spinner[k] =
            Placed(StandardMenu::CreateField(static_cast<int32_t>(picture.width),
                                             static_cast<int32_t>(picture.height), picture.file, mask.file),
                   Assets::DifficultyAt);
    }
}

Screen Menu() {
    PlayTune(Theme, Assets::ThemeTune, true);
    Vitrine::SetBuffering(true);

    // The column's five buttons, and the pack list's, the level editor's and
    // the settings' buttons apart from them.
    std::array<ButtonRc, 8> StartMenu;
    LoadStartMenu(std::span<ButtonRc, 5>(StartMenu.data(), 5));
    StartMenu[OpenPacks] = Placed(MakeButton(Assets::PacksButton), Assets::PacksButtonAt);
    StartMenu[OpenEditor] = Placed(MakeButton(Assets::EditorButton), Assets::EditorButtonAt);
    StartMenu[OpenSettings] = Placed(MakeButton(Assets::SettingsButton), Assets::SettingsButtonAt);
    LoadDifficultySelector(SpinnerMenu, Difficulties);
    // The selector opens on the difficulty in force, so that looking at it
    // and leaving changes nothing.
    uint32_t DifficultyLevel = IndexOf(LevelDifficulty);
    Background = LoadScreen(Assets::StartScreen);

    // Practice lasts from the pack list to the return to this menu.
    PracticeLevel = 0;
    Screen next = Screen::Exit;
    bool chosen = false;
    while (!chosen) {
        SaveSettingsIfChanged();  // sound, full screen or difficulty changed since
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(Background, 0, 0);
        if (!PackFolder.empty()) DrawPackLine(Assets::PackLineOnStart, Assets::PackLineOnStartInk);
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
                // The selector's Back lies over Quit: the pointer goes back to
                // the button that opened it, as after the other screens.
                Vitrine::PlacePointer(
                    StartMenu[ChooseDifficulty].x0 + StartMenu[ChooseDifficulty].width / 2,
                    StartMenu[ChooseDifficulty].y0 + StartMenu[ChooseDifficulty].height / 2);
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
            case OpenEditor:
                EditFromMenu();
                break;
            case OpenPacks:
                if (PackList()) {  // a level reached, started as practice
                    next = Screen::NewGame;
                    chosen = true;
                    break;
                }
                PointerBackTo(StartMenu[OpenPacks]);
                break;
            case OpenSettings:
                SettingsScreen();
                // The difficulty may have changed there: the selector opens on it.
                DifficultyLevel = IndexOf(LevelDifficulty);
                PointerBackTo(StartMenu[OpenSettings]);
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
    // And the piece under the line on what it changes.
    const auto& line = Assets::DifficultyLineAt;
    const uint32_t lineW = Assets::DifficultyLineWidth, lineH = Assets::DifficultyLineHeight;
    const uint32_t linebg = Vitrine::CreateBitmap(lineW, lineH);
    Vitrine::CopyBitmap(Background, linebg, line.x, line.y, 0, 0, lineW, lineH);
    Vitrine::DrawBitmap(Background, 0, 0);

    const StandardMenu::Shortcut leave[] = {{Vitrine::KEY_ESCAPE, Back}};
    const char* atTheEnd = nullptr;  // an arrow chosen where it can go no further says so
    for (;;) {
        Vitrine::DrawBitmap(diffbg, diffbgx, diffbgy);
        StandardMenu::DrawButton(Difficulties[level]);
        Vitrine::DrawBitmap(linebg, line.x, line.y);
        Vitrine::SetFont(1, LightGrey);
        Vitrine::Text(atTheEnd ? atTheEnd : WhatItChanges(level), line.x, line.y);
        Vitrine::UpdateWindow();
        // The arrows and Back lie in two rows: the arrow keys go by where they lie.
        const int32_t Select = StandardMenu::MenuSelection(SpinnerMenu, leave, Vitrine::ArrowMoves::ByPlace);
        if (Select == -1 || Select == Back) break;
        atTheEnd = nullptr;
        if (Select == Down) {
            if (level > 0)
                level = level - 1;
            else
                atTheEnd = "Easy is as slow as the cats go";
        } else if (Select == Up) {
            if (level < 2)
                level = level + 1;
            else
                atTheEnd = "Hard is as fast as the cats go";
        } else {
            std::cout << "ERROR! Button undefined!" << std::endl;
        }
    }
    Vitrine::DestroyBitmap(diffbg);
    Vitrine::DestroyBitmap(linebg);
}

void Controls() {
    std::array<ButtonRc, 1> menu;
    LoadControlMenu(menu);
    const uint32_t picture = LoadScreen(Assets::ControlsScreen);
    const StandardMenu::Shortcut leave[] = {{Vitrine::KEY_ESCAPE, 0}};
    for (;;) {
        Vitrine::ClearScreen();
        Vitrine::DrawBitmap(picture, 0, 0);
        DrawChosenKeys();
        Vitrine::UpdateWindow();
        const int32_t Select = StandardMenu::MenuSelection(menu, leave);
        if (Select == -1 || Select == 0) break;
        ButtonDoesNotExist();
    }
    StandardMenu::ReleaseButtons(menu);
    Vitrine::DestroyBitmap(picture);
}

void Story() {
    const bool pack = !PackFolder.empty();
    const uint32_t picture = LoadScreen(pack ? Assets::PackStoryScreen : Assets::StoryScreen);
    Vitrine::DrawBitmap(picture, 0, 0);
    if (pack) DrawPackLine(Assets::PackLineOnStory, Assets::PackLineOnStoryInk);
    Vitrine::UpdateWindow();
    // Every key but X (and the door's key the player chose) is taken and
    // ignored, keys typed earlier included.
    for (;;) {
        const uint32_t k = Vitrine::GetKey();
        if (Vitrine::WindowClosed() || k == Vitrine::KEY_X || k == PlayKeys[Move::Door]) break;
    }
    Vitrine::DestroyBitmap(picture);
}

void Quit() {
    std::cout << "Thanks for playing the game." << std::endl;
}

}  // namespace KerboImplementation
