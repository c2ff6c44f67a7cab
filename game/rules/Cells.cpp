// The cell kinds: the template each kind is copied from and the letter that
// stands for it in the level files.
#include "game/rules/Rules.h"

namespace KerboImplementation {

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
