// The program's flow: open the window, then run one screen after the other,
// each naming the next, so no number of games and returns to the menu makes
// the call stack grow. Or the level editor alone in the window.
#include <cstdlib>
#include <iostream>

#include "game/FrontEnd.h"
#include "game/KeptGames.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

Screen AfterGame(GameEnd end) {
    switch (end) {
        case GameEnd::Lost:
            return GameOver();
        case GameEnd::Won:
            return YouWin();
        case GameEnd::QuitToMenu:
            return Screen::StartMenu;
        case GameEnd::WindowClosed:
            return Screen::Exit;  // an abandoned game records nothing
    }
    return Screen::Exit;
}

void RunScreens(Screen first) {
    Screen screen = first;
    while (screen != Screen::Exit) {
        switch (screen) {
            case Screen::StartMenu:
                screen = Menu();
                break;
            case Screen::NewGame: {
                // Every finished game is kept, to be watched again.
                StartKeepingGame();
                const GameEnd end = PlayGame();
                StopKeepingGame(end);
                screen = AfterGame(end);
                break;
            }
            case Screen::Exit:
                break;
        }
    }
    Quit();
    Vitrine::KillWindow();
}

namespace {

void OpenWindow() {
    Vitrine::SetWindowIcon(Assets::WindowIcon.file, Assets::WindowIconMask.file);
    if (!Vitrine::Window("KERBO anno 2011", 800, 500)) {
        std::cerr << "Can't create window." << std::endl;
        std::cerr << Vitrine::LastError() << std::endl;
        std::exit(1);
    }
    InstallComforts();
}

}  // namespace

void TotalProgram() {
    OpenWindow();
    RunScreens(Screen::StartMenu);
}

void KeptGameProgram(int32_t pointerX, int32_t pointerY) {
    OpenWindow();
    Vitrine::PlacePointer(pointerX, pointerY);
    Vitrine::Replay::ReplayFromHere();
    PlayGame();
    Quit();
    Vitrine::KillWindow();
}

int EditLevels(const std::string& folder) {
    const std::string problem = Editor.open ? Editor.open(folder) : "this program has no level editor";
    if (!problem.empty()) {
        std::cerr << "kerbo: " << problem << std::endl;
        return 1;
    }
    OpenWindow();
    Editor.run();
    Quit();
    Vitrine::KillWindow();
    return 0;
}

}  // namespace KerboImplementation
