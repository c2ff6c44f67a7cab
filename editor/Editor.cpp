// Opening a pack for the editor, and the editor's loop: it takes the keys and
// the mouse as they come, draws the screen, test-plays on request and, should
// the window close or the display go away on unsaved levels, rescues them.
#include <iostream>

#include "editor/LevelEditor.h"
#include "game/FrontEnd.h"
#include "menu/StandardMenu.h"
#include "util/Leftovers.h"

namespace LevelEditor {

namespace {

constexpr uint32_t PassMs = 10;  // the loop looks at the keys and the mouse this often

Session session;  // the pack opened last

// The last release of the left button since the loop's last look.
struct Release {
    bool any = false;
    int32_t x = 0, y = 0;
} release;

void OnRelease(int32_t x, int32_t y) {
    release = {true, x, y};
}

void RunTestPlay() {
    session.testPlay = false;
    session.Shown().history.End();
    session.stroke = false;
    session.message = TestPlay(session.Shown().letters, static_cast<uint32_t>(session.current + 1));
    Vitrine::SetBuffering(true);
    release = {};
    session.pressed = Vitrine::MouseLeftDown();
}

}  // namespace

std::string Open(const std::string& folder) {
    Pack pack;
    const std::string problem = ReadForEditing(folder, pack);
    if (!problem.empty()) return problem;
    session = Session{};
    session.message = "editing " + folder + (pack.files.empty() ? ", a new pack" : "") + "; H shows the keys";
    if (!pack.infoProblem.empty()) session.message = pack.infoProblem + "; Ctrl+T sets the title and author";
    session.pack = std::move(pack);
    Recheck(session);
    OfferRescued(session);
    return {};
}

void Run() {
    if (session.pack.levels.empty()) return;
    LoadPictures();
    Vitrine::SetBuffering(true);
    Vitrine::FlushKeys();
    Vitrine::NewScreen();
    release = {};
    session.leave = false;
    session.pressed = Vitrine::MouseLeftDown();  // a press from before the editor paints nothing
    // The picture shows only the session, which changes only by input: a pass
    // without any draws nothing again.
    bool drawn = false;
    int32_t lastX = -1, lastY = -1;
    bool lastDown = false;
    // Should the program end at once (the display gone), unsaved levels are kept all the same.
    StandardLib::WhenEndingNow("the editor's unsaved levels", [] {
        const std::string kept = session.pack.Unsaved() ? Rescue(session.pack) : std::string();
        if (!kept.empty()) std::cerr << "kerbo: unsaved levels: " << kept << std::endl;
    });
    while (!session.leave && !Vitrine::WindowClosed()) {
        // Menus take the releases for their own; the editor, while it runs.
        Vitrine::OnMouseLeftUp(OnRelease);
        // The pointer first: a key pressed over a cell acts on that cell.
        int32_t x = 0, y = 0;
        Vitrine::MousePos(x, y);
        const bool down = Vitrine::MouseLeftDown();
        const Release seen = release;
        release = {};
        bool acted = seen.any || down != lastDown || x != lastX || y != lastY;
        lastX = x, lastY = y, lastDown = down;
        OnMouse(session, x, y, down, seen.any, seen.x, seen.y);
        Vitrine::KeyPress press;
        while (!session.leave && !session.testPlay && Vitrine::NextKey(press)) {
            OnKey(session, press);
            acted = true;
        }
        if (session.testPlay) {
            RunTestPlay();
            acted = true;
        }
        // While the title or author is typed, M is a letter, not the sound's switch.
        KerboImplementation::NameEntryOpen = session.entry != Session::Entry::None;
        if (session.leave || Vitrine::WindowClosed()) break;
        if (acted || !drawn) Draw(session);
        drawn = true;
        Vitrine::UpdateWindow();
        Vitrine::Delay(PassMs);
    }
    KerboImplementation::NameEntryOpen = false;
    StandardLib::WhenEndingNow("the editor's unsaved levels", {});
    const std::string kept = Vitrine::WindowClosed() && session.pack.Unsaved() ? Rescue(session.pack) : "";
    if (!kept.empty()) std::cerr << "kerbo: the window closed on unsaved levels: " << kept << std::endl;
    Vitrine::OnMouseLeftUp(StandardMenu::RegisterLeftClick);
    StandardMenu::ClearPendingClick();
    Vitrine::FlushKeys();
}

}  // namespace LevelEditor
