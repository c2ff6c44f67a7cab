// The cats, one pass of their rule (EnemyMovement) at a time, on houses
// built in the test: walking, walls, doors, shafts, trampolines with their
// random floors, the contact with Oska, shock waves and leaving the house.
#include <set>

#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

class Cats : public ::testing::Test {
  protected:
    // An empty storey house: ceiling rows 1-2, passages everywhere else,
    // walls at both ends of every storey; Oska out of the way in row 10, far
    // right; the generator at its start.
    void SetUp() override {
        s = GameState{};
        for (uint32_t i = 1; i <= Rows; ++i) {
            for (uint32_t j = 1; j <= Columns; ++j) {
                s.House[i][j] = i <= 2 ? Ceiling : (j == 1 || j == Columns) ? Wall : Passage;
            }
        }
        s.RelativeSpeedCatX = 1.0f;
        PutOska(s, 725.0f, 488.0f);
    }

    // A shaft in column 7 (x 300..350): top cell in row 3, shaft rows 4..8,
    // trampoline in row 9.
    void ShaftInColumn7() {
        s.House[3][7] = EndElevator;
        for (uint32_t i = 4; i <= 8; ++i) s.House[i][7] = Elevator;
        s.House[9][7] = Trampoline;
    }

    Enemy& PlaceCat(std::size_t k, float x, float y, Direction d) {
        Enemy& cat = s.EnemyArr[k];
        cat = {x, y, true, true, true};
        cat.Direction = d;
        return cat;
    }

    Enemy& SweptCat(std::size_t k, float x, float y, Direction d) {
        Enemy& cat = PlaceCat(k, x, y, d);
        cat.Controlable = false;
        cat.HitByShock = true;
        return cat;
    }

    FrameEvents EnemyMovement() {
        FrameEvents events;
        KerboImplementation::EnemyMovement(s, events);
        return events;
    }

    GameState s;
    Personage& Man = s.Man;
    HouseGrid& House = s.House;
};

TEST_F(Cats, OnePassWalksTurnsAtWallsAndClosedDoorsAtTheDifficultysSpeed) {
    // One cat in the cell under test, which its pass never changes.
    const Blok item3{Initial::i, Picture::Item3, false, ItemInitial::i3, 300};
    Blok open = DoorLeft;
    open.DoorOpen = true;
    const struct {
        const char* what;
        Blok cell;
        float x, y, speed, xAfter, yAfter;
        Direction d, dAfter;
    } cases[] = {
        {"to its row's walking height (row 4), Hard", Passage, 300.0f, 170.0f, 1.75f, 299.3f, 188.0f,
         Direction::Left, Direction::Left},
        {"over an item, up to row 7's height", item3, 300.0f, 345.0f, 1.75f, 300.7f, 338.0f, Direction::Right,
         Direction::Right},
        {"Easy", Passage, 300.0f, 188.0f, 0.75f, 299.7f, 188.0f, Direction::Left, Direction::Left},
        // A wall (x 200..250) throws it back one and a half cells.
        {"into a wall from the left", Wall, 210.0f, 188.0f, 1.0f, 135.0f, 188.0f, Direction::Right,
         Direction::Left},
        {"into a wall from the right", Wall, 240.0f, 188.0f, 1.0f, 315.0f, 188.0f, Direction::Left,
         Direction::Right},
        {"on a wall's centre line", Wall, 225.0f, 188.0f, 1.0f, 225.0f, 188.0f, Direction::Left,
         Direction::Left},
        // A closed door turns a cat heading for its centre line (225), without a step.
        {"for a closed door's line", DoorLeft, 210.0f, 188.0f, 1.0f, 210.0f, 188.0f, Direction::Right,
         Direction::Left},
        {"away from it", DoorLeft, 230.0f, 188.0f, 1.0f, 230.4f, 188.0f, Direction::Right, Direction::Right},
        {"for it from the right", DoorLeft, 240.0f, 188.0f, 1.0f, 240.0f, 188.0f, Direction::Left,
         Direction::Right},
        {"on the line", DoorLeft, 225.0f, 188.0f, 1.0f, 224.6f, 188.0f, Direction::Left, Direction::Left},
        {"for an open door's line", open, 210.0f, 188.0f, 1.0f, 210.4f, 188.0f, Direction::Right,
         Direction::Right},
    };
    for (const auto& c : cases) {
        SetUp();
        Blok& cell = House[WhereAmI(c.y)][WhereAmI(c.x)];
        cell = c.cell;
        Enemy& cat = PlaceCat(1, c.x, c.y, c.d);
        cat.HaveToFall = false;
        s.RelativeSpeedCatX = c.speed;
        EXPECT_FALSE(EnemyMovement().Caught);
        EXPECT_EQ(cat.x, c.xAfter) << c.what;
        EXPECT_EQ(cat.y, c.yAfter) << c.what;
        EXPECT_EQ(cat.Direction, c.dAfter) << c.what;
        EXPECT_TRUE(cat.HaveToFall) << c.what;
        EXPECT_EQ(cell.Initial, c.cell.Initial) << c.what;
        EXPECT_EQ(cell.Points, c.cell.Points) << c.what;
    }
}

