// No usable audio device: everything stays silent, and a failed open is not
// tried again at every call.
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
    const std::string tone = WriteTone("silent.wav", 100);
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    EXPECT_FALSE(InitMusic());
    EXPECT_EQ(LoadSound(tone.c_str()), 0u);  // even a file that exists
    PlaySound(0, true);
    PlaySound(1, false);
    EXPECT_EQ(T::Handles(), 0u);

    for (int i = 0; i < 100; ++i) EXPECT_FALSE(InitMusic());
    EXPECT_EQ(T::DeviceOpenAttempts(), 1);  // within the second, only the first call probes

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    SetMuted(true);            // muted while there was no device: the device opens silent
    ASSERT_TRUE(InitMusic());  // a later call opens the device that is now there
    EXPECT_EQ(T::MasterVolume(), 0);
    SetMuted(false);
    EXPECT_EQ(T::MasterVolume(), 128);
    const uint32_t s = LoadSound(tone.c_str());
    EXPECT_EQ(s, 1u);
    PlaySound(s, true);
    EXPECT_EQ(T::PlayingChannels(), 1);
}
