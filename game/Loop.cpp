// A game, one attempt at a level, and the frame: the loop that reads the
// player's input once per frame, runs the rules on the game in play, plays
// the sounds they report, draws the state and paces the frames at
// FramesPerSecond, so the game runs alike on every screen. The level card,
// the moment that shows how an attempt ended and the short holds (a door
// used, P pressed) are frames too, in which nothing moves; nothing here
// waits but the pace of the frames.
#include "game/KerboImplementation.h"
#include "game/Keys.h"
#include "game/Progress.h"
#include "game/StateDump.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t LightGrey = 0xC0C0C0;
constexpr uint32_t Black = 0;
constexpr const char* PracticeCardLine = "PRACTICE: this game does not enter the high scores";

void ShowLevelCard(uint32_t number) {
    Vitrine::Rectangle(100, 100, 700, 400, LightGrey, true);
    Vitrine::SetFont(4, Black);
    Vitrine::Text("LEVEL", 100, 100);
    Vitrine::TextCard(number, 200, 100);
    if (Practising()) Vitrine::Text(PracticeCardLine, 100, 370);
    Vitrine::UpdateWindow();
}

// The move's key as the player chose it, or the gamepad's button for it.
bool MoveHeld(Move move) {
    const uint32_t chosen = PlayKeys[move], pad = MoveKeys{}[move];
    if (chosen == pad) return Vitrine::KeyDown(chosen);  // the keyboard's key or the pad's button
    return Vitrine::KeyTyped(chosen) || Vitrine::PadHolds(pad);
}

}  // namespace

Blok* CellAt(float x, float y) {
    return CellAt(World.House, x, y);
}

void LoadGame() {
    NewGame(World);
    LoadGamePictures();
}

void LoadLevel(uint32_t number) {
    LoadLevel(World, number);
}

bool AttemptOver() {
    return AttemptOver(World);
}

