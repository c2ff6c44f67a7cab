// The game screen, read back from the drawing buffer: every image in the
// fixture has its own colour, so a pixel tells which tile or sprite is on top.
#include "tests/game/Fixture.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace KerboImplementation;
using namespace Fixture;

namespace {

Assets::Image ImageOfLetter(char letter) {
    switch (letter) {
        case 'p':
            return Assets::Passage;
        case 'w':
            return Assets::Wall;
        case 'e':
            return Assets::Elevator;
        case 'n':
            return Assets::EndElevator;
        case 'd':
            return Assets::DoorLeftClosed;
        case 'D':
            return Assets::DoorRightClosed;
        case 's':
            return Assets::ShockDoorLeftClosed;
        case 'S':
            return Assets::ShockDoorRightClosed;
        case 't':
            return Assets::TrampolineGreen;
        default:
            return Assets::Ceiling;
    }
}

// The status band, rows 0 to 94 of the buffer.
std::vector<uint32_t> Band() {
    std::vector<uint32_t> pixels;
    pixels.reserve(800 * 95);
    for (int32_t y = 0; y < 95; ++y) {
        for (int32_t x = 0; x < 800; ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
}

// The band as it should read: the house, then each status text where it belongs.
std::vector<uint32_t> ExpectedBand(const std::string& lifesWord, const std::string& itemsWord) {
    DrawHouse();
    Vitrine::SetFont(1, LightGrey);
    Vitrine::Text("KERBO anno 2011 'The Dorel-Special'", 10, 10);
    Vitrine::TextCard(Score, 70, 30);
    Vitrine::TextCard(ActualLevel, 70, 50);
    Vitrine::SetFont(6, LightGrey);  // the counts: small, on the words' base line
    Vitrine::TextCard(ItemsTotal - ItemsFound, 178, 53);
    Vitrine::TextCard(Lifes, 178, 33);
    Vitrine::SetFont(4, LightGrey);
    Vitrine::Text("Score:", 10, 30);
    Vitrine::Text("Level", 10, 50);
    Vitrine::Text("Nog", 150, 30);
    Vitrine::Text(lifesWord, 190, 30);
    Vitrine::Text("A game created by the KERBO team", 470, 10);
    Vitrine::Text("Art and sound: KERBO team", 614, 30);
    Vitrine::Text("Levels: KERBO team", 614, 50);
    Vitrine::Text("Nog", 150, 50);
    Vitrine::Text(itemsWord, 190, 50);
    return Band();
}

std::size_t Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    std::size_t n = 0;
    for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) n += a[k] != b[k];
    return n;
}

}  // namespace

class Drawing : public GameTest {};

TEST_F(Drawing, EveryCellIsDrawnAtItsPlace) {
    Storeys level = QuietLevel();
    level[0] = "nenendDsSticwpin";
    level[2] = "pwepwdDsStipwnep";
    level[6] = "wpdDsSteniwpppiw";
    WriteLevel(1, level);
    LoadGame();
    LoadLevel(1);
    NoCats();
    Man.x = 760.0f;  // Oska's sprite over a corner that is not looked at
    Man.y = 488.0f;
    DrawEverything();

    const Assets::Image items[] = {Assets::Item1, Assets::Item2, Assets::Item3, Assets::Item4, Assets::Item5};
    int item = 0;
    for (uint32_t i = 1; i <= Rows; ++i) {
        const std::string letters = i <= 2 ? std::string(16, 'c') : level[i - 3];
        for (uint32_t j = 1; j <= Columns; ++j) {
            const char letter = letters[j - 1];
            const uint32_t colour = ColourOf(letter == 'i' ? items[item++ % 5] : ImageOfLetter(letter));
            const int32_t left = static_cast<int32_t>(j - 1) * 50;
            const int32_t top = static_cast<int32_t>(i - 1) * 50;
            if (i == 1) {
                // The status texts lie over the band; its top and bottom edges are free.
                EXPECT_EQ(Pixel(left + 25, top + 1), colour) << "row " << i << " column " << j;
                EXPECT_EQ(Pixel(left + 49, top + 2), colour) << "row " << i << " column " << j;
            } else if (i == 2) {
                EXPECT_EQ(Pixel(left, top + 30), colour) << "row " << i << " column " << j;
                EXPECT_EQ(Pixel(left + 49, top + 44), colour) << "row " << i << " column " << j;
            } else if (i == 10 && j >= 15) {
                continue;  // under Oska
            } else {
                EXPECT_EQ(Pixel(left, top + 10), colour) << "row " << i << " column " << j;
                EXPECT_EQ(Pixel(left + 49, top + 49), colour) << "row " << i << " column " << j;
            }
        }
    }
}

