// The game's sounds are MP3 files: one is encoded here at run time and must
// load, decode once and play like any other sound.
#include "sound/Music.h"
#include "sound/MusicTest.h"
#include "tests/sound/ToneFile.h"

#include <gtest/gtest.h>
#include <lame/lame.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace T = Music::Testing;

namespace {

std::string WriteMp3(const std::string& name, int milliseconds) {
  const int rate = 32000;
  std::vector<short> pcm(rate * milliseconds / 1000);
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<short>(8000 * std::sin(2 * M_PI * 440 * i / rate));

  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, rate);
  lame_set_num_channels(lame, 1);
  lame_set_mode(lame, MONO);
  if (lame_init_params(lame) < 0) return {};
  std::vector<unsigned char> mp3(pcm.size() * 5 / 4 + 7200);
  int n = lame_encode_buffer(lame, pcm.data(), pcm.data(), static_cast<int>(pcm.size()), mp3.data(),
                             static_cast<int>(mp3.size()));
  n += lame_encode_flush(lame, mp3.data() + n, static_cast<int>(mp3.size()) - n);
  lame_close(lame);

  const std::string path = (ToneFile::Folder() / name).string();
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(mp3.data(), 1, static_cast<size_t>(n), f);
  std::fclose(f);
  return path;
}

}  // namespace

TEST(MusicMp3, LoadsDecodesOnceAndPlays) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string theme = WriteMp3("Theme.MP3", 500);
  ASSERT_FALSE(theme.empty());
  ASSERT_TRUE(Music::InitMusic());
  const uint32_t a = Music::LoadSound(theme.c_str());
  const uint32_t b = Music::LoadSound(theme.c_str());
  ASSERT_NE(a, 0u);
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(T::Decodes(), 1);
  Music::PlaySound(b, true);
  Music::SetSoundVolume(b, 200);
  EXPECT_TRUE(T::ChannelPlaying(T::ChannelOf(b)));
  EXPECT_EQ(T::ChannelVolume(T::ChannelOf(b)), 100);
}
