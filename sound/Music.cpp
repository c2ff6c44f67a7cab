// Music: the sound table on SDL2_mixer.
//
// Each handle is a small entry naming a decoded chunk; chunks are kept once per
// file name, because the game loads the same file at every use. A handle
// remembers the channel it was last started on together with a play serial;
// the channel remembers the serial of the play it was last given. A handle acts
// on its channel only while the two agree, so a channel that finished and was
// handed to another sound is never cut or changed by the old handle.
//
// All calls come from the main thread; the mixer plays on its own thread and
// we keep no state that it touches.
#include "sound/Music.h"
#include "sound/MusicTest.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <array>
#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "util/SafeFile.h"

namespace Music {
namespace {

constexpr int kMixRate = 32000;
constexpr int kChannels = 64;
constexpr int kChunkFrames = 1024;
// A failed open is not tried again sooner than this, so that a machine without
// sound does not pay for a device probe at every death and every level.
constexpr auto kRetryInterval = std::chrono::seconds(1);

struct SndStruct {
    Mix_Chunk* snd = nullptr;
    int channel = -1;
    uint64_t serial = 0;   // the play that started `channel`
    bool playing = false;  // from PlaySound until StopSound
};

// The loaded sounds live for the whole run and are never released; the table
// is never destroyed either, so no exit-time teardown races the mixer thread.
struct Table {
    std::vector<SndStruct> entries;                      // handle h is entries[h - 1]
    std::unordered_map<std::string, Mix_Chunk*> chunks;  // decoded once per file name
};
Table& table = *new Table;

bool init = false;
bool muted = false;
uint32_t volumeLevel = 1, volumeSteps = 1;  // the player's volume: every sound at this share of its own

// The mixer's master volume for the player's volume and the mute.
int MasterLevel() {
    return muted ? 0 : int((volumeLevel * MIX_MAX_VOLUME + volumeSteps / 2) / volumeSteps);
}
std::array<uint64_t, kChannels> channelSerial{};  // 0 = nothing of ours
uint64_t lastSerial = 0;
std::optional<std::chrono::steady_clock::time_point> lastFailedOpen;

int opens = 0;
int openAttempts = 0;
int decodes = 0;

// ALSA prints a screenful of its own lines on standard error when the machine
// has no sound card. Its handler is process-wide, so it is set before SDL
// loads the library; the game then says it once, in its own words.
void SilentAlsa(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);  // kept open for the run
    if (alsa == nullptr) return;
    auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(&SilentAlsa);
}

void ReportNoDevice() {
    static bool reported = false;
    if (reported) return;
    reported = true;
    std::fprintf(stderr, "kerbo: no sound device (%s); playing without sound.\n", SDL_GetError());
}

bool OpenDevice() {
    const auto now = std::chrono::steady_clock::now();
    if (lastFailedOpen && now - *lastFailedOpen < kRetryInterval) return false;
    ++openAttempts;
    if (openAttempts == 1) QuietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportNoDevice();
        lastFailedOpen = now;
        return false;
    }
    Mix_Init(MIX_INIT_MP3);  // MP3 may still load through a built-in decoder
    if (Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        ReportNoDevice();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);  // only our reference; video stays up
        lastFailedOpen = now;
        return false;
    }
    Mix_AllocateChannels(kChannels);
    Mix_MasterVolume(MasterLevel());
    lastFailedOpen.reset();
    ++opens;
    return true;
}

// Says why a sound could not be loaded, once per file: the game goes on without it.
void ReportUnloadable(const std::string& file, const std::string& why) {
    static std::set<std::string> told;
    if (told.insert(file).second) {
        std::fprintf(stderr, "kerbo: %s: %s; the sound is left out.\n", file.c_str(), why.c_str());
    }
}

// Reads the file whole (a regular file of at most 8 MB, opened without
// blocking) and decodes it from memory; nothing, with one line, when it can't.
Mix_Chunk* Decode(const std::string& file) {
    std::string bytes;
    const StandardLib::FileRead read = StandardLib::ReadSmallFile(file, StandardLib::MaxSoundBytes, bytes);
    if (!read.ok || bytes.empty()) {
        ReportUnloadable(file, read.ok ? "is empty" : read.why);
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    if (chunk == nullptr) {
        ReportUnloadable(file, std::string("not a sound the game can play (") + SDL_GetError() + ")");
    }
    return chunk;
}

SndStruct* Valid(uint32_t sound) {
    if (!init || sound == 0 || sound > table.entries.size()) return nullptr;
    SndStruct* entry = &table.entries[sound - 1];
    return entry->snd ? entry : nullptr;
}

// True while the entry's channel is still the one this entry last started.
bool OwnsChannel(const SndStruct& entry) {
    return entry.playing && entry.channel >= 0 && entry.channel < kChannels &&
           channelSerial[entry.channel] == entry.serial;
}

}  // namespace

