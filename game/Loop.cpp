// A game, one attempt at a level, and the frame. The frame is the game's
// heartbeat: every speed in the rules is an amount per frame, and the frames
// are paced at FramesPerSecond so the game runs alike on every screen.
#include "game/KerboImplementation.h"
#include "game/StateDump.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t LevelCardMs = 2000;
constexpr uint32_t LightGrey = 0xC0C0C0;
constexpr uint32_t Black = 0;
constexpr float LossLine = 485.0f;  // the bottom row: he has fallen out of the house

void ShowLevelCard(uint32_t Level) {
    Vitrine::Rectangle(100, 100, 700, 400, LightGrey, true);
    Vitrine::SetFont(4, Black);
    Vitrine::Text("LEVEL", 100, 100);
    Vitrine::TextCard(Level, 200, 100);
    Vitrine::UpdateWindow();
}

}  // namespace

GameEnd PlayGame() {
    LoadGame();
    Vitrine::TakeFocusLoss();  // one lost in the menus does not pause the new game
    PlayTune(Theme, Assets::ThemeTune, true);
    while (Lifes > 0) {
        if (ActualLevel > LevelCount) return GameEnd::Won;
        // Set up here and again in PlayLevel: both set-ups draw the cats'
        // places, so the random sequence of a game holds both.
        LoadLevel(ActualLevel);
        switch (PlayLevel(ActualLevel)) {
            case LevelEnd::Cleared:
            case LevelEnd::Lost:
                break;
            case LevelEnd::QuitToMenu:
                return GameEnd::QuitToMenu;
            case LevelEnd::WindowClosed:
                return GameEnd::WindowClosed;
        }
    }
    return GameEnd::Lost;
}

LevelEnd PlayLevel(uint32_t Level) {
    LoadLevel(Level);
    RestoreLastTrampoline();
    DrawEverything();
    ShowLevelCard(Level);
    Vitrine::Delay(LevelCardMs);
    if (Vitrine::WindowClosed()) return LevelEnd::WindowClosed;

    StandardLib::StartChrono();
    PlayTune(Theme, Assets::ThemeTune, true);

    for (;;) {
        if (!PlayFrame()) {
            return Vitrine::WindowClosed() ? LevelEnd::WindowClosed : LevelEnd::QuitToMenu;
        }
        Vitrine::PaceFrame(FramesPerSecond);
        if (Vitrine::WindowClosed()) return LevelEnd::WindowClosed;
        if (AttemptOver()) break;
    }

    if (ItemsFound == ItemsTotal) {
        ActualLevel = ActualLevel + 1;
        PlayTune(LevelClearedTune, Assets::LevelClearedTune, false);
        return LevelEnd::Cleared;
    }
    if (Lifes > 0) Lifes = Lifes - 1;
    PlayTune(DeathSound, Assets::DeathSound, false);
    return LevelEnd::Lost;
}

bool AttemptOver() {
    // Finding the last item wins over falling or being caught in the same frame.
    return ItemsFound == ItemsTotal || Man.y >= LossLine || Man.Hit;
}

bool PlayFrame() {
    WatchFrame(false);
    PlayerMovement();
    EnemyMovement();
    if (!PauseGame(Pause)) return false;
    RestoreLastTrampoline();
    // Every rule runs in every frame; the picture is drawn only when the
    // screen will show it, and drawing changes nothing of the game.
    if (Vitrine::FrameWillBeSeen()) DrawEverything();
    MoveShockWaves(AllShockWaves);
    WatchFrame(true);
    Vitrine::UpdateWindow();
    Vitrine::FlushKeys();
    return true;
}

}  // namespace KerboImplementation
