// The game's state: every variable of the game with its program-start value,
// the cell templates by kind, and putting it all back for tests.
#include "game/KerboImplementation.h"

namespace KerboImplementation {

GameState World;
Array1<uint32_t, 5> Music;
String PlayerName{};
std::string PackFolder;

PersonageBitmaps ManBitmaps;
AllTrampolineBitmaps TrampolineBitmaps;
AllDoorBitmaps DoorBitmaps;
AllItemBitmaps ItemBitmaps;
AllShockWaveBitmaps ShockWaveBitmaps;

Blok Passage, Wall, Elevator, EndElevator, DoorLeft, DoorRight, ShockDoorLeft, ShockDoorRight, Trampoline,
    Ceiling, Item;

void ResetState() {
    World = GameState{};
    Music = Array1<uint32_t, 5>{};
    PlayerName = {};
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