GameEnd PlayGame() {
    // A game starts from a fresh state: only the levels in play, the
    // difficulty and the random generator carry over from the last one, so
    // that a kept game replays alone (its recording names the generator's state).
    GameState fresh;
    fresh.Game = World.Game;
    fresh.LevelCount = World.LevelCount;
    fresh.LevelsHeld = World.LevelsHeld;
    fresh.LevelDifficulty = World.LevelDifficulty;
    fresh.Seed = World.Seed;
    World = fresh;
    LoadGame();
    // Practice starts at the level chosen in the pack list.
    if (Practising() && PracticeLevel <= LevelCount) ActualLevel = PracticeLevel;
    const std::string progressKey = ProgressKey(PackFolder);
    Vitrine::TakeFocusLoss();  // one lost in the menus does not pause the new game
    PlayTune(Theme, Assets::ThemeTune, true);
    while (Lifes > 0) {
        if (ActualLevel > LevelCount) return GameEnd::Won;
        // Set up here and again in PlayLevel: both set-ups draw the cats'
        // places, so the random sequence of a game holds both.
        LoadLevel(ActualLevel);
        switch (PlayLevel(ActualLevel)) {
            case LevelEnd::Cleared:
                // The next level may be started from the pack list from now on.
                // (Not by a game watched again: it was noted when it was played.)
                if (ActualLevel <= LevelCount && !Watching()) NoteReached(progressKey, ActualLevel);
                break;
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

LevelEnd PlayLevel(uint32_t number) {
    LoadLevel(number);
    RestoreLastTrampoline(World);
    // The level card: frames in which nothing moves.
    World.CardFrames = LevelCardFrames;
    DrawEverything();
    DrawWatchLine();
    for (bool first = true; HoldStill(World); first = false) {
        if (!WatchGoesOn()) return LevelEnd::QuitToMenu;
        if (first) {
            ShowLevelCard(number);
        } else {
            Vitrine::UpdateWindow();
        }
        Vitrine::PaceFrame(FramesPerSecond * WatchSpeed());
        if (Vitrine::WindowClosed()) return LevelEnd::WindowClosed;
    }

    PlayTune(Theme, Assets::ThemeTune, true);

    for (;;) {
        if (!PlayFrame()) {
            return Vitrine::WindowClosed() ? LevelEnd::WindowClosed : LevelEnd::QuitToMenu;
        }
        Vitrine::PaceFrame(FramesPerSecond * WatchSpeed());
        if (Vitrine::WindowClosed()) return LevelEnd::WindowClosed;
        if (AttemptOver()) break;
    }

    // A cleared level counts on, a lost one costs its life at once; the
    // frames after show how it ended, and nothing moves in them.
    const AttemptEnd end = EndAttempt(World);
    if (end == AttemptEnd::Cleared) {
        PlayTune(LevelClearedTune, Assets::LevelClearedTune, false);
    } else {
        PlayTune(DeathSound, Assets::DeathSound, false);
    }
    // The picture changes only when Oska's flash does: drawn then, and kept between.
    bool drawn = false, drawnFlash = false;
    while (ShowEnd(World)) {
        if (!WatchGoesOn()) return LevelEnd::QuitToMenu;
        if (Vitrine::FrameWillBeSeen() && (!drawn || OskaFlashes() != drawnFlash)) {
            DrawEverything();
            DrawWatchLine();
            drawn = true;
            drawnFlash = OskaFlashes();
        }
        Vitrine::UpdateWindow();
        Vitrine::PaceFrame(FramesPerSecond * WatchSpeed());
        if (Vitrine::WindowClosed()) return LevelEnd::WindowClosed;
    }
    LeaveAttempt(World);
    return end == AttemptEnd::Cleared ? LevelEnd::Cleared : LevelEnd::Lost;
}

FrameInput ReadFrameInput() {
    FrameInput in;
    in.Left = MoveHeld(Move::Left);
    in.Right = MoveHeld(Move::Right);
    in.DoorKey = MoveHeld(Move::Door);
    in.PauseKey = MoveHeld(Move::Pausing);
    // While paused, a lost focus is left for the pause screen to clear; with
    // P down it counts for nothing more.
    in.FocusLost = !World.Pause && !in.PauseKey && Vitrine::TakeFocusLoss();
    return in;
}

uint8_t PackInput(const FrameInput& in) {
    return uint8_t((in.Left ? 1 : 0) | (in.Right ? 2 : 0) | (in.DoorKey ? 4 : 0) | (in.PauseKey ? 8 : 0) |
                   (in.FocusLost ? 16 : 0));
}

FrameInput UnpackInput(uint8_t moves) {
    return {(moves & 1) != 0, (moves & 2) != 0, (moves & 4) != 0, (moves & 8) != 0, (moves & 16) != 0};
}

bool PlayFrame() {
    if (!WatchGoesOn()) return false;
    if (HoldStill(World)) {
        // Nothing moves and the picture stays.
        Vitrine::UpdateWindow();
        return true;
    }
    WatchFrame(false);
    FrameInput in;
    uint8_t moves = 0;
    if (Watching()) {
        // A kept game's moves; where they end, its player left it.
        if (!WatchedMoves(moves)) return false;
        in = UnpackInput(moves);
    } else {
        in = ReadFrameInput();
        // A replay gives the rules the moves of the recorded frame; a
        // recording keeps them.
        moves = PackInput(in);
        if (Vitrine::Replay::ReplayedMoves(moves)) in = UnpackInput(moves);
        Vitrine::Replay::RecordMoves(moves);
    }
    FrameEvents events;
    PlayerMovement(World, in, events);
    EnemyMovement(World, events);
    PauseGame(World, in, events);
    PlayFrameSounds(events);
    if (events.PauseShown && !(Watching() ? WatchedPause() : PauseScreen())) return false;
    RestoreLastTrampoline(World);
    // Every rule runs in every frame; the picture is drawn only when the
    // screen will show it, and drawing changes nothing of the game.
    if (Vitrine::FrameWillBeSeen()) {
        DrawEverything();
        DrawWatchLine();
    }
    MoveShockWaves(World.AllShockWaves);
    WatchFrame(true);
    Vitrine::UpdateWindow();
    Vitrine::FlushKeys();
    return true;
}

}  // namespace KerboImplementation
