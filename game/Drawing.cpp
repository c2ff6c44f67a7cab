// The game screen: the house, the shock waves, Oska, the cats, the status
// band at the top and the grey bar under it, drawn back to front into the
// window's buffer from the game in play, each picture chosen by its role;
// once an attempt has ended, a word on how it ended over it. The band is kept
// while it shows the same and nothing else drew over it. It only reads the
// game's state, so a frame that is not drawn plays exactly like one that is.
// Allocates nothing.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "game/KerboImplementation.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr uint32_t LightGrey = 0xC0C0C0;
// The font style of the counts of lives and items, and how far below their
// words' tops they are drawn so that the base lines meet.
constexpr uint32_t CountStyle = 6;
constexpr int32_t CountDrop = 3;

// The whole pixel a position lies on. Positions in play are inside the
// window; anything else is clamped so the conversion stays defined.
int32_t WholePixel(float v) {
    if (!(v > -100000.0f)) return -100000;
    if (v > 100000.0f) return 100000;
    return static_cast<int32_t>(v);
}

// A personage's 35 x 35 sprite hangs from its anchor (x, y).
void DrawSprite(uint32_t bitmap, uint32_t mask, float x, float y) {
    Vitrine::DrawMaskBitmap(bitmap, mask, WholePixel(x) - 18, WholePixel(y) - 27);
}

// The status band lies over the house's top rows; its texts are most of what
// a frame would draw again, and they change only with what they count.
constexpr uint32_t BandRows = 2;
constexpr int32_t BandBottom = int32_t(BandRows * CellSize);
constexpr int32_t PictureWidth = int32_t(Columns * CellSize);

// Where the band says a practice game is one, clear of its other texts.
constexpr int32_t PracticeX = 330, PracticeY = 40;

struct BandShows {
    uint32_t score = 0, level = 0, itemsLeft = 0, lives = 0, practice = 0;
    std::array<Picture, BandRows * Columns> cells{};
    bool operator==(const BandShows&) const = default;
};

// The band drawn last: what it showed, a mark of the drawing just after it,
// and whether it was left whole (no figure drew over it in that frame).
struct {
    BandShows shows;
    uint64_t mark = 0;
    bool whole = false;
} shownBand;

BandShows BandNow() {
    BandShows now{Score, ActualLevel,   ItemsFound < ItemsTotal ? ItemsTotal - ItemsFound : 0,
                  Lifes, PracticeLevel, {}};
    for (uint32_t i = 1; i <= BandRows; ++i)
        for (uint32_t j = 1; j <= Columns; ++j) now.cells[(i - 1) * Columns + j - 1] = World.House[i][j].Look;
    return now;
}

// The moment after an attempt: a caught or fallen Oska, in front of the
// cats, flashes white every eighth of a second, a light-grey plate with a
// word stands over him (under him when he is too high), and a cleared level
// shows its number and points in the middle of the house.
constexpr uint32_t Black = 0;
constexpr uint32_t WordStyle = 1;
constexpr int32_t PlateMargin = 5;
constexpr uint32_t FlashFrames = FramesPerSecond / 8;
constexpr int32_t StoreysTop = 103;  // the first pixel row under the grey bar

// A word on a plate whose top-left corner is (x, y).
void Plate(std::string_view word, int32_t x, int32_t y, int32_t width, int32_t height) {
    Vitrine::Rectangle(x, y, x + width, y + height, LightGrey, true);
    Vitrine::SetFont(WordStyle, Black);
    Vitrine::Text(word, x + PlateMargin, y + PlateMargin / 2);
}

void DrawEnd() {
    char points[32];
    std::string_view word;
    switch (World.End) {
        case AttemptEnd::None:
            return;
        case AttemptEnd::Caught:
            word = "Gepakt!";
            break;
        case AttemptEnd::Fell:
            word = "Gevallen!";
            break;
        case AttemptEnd::Cleared:
            word = std::string_view(
                points, static_cast<std::size_t>(std::snprintf(points, sizeof points, "Level %u: +%u",
                                                               ActualLevel, AttemptPoints(World))));
            break;
    }
    uint32_t textWidth = 0, textHeight = 0;
    Vitrine::GetTextSize(word, WordStyle, textWidth, textHeight);
    const int32_t width = static_cast<int32_t>(textWidth) + 2 * PlateMargin;
    const int32_t height = static_cast<int32_t>(textHeight) + PlateMargin;
    int32_t x = PictureWidth / 2 - width / 2;
    int32_t y = (StoreysTop + int32_t(Rows * CellSize)) / 2 - height / 2;
    if (World.End != AttemptEnd::Cleared) {
        // Over Oska's sprite, or under it when that would reach the band.
        const int32_t spriteTop = WholePixel(World.Man.y) - 27;
        x = std::clamp(WholePixel(World.Man.x) - width / 2, 0, PictureWidth - width);
        y = spriteTop - 4 - height;
        if (y < StoreysTop) y = spriteTop + 35 + 4;
    }
    Plate(word, x, y, width, height);
}

}  // namespace

