// A sine tone written as a mono 16-bit 32 kHz WAV file at run time, so the
// sound tests carry no sound files of their own. Returns the file's path.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

inline std::string WriteTone(const std::string& name, int milliseconds, double hertz = 440.0) {
    auto dir = std::filesystem::temp_directory_path() / ("kerbo_sound_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    const uint32_t rate = 32000, frames = rate * milliseconds / 1000;
    std::ofstream f(path, std::ios::binary);
    auto put = [&f](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) f.put(char(v >> (8 * i)));
    };
    f << "RIFF";
    put(36 + 2 * frames, 4);
    f << "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(2 * rate, 4);
    put(2, 2);
    put(16, 2);
    f << "data";
    put(2 * frames, 4);
    for (uint32_t i = 0; i < frames; ++i)
        put(uint16_t(int16_t(8000 * std::sin(2 * M_PI * hertz * i / rate))), 2);
    return path;
}
