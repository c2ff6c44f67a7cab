// Oska's rules, frame by frame: walking and its pictures, walls, shafts,
// stepping off, closed doors, items, and standing outside the storeys.
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

// A shaft in column 4 (axis x = 175) from its top cell in row 3 down to a
// trampoline in row 10, crossing the storeys of rows 6 and 9.
const Storeys ShaftLevel = {"cccncccccccccccc", "cccecccccccccccc", "cccecccccccccccc", "wppepppppppppppw",
                            "cccecccccccccccc", "cccecccccccccccc", "wppepppppppppppw", "wwwtwwwwwwwwwwww"};

TEST(Player, BothArrowsWalkRightAndNoArrowStandsStill) {
    GameState s = Game(QuietLevel());
    Frame(s);
    EXPECT_EQ(s.Man.y, 438.0f) << "the first frame puts him at his storey's height";
    EXPECT_EQ(s.Man.x, 450.0f);

    float expected = 450.0f;
    for (int k = 0; k < 5; ++k) expected = expected + 0.4f;
    Frames(s, 5, {.Left = true, .Right = true});
    EXPECT_EQ(s.Man.x, expected);
    EXPECT_EQ(s.Man.Look, Picture::OskaRight1);

    const Personage before = s.Man;
    Frames(s, 40);
    EXPECT_EQ(s.Man.x, expected);
    EXPECT_EQ(s.Man.PersonalWalkTime, before.PersonalWalkTime);
    EXPECT_EQ(s.Man.Look, before.Look);
}

TEST(Player, WalkingPicturesChangeEveryThirtyStepsWithOneCounterForBothWays) {
    GameState s = Game(QuietLevel());
    // The turn shows Left1 at once, and the counter the right steps began
    // runs on, so Left2 comes at the 20th left step.
    const struct {
        FrameInput arrow;
        int steps;
        Picture look;
        uint32_t counter;
    } walk[] = {{RightKey, 29, Picture::OskaRight1, 29}, {RightKey, 1, Picture::OskaRight2, 0},
                {RightKey, 30, Picture::OskaRight1, 0},  {RightKey, 10, Picture::OskaRight1, 10},
                {LeftKey, 1, Picture::OskaLeft1, 11},    {LeftKey, 18, Picture::OskaLeft1, 29},
                {LeftKey, 1, Picture::OskaLeft2, 0}};
    for (const auto& w : walk) {
        Frames(s, w.steps, w.arrow);
        EXPECT_EQ(s.Man.Look, w.look) << "row " << &w - walk;
        EXPECT_EQ(s.Man.PersonalWalkTime, w.counter) << "row " << &w - walk;
    }
}

TEST(Player, WallsGlideHimBackToTheCellHeCameFrom) {
    // Into the right-hand wall (from x = 750) and the left-hand one (up to x = 50).
    const struct {
        float from;
        FrameInput arrow;
        float back;
        Picture facing;  // he faces the way he glides
    } walls[] = {{745.0f, RightKey, 725.0f, Picture::OskaLeft1},
                 {55.0f, LeftKey, 75.0f, Picture::OskaRight1}};
    for (const auto& w : walls) {
        GameState s = Game(QuietLevel());
        PutOska(s, w.from, 438.0f);
        FramesUntil(s, w.arrow, Gliding, 100);
        EXPECT_EQ(s.House[9][WhereAmI(s.Man.x)].Initial, Initial::w) << w.from;
        EXPECT_EQ(s.Man.TargetX, w.back);
        EXPECT_EQ(s.Man.TargetY, 438.0f);
        FramesUntil(s, NoKey, InControl);
        EXPECT_EQ(s.Man.x, w.back);
        EXPECT_EQ(s.Man.y, 438.0f);
        EXPECT_EQ(s.Man.Look, w.facing);
    }
}

TEST(Player, WalkingIntoAShaftCentresHimThenHeFalls) {
    GameState s = Game(ShaftLevel);
    PutOska(s, 149.8f, 438.0f);  // 0.2 pixel past the shaft's left border after one step right
    Frame(s, RightKey);
    ASSERT_EQ(WhereAmI(s.Man.x), 4u);
    EXPECT_NEAR(175.0f - s.Man.x, 24.8f, 0.001f);

    Frame(s);
    ASSERT_FALSE(s.Man.Controlable);
    EXPECT_EQ(s.Man.TargetX, 175.0f);
    EXPECT_EQ(s.Man.TargetY, 438.0f);
    EXPECT_EQ(FramesUntil(s, NoKey, InControl).frames, 59)
        << "0.4 pixel a frame until within 1.5 of the axis";
    EXPECT_EQ(s.Man.x, 175.0f);
    EXPECT_EQ(s.Man.y, 438.0f) << "no falling while he glides";

    Frame(s, LeftKey);  // arrows are ignored while falling
    EXPECT_EQ(s.Man.y, 438.0f + 0.4f);
    EXPECT_EQ(s.Man.x, 175.0f);
    EXPECT_TRUE(s.Man.Controlable);
}

TEST(Player, RisingGoesUpToTheMiddleOfTheTopCellAndFallsBack) {
    GameState s = Game(ShaftLevel);
    PutOska(s, 175.0f, 330.0f, false);  // rising in the shaft, row 7
    float highest = s.Man.y;
    bool turned = false;
    for (int k = 0; k < 1200 && !turned; ++k) {
        const float before = s.Man.y;
        Frame(s);
        ASSERT_EQ(s.Man.x, 175.0f);
        highest = std::min(highest, s.Man.y);
        turned = s.Man.y > before;
    }
    ASSERT_TRUE(turned);
    EXPECT_TRUE(s.Man.HaveToFall);
    EXPECT_LE(highest, 125.0f);
    EXPECT_GT(highest, 125.0f - 0.4f) << "he turns at the middle of the top cell";

    while (s.Man.y < 450.0f) {  // down the shaft without stopping until the trampoline's cell
        const float before = s.Man.y;
        Frame(s);
        ASSERT_GT(s.Man.y, before) << "at y " << before;
    }
}

