// Placeholder until the SDL_mixer sound table lands: always silent.
#include "sound/Music.h"

namespace Music {
bool InitMusic() { return false; }
uint32_t LoadSound(const char*) { return 0; }
void PlaySound(uint32_t, bool) {}
void StopSound(uint32_t) {}
void SetSoundVolume(uint32_t, uint32_t) {}
}  // namespace Music
