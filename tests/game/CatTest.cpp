// The cats, one frame pass (EnemyMovement) at a time, on houses built in the
// test: walking, walls, doors, shafts, trampolines with their random floors,
// the contact with Oska, shock waves and leaving the house.
#include <gtest/gtest.h>

#include <set>

#include "game/KerboImplementation.h"
#include "util/StandardLib.h"

using namespace KerboImplementation;

namespace {

// An empty storey house: ceiling rows 1-2, passages everywhere else, walls at
// both ends of every storey.
void OpenHouse() {
    ResetState();
    for (uint32_t i = 1; i <= Rows; ++i) {
        for (uint32_t j = 1; j <= Columns; ++j) {
            House[i][j] = i <= 2 ? Ceiling : (j == 1 || j == Columns) ? Wall : Passage;
        }
    }
    RelativeSpeedCatX = 1.0f;
    // Oska out of the way: row 10, far right.
    Man.x = 725.0f;
    Man.y = 488.0f;
    Man.Controlable = true;
}

// A shaft in column 7 (x 300..350): top cell in row 3, shaft rows 4..8,
// trampoline in row 9.
void ShaftInColumn7() {
    House[3][7] = EndElevator;
    for (uint32_t i = 4; i <= 8; ++i) House[i][7] = Elevator;
    House[9][7] = Trampoline;
}

Enemy& PlaceCat(std::size_t k, float x, float y, Direction d) {
    Enemy& cat = EnemyArr[k];
    cat.x = x;
    cat.y = y;
    cat.Direction = d;
    cat.StillExisting = true;
    cat.Controlable = true;
    cat.HitByShock = false;
    cat.HaveToFall = true;
    return cat;
}

Enemy& SweptCat(std::size_t k, float x, float y, Direction d) {
    Enemy& cat = PlaceCat(k, x, y, d);
    cat.Controlable = false;
    cat.HitByShock = true;
    return cat;
}

// One pass of the cats over the game in play.
FrameEvents EnemyMovement() {
    FrameEvents events;
    KerboImplementation::EnemyMovement(World, events);
    return events;
}

class Cats : public ::testing::Test {
  protected:
    void SetUp() override {
        OpenHouse();
        StandardLib::ResetRandom();
    }
};

}  // namespace

TEST_F(Cats, WalkAtTheRowsWalkingHeightAtTheDifficultysSpeed) {
    Enemy& a = PlaceCat(1, 300.0f, 170.0f, Direction::Left);   // row 4, above its walking height
    Enemy& b = PlaceCat(2, 300.0f, 345.0f, Direction::Right);  // row 7, below it
    House[7][7] = {Initial::i, Picture::Item3, false, ItemInitial::i3, 300};
    b.HaveToFall = false;

    RelativeSpeedCatX = 1.75f;  // Hard
    EnemyMovement();
    EXPECT_EQ(a.y, 188.0f);
    EXPECT_EQ(b.y, 338.0f);
    EXPECT_TRUE(b.HaveToFall);
    EXPECT_EQ(a.x, 299.3f);
    EXPECT_EQ(b.x, 300.7f) << "walks over an item cell";
    EXPECT_EQ(House[7][7].Initial, Initial::i) << "and leaves the item where it is";
    EXPECT_EQ(House[7][7].Points, 300u);

    a.x = 300.0f;
    RelativeSpeedCatX = 0.75f;  // Easy
    EnemyMovement();
    EXPECT_EQ(a.x, 299.7f);
}

TEST_F(Cats, WallsThrowThemBackOneAndAHalfCells) {
    House[4][5] = Wall;  // x 200..250, centre 225
    Enemy& fromLeft = PlaceCat(1, 210.0f, 188.0f, Direction::Right);
    Enemy& fromRight = PlaceCat(2, 240.0f, 188.0f, Direction::Left);
    Enemy& onCentre = PlaceCat(3, 225.0f, 188.0f, Direction::Left);
    fromLeft.HaveToFall = fromRight.HaveToFall = false;

    EnemyMovement();
    EXPECT_EQ(fromLeft.x, 135.0f);
    EXPECT_EQ(fromLeft.Direction, Direction::Left);
    EXPECT_EQ(fromRight.x, 315.0f);
    EXPECT_EQ(fromRight.Direction, Direction::Right);
    EXPECT_EQ(onCentre.x, 225.0f);
    EXPECT_EQ(onCentre.Direction, Direction::Left);
    EXPECT_TRUE(fromLeft.HaveToFall);
    EXPECT_TRUE(fromRight.HaveToFall);
}

