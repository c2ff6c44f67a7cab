// The grid geometry: cells and their borders, centring, single-precision
// steps, and the glide that carries Oska to a target.
#include <gtest/gtest.h>

#include "game/KerboImplementation.h"

using namespace KerboImplementation;

TEST(Geometry, CellsAndTheirBorders) {
    EXPECT_EQ(WhereAmI(0.0f), 1u);
    EXPECT_EQ(WhereAmI(49.9f), 1u);
    EXPECT_EQ(WhereAmI(50.0f), 2u);
    EXPECT_EQ(WhereAmI(499.9f), 10u);
    EXPECT_EQ(WhereAmI(799.9f), 16u);
    EXPECT_EQ(WhereAmI(-0.5f), 0u) << "left of the grid is no cell";

    EXPECT_EQ(Middle(450.0f), 475.0f) << "a border belongs to the cell on its right";
    EXPECT_EQ(Middle(449.99f), 425.0f);
    EXPECT_EQ(Middle(475.0f), 475.0f);
}

TEST(Geometry, CentringGivesExactValues) {
    float y = 439.0f;
    CenterY(y);
    EXPECT_EQ(y, 438.0f);
    y = 400.0f;
    CenterY(y);
    EXPECT_EQ(y, 438.0f);
    y = 450.0f;
    CenterY(y);
    EXPECT_EQ(y, 488.0f);

    float x = 431.7f;
    CenterX(x);
    EXPECT_EQ(x, 425.0f);
    EXPECT_EQ(x, Middle(431.7f));
}

TEST(Geometry, StepsAreSinglePrecisionTenthsOfFour) {
    float y = 100.0f;
    Fall(y);
    EXPECT_EQ(y, 100.0f + 0.4f);
    Rise(y);
    EXPECT_NEAR(y, 100.0f, 1e-5f) << "a fall and a rise come back within one rounding";
}

TEST(Geometry, CellAtNeverLeavesTheGrid) {
    ResetState();
    House[3][4].Initial = Initial::w;
    ASSERT_NE(CellAt(160.0f, 110.0f), nullptr);
    EXPECT_EQ(CellAt(160.0f, 110.0f)->Initial, Initial::w);
    EXPECT_EQ(CellAt(-1.0f, 110.0f), nullptr);
    EXPECT_EQ(CellAt(800.0f, 110.0f), nullptr);
    EXPECT_EQ(CellAt(100.0f, 500.0f), nullptr);
    EXPECT_EQ(CellAt(100.0f, -20.0f), nullptr);
    EXPECT_EQ(CellAt(799.9f, 499.9f), &House[10][16]);
}

class Glide : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetState();
        Man = {};
        Man.x = 200.0f;
        Man.y = 238.0f;
        Man.Look = Picture::OskaLeft2;
    }
};

TEST_F(Glide, TwentySevenPixelsTakeSixtyFourStepsAndSnap) {
    Man.TargetX = 227.0f;
    Man.TargetY = 238.0f;
    int calls = 0;
    while (!Man.Controlable && calls < 1000) {
        AlineSmoothly(Man);
        ++calls;
    }
    EXPECT_EQ(calls, 64);
    EXPECT_EQ(Man.x, 227.0f);
    EXPECT_EQ(Man.y, 238.0f);
    EXPECT_EQ(Man.Look, Picture::OskaRight1) << "the glide shows the first image of its side";
}

TEST_F(Glide, NearTargetSnapsAtOnceWithoutAStep) {
    Man.TargetX = 201.4f;
    Man.TargetY = 236.6f;
    AlineSmoothly(Man);
    EXPECT_TRUE(Man.Controlable);
    EXPECT_EQ(Man.x, 201.4f);
    EXPECT_EQ(Man.y, 236.6f);
    EXPECT_EQ(Man.Look, Picture::OskaLeft2) << "no step, no change of image";
}

TEST_F(Glide, SpriteSwitchesOnlyWhenFacingTheOtherWay) {
    Man.Look = Picture::OskaRight2;
    Man.TargetX = 250.0f;
    Man.TargetY = 238.0f;
    AlineSmoothly(Man);
    EXPECT_EQ(Man.Look, Picture::OskaRight2) << "gliding right keeps Right2";

    Man.TargetX = 100.0f;
    AlineSmoothly(Man);
    EXPECT_EQ(Man.Look, Picture::OskaLeft1);
}

TEST_F(Glide, BothAxesMoveInTheSameCall) {
    Man.TargetX = 210.0f;
    Man.TargetY = 250.0f;
    const uint32_t walk = Man.PersonalWalkTime = 7;
    AlineSmoothly(Man);
    EXPECT_EQ(Man.x, 200.0f + 0.4f);
    EXPECT_EQ(Man.y, 238.0f + 0.4f);
    EXPECT_FALSE(Man.Controlable);
    EXPECT_EQ(Man.PersonalWalkTime, walk);
}
