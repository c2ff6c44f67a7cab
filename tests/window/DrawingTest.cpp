// The drawing surface: rectangles, clearing, colours, numbers, text and the
// buffering switch, read back from the drawing buffer.
#include "tests/window/WindowFixture.h"

#include <set>
#include <utility>

using namespace Vitrine;
using kerbo_test::WindowTest;
using Testing::Pixel;

namespace {

// Every pixel of the window that is not black, as (x, y) pairs.
std::set<std::pair<int, int>> LitPixels() {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < 500; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (Pixel(x, y) != 0) lit.insert({x, y});
        }
    }
    return lit;
}

}  // namespace

class Rectangles : public WindowTest {};

TEST_F(Rectangles, FilledCoversBothCornersInAnyOrder) {
    const std::set<std::pair<int, int>> six = {{10, 10}, {11, 10}, {12, 10}, {10, 11}, {11, 11}, {12, 11}};
    Rectangle(10, 10, 12, 11, 0x0000FF, true);
    EXPECT_EQ(LitPixels(), six);
    EXPECT_EQ(Pixel(10, 10), 0x0000FFu);
    ClearScreen();
    Rectangle(12, 11, 10, 10, 0x0000FF, true);
    EXPECT_EQ(LitPixels(), six);
    ClearScreen();
    Rectangle(12, 10, 10, 11, 0x0000FF, true);
    EXPECT_EQ(LitPixels(), six);
}

TEST_F(Rectangles, OutlineKeepsTheInside) {
    Rectangle(0, 0, 799, 499, 0x112233, true);
    Rectangle(20, 30, 24, 34, 0xC0C0C0, false);
    for (int y = 30; y <= 34; ++y) {
        for (int x = 20; x <= 24; ++x) {
            bool border = x == 20 || x == 24 || y == 30 || y == 34;
            EXPECT_EQ(Pixel(x, y), border ? 0xC0C0C0u : 0x112233u) << x << "," << y;
        }
    }
    EXPECT_EQ(Pixel(19, 30), 0x112233u);
    EXPECT_EQ(Pixel(25, 34), 0x112233u);
}

TEST_F(Rectangles, ClippedAtTheEdgesAndTopByteIgnored) {
    Rectangle(-50, -50, 2, 1, 0x12C0C0C0, true);
    Rectangle(790, 495, 5000, 5000, 0xFFFFFF, false);
    Rectangle(-2147483647 - 1, 200, 2147483647, 200, 0x00FF00, true);
    EXPECT_EQ(Pixel(0, 0), 0xC0C0C0u);
    EXPECT_EQ(Pixel(2, 1), 0xC0C0C0u);
    EXPECT_EQ(Pixel(3, 1), 0u);
    EXPECT_EQ(Pixel(790, 499), 0xFFFFFFu);
    EXPECT_EQ(Pixel(799, 495), 0xFFFFFFu);
    EXPECT_EQ(Pixel(795, 497), 0u);  // inside the outline
    EXPECT_EQ(Pixel(0, 200), 0x00FF00u);
    EXPECT_EQ(Pixel(799, 200), 0x00FF00u);
}

TEST_F(Rectangles, ClearScreenMakesEveryPixelBlack) {
    Rectangle(0, 0, 799, 499, 0xFFFFFF, true);
    ClearScreen();
    EXPECT_TRUE(LitPixels().empty());
}

TEST(Colours, CreateColorClearsTheTopByteOnly) {
    EXPECT_EQ(CreateColor(0x12C0C0C0), 0xC0C0C0u);
    EXPECT_EQ(CreateColor(0xFF123456), 0x123456u);
    EXPECT_EQ(CreateColor(0), 0u);
}

TEST(Numbers, IntlenAndInt2Char) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"},
        {9, "9"},
        {10, "10"},
        {-5, "-5"},
        {-123, "-123"},
        {1000000, "1000000"},
        {2147483647, "2147483647"},
        {-2147483647 - 1, "-2147483648"},
    };
    for (auto [number, text] : cases) {
        char out[40] = "garbage-garbage";
        Int2Char(out, number);
        EXPECT_STREQ(out, text);
        EXPECT_EQ(intlen(number), int32_t(std::string(text).size())) << number;
    }
}

class Texts : public WindowTest {};