TEST_F(Drawing, SpritesHangFromTheirAnchorsAndCatsCoverOska) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    const uint32_t passage = ColourOf(Assets::Passage);
    const uint32_t oska = ColourOf(Assets::OskaRight1);
    const uint32_t cat = ColourOf(Assets::Enemy);

    // (300.9, 438.0): the sprite's corner at (282, 411), 35 pixels square.
    Man.x = 300.9f;
    Man.y = 438.0f;
    EnemyArr[1].StillExisting = true;
    EnemyArr[1].x = 600.99f;
    EnemyArr[1].y = 438.6f;
    EnemyArr[2].x = 200.0f;  // an empty slot is never drawn, wherever it points
    EnemyArr[2].y = 438.0f;
    DrawEverything();

    EXPECT_EQ(Pixel(282, 411), oska);
    EXPECT_EQ(Pixel(316, 445), oska);
    EXPECT_EQ(Pixel(281, 411), passage);
    EXPECT_EQ(Pixel(282, 410), passage);
    EXPECT_EQ(Pixel(317, 445), passage);
    EXPECT_EQ(Pixel(316, 446), passage);

    EXPECT_EQ(Pixel(582, 411), cat);
    EXPECT_EQ(Pixel(616, 445), cat);
    EXPECT_EQ(Pixel(581, 420), passage);
    EXPECT_EQ(Pixel(617, 420), passage);

    EXPECT_EQ(Pixel(190, 430), passage) << "slot 2 is empty";

    // A cat right over Oska hides him; a cat one slot later covers the one before.
    EnemyArr[1].x = Man.x;
    EnemyArr[1].y = Man.y;
    DrawEverything();
    EXPECT_EQ(Pixel(282, 411), cat);
    EXPECT_EQ(Pixel(316, 445), cat);
}

TEST_F(Drawing, TheGreyBarSeparatesTheStatusBandFromTheStoreys) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    DrawEverything();
    for (int32_t x : {0, 400, 799}) {
        EXPECT_EQ(Pixel(x, 94), ColourOf(Assets::Ceiling)) << x;
        for (int32_t y = 95; y <= 102; ++y) EXPECT_EQ(Pixel(x, y), LightGrey) << x << "," << y;
        EXPECT_EQ(Pixel(x, 103), ColourOf(Assets::Ceiling)) << x;
    }
}

// The band is not drawn again while it shows the same; what it shows after a
// change, a drawing over it or a new cell under it reads as drawn anew.
TEST_F(Drawing, TheBandIsKeptUntilItChangesOrIsDrawnOver) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    auto fresh = [] {
        Vitrine::Rectangle(0, 0, 799, 499, 0, true);
        DrawEverything();
        return Band();
    };
    DrawEverything();
    const uint64_t mark = Vitrine::DrawingMark();
    DrawEverything();
    EXPECT_TRUE(Vitrine::UndrawnSince(mark, 0, 0, 800, 95)) << "kept";
    const std::function<void()> changes[] = {[] { Score += 100; },
                                             [] { Vitrine::Rectangle(300, 20, 320, 40, 0, true); },
                                             [] { House[1][3].Look = Picture::Wall; }};
    for (const auto& change : changes) {
        change();
        DrawEverything();
        const std::vector<uint32_t> kept = Band();
        EXPECT_EQ(Differences(kept, fresh()), 0u);
    }
}

