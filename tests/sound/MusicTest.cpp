// The sound table on SDL's dummy audio driver: handles, playing, stopping,
// volume, restarts and the per-file cache.
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

// Waits until the channel has gone quiet by itself; false on timeout.
bool WaitQuiet(int channel, std::chrono::milliseconds limit = std::chrono::seconds(3)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (T::ChannelPlaying(channel)) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class MusicTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Headless however the program is started: no tones from the speakers.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    longTone = ToneFile::Write("long.wav", 2000);
    shortTone = ToneFile::Write("short.wav", 20);
    otherTone = ToneFile::Write("other.wav", 2000, 660.0);
  }
  void SetUp() override { ASSERT_TRUE(InitMusic()) << "dummy audio driver should open"; }
  void TearDown() override { InitMusic(); }  // leave nothing playing

  static inline std::string longTone, shortTone, otherTone;
};

TEST_F(MusicTest, HandlesCountUpAndFailedLoadsUseNone) {
  const uint32_t before = static_cast<uint32_t>(T::Handles());
  const uint32_t first = LoadSound(longTone.c_str());
  EXPECT_EQ(first, before + 1);  // 1 in a fresh process
  EXPECT_EQ(LoadSound(shortTone.c_str()), first + 1);
  EXPECT_EQ(LoadSound("Music/NoSuchFile.MP3"), 0u);
  EXPECT_EQ(LoadSound(nullptr), 0u);
  EXPECT_EQ(LoadSound(otherTone.c_str()), first + 2);

  // Handle 0 and handles never given out are ignored.
  PlaySound(0, true);
  PlaySound(first + 1000, false);
  SetSoundVolume(0, 10);
  StopSound(first + 1000);
  EXPECT_EQ(T::PlayingChannels(), 0);
}

TEST_F(MusicTest, RepeatedLoadsDecodeOnceAndShareTheSound) {
  const int decodesBefore = T::Decodes();
  const size_t cachedBefore = T::CachedSounds();
  uint32_t a = LoadSound(longTone.c_str());
  for (int i = 0; i < 999; ++i) ASSERT_NE(LoadSound(longTone.c_str()), 0u);
  uint32_t b = LoadSound(longTone.c_str());
  EXPECT_EQ(b, a + 1000);
  EXPECT_LE(T::Decodes() - decodesBefore, 1);
  EXPECT_LE(T::CachedSounds() - cachedBefore, 1u);

  // Handles sharing a decoded sound still play and stop on their own.
  PlaySound(a, true);
  PlaySound(b, true);
  EXPECT_EQ(T::PlayingChannels(), 2);
  StopSound(a);
  EXPECT_EQ(T::PlayingChannels(), 1);
  EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(b)));
}

TEST_F(MusicTest, OnceEndsByItselfAndRepeatKeepsPlaying) {
  const uint32_t once = LoadSound(shortTone.c_str());
  const uint32_t looped = LoadSound(shortTone.c_str());
  PlaySound(once, false);
  PlaySound(looped, true);
  const int onceChannel = T::ChannelOf(once);
  const int loopChannel = T::ChannelOf(looped);
  ASSERT_GE(onceChannel, 0);
  ASSERT_GE(loopChannel, 0);
  ASSERT_NE(onceChannel, loopChannel);
  EXPECT_TRUE(WaitQuiet(onceChannel));
  EXPECT_TRUE(T::ChannelPlaying(loopChannel));  // many times the tone's 20 ms later
  StopSound(looped);
  EXPECT_FALSE(T::ChannelPlaying(loopChannel));
}

TEST_F(MusicTest, PlayingTwiceStopsTheFirstPlay) {
  const uint32_t s = LoadSound(longTone.c_str());
  PlaySound(s, true);
  PlaySound(s, true);
  EXPECT_EQ(T::PlayingChannels(), 1);
  EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(s)));
}

TEST_F(MusicTest, StopOfANeverStartedSoundTouchesNothing) {
  const uint32_t playing = LoadSound(longTone.c_str());
  const uint32_t idle = LoadSound(otherTone.c_str());
  PlaySound(playing, true);
  StopSound(idle);
  StopSound(idle);
  EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(playing)));
  StopSound(playing);
  StopSound(playing);  // a second stop is harmless
  EXPECT_EQ(T::PlayingChannels(), 0);
}

