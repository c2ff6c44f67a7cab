// The generated data folder: every picture the game opens, at the size it opens it,
// masks that fit their pictures, readable screens, and sounds that decode.
#include <gtest/gtest.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <mpg123.h>

#include <algorithm>
#include <array>
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

#include "game/Assets.h"
#include "tests/data/Bmp.h"

using kerbo_data_test::Bmp;
using kerbo_data_test::Luma;
using kerbo_data_test::ReadBmp;

namespace {

const std::string kData = KERBO_DATA_DIR;

namespace Assets = KerboImplementation::Assets;

Bmp Load(const std::string& rel) {
    return ReadBmp(kData + "/" + rel);
}
Bmp Load(const Assets::Image& image) {
    return Load(image.file);
}

// Every image the game opens, at each size it opens it.
std::vector<Assets::Image> AllImages() {
    std::vector<Assets::Image> all(std::begin(Assets::GameScreenImages), std::end(Assets::GameScreenImages));
    all.insert(all.end(), std::begin(Assets::ScreenImages), std::end(Assets::ScreenImages));
    return all;
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
    for (const Assets::Image& u : AllImages()) sizes[u.file].insert({int(u.width), int(u.height)});
    for (auto& [path, allowed] : sizes) {
        SCOPED_TRACE(path);
        Bmp b = Load(path);  // images/ resolves through the lower-case link
        ASSERT_TRUE(b.ok) << b.error;
        EXPECT_TRUE(allowed.count({b.w, b.h})) << "is " << b.w << " x " << b.h;
        EXPECT_EQ(b.bits, IsMask(path) ? 1 : 24);
    }
}

TEST(DataFiles, MasksAreBlackAndWhiteAndFitTheirPictures) {
    for (const Assets::Image& u : AllImages()) {
        if (!IsMask(u.file)) continue;
        SCOPED_TRACE(u.file);
        Bmp m = Load(u.file);
        ASSERT_TRUE(m.ok) << m.error;
        for (uint32_t c : m.px) ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << std::hex << c;
        int white = WhiteCount(m);
        EXPECT_GT(white, m.w * m.h / 10) << "hardly anything drawn";
        EXPECT_LT(white, m.w * m.h) << "nothing see-through";
    }
    for (auto& [pic, mask] : Assets::Masked) {
        SCOPED_TRACE(pic.file);
        Bmp p = Load(pic.file), m = Load(mask.file);
        ASSERT_TRUE(p.ok && m.ok);
        EXPECT_EQ(p.w, m.w);
        EXPECT_EQ(p.h, m.h);
    }
}

// Left frames face left: their masks mirror the right ones. The two walking frames differ.
TEST(DataFiles, SpritesFaceTheWayTheyWalkAndTheirFramesDiffer) {
    const std::pair<Assets::Image, Assets::Image> frames[] = {
        {Assets::OskaLeftMask1, Assets::OskaRightMask1}, {Assets::OskaLeftMask2, Assets::OskaRightMask2}};
    for (int frame = 1; frame <= 2; ++frame) {
        Bmp l = Load(frames[frame - 1].first);
        Bmp r = Load(frames[frame - 1].second);
        ASSERT_TRUE(l.ok && r.ok);
        for (int y = 0; y < 35; ++y)
            for (int x = 0; x < 35; ++x)
                ASSERT_EQ(l.At(x, y), r.At(34 - x, y)) << frame << " at " << x << "," << y;
    }
    Bmp f1 = Load(Assets::OskaRightMask1), f2 = Load(Assets::OskaRightMask2);
    int differ = 0;
    for (size_t i = 0; i < f1.px.size(); ++i) differ += f1.px[i] != f2.px[i];
    EXPECT_GE(differ, 20) << "walking frames look alike";
    Bmp wl = Load(Assets::WaveLeftMask), wr = Load(Assets::WaveRightMask);
    EXPECT_NE(wl.px, wr.px);
    // Figures stand on the bottom row of their sprite, where the floor begins.
    for (const Assets::Image& mask : {Assets::OskaRightMask1, Assets::OskaRightMask2, Assets::EnemyMask}) {
        const char* m = mask.file;
        Bmp b = Load(m);
        int bottom = 0;
        for (int x = 0; x < 35; ++x) bottom += b.At(x, 34) == 0xFFFFFF;
        EXPECT_GT(bottom, 0) << m << " floats above the floor";
    }
}

// Pictures the player must tell apart at a glance are not near copies of each other.
TEST(DataFiles, PicturesThatMeanDifferentThingsLookDifferent) {
    using namespace Assets;
    const std::vector<std::vector<Image>> groups = {
        {Item1, Item2, Item3, Item4, Item5},
        {TrampolineGreen, TrampolineBlue, TrampolineYellow, TrampolineRed, Elevator},
        {DoorLeftOpen, DoorLeftClosed, ShockDoorLeftOpen, ShockDoorLeftClosed, Passage},
        {DoorRightOpen, DoorRightClosed, ShockDoorRightOpen, ShockDoorRightClosed, Passage},
        {DoorLeftOpen, DoorRightOpen},
        {ShockDoorLeftOpen, ShockDoorRightOpen},
        {ShockDoorLeftClosed, ShockDoorRightClosed},
        {Passage, Wall, Elevator, EndElevator, Ceiling},
    };
    for (auto& group : groups)
        for (size_t i = 0; i < group.size(); ++i)
            for (size_t j = i + 1; j < group.size(); ++j) {
                Bmp a = Load(group[i]), b = Load(group[j]);
                ASSERT_TRUE(a.ok && b.ok);
                int differ = 0;
                for (size_t k = 0; k < a.px.size(); ++k) differ += a.px[k] != b.px[k];
                EXPECT_GT(differ, 50 * 50 / 20) << group[i].file << " and " << group[j].file << " look alike";
            }
}

// The trampoline's four states (resting, then after one, two and three
// bounces) differ in shape too: seen as with deuteranopia or protanopia, the
// common red-green colour blindnesses, every two of them still differ
// clearly in many pixels.
TEST(DataFiles, TrampolineStatesStayApartForRedGreenColourBlindness) {
    // Simulation matrices on linear RGB (Machado, Oliveira and Fernandes 2009, full severity).
    using Matrix = std::array<std::array<double, 3>, 3>;
    const std::pair<const char*, Matrix> sights[] = {{"protanopia",
                                                      {{{0.152286, 1.052583, -0.204868},
                                                        {0.114503, 0.786281, 0.099216},
                                                        {-0.003882, -0.048116, 1.051998}}}},
                                                     {"deuteranopia",
                                                      {{{0.367322, 0.860646, -0.227968},
                                                        {0.280085, 0.672501, 0.047413},
                                                        {-0.011820, 0.042940, 0.968881}}}}};
    const auto seen = [](uint32_t c, const Matrix& m) {
        std::array<double, 3> linear{}, out{};
        for (int k = 0; k < 3; ++k) {
            const double v = double((c >> (16 - 8 * k)) & 0xFF) / 255.0;
            linear[k] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        }
        for (int k = 0; k < 3; ++k) {
            const double v =
                std::clamp(m[k][0] * linear[0] + m[k][1] * linear[1] + m[k][2] * linear[2], 0.0, 1.0);
            out[k] = 255.0 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
        }
        return out;
    };
    const Assets::Image states[] = {Assets::TrampolineGreen, Assets::TrampolineBlue, Assets::TrampolineYellow,
                                    Assets::TrampolineRed};
    for (const auto& [sight, m] : sights) {
        for (size_t i = 0; i < 4; ++i) {
            for (size_t j = i + 1; j < 4; ++j) {
                Bmp a = Load(states[i]), b = Load(states[j]);
                ASSERT_TRUE(a.ok && b.ok);
                int apart = 0;
                for (size_t k = 0; k < a.px.size(); ++k) {
                    const auto p = seen(a.px[k], m), q = seen(b.px[k], m);
                    double most = 0;
                    for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(p[c] - q[c]));
                    apart += most > 80.0;
                }
                EXPECT_GE(apart, 40) << sight << ": " << states[i].file << " and " << states[j].file;
            }
        }
    }
}

