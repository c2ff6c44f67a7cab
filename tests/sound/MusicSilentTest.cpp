// The sound table with no usable audio device: everything stays silent, and a
// failed open is not retried at every call.
#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/sound/ToneFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace Music;
namespace T = Music::Testing;

TEST(MusicSilent, NoDeviceMeansNoHandlesAndCheapRetries) {
  const std::string tone = ToneFile::Write("silent.wav", 100);
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);

  EXPECT_FALSE(InitMusic());
  EXPECT_EQ(LoadSound("Music/Theme.MP3"), 0u);
  EXPECT_EQ(LoadSound(tone.c_str()), 0u);  // even a file that exists
  PlaySound(0, true);
  PlaySound(1, false);
  SetSoundVolume(1, 200);
  StopSound(1);
  EXPECT_EQ(T::Handles(), 0u);
  EXPECT_EQ(T::Decodes(), 0);

  // The game calls InitMusic at every death and level; within a second only
  // the first call may probe the device.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) EXPECT_FALSE(InitMusic());
  if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(900)) {
    EXPECT_EQ(T::DeviceOpenAttempts(), 1);
  }

  // Once a device is there, a later call opens it and sounds load and play.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  ASSERT_TRUE(InitMusic());
  EXPECT_EQ(T::DeviceOpens(), 1);
  const uint32_t s = LoadSound(tone.c_str());
  EXPECT_EQ(s, 1u);
  PlaySound(s, true);
  EXPECT_EQ(T::PlayingChannels(), 1);
}
