// The game in play and the front end's own variables, with their
// program-start values, and putting them all back for tests.
#include "game/KerboImplementation.h"
#include "game/Progress.h"

namespace KerboImplementation {

GameState World;
Array1<uint32_t, 5> Music;
String PlayerName{};
std::string PackFolder;
std::string PackTitleLine;
std::string PackLevelsLine;
std::string PackCountLine;
std::string PackNameLine;
uint32_t PracticeLevel = 0;
std::string ProgressFile;
Progress ReachedLevels;
GamePictures Pictures;

void ResetState() {
    World = GameState{};
    Music = Array1<uint32_t, 5>{};
    PlayerName = {};
    PackFolder.clear();
    PackTitleLine.clear();
    PackLevelsLine.clear();
    PackCountLine.clear();
    PackNameLine.clear();
    PracticeLevel = 0;
    ReachedLevels.clear();
    Pictures = GamePictures{};
}

}  // namespace KerboImplementation