TEST(Player, AnArrowWhileRisingStepsHimOffOntoTheStorey) {
    for (const auto& [arrow, x] : {std::pair{RightKey, 175.0f + 27.0f}, std::pair{LeftKey, 175.0f - 27.0f}}) {
        GameState s = Game(ShaftLevel);
        PutOska(s, 175.0f, 270.0f, false);  // rising past the storey of row 6
        Frame(s, arrow);
        EXPECT_FALSE(s.Man.Controlable);
        EXPECT_EQ(s.Man.TargetX, x);
        EXPECT_EQ(s.Man.TargetY, 288.0f);
        FramesUntil(s, NoKey, InControl);
        EXPECT_EQ(s.Man.x, x);
        EXPECT_EQ(s.Man.y, 288.0f);
        EXPECT_EQ(s.House[WhereAmI(s.Man.y)][WhereAmI(s.Man.x)].Initial, Initial::p);
    }
    GameState s = Game(ShaftLevel);  // falling, the same arrow does nothing
    PutOska(s, 175.0f, 270.0f, true);
    Frames(s, 3, RightKey);
    EXPECT_TRUE(s.Man.Controlable);
    EXPECT_EQ(s.Man.x, 175.0f);
    EXPECT_GT(s.Man.y, 270.0f);
}

TEST(Player, AClosedDoorStopsHimFromBothSidesAndAnOpenOneLetsHimThrough) {
    GameState s = Game(QuietLevel("wpppppppppppdppw"));  // a door in column 13: centre line x = 625
    PutOska(s, 590.0f, 438.0f);
    Frames(s, 200, RightKey);
    EXPECT_GT(s.Man.x, 613.0f);
    EXPECT_LT(s.Man.x, 613.0f + 0.4f) << "stopped just inside the band";
    EXPECT_TRUE(s.Man.Look == Picture::OskaRight1 || s.Man.Look == Picture::OskaRight2);
    Frames(s, 10, LeftKey);
    EXPECT_LT(s.Man.x, 613.0f) << "he can walk back out on his own side";

    PutOska(s, 660.0f, 438.0f);
    Frames(s, 200, LeftKey);
    EXPECT_LT(s.Man.x, 637.0f);
    EXPECT_GT(s.Man.x, 637.0f - 0.4f);

    PutOska(s, 625.0f, 438.0f);
    for (const FrameInput& arrow : {LeftKey, RightKey}) {
        Frames(s, 5, arrow);
        EXPECT_EQ(s.Man.x, 625.0f) << "on the centre line he cannot move";
    }

    s.House[9][13].DoorOpen = true;
    Frames(s, 100, RightKey);
    EXPECT_GT(s.Man.x, 650.0f) << "through the open door";
}

TEST(Player, AnItemScoresOnceInTheFirstFrameInItsCell) {
    GameState s = Game(QuietLevel("wpipippppppppipw"));  // items worth 100, 200 and, in column 14, 300
    ASSERT_EQ(s.ItemsTotal, 3u);
    PutOska(s, 645.0f, 438.0f);
    while (WhereAmI(s.Man.x) < 14) EXPECT_FALSE(Frame(s, RightKey).ItemTaken);
    EXPECT_EQ(s.Score, 0u) << "stepping in does not score yet";
    EXPECT_TRUE(Frame(s, RightKey).ItemTaken);
    EXPECT_EQ(s.Score, 300u);
    EXPECT_EQ(s.ItemsFound, 1u);
    EXPECT_EQ(s.House[9][14].Initial, Initial::p);
    EXPECT_EQ(s.House[9][14].Look, Passage.Look);
    EXPECT_EQ(s.House[9][14].Points, 0u);
    Frames(s, 60, RightKey);
    Frames(s, 80, LeftKey);
    EXPECT_LT(s.Man.x, 650.0f) << "back across the cell";
    EXPECT_EQ(s.Score, 300u);
    EXPECT_EQ(s.ItemsFound, 1u);
}

TEST(Player, TheItemSteppedOffInTheSameFrameIsStillTheOneCollected) {
    GameState s = Game(QuietLevel("wpipippppppppipw"));
    PutOska(s, 699.8f, 438.0f);  // at the right edge of the 300 item's cell
    Frame(s, RightKey);
    EXPECT_EQ(WhereAmI(s.Man.x), 15u);
    EXPECT_EQ(s.Score, 300u);
    EXPECT_EQ(s.House[9][14].Initial, Initial::p)
        << "the scored cell is emptied, not the one he stepped into";
    Frames(s, 5, LeftKey);
    EXPECT_EQ(s.Score, 300u) << "and cannot score again";
}

TEST(Player, OutsideTheStoreysHeStaysPut) {
    GameState s = Game(QuietLevel());
    for (const auto& [x, y] : {std::pair{450.0f, 120.0f}, std::pair{-10.0f, 438.0f},
                               std::pair{820.0f, 438.0f}, std::pair{450.0f, 530.0f}}) {
        PutOska(s, x, y);
        Frames(s, 3, RightKey);
        EXPECT_EQ(s.Man.x, x) << x << "," << y;
        EXPECT_EQ(s.Man.y, y) << x << "," << y;
    }
}

}  // namespace
