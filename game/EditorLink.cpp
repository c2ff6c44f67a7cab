// The game's side of the level editor: the entry main hands in, and the way
// into it from the start menu (which pack it edits, a pack that can't be
// read shown in words, the pack in play read again afterwards).
#include <iostream>
#include <string>

#include "game/FrontEnd.h"
#include "game/LevelPacks.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

EditorEntry Editor;

namespace {

constexpr uint32_t LightGrey = 0xC0C0C0;
constexpr uint32_t Black = 0;
constexpr std::size_t LineLength = 95;  // characters of the box's font in a line

// A problem in a box over the screen, until a key is pressed.
void ShowProblem(const std::string& text) {
    Vitrine::Rectangle(40, 180, 760, 320, LightGrey, true);
    Vitrine::Rectangle(40, 180, 760, 320, Black, false);
    Vitrine::SetFont(4, Black);
    int32_t y = 195;
    std::string rest = text;
    while (!rest.empty() && y < 280) {
        std::size_t cut = rest.size();
        if (cut > LineLength) {
            cut = rest.rfind(' ', LineLength);
            if (cut == std::string::npos || cut == 0) cut = LineLength;
        }
        Vitrine::Text(rest.substr(0, cut), 55, y);
        rest.erase(0, cut);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        y += 20;
    }
    Vitrine::Text("Press a key to go back.", 55, 290);
    Vitrine::UpdateWindow();
    Vitrine::FlushKeys();
    Vitrine::GetKey();
}

}  // namespace

void EditFromMenu() {
    if (Editor.open == nullptr || Editor.run == nullptr) return;
    std::string folder = PackFolder;
    if (folder.empty()) {
        std::string why;
        const std::string own = Vitrine::UserDataFolder("kerbo", why);
        if (own.empty()) {
            ShowProblem("There is no folder of your own to keep levels in (" + why + ").");
            return;
        }
        folder = own + "my-levels";
    }
    const std::string problem = Editor.open(folder);
    if (!problem.empty()) {
        std::cerr << "kerbo: " << problem << std::endl;
        ShowProblem(problem);
        return;
    }
    Editor.run();
    if (!PackFolder.empty()) {
        const std::string again = UsePack(PackFolder);
        if (!again.empty())
            std::cerr << "kerbo: " << again << "; play goes on with the levels read before." << std::endl;
    }
}

}  // namespace KerboImplementation
