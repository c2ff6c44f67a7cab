// The game's sounds. Every use loads its file afresh (the sound table keeps
// one decoded copy per file, so this is cheap) and nothing is ever stopped:
// a tune started earlier plays on under its old handle.
#include "game/KerboImplementation.h"
#include "sound/Music.h"

namespace KerboImplementation {

namespace {
constexpr uint32_t TuneVolume = 200;
}

void PlayTune(MusicRole role, const Assets::Sound& sound, bool repeat) {
    if (!::Music::InitMusic()) return;
    Music[role] = ::Music::LoadSound(sound.file);
    ::Music::PlaySound(Music[role], repeat);
    ::Music::SetSoundVolume(Music[role], TuneVolume);
}

void PlayEffect(const Assets::Sound& sound) {
    // No device check here: starting the device again would cut the theme.
    ::Music::PlaySound(::Music::LoadSound(sound.file), false);
}

void PlayFrameSounds(const FrameEvents& events) {
    if (events.ItemTaken) PlayEffect(Assets::ItemSound);
    if (events.Bounced) PlayEffect(Assets::TrampolineSound);
    if (events.Caught) PlayTune(DeathSound, Assets::DeathSound, false);
}

}  // namespace KerboImplementation