bool OskaFlashes() {
    const uint32_t into = EndShownFrames - 1 - (World.EndFrames < EndShownFrames ? World.EndFrames : 0);
    return (into / FlashFrames) % 2 == 0;
}

void DrawEverything() {
    const BandShows shows = BandNow();
    const bool keepBand = shownBand.whole && shownBand.shows == shows &&
                          Vitrine::UndrawnSince(shownBand.mark, 0, 0, PictureWidth, BandBottom);
    DrawHouse(keepBand ? BandRows + 1 : 1);
    const uint64_t beforeFigures = Vitrine::DrawingMark();
    DrawShockWaves(World.AllShockWaves);
    // Every cat covers Oska, except once he is lost: then he is in front,
    // and flashing he is his mask drawn through itself, a white figure.
    const bool lost = World.End == AttemptEnd::Caught || World.End == AttemptEnd::Fell;
    const auto look = static_cast<std::size_t>(World.Man.Look);
    const uint32_t mask = Pictures.mask[look];
    if (!lost) DrawSprite(Pictures.image[look], mask, World.Man.x, World.Man.y);
    for (const Enemy& cat : World.EnemyArr) {
        if (cat.StillExisting) DrawSprite(Pictures.cat, Pictures.catMask, cat.x, cat.y);
    }
    if (lost) DrawSprite(OskaFlashes() ? mask : Pictures.image[look], mask, World.Man.x, World.Man.y);
    const bool whole = Vitrine::UndrawnSince(beforeFigures, 0, 0, PictureWidth, BandBottom);
    if (!keepBand) TextDuringGame();
    Vitrine::Rectangle(0, 95, 800, 102, LightGrey, true);
    shownBand = {shows, Vitrine::DrawingMark(), whole};
    DrawEnd();
}

void DrawHouse(uint32_t fromRow) {
    for (uint32_t i = fromRow; i <= Rows; ++i) {
        for (uint32_t j = 1; j <= Columns; ++j) {
            Vitrine::DrawBitmap(PictureBitmap(World.House[i][j].Look),
                                static_cast<int32_t>((j - 1) * CellSize),
                                static_cast<int32_t>((i - 1) * CellSize));
        }
    }
}

void DrawShockWaves(const ShockWaves& ShockWaves) {
    const uint32_t used = ShockWaves.NumberOfWaves < MaxWaves ? ShockWaves.NumberOfWaves : MaxWaves;
    for (uint32_t k = 1; k <= used; ++k) {
        const ShockWave& wave = ShockWaves.Waves[k];
        if (!wave.StillExisting) continue;
        const bool left = wave.Direction == Direction::Left;
        Vitrine::DrawMaskBitmap(left ? Pictures.waveLeft : Pictures.waveRight,
                                left ? Pictures.waveLeftMask : Pictures.waveRightMask,
                                static_cast<int32_t>(wave.x), static_cast<int32_t>(wave.y));
    }
}

void TextDuringGame() {
    const uint32_t itemsLeft = ItemsFound < ItemsTotal ? ItemsTotal - ItemsFound : 0;
    const Assets::StatusBand& band = Assets::Band;

    Vitrine::SetFont(1, LightGrey);
    // A pack names itself where the shipped game names its edition.
    const bool pack = !PackFolder.empty();
    Vitrine::Text(pack ? std::string_view(PackTitleLine) : "KERBO anno 2011 'The Dorel-Special'", 10, 10);
    Vitrine::TextCard(Score, 70, 30);
    Vitrine::TextCard(ActualLevel, 70, 50);
    // The counts have 12 pixels before their words: a small face, set on
    // the words' base line.
    Vitrine::SetFont(CountStyle, LightGrey);
    Vitrine::TextCard(itemsLeft, band.CountX, band.ItemsY + CountDrop);
    Vitrine::TextCard(Lifes, band.CountX, band.LivesY + CountDrop);

    Vitrine::SetFont(4, LightGrey);
    Vitrine::Text("Score:", 10, 30);
    Vitrine::Text("Level", 10, 50);
    if (pack) Vitrine::Text(PackCountLine, 96, 50);
    Vitrine::Text("Nog", 150, band.LivesY);
    Vitrine::Text(Lifes == 1 ? "leven." : "levens.", band.WordX, band.LivesY);
    Vitrine::Text("A game created by the KERBO team", 470, 10);
    Vitrine::Text("Art and sound: KERBO team", 614, 30);
    Vitrine::Text(pack ? std::string_view(PackLevelsLine) : "Levels: KERBO team", 614, 50);
    Vitrine::Text("Nog", 150, band.ItemsY);
    Vitrine::Text(itemsLeft == 1 ? "item te gaan." : "items te gaan.", band.WordX, band.ItemsY);
    if (Practising()) {
        Vitrine::SetFont(1, LightGrey);
        Vitrine::Text("PRACTICE", PracticeX, PracticeY);
    }
}

}  // namespace KerboImplementation