TEST_F(MusicTest, VolumeOnlyAfterPlayAndCutAt255) {
  const uint32_t s = LoadSound(longTone.c_str());
  SetSoundVolume(s, 200);  // not started yet: nothing to change
  PlaySound(s, false);
  const int ch = T::ChannelOf(s);
  ASSERT_GE(ch, 0);
  EXPECT_EQ(T::ChannelVolume(ch), 128);  // default is full volume
  SetSoundVolume(s, 200);
  EXPECT_EQ(T::ChannelVolume(ch), 100);
  SetSoundVolume(s, 300);
  EXPECT_EQ(T::ChannelVolume(ch), 128);
  SetSoundVolume(s, 255);
  EXPECT_EQ(T::ChannelVolume(ch), 128);
  SetSoundVolume(s, 1);
  EXPECT_EQ(T::ChannelVolume(ch), 1);
  SetSoundVolume(s, 0);
  EXPECT_EQ(T::ChannelVolume(ch), 0);

  // A stopped sound no longer sets volumes, and the next sound on that channel
  // starts at full volume rather than inheriting the old setting.
  StopSound(s);
  SetSoundVolume(s, 50);
  const uint32_t next = LoadSound(otherTone.c_str());
  PlaySound(next, false);
  ASSERT_EQ(T::ChannelOf(next), ch);
  EXPECT_EQ(T::ChannelVolume(ch), 128);
}

TEST_F(MusicTest, RestartStopsEverythingButKeepsHandles) {
  const uint32_t theme = LoadSound(longTone.c_str());
  const uint32_t item = LoadSound(otherTone.c_str());
  PlaySound(theme, true);
  PlaySound(item, false);
  ASSERT_EQ(T::PlayingChannels(), 2);
  const int opens = T::DeviceOpens();

  EXPECT_TRUE(InitMusic());
  EXPECT_EQ(T::PlayingChannels(), 0);
  EXPECT_EQ(T::DeviceOpens(), opens);  // the device is opened only once

  // The old handles still play, and a stale handle cuts nothing new.
  const uint32_t death = LoadSound(otherTone.c_str());
  PlaySound(death, false);
  StopSound(theme);
  SetSoundVolume(item, 0);
  EXPECT_EQ(T::PlayingChannels(), 1);
  EXPECT_EQ(T::ChannelVolume(T::ChannelOf(death)), 128);
  PlaySound(theme, true);
  EXPECT_EQ(T::PlayingChannels(), 2);
}

TEST_F(MusicTest, ChannelGivenToAnotherSoundIsNotCutByTheOldHandle) {
  const uint32_t jump = LoadSound(shortTone.c_str());
  PlaySound(jump, false);
  const int ch = T::ChannelOf(jump);
  ASSERT_GE(ch, 0);
  ASSERT_TRUE(WaitQuiet(ch));

  const uint32_t theme = LoadSound(longTone.c_str());
  PlaySound(theme, true);
  ASSERT_EQ(T::ChannelOf(theme), ch);  // the freed channel is reused
  EXPECT_EQ(T::ChannelOf(jump), -1);

  SetSoundVolume(jump, 0);
  StopSound(jump);
  EXPECT_TRUE(T::ChannelPlaying(ch));
  EXPECT_EQ(T::ChannelVolume(ch), 128);

  // Playing the old handle again takes a channel of its own.
  PlaySound(jump, true);
  EXPECT_NE(T::ChannelOf(jump), ch);
  EXPECT_EQ(T::PlayingChannels(), 2);
}

TEST_F(MusicTest, AllChannelsBusyDropsTheNewSound) {
  const uint32_t first = LoadSound(longTone.c_str());
  for (int i = 1; i < 64; ++i) PlaySound(LoadSound(longTone.c_str()), true);
  PlaySound(first, true);
  ASSERT_EQ(T::PlayingChannels(), 64);
  const uint32_t extra = LoadSound(otherTone.c_str());
  PlaySound(extra, true);
  EXPECT_EQ(T::ChannelOf(extra), -1);
  SetSoundVolume(extra, 0);
  StopSound(extra);
  EXPECT_EQ(T::PlayingChannels(), 64);
}

}  // namespace