// Cells below the band are drawn again only where they changed or a figure
// or anything else drew over them; the picture reads as drawn anew.
TEST_F(Drawing, KeptCellsReadAsTheWholeHouseDrawnAnew) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    auto picture = [] {
        std::vector<uint32_t> pixels;
        for (int32_t y = 0; y < 500; ++y)
            for (int32_t x = 0; x < 800; ++x) pixels.push_back(Pixel(x, y));
        return pixels;
    };
    auto fresh = [&] {
        Vitrine::Rectangle(0, 0, 799, 499, 0, true);
        DrawEverything();
        return picture();
    };
    DrawEverything();
    const uint64_t mark = Vitrine::DrawingMark();
    DrawEverything();
    EXPECT_TRUE(Vitrine::UndrawnSince(mark, 0, 450, 800, 500) || Man.y >= 450.0f) << "the cells are kept";
    const std::function<void()> changes[] = {[] { Man.x += 60.0f; }, [] { House[6][5].Look = Picture::Wall; },
                                             [] { Vitrine::Rectangle(100, 300, 180, 340, 0xFF0000, true); }};
    for (const auto& change : changes) {
        change();
        DrawEverything();
        const std::vector<uint32_t> kept = picture();
        EXPECT_EQ(Differences(kept, fresh()), 0u);
    }
}

TEST_F(Drawing, StatusTextsSayLevensAndItemsUnlessThereIsOne) {
    Storeys level = QuietLevel();
    level[0] = "ccciiiiiiicccccc";  // seven items out of reach
    WriteLevel(3, level);
    LoadGame();
    ActualLevel = 3;
    LoadLevel(3);
    NoCats();
    Score = 12300;

    struct Case {
        uint32_t lifes, found;
        const char* lifesWord;
        const char* itemsWord;
    };
    const Case cases[] = {{4, 0, "levens.", "items te gaan."},
                          {1, 6, "leven.", "item te gaan."},
                          {2, 7, "levens.", "items te gaan."},
                          {0, 5, "levens.", "items te gaan."}};
    for (const Case& c : cases) {
        Lifes = c.lifes;
        ItemsFound = c.found;
        DrawEverything();
        const std::vector<uint32_t> drawn = Band();
        EXPECT_EQ(Differences(drawn, ExpectedBand(c.lifesWord, c.itemsWord)), 0u)
            << Lifes << " lives, " << ItemsTotal - ItemsFound << " items left";
    }

    // The check above is not vacuous: the words tell apart on screen.
    Lifes = 1;
    ItemsFound = 6;
    DrawEverything();
    const std::vector<uint32_t> drawn = Band();
    EXPECT_GT(Differences(drawn, ExpectedBand("levens.", "item te gaan.")), 0u);
    EXPECT_GT(Differences(drawn, ExpectedBand("leven.", "items te gaan.")), 0u);
    DrawHouse();
    EXPECT_GT(Differences(drawn, Band()), 200u) << "the texts are drawn";
}