bool InitMusic() {
    if (init) {
        // Starting again stops whatever plays; loaded sounds and handles stay.
        Mix_HaltChannel(-1);
        channelSerial.fill(0);
        return true;
    }
    init = OpenDevice();
    return init;
}

uint32_t LoadSound(const char* file) {
    if (!init || file == nullptr) return 0;
    auto it = table.chunks.find(file);
    if (it == table.chunks.end()) {
        Mix_Chunk* chunk = Decode(file);
        if (chunk == nullptr) return 0;  // not cached: the file may turn up later
        ++decodes;
        it = table.chunks.emplace(file, chunk).first;
    }
    table.entries.push_back(SndStruct{it->second});
    return static_cast<uint32_t>(table.entries.size());
}

void PlaySound(uint32_t sound, bool repeat) {
    SndStruct* entry = Valid(sound);
    if (entry == nullptr) return;
    if (entry->playing) StopSound(sound);

    // Pick the channel ourselves so its volume can be reset before the mixer
    // sees the new sound: a volume set for an earlier sound must not carry over.
    const int channel = Mix_GroupAvailable(-1);
    if (channel < 0) return;  // all channels busy: this sound is dropped
    Mix_Volume(channel, MIX_MAX_VOLUME);
    if (Mix_PlayChannel(channel, entry->snd, repeat ? -1 : 0) < 0) return;

    entry->channel = channel;
    entry->serial = ++lastSerial;
    entry->playing = true;
    channelSerial[channel] = entry->serial;
}

void StopSound(uint32_t sound) {
    SndStruct* entry = Valid(sound);
    if (entry == nullptr || !entry->playing) return;
    if (OwnsChannel(*entry)) {
        Mix_HaltChannel(entry->channel);
        channelSerial[entry->channel] = 0;
    }
    entry->playing = false;
}

void SetSoundVolume(uint32_t sound, uint32_t volume) {
    SndStruct* entry = Valid(sound);
    if (entry == nullptr || !OwnsChannel(*entry)) return;
    const uint32_t v = std::min<uint32_t>(volume, 255);
    // 0..255 onto the mixer's 0..128, rounded, so 255 is full and 1 still audible.
    Mix_Volume(entry->channel, static_cast<int>((v * MIX_MAX_VOLUME + 127) / 255));
}

// The master volume scales every channel, so muting leaves the channels'
// own volumes (and a tune's place) as they are.
void SetMuted(bool on) {
    muted = on;
    if (init) Mix_MasterVolume(MasterLevel());
}

void SetVolumeLevel(uint32_t level, uint32_t steps) {
    volumeLevel = std::min(level, steps);
    volumeSteps = std::max(steps, 1u);
    if (init) Mix_MasterVolume(MasterLevel());
}

bool IsMuted() {
    return muted;
}

namespace Testing {

int DeviceOpens() {
    return opens;
}
int DeviceOpenAttempts() {
    return openAttempts;
}
int Decodes() {
    return decodes;
}
size_t CachedSounds() {
    return table.chunks.size();
}
size_t Handles() {
    return table.entries.size();
}

int ChannelOf(uint32_t sound) {
    SndStruct* entry = Valid(sound);
    return entry && OwnsChannel(*entry) ? entry->channel : -1;
}

bool ChannelPlaying(int channel) {
    return init && channel >= 0 && channel < kChannels && Mix_Playing(channel) != 0;
}

int PlayingChannels() {
    return init ? Mix_Playing(-1) : 0;
}

int ChannelVolume(int channel) {
    return init && channel >= 0 && channel < kChannels ? Mix_Volume(channel, -1) : -1;
}

int MasterVolume() {
    return init ? Mix_MasterVolume(-1) : -1;
}

}  // namespace Testing
}  // namespace Music
