// Music: the game's sounds. A table of loaded sounds, each named by a handle
// counted from 1 (0 = no sound); play once or looped, stop, set the volume.
// With no sound device every call is silent and cheap.
#pragma once

#include <cstdint>

namespace Music {

// Opens the audio device on first success; every later call stops all
// sounds playing and keeps every handle valid. False when there is no device.
bool InitMusic();
// A new handle for the file (MP3), or 0 when it can't be loaded.
uint32_t LoadSound(const char* file);
void PlaySound(uint32_t sound, bool repeat);
void StopSound(uint32_t sound);
// 0..255 (more is cut to 255); only for a sound that has been started.
void SetSoundVolume(uint32_t sound, uint32_t volume);

// Silences every sound, playing or to come, without stopping any; volumes
// set meanwhile take effect on unmuting. Works before the device opens too.
void SetMuted(bool muted);
bool IsMuted();
// The player's volume: every sound plays at level/steps of its own volume
// (all of it at the start), muted or not. Works before the device opens too.
void SetVolumeLevel(uint32_t level, uint32_t steps);

}  // namespace Music
