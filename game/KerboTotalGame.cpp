// KERBO anno 2011: the program's entry. It hands the level editor, built on
// top of the game, to the game.
#include "editor/LevelEditor.h"
#include "game/FrontEnd.h"
#include "game/Options.h"

int main(int argc, char** argv) {
    KerboImplementation::Editor = {LevelEditor::Open, LevelEditor::Run};
    return KerboImplementation::RunProgram(argc, argv);
}
