// Music::Testing: read-only views of the sound table and mixer for tests and
// benchmarks. The game does not use these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Music::Testing {

int DeviceOpens();         // successful device opens
int DeviceOpenAttempts();  // tries to open the device, failed or not
int Decodes();             // files decoded (cached loads don't count)
size_t CachedSounds();     // decoded sounds kept, one per file name
size_t Handles();          // entries in the table

// The channel the handle's sound was last started on, while that channel has
// not been given to another sound since; -1 otherwise.
int ChannelOf(uint32_t sound);
bool ChannelPlaying(int channel);
int PlayingChannels();
int ChannelVolume(int channel);  // 0..128, -1 when there is no such channel
int MasterVolume();              // 0..128, -1 while the device is not open

}  // namespace Music::Testing
