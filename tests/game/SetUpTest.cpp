// Setting up a game and a level attempt: the counters, the cats (how many,
// where the fixed random sequence puts them), the items' kinds and points,
// and the house rebuilt fresh for every attempt.
#include "tests/game/Fixture.h"

#include <utility>
#include <vector>

using namespace KerboImplementation;
using namespace Fixture;

namespace {

std::vector<std::pair<float, float>> CatPlaces() {
    std::vector<std::pair<float, float>> places;
    for (const Enemy& cat : EnemyArr) {
        if (cat.StillExisting) places.emplace_back(cat.x, cat.y);
    }
    return places;
}

}  // namespace

class LevelSetUp : public GameTest {};

TEST_F(LevelSetUp, NewGameStartsCountersAndSpeedFromTheDifficulty) {
    Score = 900;
    Lifes = 1;
    ActualLevel = 7;
    LoadGame();
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(Score, 0u);
    EXPECT_EQ(ActualLevel, 1u);
    EXPECT_EQ(RelativeSpeedCatX, 0.75f) << "a game started without choosing is Easy";

    LevelDifficulty = Difficulty::Medium;
    LoadGame();
    EXPECT_EQ(RelativeSpeedCatX, 1.0f);
    LevelDifficulty = Difficulty::Hard;
    LoadGame();
    EXPECT_EQ(RelativeSpeedCatX, 1.75f);
}

TEST_F(LevelSetUp, CatCountsGrowWithTheLevelAndOtherSlotsStayEmpty) {
    LoadGame();
    const uint32_t expected[] = {5, 5, 6, 6, 6, 7, 7, 7, 8, 8};
    for (uint32_t level = 1; level <= 10; ++level) {
        // Leftovers from an earlier attempt must not stay in play.
        EnemyArr[9].StillExisting = true;
        EnemyArr[MaxEnemies].StillExisting = true;

        ActualLevel = level;
        LoadLevel(level);
        EXPECT_EQ(CurrentAmountOfEnemy, expected[level - 1]) << "level " << level;
        for (uint32_t k = 1; k <= MaxEnemies; ++k) {
            const Enemy& cat = EnemyArr[k];
            ASSERT_EQ(cat.StillExisting, k <= expected[level - 1]) << "level " << level << " slot " << k;
            if (!cat.StillExisting) continue;
            EXPECT_GE(cat.x, 151.0f);
            EXPECT_LE(cat.x, 650.0f);
            EXPECT_GE(cat.y, 151.0f);
            EXPECT_LE(cat.y, 350.0f);
            EXPECT_EQ(cat.Direction, Direction::Left);
            EXPECT_TRUE(cat.Controlable);
            EXPECT_FALSE(cat.HitByShock);
        }
    }
}

TEST_F(LevelSetUp, FirstAttemptOfLevelOnePlacesTheCatsFromTheSecondSetUpsDraws) {
    // From seed 94 the generator gives 716, 230, 841, 546, 327, 446, 682, 452,
    // 762, 168 (the first set-up's five cats), then 352, 104, 174, 432, 833,
    // 777, 368, 655, 92, 14: the cats that stay.
    const std::vector<std::pair<float, float>> expected = {
        {324.0f, 171.0f}, {236.0f, 236.0f}, {562.0f, 304.0f}, {332.0f, 280.0f}, {196.0f, 153.0f}};

    LoadGame();
    LoadLevel(ActualLevel);
    EXPECT_EQ(CatPlaces().front(), std::make_pair(504.0f, 196.0f)) << "the first set-up's first cat";
    LoadLevel(ActualLevel);
    EXPECT_EQ(CatPlaces(), expected);
    EXPECT_EQ(StandardLib::RandomCard(0, 1012), 1000u) << "twenty draws used, no more";

    // The same through the game's own flow: the game's set-up, then the
    // attempt's. The quiet level keeps its cats in the ceiling, where they
    // stay put, and it has no items, so the attempt ends after one frame.
    StandardLib::ResetRandom();
    LoadGame();
    LoadLevel(ActualLevel);
    EXPECT_EQ(PlayLevel(ActualLevel), LevelEnd::Cleared);
    EXPECT_EQ(CatPlaces(), expected);
}

TEST_F(LevelSetUp, AnAttemptResetsOskaAndTheWavesButKeepsTheGamesCounters) {
    LoadGame();
    Man.x = 12.0f;
    Man.Controlable = false;
    Man.Hit = true;
    Man.PersonalWalkTime = 17;
    Jumps = 3;
    ItemsFound = 2;
    AllShockWaves.NumberOfWaves = 2;
    AllShockWaves.Waves[2].StillExisting = true;
    TrampolineX = 175.0f;
    TrampolineY = 426.0f;
    Score = 1200;

    LoadLevel(1);
    EXPECT_EQ(Man.x, 450.0f);
    EXPECT_EQ(Man.y, 439.0f);
    EXPECT_TRUE(Man.Controlable);
    EXPECT_FALSE(Man.Hit);
    EXPECT_EQ(Man.Look, Picture::OskaRight1);
    EXPECT_EQ(Man.PersonalWalkTime, 17u) << "the walking counter carries over";
    EXPECT_EQ(Jumps, 0u);
    EXPECT_EQ(ItemsFound, 0u);
    EXPECT_EQ(AllShockWaves.NumberOfWaves, 0u);
    EXPECT_FALSE(AllShockWaves.Waves[2].StillExisting) << "a wave of the last attempt is gone";
    EXPECT_EQ(Score, 1200u);
    EXPECT_EQ(Lifes, 4u);
    EXPECT_EQ(TrampolineX, 175.0f);
    EXPECT_EQ(TrampolineY, 426.0f);
}