TEST_F(Texts, DrawsGlyphsOnlyAndStopsAtNul) {
    Rectangle(0, 0, 799, 499, 0x0000FF, true);
    SetFont(1, 0x12C0C0C0);
    Text(std::string_view("WWW\0WWW", 7), 100, 100);
    uint32_t width = 0, height = 0;
    GetTextSize("WWW", 1, width, height);
    ASSERT_GT(width, 10u);
    ASSERT_GE(height, 12u);
    int glyph = 0, background = 0;
    for (uint32_t y = 100; y < 100 + height; ++y) {
        for (uint32_t x = 100; x < 100 + width; ++x) {
            glyph += Pixel(int(x), int(y)) == 0xC0C0C0u;
            background += Pixel(int(x), int(y)) == 0x0000FFu;
        }
    }
    EXPECT_GT(glyph, 20);
    EXPECT_GT(background, 20);
    // Nothing beyond the NUL: the right of the text keeps the picture.
    for (uint32_t y = 100; y < 100 + height; ++y) {
        for (uint32_t x = 100 + width + 2; x < 100 + 3 * width; ++x)
            ASSERT_EQ(Pixel(int(x), int(y)), 0x0000FFu);
    }
}

TEST_F(Texts, SizesPerStyle) {
    uint32_t width = 1, height = 1;
    GetTextSize("", 1, width, height);
    EXPECT_EQ(width, 0u);
    // The advance of two more letters, narrow and wide.
    auto advances = [](uint32_t style) {
        uint32_t i2, i4, w2, w4, h;
        GetTextSize("ii", style, i2, h);
        GetTextSize("iiii", style, i4, h);
        GetTextSize("WW", style, w2, h);
        GetTextSize("WWWW", style, w4, h);
        return std::make_pair(i4 - i2, w4 - w2);
    };
    for (uint32_t style : {2u, 4u, 5u}) {
        auto [narrow, wide] = advances(style);
        EXPECT_EQ(narrow, wide) << "style " << style << " is fixed pitch";
    }
    for (uint32_t style : {0u, 1u, 3u}) {
        auto [narrow, wide] = advances(style);
        EXPECT_LT(narrow, wide) << "style " << style << " is proportional";
    }
    uint32_t w0, h0, w7, h7;
    GetTextSize("Score", 0, w0, h0);
    GetTextSize("Score", 7, w7, h7);
    EXPECT_EQ(w0, w7);
    EXPECT_EQ(h0, h7);
    GetTextSize("Score", 1, width, height);
    EXPECT_GE(height, 14u);
    EXPECT_LE(height, 18u);
}

TEST_F(Texts, NumbersDrawLikeTheirDigits) {
    auto drawn = [](auto draw) {
        ClearScreen();
        draw();
        return LitPixels();
    };
    SetFont(4, 0xFFFFFF);
    EXPECT_EQ(drawn([] { TextInt(-45, 10, 10); }), drawn([] { Text("-45", 10, 10); }));
    EXPECT_EQ(drawn([] { TextCard(0, 10, 10); }), drawn([] { Text("0", 10, 10); }));
    EXPECT_EQ(drawn([] { TextCard(1000000, 10, 10); }), drawn([] { Text("1000000", 10, 10); }));
    EXPECT_EQ(drawn([] { TextCard(4000000000u, 10, 10); }), drawn([] { Text("4000000000", 10, 10); }));
}

class Buffering : public WindowTest {};

TEST_F(Buffering, BufferedShowsOnlyOnUpdateDirectShowsEachChange) {
    uint64_t before = Testing::HandOffs();
    Rectangle(1, 1, 5, 5, 0xFFFFFF, true);
    Text("abc", 10, 10);
    EXPECT_EQ(Testing::HandOffs(), before);
    UpdateWindow();
    EXPECT_EQ(Testing::HandOffs(), before + 1);
    EXPECT_EQ(Testing::FramesShown(), 1u);

    Rectangle(1, 1, 5, 5, 0x00FF00, true);
    SetBuffering(false);  // shows what was drawn so far
    EXPECT_EQ(Testing::HandOffs(), before + 2);
    Rectangle(1, 1, 5, 5, 0xFF0000, true);
    ClearScreen();
    EXPECT_EQ(Testing::HandOffs(), before + 4);
    EXPECT_FALSE(Testing::Buffering());
}

TEST(BufferingNoWindow, IgnoredAndNothingDrawnWithoutAWindow) {
    SetBuffering(true);
    EXPECT_FALSE(Testing::Buffering());
    Rectangle(0, 0, 10, 10, 0xFFFFFF, true);
    UpdateWindow();
    EXPECT_EQ(Testing::Pixel(0, 0), 0u);
    uint32_t width = 5, height = 5;
    GetTextSize("abc", 1, width, height);
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(height, 0u);
}
