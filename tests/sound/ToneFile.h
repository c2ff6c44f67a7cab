// Short sine tones written as WAV files at run time, so the sound tests carry
// no sound files of their own.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace ToneFile {

// A fresh folder for this process's tones.
inline std::filesystem::path Folder() {
  auto dir = std::filesystem::temp_directory_path() / ("kerbo_sound_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

// Mono 16-bit PCM at 32000 Hz; returns the file's path.
inline std::string Write(const std::string& name, int milliseconds, double hertz = 440.0) {
  const uint32_t rate = 32000;
  const uint32_t frames = rate * milliseconds / 1000;
  const uint32_t dataBytes = frames * 2;
  const std::string path = (Folder() / name).string();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return path;
  auto u32 = [f](uint32_t v) { for (int i = 0; i < 4; ++i) std::fputc((v >> (8 * i)) & 0xFF, f); };
  auto u16 = [f](uint16_t v) { std::fputc(v & 0xFF, f); std::fputc(v >> 8, f); };
  std::fputs("RIFF", f); u32(36 + dataBytes); std::fputs("WAVE", f);
  std::fputs("fmt ", f); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
  std::fputs("data", f); u32(dataBytes);
  for (uint32_t i = 0; i < frames; ++i) {
    const double s = std::sin(2.0 * M_PI * hertz * i / rate);
    u16(static_cast<uint16_t>(static_cast<int16_t>(s * 8000)));
  }
  std::fclose(f);
  return path;
}

}  // namespace ToneFile
