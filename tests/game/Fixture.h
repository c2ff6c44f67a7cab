// Shared ground for the game's tests: a private working directory with the
// ten level files, a single-coloured picture given for every image the game
// loads (so a pixel of the buffer tells which tile or sprite is on top), the
// window opened with instant waits, and the game's state and random
// generator back at their program-start values.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <span>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/KerboImplementation.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"
#include "window/VitrineTest.h"

namespace Fixture {

namespace fs = std::filesystem;
using namespace KerboImplementation;

constexpr uint32_t LeftArrow = Vitrine::KEY_LEFT;
constexpr uint32_t RightArrow = Vitrine::KEY_RIGHT;
constexpr uint32_t KeyX = Vitrine::KEY_X;
constexpr uint32_t LightGrey = 0xC0C0C0;

// Storeys 3 to 10 of a level, one string of 16 letters each; storeys 1 and 2
// are always ceiling.
using Storeys = std::array<std::string, 8>;

// A level without items whose only walkable storey is row 9, where Oska
// starts. The cats start in rows 4 to 8, which are ceiling here, so they
// stay where they are and never reach him.
inline Storeys QuietLevel() {
    return {"cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc", "cccccccccccccccc",
            "cccccccccccccccc", "cccccccccccccccc", "wppppppppppppppw", "wwwwwwwwwwwwwwww"};
}

// Oska drops down a shaft onto the level's one item in the bottom row: 100
// points and the level is cleared in its first frames.
inline Storeys ItemAtTheFootLevel() {
    Storeys level = QuietLevel();
    level[6] = "wppppppppepppppw";
    level[7] = "wwwwwwwwwiwwwwww";
    return level;
}

// Oska drops out of the house: a life lost at every attempt.
inline Storeys DropLevel() {
    Storeys level = ItemAtTheFootLevel();
    level[0] = "cccccccccccciccc";
    level[7] = "wwwwwwwwwewwwwww";
    return level;
}

// A file's whole contents ("" when it can't be read).
inline std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text;
}

// Every image file the game screen loads, with its size.
inline std::span<const Assets::Image> GameImages() {
    return Assets::GameScreenImages;
}

inline bool IsMask(const std::string& name) {
    return name.find("Mask") != std::string::npos;
}

// The colour an image is filled with, as the buffer reports it (0x00BBGGRR).
// Masks are white: the whole sprite square is drawn. The other images get
// colours that differ from each other, from black, white and the light grey
// of the texts.
inline uint32_t ColourOf(const std::string& name);
inline uint32_t ColourOf(const Assets::Image& image) {
    return ColourOf(image.file);
}
inline uint32_t ColourOf(const std::string& name) {
    if (IsMask(name)) return 0xFFFFFF;
    const auto& files = GameImages();
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (name == files[k].file) {
            const uint32_t n = static_cast<uint32_t>(k) + 1;
            const uint32_t r = (n * 37u) & 0xFFu;
            const uint32_t g = (n * 91u + 50u) & 0x7Fu;  // below the grey's 0xC0
            const uint32_t b = (n * 53u + 100u) & 0xFFu;
            return r | (g << 8) | (b << 16);
        }
    }
    ADD_FAILURE() << "no fixture image named " << name;
    return 0;
}

// The game's working directory for this test program.
inline fs::path WorkDir() {
    return fs::temp_directory_path() / ("kerbo_game_test_" + std::to_string(getpid()));
}

inline void WriteLevel(uint32_t k, const Storeys& storeys) {
    std::ofstream file(WorkDir() / ("level" + std::to_string(k) + ".txt"), std::ios::binary);
    file << "cccccccccccccccc\r\ncccccccccccccccc\r\n";
    for (const std::string& storey : storeys) file << storey << "\r\n";
}

inline void WriteAllLevels(const Storeys& storeys) {
    for (uint32_t k = 1; k <= 10; ++k) WriteLevel(k, storeys);
}

// Holds or lets go of a key, effective at once.
inline void Hold(uint32_t key) {
    Vitrine::Testing::PressKey(key);
    Vitrine::Testing::ApplyInput();
}
inline void Release(uint32_t key) {
    Vitrine::Testing::ReleaseKey(key);
    Vitrine::Testing::ApplyInput();
}

// Takes every cat out of play, for tests about Oska alone.
inline void NoCats() {
    for (Enemy& cat : EnemyArr) cat.StillExisting = false;
}

// Plays n frames; stops early (and fails) if a frame ends the game.
inline void Frames(int n) {
    for (int k = 0; k < n; ++k) {
        ASSERT_TRUE(PlayFrame()) << "frame " << k + 1 << " left the game";
    }
}

// The frames the game holds still after a door use or P.
inline void PassHold() {
    Frames(static_cast<int>(World.HoldFrames));
}

inline uint32_t Pixel(int32_t x, int32_t y) {
    return Vitrine::Testing::Pixel(x, y) & 0xFFFFFF;
}

// The base of the game's tests: a fresh working directory with the quiet
// level in all ten files, the game's images given, the window open, waits
// instant, state reset.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        oldDir_ = fs::current_path();
        fs::create_directories(WorkDir());
        for (const Assets::Image& image : GameImages()) {
            Vitrine::Testing::GivePicture(
                image.file, image.width, image.height,
                std::vector<uint32_t>(size_t(image.width) * image.height, ColourOf(image.file)));
        }
        WriteAllLevels(QuietLevel());
        fs::current_path(WorkDir());

        ResetState();
        StandardLib::ResetRandom();
        ASSERT_TRUE(Vitrine::Window("KERBO anno 2011", 800, 500)) << Vitrine::LastError();
        Vitrine::SetBuffering(true);
        Vitrine::Testing::SetInstantWaits(true);
    }

    void TearDown() override {
        Vitrine::Testing::ReleaseKey(LeftArrow);
        Vitrine::Testing::ReleaseKey(RightArrow);
        Vitrine::Testing::ReleaseKey(KeyX);
        Vitrine::KillWindow();
        fs::current_path(oldDir_);
        std::error_code ignored;
        fs::remove_all(WorkDir(), ignored);
    }

    // A new game on level 1 built from these storeys, with the cats out of
    // play unless asked for.
    void StartLevel(const Storeys& storeys, bool withCats = false) {
        WriteLevel(1, storeys);
        LoadGame();
        LoadLevel(1);
        if (!withCats) NoCats();
    }

  private:
    fs::path oldDir_;
};

}  // namespace Fixture
