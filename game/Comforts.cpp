// Comforts on top of the game: M mutes and unmutes every sound, in play and in
// the menus (not on the name entry, where M is a letter of the name), says so
// in a note over the picture and keeps it in the settings. (A window that
// loses the focus during play opens the pause screen: Pause.cpp.)
#include "game/Assets.h"
#include "game/FrontEnd.h"
#include "sound/Music.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

bool NameEntryOpen = false;

namespace {

void ComfortKey(uint32_t k) {
    if (k != Vitrine::KEY_M || NameEntryOpen) return;
    Music::SetMuted(!Music::IsMuted());
    Vitrine::ShowNote(Music::IsMuted() ? "Sound off" : "Sound on", Assets::NoteTop);
    // Saved by the start menu and at the end of the run: never in the middle of a frame.
}

}  // namespace

void InstallComforts() {
    Vitrine::OnKeyPress(ComfortKey);
}

}  // namespace KerboImplementation
