// The sound table on SDL's dummy audio driver.
#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/sound/ToneFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace Music;
namespace T = Music::Testing;

namespace {

bool WaitQuiet(int channel) {  // until the sound ends by itself; false after 3 s
    for (int i = 0; i < 600 && T::ChannelPlaying(channel); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return !T::ChannelPlaying(channel);
}

class MusicTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);  // headless however it is started
        longTone = WriteTone("long.wav", 2000);
        shortTone = WriteTone("short.wav", 20);
    }
    void SetUp() override { ASSERT_TRUE(InitMusic()); }
    void TearDown() override { InitMusic(); }  // leave nothing playing
    static inline std::string longTone, shortTone;
};

TEST_F(MusicTest, HandlesCountUpAndRepeatedLoadsDecodeOnce) {
    const int decodes = T::Decodes();
    const uint32_t first = LoadSound(longTone.c_str());
    EXPECT_EQ(first, T::Handles());  // 1 in a fresh process
    EXPECT_EQ(LoadSound("Music/NoSuchFile.MP3"), 0u);
    EXPECT_EQ(LoadSound(nullptr), 0u);
    for (uint32_t i = 1; i <= 500; ++i) ASSERT_EQ(LoadSound(longTone.c_str()), first + i);
    EXPECT_LE(T::Decodes() - decodes, 1);

    // Invalid handles and a never-started sound change nothing.
    PlaySound(0, true);
    PlaySound(first + 501, false);
    StopSound(first);
    SetSoundVolume(first, 10);
    EXPECT_EQ(T::PlayingChannels(), 0);
}

TEST_F(MusicTest, PlayOnceRepeatAndPlayAgain) {
    const uint32_t once = LoadSound(shortTone.c_str());
    const uint32_t looped = LoadSound(shortTone.c_str());  // shares the decoded sound
    PlaySound(once, false);
    PlaySound(looped, true);
    PlaySound(looped, true);  // the first play of it is stopped
    EXPECT_EQ(T::PlayingChannels(), 2);
    EXPECT_TRUE(WaitQuiet(T::ChannelOf(once)));
    EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(looped)));  // long after its 20 ms
    StopSound(looped);
    EXPECT_EQ(T::PlayingChannels(), 0);
}

TEST_F(MusicTest, VolumeOnlyWhilePlayingCutAt255AndNotInherited) {
    const uint32_t s = LoadSound(longTone.c_str());
    SetSoundVolume(s, 200);  // not started: nothing to change
    PlaySound(s, false);
    const int ch = T::ChannelOf(s);
    EXPECT_EQ(T::ChannelVolume(ch), 128);
    SetSoundVolume(s, 200);
    EXPECT_EQ(T::ChannelVolume(ch), 100);
    SetSoundVolume(s, 300);
    EXPECT_EQ(T::ChannelVolume(ch), 128);
    SetSoundVolume(s, 1);
    EXPECT_EQ(T::ChannelVolume(ch), 1);

    // The next sound on that channel starts at full volume again.
    StopSound(s);
    const uint32_t next = LoadSound(longTone.c_str());
    PlaySound(next, false);
    ASSERT_EQ(T::ChannelOf(next), ch);
    EXPECT_EQ(T::ChannelVolume(ch), 128);
}

TEST_F(MusicTest, MuteSilencesWithoutStoppingOrForgettingVolumes) {
    const uint32_t s = LoadSound(longTone.c_str());
    PlaySound(s, true);
    SetSoundVolume(s, 200);
    SetMuted(true);
    EXPECT_TRUE(IsMuted());
    EXPECT_EQ(T::MasterVolume(), 0);
    EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(s))) << "the tune goes on, unheard";
    const uint32_t later = LoadSound(shortTone.c_str());
    PlaySound(later, false);
    EXPECT_EQ(T::MasterVolume(), 0) << "a sound started while muted is silent too";
    SetMuted(false);
    EXPECT_EQ(T::MasterVolume(), 128);
    EXPECT_EQ(T::ChannelVolume(T::ChannelOf(s)), 100) << "its own volume is kept";
}

// The player's volume scales every sound through the mixer's master volume;
// muting and unmuting keep it.
TEST_F(MusicTest, ThePlayersVolumeScalesEverySoundAndOutlastsTheMute) {
    const uint32_t s = LoadSound(longTone.c_str());
    PlaySound(s, true);
    SetVolumeLevel(3, 10);
    EXPECT_EQ(T::MasterVolume(), 38);
    SetMuted(true);
    EXPECT_EQ(T::MasterVolume(), 0);
    SetMuted(false);
    EXPECT_EQ(T::MasterVolume(), 38);
    SetVolumeLevel(0, 10);
    EXPECT_EQ(T::MasterVolume(), 0);
    EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(s))) << "silent, not stopped";
    SetVolumeLevel(10, 10);
    EXPECT_EQ(T::MasterVolume(), 128);
}

TEST_F(MusicTest, RestartStopsEverythingButKeepsHandles) {
    const uint32_t theme = LoadSound(longTone.c_str());
    const uint32_t item = LoadSound(shortTone.c_str());
    PlaySound(theme, true);
    PlaySound(item, true);
    const int opens = T::DeviceOpens();
    EXPECT_TRUE(InitMusic());
    EXPECT_EQ(T::PlayingChannels(), 0);
    EXPECT_EQ(T::DeviceOpens(), opens);
    PlaySound(theme, true);
    PlaySound(item, false);
    EXPECT_EQ(T::PlayingChannels(), 2);
}

TEST_F(MusicTest, ChannelGivenToAnotherSoundIsNotTouchedByTheOldHandle) {
    const uint32_t jump = LoadSound(shortTone.c_str());
    PlaySound(jump, false);
    const int ch = T::ChannelOf(jump);
    ASSERT_TRUE(WaitQuiet(ch));
    const uint32_t theme = LoadSound(longTone.c_str());
    PlaySound(theme, true);
    ASSERT_EQ(T::ChannelOf(theme), ch);  // the freed channel is reused

    SetSoundVolume(jump, 0);
    StopSound(jump);
    EXPECT_TRUE(T::ChannelPlaying(ch));
    EXPECT_EQ(T::ChannelVolume(ch), 128);
}

}  // namespace
