// KERBO anno 2011: the program's entry. It hands the level editor, built on
// top of the game, to the game.
#include <exception>
#include <iostream>

#include "editor/LevelEditor.h"
#include "game/FrontEnd.h"
#include "game/Options.h"
#include "window/Vitrine.h"

int main(int argc, char** argv) {
    KerboImplementation::Editor = {LevelEditor::Open, LevelEditor::Run};
    int status = 1;
    try {
        status = KerboImplementation::RunProgram(argc, argv);
    } catch (const std::exception& failure) {
        // Never std::terminate: say what went wrong; scratch folders go at exit.
        std::cerr << "kerbo: " << failure.what() << std::endl;
        return 1;
    }
    // Ended by SIGINT or SIGTERM: cleanly, as when the window is closed, and
    // with the status of a program the signal ended.
    const int signal = Vitrine::EndingSignal();
    return signal != 0 ? 128 + signal : status;
}
