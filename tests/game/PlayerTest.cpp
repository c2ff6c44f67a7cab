// Oska's rules, played frame by frame with keys held through the window
// layer: walking and its images, walls, shafts, stepping off, closed doors
// and items.
#include "tests/game/Fixture.h"

using namespace KerboImplementation;
using namespace Fixture;

namespace {

// A shaft in column 4 (axis x = 175) from its top cell in row 3 down to a
// trampoline in row 10, crossing the storeys of rows 6 and 9.
Storeys ShaftLevel() {
    return {"cccncccccccccccc", "cccecccccccccccc", "cccecccccccccccc", "wppepppppppppppw",
            "cccecccccccccccc", "cccecccccccccccc", "wppepppppppppppw", "wwwtwwwwwwwwwwww"};
}

// Places Oska under control at (x, y), standing still.
void PutOska(float x, float y, bool falling = true) {
    Man.x = x;
    Man.y = y;
    Man.HaveToFall = falling;
    Man.Controlable = true;
}

// Frames until he has control again; returns how many it took.
int GlideFrames() {
    int frames = 0;
    while (!Man.Controlable && frames < 1000) {
        if (!PlayFrame()) break;
        ++frames;
    }
    return frames;
}

}  // namespace

class Player : public GameTest {};

TEST_F(Player, BothArrowsWalkRightAndNoArrowStandsStill) {
    StartLevel(QuietLevel());
    Frames(1);
    EXPECT_EQ(Man.y, 438.0f) << "the first frame puts him at his storey's height";
    EXPECT_EQ(Man.x, 450.0f);

    Hold(LeftArrow);
    Hold(RightArrow);
    Frames(5);
    float expected = 450.0f;
    for (int k = 0; k < 5; ++k) expected = expected + 0.4f;
    EXPECT_EQ(Man.x, expected);
    EXPECT_EQ(Man.Look, Picture::OskaRight1);

    Release(LeftArrow);
    Release(RightArrow);
    const uint32_t walked = Man.PersonalWalkTime;
    const Picture image = Man.Look;
    Frames(40);
    EXPECT_EQ(Man.x, expected);
    EXPECT_EQ(Man.PersonalWalkTime, walked);
    EXPECT_EQ(Man.Look, image);
}

TEST_F(Player, WalkingImagesChangeEveryThirtyStepsWithOneCounterForBothWays) {
    StartLevel(QuietLevel());
    ASSERT_EQ(Man.PersonalWalkTime, 0u);
    Hold(RightArrow);
    Frames(29);
    EXPECT_EQ(Man.Look, Picture::OskaRight1);
    Frames(1);
    EXPECT_EQ(Man.Look, Picture::OskaRight2);
    EXPECT_EQ(Man.PersonalWalkTime, 0u);
    Frames(30);
    EXPECT_EQ(Man.Look, Picture::OskaRight1);

    // Ten steps right, then left: the turn shows Left1 at once, and the
    // counter the right steps began runs on, so Left2 comes at the 20th left step.
    Frames(10);
    Release(RightArrow);
    Hold(LeftArrow);
    Frames(1);
    EXPECT_EQ(Man.Look, Picture::OskaLeft1);
    Frames(18);
    EXPECT_EQ(Man.Look, Picture::OskaLeft1);
    Frames(1);
    EXPECT_EQ(Man.Look, Picture::OskaLeft2);
}

TEST_F(Player, WallsGlideHimBackToTheCellHeCameFrom) {
    StartLevel(QuietLevel());
    // Into the right-hand wall (column 16, from x = 750).
    PutOska(745.0f, 438.0f);
    Hold(RightArrow);
    int frames = 0;
    while (Man.Controlable && frames < 100) {
        Frames(1);
        ++frames;
    }
    ASSERT_FALSE(Man.Controlable);
    Release(RightArrow);
    EXPECT_GE(Man.x, 750.0f);
    EXPECT_EQ(Man.TargetX, 725.0f);
    EXPECT_EQ(Man.TargetY, 438.0f);
    GlideFrames();
    EXPECT_EQ(Man.x, 725.0f);
    EXPECT_EQ(Man.y, 438.0f);
    EXPECT_EQ(Man.Look, Picture::OskaLeft1) << "he faces the way he glides";

    // Into the left-hand wall (column 1, up to x = 50): he enters its right half.
    PutOska(55.0f, 438.0f);
    Hold(LeftArrow);
    frames = 0;
    while (Man.Controlable && frames < 100) {
        Frames(1);
        ++frames;
    }
    Release(LeftArrow);
    EXPECT_LT(Man.x, 50.0f);
    EXPECT_EQ(Man.TargetX, 75.0f);
    GlideFrames();
    EXPECT_EQ(Man.x, 75.0f);
}

