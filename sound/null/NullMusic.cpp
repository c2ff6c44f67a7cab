// The null sound table: the contract of Music.h with a silent device that
// always opens and reads no file. Every load gets a new handle (one entry per
// load, as on the real table); playing, stopping and volumes are kept and
// nothing is heard.
#include "sound/Music.h"
#include "sound/MusicTest.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace Music {

namespace {

struct Entry {
    bool playing = false;
    uint32_t volume = 255;
};
std::vector<Entry> gEntries;  // handle h is gEntries[h - 1]
std::set<std::string> gNames;
bool gOpen = false;
bool gMuted = false;
int gVolume = 128;  // the master volume the player's volume makes
int gOpens = 0;
int gAttempts = 0;

Entry* Valid(uint32_t sound) {
    return sound >= 1 && sound <= gEntries.size() ? &gEntries[sound - 1] : nullptr;
}

}  // namespace

bool InitMusic() {
    ++gAttempts;
    if (!gOpen) ++gOpens;
    gOpen = true;
    for (Entry& entry : gEntries) entry.playing = false;  // starting again stops whatever plays
    return true;
}

uint32_t LoadSound(const char* file) {
    if (!gOpen || file == nullptr) return 0;
    gNames.insert(file);
    gEntries.push_back(Entry{});
    return uint32_t(gEntries.size());
}

void PlaySound(uint32_t sound, bool) {
    if (Entry* entry = Valid(sound)) *entry = Entry{true, 255};
}

void StopSound(uint32_t sound) {
    if (Entry* entry = Valid(sound)) entry->playing = false;
}

void SetSoundVolume(uint32_t sound, uint32_t volume) {
    Entry* entry = Valid(sound);
    if (entry && entry->playing) entry->volume = std::min<uint32_t>(volume, 255);
}

void SetMuted(bool muted) {
    gMuted = muted;
}

bool IsMuted() {
    return gMuted;
}

void SetVolumeLevel(uint32_t level, uint32_t steps) {
    gVolume = int((std::min(level, steps) * 128 + std::max(steps, 1u) / 2) / std::max(steps, 1u));
}

namespace Testing {

int DeviceOpens() {
    return gOpens;
}
int DeviceOpenAttempts() {
    return gAttempts;
}
int Decodes() {
    return 0;
}
size_t CachedSounds() {
    return gNames.size();
}
size_t Handles() {
    return gEntries.size();
}
// No channel is ever used: nothing is mixed.
int ChannelOf(uint32_t) {
    return -1;
}
bool ChannelPlaying(int) {
    return false;
}
int PlayingChannels() {
    return 0;
}
int ChannelVolume(int) {
    return -1;
}
int MasterVolume() {
    return !gOpen ? -1 : gMuted ? 0 : gVolume;
}

}  // namespace Testing

}  // namespace Music