// The selector's back button is lettered like every other button: a picture
// of its own at the size it is shown, its label as wide and high as the
// menus' Back.
TEST(DataFiles, TheSelectorsBackButtonIsLetteredLikeTheOthers) {
    const Bmp menu = Load(Assets::BackButton.normal), selector = Load(Assets::SelectorBack.normal);
    ASSERT_TRUE(menu.ok && selector.ok);
    EXPECT_EQ(selector.w, int(Assets::SelectorBack.normal.width));
    EXPECT_EQ(selector.h, int(Assets::SelectorBack.normal.height));
    const auto label = [](const Bmp& b) {  // the white lettering's width and height
        int x0 = b.w, y0 = b.h, x1 = -1, y1 = -1;
        for (int y = 0; y < b.h; ++y)
            for (int x = 0; x < b.w; ++x)
                if (b.At(x, y) == 0xFFFFFF)
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        return std::make_pair(x1 - x0, y1 - y0);
    };
    EXPECT_GT(label(menu).second, 10);
    EXPECT_EQ(label(selector), label(menu));
}

// The status texts are light grey on the ceiling; the game writes black names and scores
// on the name and high-score screens.
TEST(DataFiles, TextsTheGameDrawsStayReadable) {
    Bmp ceiling = Load(Assets::Ceiling);
    ASSERT_TRUE(ceiling.ok);
    for (uint32_t c : ceiling.px) ASSERT_LT(Luma(c), 70.0) << std::hex << c;

    auto plainLight = [](const Bmp& b, int x0, int y0, int x1, int y1) {
        double lo = 255, hi = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                lo = std::min(lo, Luma(b.At(x, y))), hi = std::max(hi, Luma(b.At(x, y)));
        return lo > 190.0 && hi - lo < 30.0;
    };
    Bmp ask = Load(Assets::NameScreen);
    ASSERT_TRUE(ask.ok);
    const Assets::Place name = Assets::NameField;
    EXPECT_TRUE(plainLight(ask, name.x - 4, name.y - 6, name.x + 180, name.y + 22)) << "name field";
    Bmp high = Load(Assets::HighScoreScreen);
    ASSERT_TRUE(high.ok);
    for (int y : Assets::HighScoreLineY)
        EXPECT_TRUE(plainLight(high, Assets::HighScorePlaceX - 4, y - 2, 640, y + 22))
            << "score line at y " << y;
    // The end screens' card for the final score and its place in the table.
    const Assets::Place end = Assets::EndScoreAt;
    for (const Assets::Image& screen : {Assets::GameOverScreen, Assets::WinScreen, Assets::PackWinScreen})
        EXPECT_TRUE(
            plainLight(Load(screen), end.x - 100, end.y - 2, end.x + 100, end.y + Assets::EndLineStep + 18))
            << screen.file;
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
    // The menus' column of buttons, n buttons high.
    const auto column = [](int n) {
        const Assets::MenuColumn m = Assets::Menus;
        return std::array<int, 4>{m.Left, m.Top, m.Left + 250, m.Top + (n - 1) * m.Step + 75};
    };
    const auto [x0, y0, x1, y1] = column(5);
    EXPECT_TRUE(calm(Load(Assets::StartScreen), x0, y0, x1, y1));
    EXPECT_TRUE(calm(Load(Assets::StartScreen), Assets::DownArrowAt.x, Assets::DownArrowAt.y,
                     Assets::UpArrowAt.x + 50, Assets::SelectorBackAt.y + 100))
        << "the difficulty selector";
    const auto& line = Assets::DifficultyLineAt;
    EXPECT_TRUE(calm(Load(Assets::StartScreen), line.x, line.y, line.x + Assets::DifficultyLineWidth,
                     line.y + Assets::DifficultyLineHeight))
        << "the selector's line on what the difficulty changes";
    EXPECT_TRUE(calm(Load(Assets::StartScreen), Assets::SettingsButtonAt.x, Assets::SettingsButtonAt.y,
                     Assets::EditorButtonAt.x + 150, Assets::EditorButtonAt.y + 34))
        << "the settings', the packs' and the editor's buttons";
    const auto [cx0, cy0, cx1, cy1] = column(1);
    EXPECT_TRUE(calm(Load(Assets::ControlsScreen), cx0, cy0, cx1, cy1));
    const auto [ex0, ey0, ex1, ey1] = column(2);
    for (const Assets::Image& s :
         {Assets::PauseScreen, Assets::GameOverScreen, Assets::WinScreen, Assets::PackWinScreen})
        EXPECT_TRUE(calm(Load(s), ex0, ey0, ex1, ey1)) << s.file;
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
    const std::pair<Assets::Sound, double> sounds[] = {
        {Assets::ThemeTune, 30.0},     {Assets::LevelClearedTune, 0.8}, {Assets::DeathSound, 0.6},
        {Assets::GameOverTune, 2.0},   {Assets::WinTune, 2.0},          {Assets::ItemSound, 0.15},
        {Assets::TrampolineSound, 0.1}};
    ASSERT_EQ(std::size(sounds), std::size(Assets::AllSounds));
    for (auto& [sound, minSeconds] : sounds) {
        const std::string name = sound.file;
        SCOPED_TRACE(name);
        Decoded d = Decode(kData + "/" + name);
        ASSERT_TRUE(d.ok) << d.error;
        EXPECT_EQ(d.rate, 32000);
        EXPECT_EQ(d.channels, 1);
        double seconds = double(d.samples.size()) / 32000.0;
        EXPECT_GE(seconds, minSeconds);
        EXPECT_LE(seconds, name == Assets::ThemeTune.file ? 120.0 : 8.0);
        short peak = 0;
        for (short s : d.samples) peak = std::max<short>(peak, short(std::abs(int(s))));
        EXPECT_GT(peak, 3000) << "too quiet";
        EXPECT_LT(peak, 32700) << "clipped";
    }
}

// Played in a loop, the theme's end runs straight into its start: no silence from the
// encoder's delay or padding and no jump in the wave.
TEST(DataSounds, ThemeLoopsWithoutGapOrClick) {
    Decoded d = Decode(kData + "/" + Assets::ThemeTune.file);
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
    Mix_Chunk* theme = Mix_LoadWAV((kData + "/" + Assets::ThemeTune.file).c_str());
    ASSERT_NE(theme, nullptr) << Mix_GetError();
    EXPECT_EQ(theme->alen, Decode(kData + "/" + Assets::ThemeTune.file).samples.size() * 2u);
    EXPECT_EQ(theme->alen % (16u * 3200u * 2u), 0u);
    Mix_FreeChunk(theme);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}
