// The grid geometry: cells and their borders, centring, single-precision
// steps, the cell at a position, and the glide that carries Oska to a
// target; and the 1-based arrays of the state that refuse an index outside
// their bounds.
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

TEST(Geometry, CellsBordersAndCentres) {
    // A border belongs to the cell right of or below it; left of the grid is no cell.
    const struct {
        float v;
        uint32_t cell;
        float middle, walkingHeight;
    } cases[] = {{0.0f, 1, 25.0f, 38.0f},      {49.9f, 1, 25.0f, 38.0f},     {50.0f, 2, 75.0f, 88.0f},
                 {400.0f, 9, 425.0f, 438.0f},  {431.7f, 9, 425.0f, 438.0f},  {439.0f, 9, 425.0f, 438.0f},
                 {449.99f, 9, 425.0f, 438.0f}, {450.0f, 10, 475.0f, 488.0f}, {475.0f, 10, 475.0f, 488.0f},
                 {499.9f, 10, 475.0f, 488.0f}, {799.9f, 16, 775.0f, 788.0f}, {-0.5f, 0, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(WhereAmI(c.v), c.cell) << c.v;
        if (c.cell == 0) continue;
        float x = c.v, y = c.v;
        CenterX(x);
        CenterY(y);
        EXPECT_EQ(Middle(c.v), c.middle) << c.v;
        EXPECT_EQ(x, c.middle) << c.v;
        EXPECT_EQ(y, c.walkingHeight) << c.v;
    }
}

TEST(Geometry, StepsAreSinglePrecisionTenthsOfFour) {
    float y = 100.0f;
    Fall(y);
    EXPECT_EQ(y, 100.0f + 0.4f);
    Rise(y);
    EXPECT_NEAR(y, 100.0f, 1e-5f) << "a fall and a rise come back within one rounding";
}

TEST(Geometry, CellAtNeverLeavesTheGrid) {
    GameState s;
    s.House[3][4].Initial = Initial::w;
    ASSERT_NE(CellAt(s.House, 160.0f, 110.0f), nullptr);
    EXPECT_EQ(CellAt(s.House, 160.0f, 110.0f)->Initial, Initial::w);
    for (const auto& [x, y] : {std::pair{-1.0f, 110.0f}, std::pair{800.0f, 110.0f}, std::pair{100.0f, 500.0f},
                               std::pair{100.0f, -20.0f}})
        EXPECT_EQ(CellAt(s.House, x, y), nullptr) << x << "," << y;
    EXPECT_EQ(CellAt(s.House, 799.9f, 499.9f), &s.House[10][16]);
}

// The glide from (200, 238), facing left on his second picture.
TEST(Glide, StepsSnapsAndShowsTheFirstPictureOfTheSideOnlyWhenTurning) {
    const struct {
        float targetX, targetY;
        Picture before;
        int calls;  // to control again; 0: still gliding after one call
        float x, y;
        Picture after;
    } cases[] = {
        {227.0f, 238.0f, Picture::OskaLeft2, 64, 227.0f, 238.0f,
         Picture::OskaRight1},  // 27 pixels, then a snap
        {201.4f, 236.6f, Picture::OskaLeft2, 1, 201.4f, 236.6f, Picture::OskaLeft2},  // near: a snap, no step
        {250.0f, 238.0f, Picture::OskaRight2, 0, 200.0f + 0.4f, 238.0f,
         Picture::OskaRight2},  // right keeps Right2
        {100.0f, 238.0f, Picture::OskaRight2, 0, 200.0f - 0.4f, 238.0f, Picture::OskaLeft1},
        {210.0f, 250.0f, Picture::OskaLeft2, 0, 200.0f + 0.4f, 238.0f + 0.4f,
         Picture::OskaRight1},  // both axes in one call
    };
    for (const auto& c : cases) {
        Personage man{200.0f, 238.0f, false, c.before, false, c.targetX, c.targetY, false, 7};
        int calls = 0;
        do {
            AlineSmoothly(man);
            ++calls;
        } while (c.calls > 0 && !man.Controlable && calls < 1000);
        SCOPED_TRACE(::testing::Message() << "to " << c.targetX << "," << c.targetY);
        EXPECT_EQ(man.Controlable, c.calls > 0);
        if (c.calls > 0) {
            EXPECT_EQ(calls, c.calls);
        }
        EXPECT_EQ(man.x, c.x);
        EXPECT_EQ(man.y, c.y);
        EXPECT_EQ(man.Look, c.after);
        EXPECT_EQ(man.PersonalWalkTime, 7u) << "a glide is no walk";
    }
}

TEST(GeometryDeathTest, OneBasedArraysRefuseIndexZeroAndPastTheEnd) {
    GameState s;
    EXPECT_DEATH(s.EnemyArr[0].x = 1.0f, "index 0 outside 1..300");
    EXPECT_DEATH(s.House[11][1].Points = 1, "index 11 outside 1..10");
    EXPECT_DEATH(s.AllShockWaves.Waves[26].x = 1.0f, "index 26 outside 1..25");
}

}  // namespace
