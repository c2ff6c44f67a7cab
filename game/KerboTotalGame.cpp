// KERBO anno 2011: the program's entry.
#include "game/KerboImplementation.h"
#include "util/StandardLib.h"

int main() {
    // Every run places the cats the same way.
    StandardLib::gPseudoRandom = true;
    StandardLib::ResetRandom();
    KerboImplementation::TotalProgram();
    return 0;
}
