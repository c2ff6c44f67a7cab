// Test play: the level being edited, played by the game's own rules (the
// level card, four lives, the cats of its number) until it is cleared, the
// lives are gone or the player quits from the pause screen. The game's state
// that play changes is put back afterwards, so a game in progress in the
// menus, or a pack in play, is as it was.
#include "editor/LevelEditor.h"
#include "window/Vitrine.h"

namespace LevelEditor {

namespace {

using namespace KerboImplementation;

// The game's state, taken before a test play and put back after it: the
// test play works on a copy.
struct Saved {
    GameState world = World;
    ~Saved() { World = world; }
};

}  // namespace

std::string TestPlay(const Level& level, uint32_t number) {
    const Saved saved;
    Game[number] = level;
    LevelsHeld = true;  // the letters being edited, not the file
    LevelCount = number;
    LoadGame();
    ActualLevel = number;
    Vitrine::TakeFocusLoss();  // one lost in the editor does not pause the test play
    LevelEnd end = PlayLevel(number);
    while (end == LevelEnd::Lost && Lifes > 0) end = PlayLevel(number);
    Vitrine::FlushKeys();
    Vitrine::NewScreen();  // an arrow held as play ends does not move the editor's cursor
    switch (end) {
        case LevelEnd::Cleared:
            return "test play: level cleared with " + std::to_string(Lifes) +
                   (Lifes == 1 ? " life" : " lives") + " left, " + std::to_string(Score) + " points";
        case LevelEnd::Lost:
            return "test play: all lives lost";
        case LevelEnd::QuitToMenu:
            return "test play: left from the pause screen";
        case LevelEnd::WindowClosed:
            break;
    }
    return {};
}

}  // namespace LevelEditor
