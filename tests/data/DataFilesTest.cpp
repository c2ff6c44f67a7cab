// The generated data folder: every picture the game opens, at the size it opens it,
// masks that fit their pictures, readable screens, and sounds that decode.
#include <gtest/gtest.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/data/Bmp.h"

using kerbo_data_test::Bmp;
using kerbo_data_test::Luma;
using kerbo_data_test::ReadBmp;

namespace {

const std::string kData = KERBO_DATA_DIR;

struct Use {
    const char* path;  // as the game spells it
    int w, h;          // the size it is loaded at
};

// Every picture the game loads, with the size of each load.
const Use kUses[] = {
    {"Images/OskaLeft1.bmp", 35, 35},
    {"Images/OskaRight1.bmp", 35, 35},
    {"Images/OskaLeftMask1.bmp", 35, 35},
    {"Images/OskaRightMask1.bmp", 35, 35},
    {"Images/OskaLeft2.bmp", 35, 35},
    {"Images/OskaRight2.bmp", 35, 35},
    {"Images/OskaLeftMask2.bmp", 35, 35},
    {"Images/OskaRightMask2.bmp", 35, 35},
    {"Images/TrampolineGreen.bmp", 50, 50},
    {"Images/TrampolineBlue.bmp", 50, 50},
    {"Images/TrampolineYellow.bmp", 50, 50},
    {"Images/TrampolineRed.bmp", 50, 50},
    {"Images/DoorLeftOpen.bmp", 50, 50},
    {"Images/DoorLeftClosed.bmp", 50, 50},
    {"Images/DoorRightOpen.bmp", 50, 50},
    {"Images/DoorRightClosed.bmp", 50, 50},
    {"Images/ShockDoorLeftOpen.bmp", 50, 50},
    {"Images/ShockDoorLeftClosed.bmp", 50, 50},
    {"Images/ShockDoorRightOpen.bmp", 50, 50},
    {"Images/ShockDoorRightClosed.bmp", 50, 50},
    {"Images/Item1.bmp", 50, 50},
    {"Images/Item2.bmp", 50, 50},
    {"Images/Item3.bmp", 50, 50},
    {"Images/Item4.bmp", 50, 50},
    {"Images/Item5.bmp", 50, 50},
    {"Images/WaveLeft.bmp", 35, 35},
    {"Images/WaveLeftMask.bmp", 35, 35},
    {"Images/WaveRight.bmp", 35, 35},
    {"Images/WaveRightMask.bmp", 35, 35},
    {"Images/Passage.bmp", 50, 50},
    {"Images/Elevator.bmp", 50, 50},
    {"Images/EndElevator.bmp", 50, 50},
    {"Images/Ceiling.bmp", 50, 50},
    {"Images/Wall.bmp", 50, 50},
    {"Images/Enemy.bmp", 35, 35},
    {"Images/EnemyMask.bmp", 35, 35},
    {"images/pausebackground.bmp", 800, 500},
    {"images/gameoverbackground.bmp", 800, 500},
    {"images/youwinbackground.bmp", 800, 500},
    {"images/background.bmp", 800, 500},
    {"images/Controls.bmp", 800, 500},
    {"images/storybackground.bmp", 800, 500},
    {"images/asknamebackground.bmp", 800, 500},
    {"images/highscorebackground.bmp", 800, 500},
    {"images/resume0.bmp", 250, 75},
    {"images/resume1.bmp", 250, 75},
    {"images/quittomenu0.bmp", 250, 75},
    {"images/quittomenu1.bmp", 250, 75},
    {"images/retry0.bmp", 250, 75},
    {"images/retry1.bmp", 250, 75},
    {"images/play0.bmp", 250, 75},
    {"images/play1.bmp", 250, 75},
    {"images/difficulty0.bmp", 250, 75},
    {"images/difficulty1.bmp", 250, 75},
    {"images/controls0.bmp", 250, 75},
    {"images/controls1.bmp", 250, 75},
    {"images/highscores0.bmp", 250, 75},
    {"images/highscores1.bmp", 250, 75},
    {"images/quit0.bmp", 250, 75},
    {"images/quit1.bmp", 250, 75},
    {"images/back0.bmp", 250, 75},
    {"images/back1.bmp", 250, 75},
    {"images/back0.bmp", 200, 100},
    {"images/back1.bmp", 200, 100},
    {"images/back_mask.bmp", 200, 100},
    {"images/down.bmp", 50, 100},
    {"images/down1.bmp", 50, 100},
    {"images/down_mask.bmp", 50, 100},
    {"images/up.bmp", 50, 100},
    {"images/up1.bmp", 50, 100},
    {"images/up_mask.bmp", 50, 100},
    {"images/easy.bmp", 200, 100},
    {"images/easy_mask.bmp", 200, 100},
    {"images/medium.bmp", 200, 100},
    {"images/medium_mask.bmp", 200, 100},
    {"images/hard.bmp", 200, 100},
    {"images/hard_mask.bmp", 200, 100},
};

// Pictures and the masks they are drawn through.
const std::pair<const char*, const char*> kMasked[] = {
    {"Images/OskaLeft1.bmp", "Images/OskaLeftMask1.bmp"},
    {"Images/OskaRight1.bmp", "Images/OskaRightMask1.bmp"},
    {"Images/OskaLeft2.bmp", "Images/OskaLeftMask2.bmp"},
    {"Images/OskaRight2.bmp", "Images/OskaRightMask2.bmp"},
    {"Images/WaveLeft.bmp", "Images/WaveLeftMask.bmp"},
    {"Images/WaveRight.bmp", "Images/WaveRightMask.bmp"},
    {"Images/Enemy.bmp", "Images/EnemyMask.bmp"},
    {"images/down.bmp", "images/down_mask.bmp"},
    {"images/down1.bmp", "images/down_mask.bmp"},
    {"images/up.bmp", "images/up_mask.bmp"},
    {"images/up1.bmp", "images/up_mask.bmp"},
    {"images/easy.bmp", "images/easy_mask.bmp"},
    {"images/medium.bmp", "images/medium_mask.bmp"},
    {"images/hard.bmp", "images/hard_mask.bmp"},
};

Bmp Load(const std::string& rel) {
    return ReadBmp(kData + "/" + rel);
}

bool IsMask(const std::string& rel) {
    return rel.find("Mask") != std::string::npos || rel.find("_mask") != std::string::npos;
}

int WhiteCount(const Bmp& m) {
    return int(std::count(m.px.begin(), m.px.end(), 0xFFFFFFu));
}

}  // namespace