TEST_F(Player, WalkingIntoAShaftCentresHimThenHeFalls) {
    StartLevel(ShaftLevel());
    // 0.2 pixel past the shaft's left border after one step right.
    PutOska(149.8f, 438.0f);
    Hold(RightArrow);
    Frames(1);
    Release(RightArrow);
    ASSERT_EQ(WhereAmI(Man.x), 4u);
    const float entered = Man.x;
    EXPECT_NEAR(175.0f - entered, 24.8f, 0.001f);

    Frames(1);
    ASSERT_FALSE(Man.Controlable);
    EXPECT_EQ(Man.TargetX, 175.0f);
    EXPECT_EQ(Man.TargetY, 438.0f);
    const int glide = GlideFrames();
    EXPECT_EQ(glide, 59) << "0.4 pixel a frame until within 1.5 of the axis";
    EXPECT_EQ(Man.x, 175.0f);
    EXPECT_EQ(Man.y, 438.0f) << "no falling while he glides";

    Hold(LeftArrow);  // arrows are ignored while falling
    Frames(1);
    EXPECT_EQ(Man.y, 438.0f + 0.4f);
    EXPECT_EQ(Man.x, 175.0f);
    EXPECT_TRUE(Man.Controlable);
}

TEST_F(Player, RisingGoesUpToTheMiddleOfTheTopCellAndFallsBack) {
    StartLevel(ShaftLevel());
    PutOska(175.0f, 330.0f, false);  // rising in the shaft, row 7
    float highest = Man.y;
    bool turned = false;
    for (int k = 0; k < 1200 && !turned; ++k) {
        const float before = Man.y;
        Frames(1);
        ASSERT_EQ(Man.x, 175.0f);
        if (Man.y < highest) highest = Man.y;
        turned = Man.y > before;
    }
    ASSERT_TRUE(turned);
    EXPECT_TRUE(Man.HaveToFall);
    EXPECT_LE(highest, 125.0f);
    EXPECT_GT(highest, 125.0f - 0.4f) << "he turns at the middle of the top cell";

    // Down the shaft without stopping until the trampoline's cell.
    while (Man.y < 450.0f) {
        const float before = Man.y;
        Frames(1);
        ASSERT_GT(Man.y, before) << "at y " << before;
    }
}

TEST_F(Player, AnArrowWhileRisingStepsHimOffOntoTheStorey) {
    StartLevel(ShaftLevel());
    PutOska(175.0f, 270.0f, false);  // rising past the storey of row 6
    Hold(RightArrow);
    Frames(1);
    Release(RightArrow);
    EXPECT_FALSE(Man.Controlable);
    EXPECT_EQ(Man.TargetX, 175.0f + 27.0f);
    EXPECT_EQ(Man.TargetY, 288.0f);
    GlideFrames();
    EXPECT_EQ(Man.x, 202.0f);
    EXPECT_EQ(Man.y, 288.0f);
    EXPECT_EQ(House[WhereAmI(Man.y)][WhereAmI(Man.x)].Initial, Initial::p);

    PutOska(175.0f, 270.0f, false);
    Hold(LeftArrow);
    Frames(1);
    Release(LeftArrow);
    EXPECT_EQ(Man.TargetX, 175.0f - 27.0f);
    GlideFrames();
    EXPECT_EQ(Man.x, 148.0f);
    EXPECT_EQ(Man.y, 288.0f);

    // Falling, the same arrow does nothing.
    PutOska(175.0f, 270.0f, true);
    Hold(RightArrow);
    Frames(3);
    EXPECT_TRUE(Man.Controlable);
    EXPECT_EQ(Man.x, 175.0f);
    EXPECT_GT(Man.y, 270.0f);
}