TEST_F(Cats, ClosedDoorsTurnCatsHeadingForTheCentreLine) {
    House[4][5] = DoorLeft;  // closed, centre 225
    Enemy& heading = PlaceCat(1, 210.0f, 188.0f, Direction::Right);
    Enemy& leaving = PlaceCat(2, 230.0f, 188.0f, Direction::Right);
    Enemy& mirror = PlaceCat(3, 240.0f, 188.0f, Direction::Left);
    Enemy& onLine = PlaceCat(4, 225.0f, 188.0f, Direction::Left);

    EnemyMovement();
    EXPECT_EQ(heading.Direction, Direction::Left);
    EXPECT_EQ(heading.x, 210.0f) << "a turning cat does not move in that frame";
    EXPECT_EQ(leaving.Direction, Direction::Right);
    EXPECT_EQ(leaving.x, 230.4f);
    EXPECT_EQ(mirror.Direction, Direction::Right);
    EXPECT_EQ(mirror.x, 240.0f);
    EXPECT_EQ(onLine.Direction, Direction::Left);
    EXPECT_EQ(onLine.x, 224.6f);

    // The same cat passes once the door is open.
    House[4][5].DoorOpen = true;
    heading.Direction = Direction::Right;
    EnemyMovement();
    EXPECT_EQ(heading.Direction, Direction::Right);
    EXPECT_EQ(heading.x, 210.4f);
}

TEST_F(Cats, TouchAtFourWholePixelsOnTheSameStoreyOnly) {
    Man.x = 300.9f;
    Man.y = 188.0f;
    Enemy cat;
    cat.y = 188.0f;
    FrameEvents events;

    cat.x = 304.9f;  // TRUNC: 300 and 304
    HitByEnemy(cat, Man, events);
    EXPECT_TRUE(Man.Hit);
    EXPECT_TRUE(events.Caught) << "the touch is a frame's event, for the front end's sound";

    Man.Hit = false;
    cat.x = 305.0f;  // 300 and 305
    HitByEnemy(cat, Man, events);
    EXPECT_FALSE(Man.Hit);
    cat.x = 295.9f;  // 300 and 295 from the other side
    HitByEnemy(cat, Man, events);
    EXPECT_FALSE(Man.Hit);

    cat.x = 300.9f;
    cat.y = 199.9f;  // same row, different heights
    HitByEnemy(cat, Man, events);
    EXPECT_TRUE(Man.Hit);

    Man.Hit = false;
    cat.y = 200.0f;  // the row below, same place
    HitByEnemy(cat, Man, events);
    EXPECT_FALSE(Man.Hit);
}

TEST_F(Cats, AWalkingCatCatchesOskaInTheFrameItReachesHim) {
    Man.x = 300.0f;
    Man.y = 188.0f;
    PlaceCat(1, 305.5f, 188.0f, Direction::Left);  // 305.1 after its step: 5 apart
    EnemyMovement();
    EXPECT_FALSE(Man.Hit);
    EnemyMovement();  // 304.7: 4 apart
    EXPECT_TRUE(Man.Hit);
}

TEST_F(Cats, NoTouchFromAShaftATrampolineOrASweptCat) {
    ShaftInColumn7();
    Man.x = 325.0f;
    Man.y = 288.0f;
    PlaceCat(1, 325.0f, 288.0f, Direction::Left);  // in the shaft, row 6, on top of him
    EnemyMovement();
    EXPECT_FALSE(Man.Hit);

    OpenHouse();
    ShaftInColumn7();
    Man.x = 325.0f;
    Man.y = 438.0f;
    PlaceCat(1, 325.0f, 430.0f, Direction::Left).HaveToFall = false;  // on the trampoline
    EnemyMovement();
    EXPECT_FALSE(Man.Hit);

    OpenHouse();
    Man.x = 300.0f;
    Man.y = 188.0f;
    SweptCat(1, 300.0f, 188.0f, Direction::Right);
    for (int k = 0; k < 10; ++k) EnemyMovement();
    EXPECT_FALSE(Man.Hit);
}

TEST_F(Cats, ASweptCatLeavesInTheFrameAfterCrossingTheEdge) {
    Enemy& left = SweptCat(1, 19.9f, 188.0f, Direction::Left);
    Enemy& onEdge = SweptCat(2, 20.0f, 238.0f, Direction::Left);
    Enemy& right = SweptCat(3, 780.0f, 288.0f, Direction::Right);

    EnemyMovement();
    EXPECT_FALSE(left.StillExisting);
    EXPECT_EQ(Score, 200u);
    EXPECT_TRUE(onEdge.StillExisting);
    EXPECT_EQ(onEdge.x, 20.0f - 0.65f);
    EXPECT_TRUE(right.StillExisting);
    EXPECT_EQ(right.x, 780.0f + 0.65f);

    EnemyMovement();
    EXPECT_FALSE(onEdge.StillExisting);
    EXPECT_FALSE(right.StillExisting);
    EXPECT_EQ(Score, 600u);

    EnemyMovement();
    EXPECT_EQ(Score, 600u) << "a removed cat scores once";
}