TEST(DataFiles, EveryPictureTheGameOpensExistsAtALoadedSize) {
    std::map<std::string, std::set<std::pair<int, int>>> sizes;
    for (const Use& u : kUses) sizes[u.path].insert({u.w, u.h});
    for (auto& [path, allowed] : sizes) {
        SCOPED_TRACE(path);
        Bmp b = Load(path);  // images/ resolves through the lower-case link
        ASSERT_TRUE(b.ok) << b.error;
        EXPECT_TRUE(allowed.count({b.w, b.h})) << "is " << b.w << " x " << b.h;
        EXPECT_EQ(b.bits, IsMask(path) ? 1 : 24);
    }
}

TEST(DataFiles, MasksAreBlackAndWhiteAndFitTheirPictures) {
    for (const Use& u : kUses) {
        if (!IsMask(u.path)) continue;
        SCOPED_TRACE(u.path);
        Bmp m = Load(u.path);
        ASSERT_TRUE(m.ok) << m.error;
        for (uint32_t c : m.px) ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << std::hex << c;
        int white = WhiteCount(m);
        EXPECT_GT(white, m.w * m.h / 10) << "hardly anything drawn";
        EXPECT_LT(white, m.w * m.h) << "nothing see-through";
    }
    for (auto& [pic, mask] : kMasked) {
        SCOPED_TRACE(pic);
        Bmp p = Load(pic), m = Load(mask);
        ASSERT_TRUE(p.ok && m.ok);
        EXPECT_EQ(p.w, m.w);
        EXPECT_EQ(p.h, m.h);
    }
}

// Left frames face left: their masks mirror the right ones. The two walking frames differ.
TEST(DataFiles, SpritesFaceTheWayTheyWalkAndTheirFramesDiffer) {
    for (int frame = 1; frame <= 2; ++frame) {
        Bmp l = Load("Images/OskaLeftMask" + std::to_string(frame) + ".bmp");
        Bmp r = Load("Images/OskaRightMask" + std::to_string(frame) + ".bmp");
        ASSERT_TRUE(l.ok && r.ok);
        for (int y = 0; y < 35; ++y)
            for (int x = 0; x < 35; ++x)
                ASSERT_EQ(l.At(x, y), r.At(34 - x, y)) << frame << " at " << x << "," << y;
    }
    Bmp f1 = Load("Images/OskaRightMask1.bmp"), f2 = Load("Images/OskaRightMask2.bmp");
    int differ = 0;
    for (size_t i = 0; i < f1.px.size(); ++i) differ += f1.px[i] != f2.px[i];
    EXPECT_GE(differ, 20) << "walking frames look alike";
    Bmp wl = Load("Images/WaveLeftMask.bmp"), wr = Load("Images/WaveRightMask.bmp");
    EXPECT_NE(wl.px, wr.px);
    // Figures stand on the bottom row of their sprite, where the floor begins.
    for (const char* m : {"Images/OskaRightMask1.bmp", "Images/OskaRightMask2.bmp", "Images/EnemyMask.bmp"}) {
        Bmp b = Load(m);
        int bottom = 0;
        for (int x = 0; x < 35; ++x) bottom += b.At(x, 34) == 0xFFFFFF;
        EXPECT_GT(bottom, 0) << m << " floats above the floor";
    }
}