TEST_F(LevelSetUp, ItemsArePointedInReadingOrderRoundAndRoundAgain) {
    Storeys level = QuietLevel();
    level[2] = "ciccicccccccccic";  // row 5: three items
    level[6] = "wpiipppppppiiiiw";  // row 9: six items
    level[7] = "wwwwwwwwwwwwwwiw";  // row 10: one item
    WriteLevel(4, level);
    LoadGame();
    ActualLevel = 4;
    LoadLevel(4);

    EXPECT_EQ(HowManyItems(World, 4), 10u);
    EXPECT_EQ(HowManyItems(World, 1), 0u);
    EXPECT_EQ(ItemsTotal, 10u);

    const Picture images[] = {Picture::Item1, Picture::Item2, Picture::Item3, Picture::Item4, Picture::Item5};
    std::vector<uint32_t> points;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        points.clear();
        for (uint32_t i = 1; i <= Rows; ++i) {
            for (uint32_t j = 1; j <= Columns; ++j) {
                const Blok& cell = House[i][j];
                if (cell.Initial != Initial::i) {
                    EXPECT_EQ(cell.Points, 0u) << i << "," << j;
                    continue;
                }
                const std::size_t kind = points.size() % 5;
                points.push_back(cell.Points);
                EXPECT_EQ(cell.Look, images[kind]) << i << "," << j;
                EXPECT_EQ(static_cast<std::size_t>(cell.WhichItem), kind) << i << "," << j;
            }
        }
        EXPECT_EQ(points, (std::vector<uint32_t>{100, 200, 300, 400, 500, 100, 200, 300, 400, 500}))
            << "attempt " << attempt;
        LoadLevel(4);
    }
}

TEST_F(LevelSetUp, EveryAttemptStartsWithGreenTrampolinesClosedDoorsAndAllItems) {
    Storeys level = QuietLevel();
    level[6] = "wdDsSipppppppppw";
    level[7] = "wwwtwwwwwwwwwwww";
    WriteLevel(1, level);
    LoadGame();
    LoadLevel(1);

    // What play does to a house: a door opened, a shock door turned plain,
    // a trampoline worn, an item collected.
    House[9][2].DoorOpen = true;
    House[9][2].Look = Picture::DoorLeftOpen;
    House[9][4] = DoorLeft;
    House[10][4].Look = Picture::TrampolineRed;
    House[9][6] = Passage;

    LoadLevel(1);
    const struct {
        uint32_t column;
        Initial kind;
        Picture bitmap;
        Assets::Image file;
    } doors[] = {{2, Initial::d, Picture::DoorLeftClosed, Assets::DoorLeftClosed},
                 {3, Initial::D, Picture::DoorRightClosed, Assets::DoorRightClosed},
                 {4, Initial::s, Picture::ShockLeftClosed, Assets::ShockDoorLeftClosed},
                 {5, Initial::S, Picture::ShockRightClosed, Assets::ShockDoorRightClosed}};
    for (const auto& door : doors) {
        const Blok& cell = House[9][door.column];
        EXPECT_EQ(cell.Initial, door.kind) << "column " << door.column;
        EXPECT_FALSE(cell.DoorOpen) << "column " << door.column;
        EXPECT_EQ(cell.Look, door.bitmap) << "column " << door.column;
        EXPECT_EQ(Vitrine::Testing::BitmapPixel(PictureBitmap(cell.Look), 25, 25), ColourOf(door.file));
    }
    EXPECT_EQ(House[10][4].Initial, Initial::t);
    EXPECT_EQ(House[10][4].Look, Picture::TrampolineGreen);
    EXPECT_EQ(Vitrine::Testing::BitmapPixel(PictureBitmap(Picture::TrampolineGreen), 25, 25),
              ColourOf(Assets::TrampolineGreen));
    EXPECT_EQ(House[9][6].Initial, Initial::i);
    EXPECT_EQ(House[9][6].Points, 100u);
    EXPECT_EQ(ItemsTotal, 1u);

    // The plain cells carry their templates' images.
    EXPECT_EQ(House[1][1].Look, Ceiling.Look);
    EXPECT_EQ(House[9][1].Look, Wall.Look);
    EXPECT_EQ(House[9][7].Look, Passage.Look);
    EXPECT_EQ(Vitrine::Testing::BitmapPixel(PictureBitmap(Passage.Look), 1, 1), ColourOf(Assets::Passage));
    EXPECT_EQ(Item.Look, Picture::None) << "items get their pictures one by one";
}
