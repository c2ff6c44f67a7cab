// Doors and shock waves: X in a door cell through whole frames (the pushes,
// the images on screen, the spent shock door, the frames the game holds still), the
// waves' lifetime and slots, and which cats a wave catches.
#include "tests/game/Fixture.h"

using namespace Fixture;

namespace {

// Oska's storey is row 9; the door under test goes into column 10, whose
// centre line is at 475. He starts at 450, the cell's left border.
constexpr float M = 475.0f;

class Doors : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        StartLevel(QuietLevel());
    }

    // Oska at x in the door cell with the door of this kind and state.
    void DoorWithOskaAt(const Blok& kind, bool open, float x) {
        House[9][10] = kind;
        House[9][10].DoorOpen = open;
        House[9][10].Look = Picture::None;  // so the image written by the door use is checked
        Man.x = x;
        Man.y = 438.0f;
    }

    // X for one frame, and the frames the game then holds still.
    void PressXOneFrame() {
        Hold(KeyX);
        Frames(1);
        Release(KeyX);
        PassHold();
    }

    static uint32_t DoorCorner() { return Pixel(451, 448); }  // clear of Oska at the walking height
};

}  // namespace

TEST_F(Doors, OpeningPushesOskaOutOfTheSwingOnTheDoorsSide) {
    DoorWithOskaAt(DoorLeft, false, M - 5.0f);
    PressXOneFrame();
    EXPECT_TRUE(House[9][10].DoorOpen);
    EXPECT_EQ(Man.x, M - 49.0f);
    EXPECT_EQ(House[9][10].Look, Picture::DoorLeftOpen);
    EXPECT_EQ(DoorCorner(), ColourOf(Assets::DoorLeftOpen));

    DoorWithOskaAt(DoorLeft, false, M + 5.0f);
    PressXOneFrame();
    EXPECT_TRUE(House[9][10].DoorOpen);
    EXPECT_EQ(Man.x, M + 5.0f);

    DoorWithOskaAt(DoorRight, false, M + 5.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M + 49.0f);
    EXPECT_EQ(House[9][10].Look, Picture::DoorRightOpen);

    DoorWithOskaAt(DoorRight, false, M - 5.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M - 5.0f);

    DoorWithOskaAt(ShockDoorLeft, false, M - 5.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M - 49.0f);
    EXPECT_EQ(House[9][10].Look, Picture::ShockLeftOpen);
    EXPECT_EQ(AllShockWaves.Waves[1].Direction, Direction::Left);
}

TEST_F(Doors, ClosingPushesOskaNearTheCentreLineToTheOtherSide) {
    DoorWithOskaAt(DoorRight, true, M + 5.0f);
    PressXOneFrame();
    EXPECT_FALSE(House[9][10].DoorOpen);
    EXPECT_EQ(Man.x, M - 49.0f);
    EXPECT_EQ(House[9][10].Look, Picture::DoorRightClosed);
    EXPECT_EQ(DoorCorner(), ColourOf(Assets::DoorRightClosed));

    // Inside the band right of the centre: he stays, and may only walk right.
    DoorWithOskaAt(DoorRight, true, M + 11.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M + 11.0f);
    Hold(LeftArrow);
    Frames(1);
    Release(LeftArrow);
    EXPECT_EQ(Man.x, M + 11.0f);
    Hold(RightArrow);
    Frames(1);
    Release(RightArrow);
    EXPECT_EQ(Man.x, M + 11.0f + 0.4f);

    DoorWithOskaAt(DoorRight, true, M + 15.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M + 15.0f);
    Hold(LeftArrow);
    Frames(1);
    Release(LeftArrow);
    EXPECT_EQ(Man.x, M + 15.0f - 0.4f);

    DoorWithOskaAt(DoorLeft, true, M - 5.0f);
    PressXOneFrame();
    EXPECT_EQ(Man.x, M + 49.0f);
    EXPECT_EQ(House[9][10].Look, Picture::DoorLeftClosed);
}