TEST_F(Cats, TouchAtFourWholePixelsOnTheSameStoreyOnly) {
    Man.x = 300.9f;
    Man.y = 188.0f;
    const struct {
        float x, y;
        bool hit;
    } cases[] = {{304.9f, 188.0f, true},    // TRUNC: 300 and 304
                 {305.0f, 188.0f, false},   // 300 and 305
                 {295.9f, 188.0f, false},   // 300 and 295 from the other side
                 {300.9f, 199.9f, true},    // same row, different heights
                 {300.9f, 200.0f, false}};  // the row below, same place
    for (const auto& c : cases) {
        Man.Hit = false;
        FrameEvents events;
        HitByEnemy(Enemy{c.x, c.y}, Man, events);
        EXPECT_EQ(Man.Hit, c.hit) << c.x << "," << c.y;
        EXPECT_EQ(events.Caught, c.hit) << "the touch is a frame's event, for the front end's sound";
    }
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
    const struct {
        float x, y, catY;
        bool falling, swept;
    } cases[] = {{325.0f, 288.0f, 288.0f, true, false},   // in the shaft, row 6, on top of him
                 {325.0f, 438.0f, 430.0f, false, false},  // on the trampoline
                 {300.0f, 188.0f, 188.0f, true, true}};   // carried by a wave through him
    for (const auto& c : cases) {
        SetUp();
        ShaftInColumn7();
        PutOska(s, c.x, c.y);
        Enemy& cat =
            c.swept ? SweptCat(1, c.x, c.catY, Direction::Right) : PlaceCat(1, c.x, c.catY, Direction::Left);
        cat.HaveToFall = c.falling;
        for (int k = 0; k < 10; ++k) EXPECT_FALSE(EnemyMovement().Caught) << c.x << "," << c.catY;
        EXPECT_FALSE(Man.Hit);
    }
}

TEST_F(Cats, ASweptCatLeavesInTheFrameAfterCrossingTheEdge) {
    Enemy& left = SweptCat(1, 19.9f, 188.0f, Direction::Left);
    Enemy& onEdge = SweptCat(2, 20.0f, 238.0f, Direction::Left);
    Enemy& right = SweptCat(3, 780.0f, 288.0f, Direction::Right);

    EnemyMovement();
    EXPECT_FALSE(left.StillExisting);
    EXPECT_EQ(s.Score, 200u);
    EXPECT_TRUE(onEdge.StillExisting);
    EXPECT_EQ(onEdge.x, 20.0f - 0.65f);
    EXPECT_TRUE(right.StillExisting);
    EXPECT_EQ(right.x, 780.0f + 0.65f);

    EnemyMovement();
    EXPECT_FALSE(onEdge.StillExisting);
    EXPECT_FALSE(right.StillExisting);
    EXPECT_EQ(s.Score, 600u);

    EnemyMovement();
    EXPECT_EQ(s.Score, 600u) << "a removed cat scores once";
}

TEST_F(Cats, AWaveInTheCatsCellTakesItTheWavesWay) {
    Enemy& cat = PlaceCat(1, 330.0f, 188.0f, Direction::Right);
    ShockWave& w = s.AllShockWaves.Waves[3];  // any slot counts, whatever NumberOfWaves says
    w = {310.0f, 160.0f, true, Direction::Left};

    EnemyMovement();
    EXPECT_FALSE(cat.Controlable);
    EXPECT_TRUE(cat.HitByShock);
    EXPECT_EQ(cat.Direction, Direction::Left);
    EXPECT_EQ(cat.x, 330.0f - 0.65f) << "it drifts in the frame it is caught";
    EXPECT_EQ(cat.y, 188.0f);

    // Two waves in its cell: the later slot decides.
    Enemy& other = PlaceCat(2, 330.0f, 238.0f, Direction::Left);
    s.AllShockWaves.Waves[1] = {320.0f, 210.0f, true, Direction::Left};
    s.AllShockWaves.Waves[7] = {340.0f, 210.0f, true, Direction::Right};
    EnemyMovement();
    EXPECT_EQ(other.Direction, Direction::Right);

    // A dead wave catches nothing.
    Enemy& spared = PlaceCat(3, 330.0f, 288.0f, Direction::Left);
    s.AllShockWaves.Waves[9] = {320.0f, 260.0f, false, Direction::Left};
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

    uint32_t seed = s.Seed;
    const uint32_t dir1 = StandardLib::RandomCard(seed, 0, 1);
    const uint32_t floor1 = StandardLib::RandomCard(seed, 2, 7);
    const uint32_t dir3 = StandardLib::RandomCard(seed, 0, 1);
    const uint32_t floor3 = StandardLib::RandomCard(seed, 2, 8);  // y - 10 = 430 lies in row 9

    EnemyMovement();
    EXPECT_EQ(s.Seed, seed) << "the game's own generator, four draws";
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
        const Blok* cell = CellAt(House, cat.x, cat.y);
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
    EXPECT_EQ(s.Score, 0u);
    EXPECT_TRUE(inCeiling.StillExisting) << "a ceiling cell holds a cat where it is";
    EXPECT_EQ(inCeiling.x, 400.0f);
    EXPECT_EQ(inCeiling.y, 60.0f);
}

TEST_F(Cats, EmptySlotsAreLeftAlone) {
    Enemy& ghost = s.EnemyArr[300];
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

}  // namespace