// Pictures the player must tell apart at a glance are not near copies of each other.
TEST(DataFiles, PicturesThatMeanDifferentThingsLookDifferent) {
    const std::vector<std::vector<std::string>> groups = {
        {"Item1", "Item2", "Item3", "Item4", "Item5"},
        {"TrampolineGreen", "TrampolineBlue", "TrampolineYellow", "TrampolineRed", "Elevator"},
        {"DoorLeftOpen", "DoorLeftClosed", "ShockDoorLeftOpen", "ShockDoorLeftClosed", "Passage"},
        {"DoorRightOpen", "DoorRightClosed", "ShockDoorRightOpen", "ShockDoorRightClosed", "Passage"},
        {"DoorLeftOpen", "DoorRightOpen"},
        {"ShockDoorLeftOpen", "ShockDoorRightOpen"},
        {"ShockDoorLeftClosed", "ShockDoorRightClosed"},
        {"Passage", "Wall", "Elevator", "EndElevator", "Ceiling"},
    };
    for (auto& group : groups)
        for (size_t i = 0; i < group.size(); ++i)
            for (size_t j = i + 1; j < group.size(); ++j) {
                Bmp a = Load("Images/" + group[i] + ".bmp"), b = Load("Images/" + group[j] + ".bmp");
                ASSERT_TRUE(a.ok && b.ok);
                int differ = 0;
                for (size_t k = 0; k < a.px.size(); ++k) differ += a.px[k] != b.px[k];
                EXPECT_GT(differ, 50 * 50 / 20) << group[i] << " and " << group[j] << " look alike";
            }
}

// The status texts are light grey on the ceiling; the game writes black names and scores
// on the name and high-score screens.
TEST(DataFiles, TextsTheGameDrawsStayReadable) {
    Bmp ceiling = Load("Images/Ceiling.bmp");
    ASSERT_TRUE(ceiling.ok);
    for (uint32_t c : ceiling.px) ASSERT_LT(Luma(c), 70.0) << std::hex << c;

    auto plainLight = [](const Bmp& b, int x0, int y0, int x1, int y1) {
        double lo = 255, hi = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                lo = std::min(lo, Luma(b.At(x, y))), hi = std::max(hi, Luma(b.At(x, y)));
        return lo > 190.0 && hi - lo < 30.0;
    };
    Bmp ask = Load("images/asknamebackground.bmp");
    ASSERT_TRUE(ask.ok);
    EXPECT_TRUE(plainLight(ask, 476, 194, 660, 222)) << "name field";
    Bmp high = Load("images/highscorebackground.bmp");
    ASSERT_TRUE(high.ok);
    for (int y : {210, 290, 370})
        EXPECT_TRUE(plainLight(high, 276, y - 2, 640, y + 22)) << "score line at y " << y;
}

// Menus draw their buttons over the left part of these screens; nothing there may look like
// a second button under them, so that part is kept to the plain background.
TEST(DataFiles, ButtonAreasOfScreensAreClear) {
    // A few stars are fine; text and tiles make many sharp edges.
    auto calm = [](const Bmp& b, int x0, int y0, int x1, int y1) {
        int edges = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0 + 1; x < x1; ++x)
                edges += std::abs(Luma(b.At(x, y)) - Luma(b.At(x - 1, y))) > 40.0;
        return edges < (x1 - x0) * (y1 - y0) / 500;
    };
    EXPECT_TRUE(calm(Load("images/background.bmp"), 60, 60, 310, 455));
    EXPECT_TRUE(calm(Load("images/background.bmp"), 25, 250, 325, 450));
    EXPECT_TRUE(calm(Load("images/Controls.bmp"), 60, 60, 310, 135));
    for (const char* s :
         {"images/pausebackground.bmp", "images/gameoverbackground.bmp", "images/youwinbackground.bmp"})
        EXPECT_TRUE(calm(Load(s), 60, 60, 310, 215)) << s;
}

TEST(DataFiles, StartingHighScoreTableIsWellFormed) {
    std::ifstream in(kData + "/Highscores.txt", std::ios::binary);
    ASSERT_TRUE(in) << "no Highscores.txt";
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A player's table may stand here; any table the game wrote is three entries.
    std::regex line("[ ]*[0-9]{1,10} [A-Z ]{1,25}(\r\n)?");
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        cur += c;
        if (c == '\n') lines.push_back(cur), cur.clear();
    }
    if (!cur.empty()) lines.push_back(cur);
    ASSERT_EQ(lines.size(), 3u) << text;
    for (auto& l : lines) EXPECT_TRUE(std::regex_match(l, line)) << l;
}

