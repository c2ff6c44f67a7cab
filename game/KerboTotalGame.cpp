// KERBO anno 2011: the program's entry.
#include "game/Options.h"

int main(int argc, char** argv) {
    return KerboImplementation::RunProgram(argc, argv);
}