TEST_F(Cats, AWaveInTheCatsCellTakesItTheWavesWay) {
    Enemy& cat = PlaceCat(1, 330.0f, 188.0f, Direction::Right);
    ShockWave& w = AllShockWaves.Waves[3];  // any slot counts, whatever NumberOfWaves says
    w = {310.0f, 160.0f, true, Direction::Left};

    EnemyMovement();
    EXPECT_FALSE(cat.Controlable);
    EXPECT_TRUE(cat.HitByShock);
    EXPECT_EQ(cat.Direction, Direction::Left);
    EXPECT_EQ(cat.x, 330.0f - 0.65f) << "it drifts in the frame it is caught";
    EXPECT_EQ(cat.y, 188.0f);

    // Two waves in its cell: the later slot decides.
    Enemy& other = PlaceCat(2, 330.0f, 238.0f, Direction::Left);
    AllShockWaves.Waves[1] = {320.0f, 210.0f, true, Direction::Left};
    AllShockWaves.Waves[7] = {340.0f, 210.0f, true, Direction::Right};
    EnemyMovement();
    EXPECT_EQ(other.Direction, Direction::Right);

    // A dead wave catches nothing.
    Enemy& spared = PlaceCat(3, 330.0f, 288.0f, Direction::Left);
    AllShockWaves.Waves[9] = {320.0f, 260.0f, false, Direction::Left};
    EnemyMovement();
    EXPECT_TRUE(spared.Controlable);
}

TEST_F(Cats, RisingInAShaftTheyStepOffNearTheirFloor) {
    ShaftInColumn7();
    Enemy& cat = PlaceCat(1, 325.0f, 215.0f, Direction::Right);
    cat.HaveToFall = false;
    cat.FloorHeight = 175.0f;

    float before = cat.y;
    int frames = 0;
    while (cat.x == 325.0f && frames < 1000) {
        before = cat.y;
        EnemyMovement();
        ++frames;
    }
    EXPECT_EQ(cat.x, 325.0f + 25.1f);
    EXPECT_LT(before, 199.0f) << "the step-off frame starts below 199";
    EXPECT_GE(before + 0.4f, 199.0f) << "and it is the first such frame";
    EXPECT_EQ(cat.y, before) << "it steps sideways without rising";

    EnemyMovement();  // now in the passage of row 4
    EXPECT_EQ(cat.y, 188.0f);
    EXPECT_TRUE(cat.HaveToFall);
}

TEST_F(Cats, TheTopCellOfAShaftNeedsTheFloorWithinTwoPixels) {
    ShaftInColumn7();
    Enemy& cat = PlaceCat(1, 325.0f, 133.0f, Direction::Left);
    cat.HaveToFall = false;
    cat.FloorHeight = 125.0f;
    int frames = 0;
    while (cat.x == 325.0f && frames < 100) {
        EnemyMovement();
        ++frames;
    }
    EXPECT_EQ(cat.x, 298.0f);
    EXPECT_GT(cat.y, 123.0f);
    EXPECT_LT(cat.y, 127.0f);

    // Without its floor there it turns back down at the cell's middle.
    Enemy& other = PlaceCat(2, 325.0f, 126.0f, Direction::Right);
    other.HaveToFall = false;
    other.FloorHeight = 375.0f;
    for (int k = 0; k < 5; ++k) EnemyMovement();
    EXPECT_TRUE(other.HaveToFall);
    EXPECT_EQ(other.x, 325.0f);
    EXPECT_GT(other.y, 124.0f);
}

TEST_F(Cats, EveryTrampolineFrameDrawsDirectionThenFloor) {
    ShaftInColumn7();
    House[9][12] = Trampoline;
    Enemy& cat = PlaceCat(1, 325.0f, 400.2f, Direction::Left);
    PlaceCat(2, 500.0f, 338.0f, Direction::Left);  // walking: draws nothing
    Enemy& third = PlaceCat(3, 575.0f, 440.0f, Direction::Left);

    StandardLib::ResetRandom();
    const uint32_t dir1 = StandardLib::RandomCard(0, 1);
    const uint32_t floor1 = StandardLib::RandomCard(2, 7);
    const uint32_t dir3 = StandardLib::RandomCard(0, 1);
    const uint32_t floor3 = StandardLib::RandomCard(2, 8);  // y - 10 = 430 lies in row 9
    const uint32_t seedAfterFour = StandardLib::CurrentSeed();

    StandardLib::ResetRandom();
    EnemyMovement();
    EXPECT_EQ(StandardLib::CurrentSeed(), seedAfterFour);
    EXPECT_EQ(cat.Direction, dir1 == 0 ? Direction::Left : Direction::Right);
    EXPECT_EQ(cat.FloorHeight, static_cast<float>(floor1 * 50 + 25));
    EXPECT_EQ(third.Direction, dir3 == 0 ? Direction::Left : Direction::Right);
    EXPECT_EQ(third.FloorHeight, static_cast<float>(floor3 * 50 + 25));
    // From seed 94: 1 then 3, so Right and 175; the other order would give Left and 325.
    EXPECT_EQ(cat.Direction, Direction::Right);
    EXPECT_EQ(cat.FloorHeight, 175.0f);

    // Landing at the top of the cell bounces at once; deeper in it falls on.
    EXPECT_FALSE(cat.HaveToFall);
    EXPECT_EQ(cat.y, 400.2f - 0.4f);
    EXPECT_TRUE(third.HaveToFall);
    EXPECT_EQ(third.y, 440.0f + 0.4f);
}