// ---------------------------------------------------------------- sounds

namespace {
struct Decoded {
    bool ok = false;
    std::string error;
    long rate = 0;
    int channels = 0;
    std::vector<short> samples;
};

Decoded Decode(const std::string& path) {
    Decoded d;
    mpg123_init();
    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    mpg123_param(h, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    if (mpg123_open(h, path.c_str()) != MPG123_OK) {
        d.error = mpg123_strerror(h);
        mpg123_delete(h);
        return d;
    }
    int enc = 0;
    mpg123_getformat(h, &d.rate, &d.channels, &enc);
    mpg123_format_none(h);
    mpg123_format(h, d.rate, d.channels, MPG123_ENC_SIGNED_16);
    std::vector<unsigned char> buf(65536);
    for (;;) {
        size_t got = 0;
        int r = mpg123_read(h, buf.data(), buf.size(), &got);
        const short* s = reinterpret_cast<const short*>(buf.data());
        d.samples.insert(d.samples.end(), s, s + got / 2);
        if (r == MPG123_DONE) break;
        if (r != MPG123_OK && r != MPG123_NEW_FORMAT) {
            d.error = mpg123_plain_strerror(r);
            mpg123_close(h), mpg123_delete(h);
            return d;
        }
    }
    mpg123_close(h);
    mpg123_delete(h);
    d.ok = true;
    return d;
}
}  // namespace

TEST(DataSounds, EverySoundDecodesAsMono32k) {
    const std::pair<const char*, double> sounds[] = {
        {"Theme", 30.0}, {"RoundClear", 0.8}, {"Death", 0.6},         {"GOver", 2.0},
        {"Win", 2.0},    {"GetItem", 0.15},   {"JumpTrampoline", 0.1}};
    for (auto& [name, minSeconds] : sounds) {
        SCOPED_TRACE(name);
        Decoded d = Decode(kData + "/Music/" + name + ".MP3");
        ASSERT_TRUE(d.ok) << d.error;
        EXPECT_EQ(d.rate, 32000);
        EXPECT_EQ(d.channels, 1);
        double seconds = double(d.samples.size()) / 32000.0;
        EXPECT_GE(seconds, minSeconds);
        EXPECT_LE(seconds, std::string(name) == "Theme" ? 120.0 : 8.0);
        short peak = 0;
        for (short s : d.samples) peak = std::max<short>(peak, short(std::abs(int(s))));
        EXPECT_GT(peak, 3000) << "too quiet";
        EXPECT_LT(peak, 32700) << "clipped";
    }
}

// Played in a loop, the theme's end runs straight into its start: no silence from the
// encoder's delay or padding and no jump in the wave.
TEST(DataSounds, ThemeLoopsWithoutGapOrClick) {
    Decoded d = Decode(kData + "/Music/Theme.MP3");
    ASSERT_TRUE(d.ok) << d.error;
    const auto& s = d.samples;
    ASSERT_GT(s.size(), 32000u);
    // Whole bars of sixteenths (3200 samples at 150 beats a minute): nothing of the encoder's
    // delay or padding is left over.
    EXPECT_EQ(s.size() % (16u * 3200u), 0u) << s.size();
    auto quiet = [&](size_t from, size_t n) {
        int peak = 0;
        for (size_t i = from; i < from + n; ++i) peak = std::max(peak, std::abs(int(s[i])));
        return peak < 200;
    };
    EXPECT_FALSE(quiet(0, 800)) << "silence at the start";
    EXPECT_FALSE(quiet(s.size() - 800, 800)) << "silence at the end";
    // The step across the seam is no bigger than the music's own steps.
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(int(s[i]) - int(s[i - 1])));
    std::sort(steps.begin(), steps.end());
    int typicalBig = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::abs(int(s.front()) - int(s.back())), typicalBig);
}

// The game loads its sounds through the mixer; the theme must come out at its exact length
// there too, so that a looped channel repeats it without a gap.
TEST(DataSounds, MixerLoadsTheThemeAtItsExactLength) {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    Mix_Init(MIX_INIT_MP3);
    ASSERT_EQ(Mix_OpenAudio(32000, AUDIO_S16SYS, 1, 1024), 0) << Mix_GetError();
    Mix_Chunk* theme = Mix_LoadWAV((kData + "/Music/Theme.MP3").c_str());
    ASSERT_NE(theme, nullptr) << Mix_GetError();
    EXPECT_EQ(theme->alen, Decode(kData + "/Music/Theme.MP3").samples.size() * 2u);
    EXPECT_EQ(theme->alen % (16u * 3200u * 2u), 0u);
    Mix_FreeChunk(theme);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}