TEST_F(Doors, AShockDoorFiresOnceAndThenIsAPlainDoor) {
    DoorWithOskaAt(ShockDoorRight, false, 450.0f);  // the cell's border: no push either way
    PressXOneFrame();
    ASSERT_EQ(AllShockWaves.NumberOfWaves, 1u);
    const ShockWave& wave = AllShockWaves.Waves[1];
    EXPECT_TRUE(wave.StillExisting);
    EXPECT_EQ(wave.Direction, Direction::Right);
    EXPECT_EQ(wave.y, 410.0f) << "10 pixels below the top of the row";
    EXPECT_EQ(wave.x, M + 0.65f) << "made on the centre line, moved once after the drawing";
    EXPECT_EQ(Pixel(500, 430), ColourOf(Assets::WaveRight)) << "drawn where it was made";
    EXPECT_EQ(House[9][10].Initial, Initial::S);
    EXPECT_EQ(DoorCorner(), ColourOf(Assets::ShockDoorRightOpen));

    PressXOneFrame();
    EXPECT_FALSE(House[9][10].DoorOpen);
    EXPECT_EQ(House[9][10].Initial, Initial::D);
    EXPECT_EQ(House[9][10].Look, Picture::DoorRightClosed);
    EXPECT_EQ(DoorCorner(), ColourOf(Assets::DoorRightClosed));

    PressXOneFrame();
    EXPECT_TRUE(House[9][10].DoorOpen);
    EXPECT_EQ(House[9][10].Look, Picture::DoorRightOpen);
    EXPECT_EQ(AllShockWaves.NumberOfWaves, 1u) << "a spent shock door fires nothing";
    EXPECT_EQ(Man.x, 450.0f);
}

TEST_F(Doors, HoldingXTogglesOnceEachHoldIsOver) {
    DoorWithOskaAt(ShockDoorLeft, false, 450.0f);
    Hold(KeyX);
    for (bool open : {true, false, true, false, true}) {
        Frames(1);
        EXPECT_EQ(House[9][10].DoorOpen, open);
        EXPECT_EQ(World.HoldFrames, HoldFramesPerStop) << "200 ms at 250 frames a second";
        const float x = Man.x;
        Frames(static_cast<int>(HoldFramesPerStop));
        EXPECT_EQ(Man.x, x) << "nothing moves while the game holds still";
        EXPECT_EQ(House[9][10].DoorOpen, open);
    }
    Release(KeyX);
    EXPECT_EQ(House[9][10].Initial, Initial::d);
    EXPECT_EQ(AllShockWaves.NumberOfWaves, 1u);
}

TEST_F(Doors, WavesFromACentreLineAt325DieAtTheEdges) {
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

TEST_F(Doors, SlotsAreNotReusedAndTheTableNeverOverflows) {
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
    DrawShockWaves(table);
}

TEST_F(Doors, AWaveCatchesOnlyCatsInItsOwnRowFromTheFrameItIsMade) {
    // A shock door in row 4, column 7 (centre 325), with storeys of solid
    // ceiling above and below it, so the cats there stay exactly put.
    StartLevel({"cccccccccccccccc", "wpppppSppppppppw", "cccccccccccccccc", "cccccccccccccccc",
                "cccccccccccccccc", "cccccccccccccccc", "wppppppppppppppw", "wwwwwwwwwwwwwwww"});
    Man.x = 300.0f;  // the door cell's left border
    Man.y = 188.0f;

    auto place = [](std::size_t k, float x, float y, Direction d) -> Enemy& {
        Enemy& cat = EnemyArr[k];
        cat = Enemy{};
        cat.x = x;
        cat.y = y;
        cat.Direction = d;
        cat.StillExisting = cat.Controlable = cat.HaveToFall = true;
        return cat;
    };
    Enemy& inDoor = place(1, 330.0f, 188.0f, Direction::Left);
    std::size_t k = 2;
    for (float x = 325.0f; x < 800.0f; x += 50.0f) {
        place(k++, x, 149.9f, Direction::Left);  // the bottom of row 3
        place(k++, x, 200.0f, Direction::Left);  // the top of row 5
    }
    const std::size_t neighbours = k;

    Hold(KeyX);
    Frames(1);
    Release(KeyX);
    ASSERT_EQ(AllShockWaves.NumberOfWaves, 1u);
    EXPECT_TRUE(inDoor.HitByShock) << "caught in the frame the wave is made";
    EXPECT_EQ(inDoor.Direction, Direction::Right) << "it takes the wave's way";
    EXPECT_EQ(inDoor.x, 330.0f + 0.65f);
    EXPECT_FALSE(Man.Hit);

    float before = inDoor.x;
    int frames = 1;
    while (inDoor.StillExisting && frames < 2000) {
        before = inDoor.x;
        Frames(1);
        ++frames;
    }
    EXPECT_FALSE(AllShockWaves.Waves[1].StillExisting) << "the wave is long gone";
    EXPECT_FALSE(inDoor.StillExisting);
    EXPECT_GT(before, 780.0f) << "removed in the frame after it crossed";
    EXPECT_LE(before - 0.65f, 780.0f);
    EXPECT_EQ(Score, 200u);
    for (std::size_t n = 2; n < neighbours; ++n) {
        EXPECT_FALSE(EnemyArr[n].HitByShock) << "cat " << n;
        EXPECT_TRUE(EnemyArr[n].StillExisting) << "cat " << n;
    }
}