// Two-digit counts of lives and items stay clear of the word after them: a
// column without ink lies between the count's last ink (the pixels that
// change with the count) and the word's first (pixels drawn alike for every count).
TEST_F(Drawing, TwoDigitCountsStayClearOfTheirWords) {
    Storeys level = QuietLevel();
    level[0] = "cccccccccccciccc";
    WriteLevel(1, level);
    LoadGame();
    LoadLevel(1);
    NoCats();
    const Assets::StatusBand band = Assets::Band;
    DrawHouse();
    const std::vector<uint32_t> background = Band();
    for (const int32_t line : {band.LivesY, band.ItemsY}) {
        SCOPED_TRACE(line == band.LivesY ? "lives" : "items");
        std::vector<std::vector<uint32_t>> drawn;
        for (uint32_t n = 10; n <= 99; ++n) {
            Lifes = n;
            ItemsTotal = ItemsFound + n;
            DrawEverything();
            drawn.push_back(Band());
        }
        int32_t countEnd = -1, wordStart = 800;
        for (int32_t y = line; y < line + 20; ++y) {
            for (int32_t x = band.CountX; x < band.WordX + 30; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x);
                bool changes = false;
                for (const auto& d : drawn) changes = changes || d[at] != drawn.front()[at];
                if (changes) countEnd = std::max(countEnd, x);
                if (!changes && drawn.front()[at] != background[at]) wordStart = std::min(wordStart, x);
            }
        }
        EXPECT_GE(countEnd, band.CountX + 8) << "the counts are drawn";
        EXPECT_LT(wordStart, band.WordX + 4) << "the word is drawn";
        EXPECT_GE(wordStart - countEnd, 2)
            << "the count's last ink at x " << countEnd << ", the word's first at " << wordStart;
    }
}

TEST_F(Drawing, TheLastTrampolineTurnsGreenWhenTheRunOfBouncesEnds) {
    Storeys level = QuietLevel();
    level[7] = "wwwwwtwwwwwwwwww";
    WriteLevel(1, level);
    LoadGame();
    LoadLevel(1);
    NoCats();
    House[10][6].Look = Picture::TrampolineYellow;
    TrampolineX = 275.0f;  // recorded at a bounce: a point 25 pixels above the trampoline's row
    TrampolineY = 426.0f;
    Jumps = 2;
    DrawEverything();
    EXPECT_EQ(Pixel(251, 460), ColourOf(Assets::TrampolineYellow)) << "drawing alone changes nothing";
    PlayFrame();  // Oska stands on his storey: the run of bounces is over
    EXPECT_EQ(Jumps, 0u);
    EXPECT_EQ(Pixel(251, 460), ColourOf(Assets::TrampolineGreen)) << "green in that frame's picture";
}

// The pictures play gives a cell (opened doors, worn trampolines) are drawn
// with their own images, and the waves with their direction's, also from a
// full table.
TEST_F(Drawing, OpenDoorsWornTrampolinesAndWavesAreDrawnWithTheirImages) {
    LoadGame();
    LoadLevel(1);
    NoCats();
    const std::pair<Picture, Assets::Image> looks[] = {{Picture::DoorLeftOpen, Assets::DoorLeftOpen},
                                                       {Picture::DoorRightOpen, Assets::DoorRightOpen},
                                                       {Picture::ShockLeftOpen, Assets::ShockDoorLeftOpen},
                                                       {Picture::ShockRightOpen, Assets::ShockDoorRightOpen},
                                                       {Picture::TrampolineBlue, Assets::TrampolineBlue},
                                                       {Picture::TrampolineYellow, Assets::TrampolineYellow},
                                                       {Picture::TrampolineRed, Assets::TrampolineRed}};
    for (const auto& [look, image] : looks) {
        House[9][5].Look = look;
        DrawHouse();
        EXPECT_EQ(Pixel(201, 448), ColourOf(image)) << image.file;
    }
    for (std::size_t k = 1; k < MaxWaves; ++k) NewShockWave(330.0f, 188.0f, Direction::Left, AllShockWaves);
    NewShockWave(475.0f, 438.0f, Direction::Right, AllShockWaves);
    NewShockWave(130.0f, 388.0f, Direction::Right, AllShockWaves);  // one too many: not made
    DrawEverything();
    EXPECT_EQ(Pixel(350, 180), ColourOf(Assets::WaveLeft));
    EXPECT_EQ(Pixel(500, 430), ColourOf(Assets::WaveRight)) << "drawn where it was made";
    EXPECT_EQ(Pixel(150, 380), ColourOf(Assets::Ceiling));
}
