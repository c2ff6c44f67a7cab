// Doors and shock waves: X in a door cell (the pushes, the pictures, the
// spent shock door, the hold asked of the front end), the waves' lifetime
// and slots, and which cats a wave catches.
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

// Oska's storey is row 9; the door under test goes into column 10, whose
// centre line is at 475. He starts at 450, the cell's left border.
constexpr float M = 475.0f;

// A game with Oska at x in the door cell, the door of this kind and state.
GameState DoorWithOskaAt(const Blok& kind, bool open, float x) {
    GameState s = Game(QuietLevel());
    s.House[9][10] = kind;
    s.House[9][10].DoorOpen = open;
    s.House[9][10].Look = Picture::None;  // so the picture written by the door use is checked
    PutOska(s, x, 438.0f);
    return s;
}

TEST(Doors, XOpensOrClosesTheDoorAndPushesOskaOutOfItsSwing) {
    const struct {
        Blok kind;
        bool open;
        float x, pushedTo;
        Picture look;
    } cases[] = {
        // Opening pushes him out of the swing on the door's side.
        {DoorLeft, false, M - 5.0f, M - 49.0f, Picture::DoorLeftOpen},
        {DoorLeft, false, M + 5.0f, M + 5.0f, Picture::DoorLeftOpen},
        {DoorRight, false, M + 5.0f, M + 49.0f, Picture::DoorRightOpen},
        {DoorRight, false, M - 5.0f, M - 5.0f, Picture::DoorRightOpen},
        {ShockDoorLeft, false, M - 5.0f, M - 49.0f, Picture::ShockLeftOpen},
        // Closing pushes him from near the centre line to the other side.
        {DoorRight, true, M + 5.0f, M - 49.0f, Picture::DoorRightClosed},
        {DoorRight, true, M + 11.0f, M + 11.0f, Picture::DoorRightClosed},
        {DoorRight, true, M + 15.0f, M + 15.0f, Picture::DoorRightClosed},
        {DoorLeft, true, M - 5.0f, M + 49.0f, Picture::DoorLeftClosed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        GameState s = DoorWithOskaAt(c.kind, c.open, c.x);
        EXPECT_TRUE(Frame(s, XKey).DoorUsed) << "the game holds still a moment";
        EXPECT_EQ(s.House[9][10].DoorOpen, !c.open);
        EXPECT_EQ(s.Man.x, c.pushedTo);
        EXPECT_EQ(s.House[9][10].Look, c.look);
        const bool fires = c.kind.Initial == Initial::s && !c.open;
        ASSERT_EQ(s.AllShockWaves.NumberOfWaves, fires ? 1u : 0u);
        if (fires) {
            EXPECT_EQ(s.AllShockWaves.Waves[1].Direction, Direction::Left);
        }
    }
}

TEST(Doors, InsideAClosedDoorsBandHeMayWalkOnlyAwayFromItsCentreLine) {
    const struct {
        float x;
        FrameInput arrow;
        float after;
    } cases[] = {{M + 11.0f, LeftKey, M + 11.0f},
                 {M + 11.0f, RightKey, M + 11.0f + 0.4f},
                 {M + 15.0f, LeftKey, M + 15.0f - 0.4f}};
    for (const auto& c : cases) {
        GameState s = DoorWithOskaAt(DoorRight, false, c.x);
        Frame(s, c.arrow);
        EXPECT_EQ(s.Man.x, c.after) << "from " << c.x;
    }
}

TEST(Doors, AShockDoorFiresOnceAndThenIsAPlainDoor) {
    GameState s = DoorWithOskaAt(ShockDoorRight, false, 450.0f);  // the cell's border: no push either way
    Frame(s, XKey);
    ASSERT_EQ(s.AllShockWaves.NumberOfWaves, 1u);
    const ShockWave& wave = s.AllShockWaves.Waves[1];
    EXPECT_TRUE(wave.StillExisting);
    EXPECT_EQ(wave.Direction, Direction::Right);
    EXPECT_EQ(wave.y, 410.0f) << "10 pixels below the top of the row";
    EXPECT_EQ(wave.x, M + 0.65f) << "made on the centre line, moved once at the frame's end";
    EXPECT_EQ(s.House[9][10].Initial, Initial::S);
    EXPECT_EQ(s.House[9][10].Look, Picture::ShockRightOpen);

    Frame(s, XKey);
    EXPECT_FALSE(s.House[9][10].DoorOpen);
    EXPECT_EQ(s.House[9][10].Initial, Initial::D);
    EXPECT_EQ(s.House[9][10].Look, Picture::DoorRightClosed);

    Frame(s, XKey);
    EXPECT_TRUE(s.House[9][10].DoorOpen);
    EXPECT_EQ(s.House[9][10].Look, Picture::DoorRightOpen);
    EXPECT_EQ(s.AllShockWaves.NumberOfWaves, 1u) << "a spent shock door fires nothing";
    EXPECT_EQ(s.Man.x, 450.0f);
}

TEST(Doors, HoldingXTogglesEveryFrameAndHoldsTheGameEachTime) {
    GameState s = DoorWithOskaAt(ShockDoorLeft, false, 450.0f);
    for (const bool open : {true, false, true, false, true, false}) {
        EXPECT_TRUE(Frame(s, XKey).DoorUsed);
        EXPECT_EQ(s.House[9][10].DoorOpen, open);
    }
    EXPECT_EQ(s.House[9][10].Initial, Initial::d);
    EXPECT_EQ(s.AllShockWaves.NumberOfWaves, 1u);
    EXPECT_FALSE(Frame(s).DoorUsed) << "no X, no hold";
}

TEST(Doors, WavesFromACentreLineAt325DieAtTheEdges) {
    ShockWaves table;
    NewShockWave(330.0f, 188.0f, Direction::Left, table);
    NewShockWave(310.0f, 188.0f, Direction::Right, table);
    EXPECT_EQ(table.Waves[1].x, 325.0f);
    EXPECT_EQ(table.Waves[1].y, 160.0f);

    int leftDied = 0, rightDied = 0;
    for (int move = 1; move <= 1000; ++move) {
        MoveShockWaves(table);
        if (leftDied == 0 && !table.Waves[1].StillExisting) leftDied = move;
        if (rightDied == 0 && !table.Waves[2].StillExisting) rightDied = move;
    }
    EXPECT_EQ(leftDied, 470);
    EXPECT_NEAR(table.Waves[1].x, 19.50f, 0.01f);
    EXPECT_EQ(rightDied, 654);
    EXPECT_NEAR(table.Waves[2].x, 750.11f, 0.01f);
    EXPECT_EQ(table.Waves[1].y, 160.0f) << "waves keep their height";
}

TEST(Doors, SlotsAreNotReusedAndTheTableNeverOverflows) {
    ShockWaves table;
    NewShockWave(730.0f, 188.0f, Direction::Right, table);
    NewShockWave(330.0f, 238.0f, Direction::Left, table);
    for (int move = 0; move < 100; ++move) MoveShockWaves(table);  // the first dies
    ASSERT_FALSE(table.Waves[1].StillExisting);
    ASSERT_TRUE(table.Waves[2].StillExisting);

    NewShockWave(330.0f, 288.0f, Direction::Left, table);
    EXPECT_EQ(table.NumberOfWaves, 3u);
    EXPECT_FALSE(table.Waves[1].StillExisting) << "a dead wave's slot stays dead";
    EXPECT_TRUE(table.Waves[3].StillExisting);
    EXPECT_EQ(table.Waves[3].y, 260.0f);

    for (int k = 4; k <= 25; ++k) NewShockWave(330.0f, 288.0f, Direction::Right, table);
    const ShockWaves full = table;
    NewShockWave(130.0f, 388.0f, Direction::Left, table);  // one too many
    EXPECT_EQ(table.NumberOfWaves, 25u);
    for (std::size_t k = 1; k <= MaxWaves; ++k) {
        EXPECT_EQ(table.Waves[k].x, full.Waves[k].x);
        EXPECT_EQ(table.Waves[k].y, full.Waves[k].y);
    }
    MoveShockWaves(table);
}

TEST(Doors, AWaveCatchesOnlyCatsInItsOwnRowFromTheFrameItIsMade) {
    // A shock door in row 4, column 7 (centre 325), with storeys of solid
    // ceiling above and below it, so the cats there stay exactly put.
    Storeys level = QuietLevel();
    level[1] = "wpppppSppppppppw";
    GameState s = Game(level);
    PutOska(s, 300.0f, 188.0f);  // the door cell's left border

    std::size_t k = 1;
    auto place = [&s, &k](float x, float y) {
        Enemy& cat = s.EnemyArr[k++];
        cat = {x, y, true, true, true};
        cat.Direction = Direction::Left;
    };
    place(330.0f, 188.0f);  // in the door's cell
    for (float x = 325.0f; x < 800.0f; x += 50.0f) {
        place(x, 149.9f);  // the bottom of row 3
        place(x, 200.0f);  // the top of row 5
    }
    const Enemy& inDoor = s.EnemyArr[1];

    Frame(s, XKey);
    ASSERT_EQ(s.AllShockWaves.NumberOfWaves, 1u);
    EXPECT_TRUE(inDoor.HitByShock) << "caught in the frame the wave is made";
    EXPECT_EQ(inDoor.Direction, Direction::Right) << "it takes the wave's way";
    EXPECT_EQ(inDoor.x, 330.0f + 0.65f);
    EXPECT_FALSE(s.Man.Hit);

    float before = inDoor.x;
    for (int frames = 1; inDoor.StillExisting && frames < 2000; ++frames) {
        before = inDoor.x;
        Frame(s);
    }
    EXPECT_FALSE(s.AllShockWaves.Waves[1].StillExisting) << "the wave is long gone";
    EXPECT_FALSE(inDoor.StillExisting);
    EXPECT_GT(before, 780.0f) << "removed in the frame after it crossed";
    EXPECT_LE(before - 0.65f, 780.0f);
    EXPECT_EQ(s.Score, 200u);
    for (std::size_t n = 2; n < k; ++n) {
        EXPECT_FALSE(s.EnemyArr[n].HitByShock) << "cat " << n;
        EXPECT_TRUE(s.EnemyArr[n].StillExisting) << "cat " << n;
    }
}

}  // namespace
