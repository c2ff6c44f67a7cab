// Makes the committed recordings: the real program, recording as with
// `kerbo --record`, played by a scripted player that reads the game's state
// at every input point and presses keys and clicks the way a player would.
//
//   make_recordings game FILE [VARIANT]   a whole game (see GameGoals)
//   make_recordings quit FILE             pause, quit to the menu, leave
//
// Run it in a copy of the data folder. The whole-game player steers Oska
// along the level model's moves; VARIANT shifts when each attempt starts
// moving, which changes where the cats are met. The exit status is 0 when
// the run did everything it was meant to, else the tally says what is missing.
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "game/KerboImplementation.h"
#include "game/Options.h"
#include "game/StateHash.h"
#include "levelcheck/LevelCheck.h"
#include "window/VitrineReplay.h"
#include "window/VitrineTest.h"

namespace {

using namespace KerboImplementation;
using LevelCheck::Cell;
using LevelCheck::Move;
namespace T = Vitrine::Testing;

constexpr uint32_t LeftArrow = Vitrine::KEY_LEFT, RightArrow = Vitrine::KEY_RIGHT, KeyX = Vitrine::KEY_X,
                   KeyP = Vitrine::KEY_P;
constexpr float LossLine = 485.0f;

enum class Script { Game, Quit } gScript = Script::Game;
uint32_t gVariant = 0;

// ------------------------------------------------ what the game looks like

char LetterOf(const Blok& cell) {
    static const char letters[] = "pwendDsStci";
    return letters[static_cast<int>(cell.Initial)];
}
Level HouseLetters() {
    Level level;
    for (std::size_t row = 1; row <= Rows; ++row) {
        for (std::size_t column = 1; column <= Columns; ++column)
            level[row][column] = LetterOf(House[row][column]);
    }
    return level;
}
Cell CellOf(float x, float y) {
    return {static_cast<int>(WhereAmI(y)), static_cast<int>(WhereAmI(x))};
}
Cell OskasCell() {
    return CellOf(Man.x, Man.y);
}
char LetterHere() {
    const Blok* cell = CellAt(Man.x, Man.y);
    return cell ? LetterOf(*cell) : '?';
}
bool InClosedDoor() {
    const Blok* cell = CellAt(Man.x, Man.y);
    return cell && LevelCheck::IsDoor(LetterOf(*cell)) && !cell->DoorOpen;
}
int Trampolines() {
    int n = 0;
    for (const auto& row : House) {
        for (const Blok& cell : row) n += cell.Initial == Initial::t;
    }
    return n;
}

// ------------------------------------------------ input

bool gHeld[256] = {};
void Set(uint32_t key, bool down) {
    if (gHeld[key] == down) return;
    gHeld[key] = down;
    if (down)
        T::PressKey(key);
    else
        T::ReleaseKey(key);
}
void Arrows(int direction) {  // -1 left, 0 none, 1 right
    Set(LeftArrow, direction < 0);
    Set(RightArrow, direction > 0);
}
void Type(uint32_t key) {
    T::PressKey(key);
    T::ReleaseKey(key);
}
void Click(int32_t x, int32_t y) {
    T::MoveMouse(x, y);
    T::LeftDown(x, y);
    T::LeftUp(x, y);
}

// ------------------------------------------------ the tally

struct Tally {
    int clears = 0, catLosses = 0, fallLosses = 0, broken = 0, swept = 0, pauses = 0, resumes = 0;
} tally;

// ------------------------------------------------ the player

enum class Goal { Items, Fall, Cat };

struct Player {
    uint64_t point = 0;
    uint64_t lastFrame = 0;
    bool inGame = false, afterGame = false;
    uint64_t afterGameFrom = 0;
    // A key the next frame must see is let go two points later: the frame's
    // own points come after it (its door or pause wait, then UpdateWindow).
    int releaseX = 0, releaseP = 0;
    // the pause screen
    bool pausedOnce = false;
    uint64_t pauseSeenAt = 0;
    bool pauseClicked = false;
    // the attempt
    uint32_t level = 0, lifes = 0;
    int attempts = 0;
    int frame = 0;  // frames into the attempt
    int wait = 0;   // frames to stand still first
    Goal goal = Goal::Items;
    std::vector<Move> path;
    std::size_t next = 0;
    int stage = 0;
    int moveFrames = 0;
    bool settle = false;
    int trampolines = 0;
    bool brokeHere = false, lostHere = false;
    std::vector<bool> sweptHere;
} p;

void NewAttempt() {
    p.level = ActualLevel;
    p.lifes = Lifes;
    ++p.attempts;
    p.frame = 0;
    p.wait = static_cast<int>((gVariant * 7919u + static_cast<uint32_t>(p.attempts) * 104729u) % 23u) * 20;
    if (gVariant == 0) p.wait = 0;
    p.path.clear();
    p.next = 0;
    p.stage = 0;
    p.settle = false;
    p.trampolines = Trampolines();
    p.brokeHere = p.lostHere = false;
    p.sweptHere.assign(MaxEnemies + 1, false);
    if (tally.clears < 2)
        p.goal = Goal::Items;
    else if (tally.fallLosses == 0 || tally.broken == 0)
        p.goal = Goal::Fall;
    else if (tally.catLosses == 0)
        p.goal = Goal::Cat;
    else
        p.goal = Goal::Fall;
    Arrows(0);
}

void Observe() {
    for (uint32_t i = 1; i <= CurrentAmountOfEnemy; ++i) {
        if (EnemyArr[i].HitByShock && !p.sweptHere[i]) {
            p.sweptHere[i] = true;
            ++tally.swept;
        }
    }
    if (!p.brokeHere && Trampolines() < p.trampolines) {
        p.brokeHere = true;
        ++tally.broken;
    }
    if (!p.lostHere && Man.Hit) {
        p.lostHere = true;
        ++tally.catLosses;
    } else if (!p.lostHere && Man.y >= LossLine) {
        p.lostHere = true;
        ++tally.fallLosses;
    }
}

std::function<bool(Cell)> GoalCells() {
    const Level letters = HouseLetters();
    switch (p.goal) {
        case Goal::Items:
            return [letters](Cell c) { return letters[c.row][c.column] == 'i'; };
        case Goal::Fall:
            // A cell from which a walk into a shaft leads onto a trampoline.
            return [letters](Cell c) {
                for (const Move& m : LevelCheck::MovesFrom(letters, c)) {
                    if (m.via != 0 && m.ride) return true;
                }
                return false;
            };
        case Goal::Cat: {
            std::vector<Cell> cats;
            for (uint32_t i = 1; i <= CurrentAmountOfEnemy; ++i) {
                if (EnemyArr[i].StillExisting) cats.push_back(CellOf(EnemyArr[i].x, EnemyArr[i].y));
            }
            return [cats](Cell c) {
                for (const Cell& cat : cats) {
                    if (cat == c) return true;
                }
                return false;
            };
        }
    }
    return [](Cell) { return false; };
}

// One decision per frame of play: which arrows are held for the next frame.
void Steer() {
    ++p.frame;
    if (p.frame <= p.wait) return;
    if (p.settle) {
        p.settle = false;
        Arrows(0);
        return;
    }
    if (p.next >= p.path.size()) {
        if (!Man.Controlable || !LevelCheck::IsStorey(LetterHere())) return;
        if (p.goal == Goal::Fall && GoalCells()(OskasCell())) {
            // Into the shaft, then hands off: he bounces until the trampoline breaks.
            for (const Move& m : LevelCheck::MovesFrom(HouseLetters(), OskasCell())) {
                if (m.via != 0 && m.ride) {
                    p.path = {Move{m.to, false, m.via}};
                    p.next = 0;
                    p.stage = 0;
                    p.moveFrames = 0;
                    return;
                }
            }
        }
        p.path = LevelCheck::PathTo(HouseLetters(), OskasCell(), GoalCells());
        p.next = 0;
        p.stage = 0;
        p.moveFrames = 0;
        if (p.path.empty()) return;
        if (p.goal == Goal::Cat && p.path.size() > 1) p.path.resize(1);  // cats move: one move at a time
    }
    const Move& move = p.path[p.next];
    auto done = [] {
        ++p.next;
        p.stage = 0;
        p.moveFrames = 0;
        p.settle = true;
        Arrows(0);
    };
    if (++p.moveFrames > 4000) {  // something in the way: plan again
        p.path.clear();
        Arrows(0);
        return;
    }
    if (move.via == 0) {
        if (Man.Controlable && OskasCell() == move.to) return done();
        if (Man.Controlable && InClosedDoor()) {
            Arrows(0);
            Set(KeyX, true);
            p.releaseX = 2;
            return;
        }
        Arrows(move.to.column > OskasCell().column ? 1 : -1);
        return;
    }
    switch (p.stage) {
        case 0:
            if (Man.Controlable && OskasCell().column != move.via) {
                Arrows(move.via > OskasCell().column ? 1 : -1);
                return;
            }
            Arrows(0);
            p.stage = move.ride ? 1 : 2;
            if (p.goal == Goal::Fall && !move.ride) p.stage = 9;  // hands off for good
            return;
        case 1:
            if (Man.Controlable && !Man.HaveToFall && OskasCell() == Cell{move.to.row, move.via}) {
                Arrows(move.to.column > move.via ? 1 : -1);
                p.stage = 2;
            }
            return;
        case 2:
            Arrows(0);
            if (Man.Controlable && LevelCheck::IsStorey(LetterHere())) done();
            return;
        default:
            Arrows(0);
            return;
    }
}

void Drive() {
    ++p.point;
    if (p.releaseX > 0 && --p.releaseX == 0) Set(KeyX, false);
    if (p.releaseP > 0 && --p.releaseP == 0) Set(KeyP, false);
    if (!p.inGame && !p.afterGame) {
        // Start menu: play; the story: X; the name entry: a name and X.
        if (p.point == 3) Click(100, 100);
        if (p.point == 10) Type(KeyX);
        if (p.point == 14) {
            if (gScript == Script::Game) {
                for (uint32_t k : {'R', 'O', 'B', 'O'}) Type(k);
            }
            Type(KeyX);
        }
        if (Lifes > 0)
            p.inGame = true;
        else
            return;
    }
    if (p.afterGame) {
        // The end screen (or the start menu after leaving the game): to the
        // start menu, then quit.
        if (p.point == p.afterGameFrom + 10 && gScript == Script::Game) Click(100, 180);
        if (p.point == p.afterGameFrom + 30) Click(100, 400);
        return;
    }
    if (Pause) {
        Arrows(0);
        if (World.HoldFrames > 0) return;  // the pause screen opens once the game has held still
        if (p.pauseSeenAt == 0) {
            p.pauseSeenAt = p.point;
            ++tally.pauses;
        }
        if (!p.pauseClicked && p.point == p.pauseSeenAt + 6) {
            p.pauseClicked = true;
            if (gScript == Script::Game) {
                Click(100, 100);  // resume
                ++tally.resumes;
            } else {
                Click(100, 180);  // quit to the menu
                p.afterGame = true;
                p.afterGameFrom = p.point;
            }
        }
        return;
    }
    // How the attempt ended is shown first: nothing to steer, and the lives
    // counted already are not a new attempt yet.
    if (World.EndFrames > 0) return;
    if (Lifes == 0) {
        p.afterGame = true;
        p.afterGameFrom = p.point;
        Arrows(0);
        return;
    }
    const uint64_t shown = T::FramesShown();
    if (shown == p.lastFrame) return;
    p.lastFrame = shown;
    if (ActualLevel != p.level || Lifes != p.lifes) {
        if (p.level >= 1 && ActualLevel == p.level + 1) ++tally.clears;
        NewAttempt();
    }
    if (World.CardFrames > 0) return;  // the level card: nothing to steer yet
    Observe();
    if (!p.pausedOnce && p.frame == 200) {
        p.pausedOnce = true;
        Arrows(0);
        Set(KeyP, true);
        p.releaseP = 2;
        ++p.frame;
        return;
    }
    if (gScript == Script::Game)
        Steer();
    else
        ++p.frame;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[1], "game") != 0 && std::strcmp(argv[1], "quit") != 0)) {
        std::fprintf(stderr, "usage: make_recordings game|quit FILE [VARIANT]\n");
        return 2;
    }
    gScript = std::strcmp(argv[1], "game") == 0 ? Script::Game : Script::Quit;
    if (argc > 3) gVariant = static_cast<uint32_t>(std::stoul(argv[3]));
    Vitrine::Replay::SetInputPointHook(Drive);
    Vitrine::Testing::SetInstantWaits(true);  // the points, and so the recording, are the same paced or not
    char program[] = "kerbo", record[] = "--record";
    char* args[] = {program, record, argv[2], nullptr};
    const int status = RunProgram(3, args);
    std::printf(
        "attempts %d, clears %d, lost to a cat %d, lost by a fall %d, trampolines broken %d, cats swept %d, "
        "pauses %d, resumes %d, score %u\n",
        p.attempts, tally.clears, tally.catLosses, tally.fallLosses, tally.broken, tally.swept, tally.pauses,
        tally.resumes, Score);
    if (status != 0) return status;
    if (gScript == Script::Quit) return tally.pauses == 1 ? 0 : 1;
    const bool all = tally.clears >= 2 && tally.catLosses >= 1 && tally.fallLosses >= 1 &&
                     tally.broken >= 1 && tally.swept >= 1 && tally.pauses >= 1 && tally.resumes >= 1 &&
                     Lifes == 0;
    return all ? 0 : 1;
}
