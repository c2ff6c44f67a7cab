// The game's state: every variable of the game with its program-start value,
// the cell templates by kind, and putting it all back for tests.
#include "game/KerboImplementation.h"

namespace KerboImplementation {

TotalGame Game;
HouseGrid House;
Personage Man;
Array1<Enemy, MaxEnemies> EnemyArr;
uint32_t CurrentAmountOfEnemy = 0;
ShockWaves AllShockWaves;
uint32_t Score = 0;
uint32_t Lifes = 0;
uint32_t ActualLevel = 0;
uint32_t Jumps = 0;
uint32_t ItemsTotal = 0;
uint32_t ItemsFound = 0;
bool Pause = false;
float RelativeSpeedCatX = 0.0f;
Difficulty LevelDifficulty = Difficulty::Easy;
Array1<uint32_t, 5> Music;
float TrampolineX = 0.0f, TrampolineY = 0.0f;
String PlayerName{};
uint32_t LevelCount = MostLevels;
bool LevelsHeld = false;
std::string PackFolder;

PersonageBitmaps ManBitmaps;
AllTrampolineBitmaps TrampolineBitmaps;
AllDoorBitmaps DoorBitmaps;
AllItemBitmaps ItemBitmaps;
AllShockWaveBitmaps ShockWaveBitmaps;

Blok Passage, Wall, Elevator, EndElevator, DoorLeft, DoorRight, ShockDoorLeft, ShockDoorRight, Trampoline,
    Ceiling, Item;

void ResetState() {
    Game = TotalGame{};
    House = HouseGrid{};
    Man = {};
    EnemyArr = Array1<Enemy, MaxEnemies>{};
    CurrentAmountOfEnemy = 0;
    AllShockWaves = ShockWaves{};
    Score = Lifes = ActualLevel = Jumps = ItemsTotal = ItemsFound = 0;
    Pause = false;
    RelativeSpeedCatX = 0.0f;
    LevelDifficulty = Difficulty::Easy;
    Music = Array1<uint32_t, 5>{};
    TrampolineX = TrampolineY = 0.0f;
    PlayerName = {};
    LevelCount = MostLevels;
    LevelsHeld = false;
    PackFolder.clear();
    ManBitmaps = {};
    TrampolineBitmaps = {};
    DoorBitmaps = {};
    ItemBitmaps = {};
    ShockWaveBitmaps = {};
    for (Blok* b : {&Passage, &Wall, &Elevator, &EndElevator, &DoorLeft, &DoorRight, &ShockDoorLeft,
                    &ShockDoorRight, &Trampoline, &Ceiling, &Item}) {
        *b = {};
    }
}

const Blok& TemplateFor(Initial kind) {
    switch (kind) {
        case Initial::p:
            return Passage;
        case Initial::w:
            return Wall;
        case Initial::e:
            return Elevator;
        case Initial::n:
            return EndElevator;
        case Initial::d:
            return DoorLeft;
        case Initial::D:
            return DoorRight;
        case Initial::s:
            return ShockDoorLeft;
        case Initial::S:
            return ShockDoorRight;
        case Initial::t:
            return Trampoline;
        case Initial::c:
            return Ceiling;
        case Initial::i:
            return Item;
    }
    return Ceiling;
}

Initial KindOf(char letter) {
    switch (letter) {
        case 'p':
            return Initial::p;
        case 'w':
            return Initial::w;
        case 'e':
            return Initial::e;
        case 'n':
            return Initial::n;
        case 'd':
            return Initial::d;
        case 'D':
            return Initial::D;
        case 's':
            return Initial::s;
        case 'S':
            return Initial::S;
        case 't':
            return Initial::t;
        case 'i':
            return Initial::i;
        default:
            return Initial::c;
    }
}

}  // namespace KerboImplementation