TEST_F(Player, AClosedDoorStopsHimFromBothSidesAndAnOpenOneLetsHimThrough) {
    Storeys level = QuietLevel();
    level[6] = "wpppppppppppdppw";  // a door in column 13: centre line x = 625
    StartLevel(level);

    PutOska(590.0f, 438.0f);
    Hold(RightArrow);
    Frames(200);
    EXPECT_GT(Man.x, 613.0f);
    EXPECT_LT(Man.x, 613.0f + 0.4f) << "stopped just inside the band";
    EXPECT_EQ(Man.Look == Picture::OskaRight1 || Man.Look == Picture::OskaRight2, true);
    Release(RightArrow);
    Hold(LeftArrow);
    Frames(10);
    EXPECT_LT(Man.x, 613.0f) << "he can walk back out on his own side";
    Release(LeftArrow);

    PutOska(660.0f, 438.0f);
    Hold(LeftArrow);
    Frames(200);
    EXPECT_LT(Man.x, 637.0f);
    EXPECT_GT(Man.x, 637.0f - 0.4f);
    Release(LeftArrow);

    PutOska(625.0f, 438.0f);
    Hold(LeftArrow);
    Frames(5);
    EXPECT_EQ(Man.x, 625.0f) << "on the centre line he cannot move";
    Release(LeftArrow);
    Hold(RightArrow);
    Frames(5);
    EXPECT_EQ(Man.x, 625.0f);

    House[9][13].DoorOpen = true;
    Frames(100);
    EXPECT_GT(Man.x, 650.0f) << "through the open door";
}

TEST_F(Player, AnItemScoresOnceInTheFirstFrameInItsCell) {
    Storeys level = QuietLevel();
    level[6] = "wpipippppppppipw";  // items worth 100, 200 and, in column 14, 300
    StartLevel(level);
    ASSERT_EQ(ItemsTotal, 3u);

    PutOska(645.0f, 438.0f);
    Hold(RightArrow);
    while (WhereAmI(Man.x) < 14) Frames(1);
    EXPECT_EQ(Score, 0u) << "stepping in does not score yet";
    Frames(1);
    EXPECT_EQ(Score, 300u);
    EXPECT_EQ(ItemsFound, 1u);
    EXPECT_EQ(House[9][14].Initial, Initial::p);
    EXPECT_EQ(House[9][14].Look, Passage.Look);
    EXPECT_EQ(House[9][14].Points, 0u);
    Frames(60);
    Release(RightArrow);
    Hold(LeftArrow);
    Frames(80);
    EXPECT_LT(Man.x, 650.0f) << "back across the cell";
    EXPECT_EQ(Score, 300u);
    EXPECT_EQ(ItemsFound, 1u);
}

TEST_F(Player, TheItemSteppedOffInTheSameFrameIsStillTheOneCollected) {
    Storeys level = QuietLevel();
    level[6] = "wpipippppppppipw";
    StartLevel(level);
    PutOska(699.8f, 438.0f);  // at the right edge of the 300 item's cell
    Hold(RightArrow);
    Frames(1);
    EXPECT_EQ(WhereAmI(Man.x), 15u);
    EXPECT_EQ(Score, 300u);
    EXPECT_EQ(House[9][14].Initial, Initial::p) << "the scored cell is emptied, not the one he stepped into";
    Release(RightArrow);
    Hold(LeftArrow);
    Frames(5);
    EXPECT_EQ(Score, 300u) << "and cannot score again";
}

TEST_F(Player, OutsideTheStoreysHeStaysPut) {
    StartLevel(QuietLevel());
    Hold(RightArrow);
    for (const auto& [x, y] : {std::pair{450.0f, 120.0f}, std::pair{-10.0f, 438.0f},
                               std::pair{820.0f, 438.0f}, std::pair{450.0f, 530.0f}}) {
        PutOska(x, y);
        Frames(3);
        EXPECT_EQ(Man.x, x) << x << "," << y;
        EXPECT_EQ(Man.y, y) << x << "," << y;
    }
}