TEST_F(Cats, FromATrampolineInRow9TheFloorIsOneOfRows3To8) {
    ShaftInColumn7();
    Enemy& cat = PlaceCat(1, 325.0f, 400.2f, Direction::Left);
    std::set<float> floors;
    for (int k = 0; k < 1100; ++k) {
        cat.y = 400.2f;
        cat.HaveToFall = true;
        EnemyMovement();
        floors.insert(cat.FloorHeight);
    }
    EXPECT_EQ(floors, (std::set<float>{125.0f, 175.0f, 225.0f, 275.0f, 325.0f, 375.0f}));
}

TEST_F(Cats, ATrampolineTooHighSendsTheCatToRow3) {
    House[3][7] = Trampoline;
    Enemy& cat = PlaceCat(1, 325.0f, 105.0f, Direction::Left);  // y - 10 in row 2
    ::testing::internal::CaptureStdout();
    EnemyMovement();
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("min 2 is bigger than max 1"), std::string::npos) << out;
    EXPECT_EQ(cat.FloorHeight, 125.0f);
}

TEST_F(Cats, DownTheShaftOntoTheTrampolineAndOffAtTheDrawnFloor) {
    ShaftInColumn7();
    Enemy& cat = PlaceCat(1, 310.0f, 188.0f, Direction::Right);  // walks in from row 4
    int frames = 0;
    bool bounced = false;
    while (frames < 5000) {
        EnemyMovement();
        ++frames;
        const Blok* cell = CellAt(cat.x, cat.y);
        ASSERT_NE(cell, nullptr);
        if (cell->Initial == Initial::t) bounced = true;
        if (bounced && cell->Initial == Initial::p) break;
    }
    ASSERT_TRUE(bounced);
    EnemyMovement();  // one frame on the storey
    const uint32_t floorRow = WhereAmI(cat.FloorHeight);
    EXPECT_EQ(WhereAmI(cat.y), floorRow);
    EXPECT_EQ(cat.y, static_cast<float>(floorRow * 50 - 12));
    EXPECT_EQ(WhereAmI(cat.x), cat.Direction == Direction::Left ? 6u : 8u);
    EXPECT_TRUE(cat.StillExisting);
}

TEST_F(Cats, ACatOutsideTheHouseLeavesPlayWithoutPoints) {
    House[4][1] = Passage;  // a storey open at its left end
    Enemy& walker = PlaceCat(1, 0.2f, 188.0f, Direction::Left);
    House[5][1] = Wall;
    Enemy& thrown = PlaceCat(2, 10.0f, 238.0f, Direction::Right);  // wall jump to -65
    Enemy& placed = PlaceCat(3, 900.0f, 238.0f, Direction::Left);
    Enemy& inCeiling = PlaceCat(4, 400.0f, 60.0f, Direction::Left);

    EnemyMovement();
    EXPECT_FALSE(walker.StillExisting);
    EXPECT_FALSE(thrown.StillExisting);
    EXPECT_FALSE(placed.StillExisting);
    EXPECT_EQ(Score, 0u);
    EXPECT_TRUE(inCeiling.StillExisting) << "a ceiling cell holds a cat where it is";
    EXPECT_EQ(inCeiling.x, 400.0f);
    EXPECT_EQ(inCeiling.y, 60.0f);
}

TEST_F(Cats, EmptySlotsAreLeftAlone) {
    Enemy& ghost = EnemyArr[300];
    ghost.x = 300.0f;
    ghost.y = 188.0f;
    ghost.Controlable = true;
    ghost.StillExisting = false;
    Man.x = 300.0f;
    Man.y = 188.0f;
    Enemy& last = PlaceCat(299, 400.0f, 188.0f, Direction::Left);
    EnemyMovement();
    EXPECT_EQ(ghost.x, 300.0f);
    EXPECT_FALSE(Man.Hit);
    EXPECT_EQ(last.x, 399.6f) << "every slot up to 300 is visited";
}
