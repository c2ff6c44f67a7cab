// Watching a kept game: its recorded moves played by the game's own frames
// (Loop.cpp), so it shows what its replay shows, at the game's pace or
// faster, under a line that names the keys; F (or a click on "faster") goes
// faster, Escape (or a click on "leave") ends it.
#include <string>
#include <vector>

#include "game/FrontEnd.h"
#include "game/KeptGames.h"
#include "window/Vitrine.h"
#include "window/VitrineReplay.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t Speeds[] = {1, 4, 16};
constexpr uint32_t LineStyle = 1;
constexpr uint32_t White = 0xFFFFFF, Black = 0;

struct Watch {
    bool on = false;
    std::vector<uint8_t> moves;
    std::size_t next = 0;
    std::size_t speed = 0;  // into Speeds
} gWatch;

bool Inside(const Assets::Box& box, int32_t x, int32_t y) {
    return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

void Faster() {
    gWatch.speed = (gWatch.speed + 1) % std::size(Speeds);
}

}  // namespace

bool Watching() {
    return gWatch.on;
}

bool WatchedMoves(uint8_t& moves) {
    if (gWatch.next >= gWatch.moves.size()) return false;
    moves = gWatch.moves[gWatch.next++];
    return true;
}

bool WatchedPause() {
    // Left from the pause screen: no move follows.
    if (gWatch.next >= gWatch.moves.size()) return false;
    World.Pause = false;
    return true;
}

bool WatchGoesOn() {
    if (!gWatch.on) return true;
    Vitrine::KeyPress press;
    while (Vitrine::NextKey(press)) {
        if (press.key == Vitrine::KEY_ESCAPE) return false;
        if (press.key == Vitrine::KEY_F) Faster();
    }
    StandardMenu::ClickRc click;
    if (StandardMenu::PendingClick(click)) {
        StandardMenu::ClearPendingClick();
        if (Inside(Assets::WatchLeave, click.x, click.y)) return false;
        if (Inside(Assets::WatchFaster, click.x, click.y)) Faster();
    }
    return !Vitrine::WindowClosed();
}

uint32_t WatchSpeed() {
    return gWatch.on ? Speeds[gWatch.speed] : 1;
}

void DrawWatchLine() {
    if (!gWatch.on) return;
    const Assets::Box& line = Assets::WatchLine;
    Vitrine::Rectangle(line.x0, line.y0, line.x1, line.y1, Black, true);
    Vitrine::SetFont(LineStyle, White);
    Vitrine::Text("Watching a kept game (x" + std::to_string(WatchSpeed()) + ")", line.x0 + 6, line.y0 + 2);
    Vitrine::Text("F: faster", Assets::WatchFaster.x0, line.y0 + 2);
    Vitrine::Text("Esc: leave", Assets::WatchLeave.x0, line.y0 + 2);
}

std::string WatchGame(const std::string& file) {
    std::vector<Vitrine::Replay::Setting> settings;
    std::vector<uint8_t> moves;
    std::string error;
    if (!Vitrine::Replay::ReadMoves(file, settings, moves, error)) return error;
    if (!IsKeptGame(settings)) return file + ": not a kept game";
    const GameState game = World;
    const String name = PlayerName;
    const uint32_t practice = PracticeLevel;
    KeptGameStart start;
    if (!UseKeptGameSettings(settings, start, error) || start.pack != PackFolder) {
        World = game;
        PlayerName = name;
        PracticeLevel = practice;
        return file + ": " + (error.empty() ? "a game of another pack" : error);
    }
    gWatch = Watch{true, std::move(moves), 0, 0};
    Vitrine::NewScreen();
    Vitrine::FlushKeys();
    StandardMenu::ClearPendingClick();
    PlayGame();
    gWatch = Watch{};
    // The game's sounds stop; the theme plays on as in the menus around.
    PlayTune(Theme, Assets::ThemeTune, true);
    World = game;
    PlayerName = name;
    PracticeLevel = practice;
    Vitrine::NewScreen();
    Vitrine::FlushKeys();
    StandardMenu::ClearPendingClick();
    return {};
}

}  // namespace KerboImplementation
