// One whole attempt at a level played frame by frame until it is over, with
// X held down from the start and no arrow. The level is built around where
// the fixed-seed generator puts level 1's five cats, so the play is the same
// on every run:
//   - Oska starts in a shaft (column 10), glides onto its axis, falls onto
//     the trampoline in the bottom row and bounces;
//   - rising, he comes up into a shock door in row 8, which X opens: a wave
//     runs left along row 8, and in the next frame X closes the door again,
//     which pushes him into the next cell, where he stays;
//   - cat 3 walks into a shaft in row 5, drops to row 8 and is overtaken and
//     swept out of the house by the wave (200 points);
//   - cat 2 rides the shaft in column 12 up and back down to row 8 and walks
//     into Oska.
// Cats 1, 4 and 5 start in solid ceiling and stay there.
#include "tests/rules/RulesFixture.h"

using namespace RulesFixture;

namespace {

const Storeys TheLevel = {
    "cccccccccccncccc",  // 3: top of the shaft in column 12
    "cccccccccccecccc",  // 4
    "cccccepwcccecccc",  // 5: cat 3's bit of storey, a shaft in column 6
    "cccccecccccecccc",  // 6
    "cccccecccccecccc",  // 7
    "wppppppppspppppw",  // 8: the storey, a left shock door in column 10
    "ccccccccceccccic",  // 9: Oska's shaft; an item nobody reaches keeps the level going
    "wwwwwwwwwtwwwwww",  // 10: the trampoline
};

TEST(ScriptedLevel, BounceShockDoorSweptCatAndACatchingCat) {
    GameState s = Game(TheLevel, true);  // Easy: cats walk 0.3 a frame
    const float places[5][2] = {{504, 196}, {566, 258}, {312, 239}, {487, 240}, {527, 184}};
    for (std::size_t k = 1; k <= 5; ++k) {
        ASSERT_EQ(s.EnemyArr[k].x, places[k - 1][0]) << "cat " << k;
        ASSERT_EQ(s.EnemyArr[k].y, places[k - 1][1]) << "cat " << k;
    }
    RestoreLastTrampoline(s);
    const Played played = FramesUntil(s, XKey, AttemptOver);

    EXPECT_TRUE(played.last.Caught);
    EXPECT_TRUE(s.Man.Hit);
    EXPECT_LT(s.ItemsFound, s.ItemsTotal) << "the attempt is lost";
    EXPECT_EQ(s.Score, 200u) << "one cat swept out of the house";

    // The trampoline: one bounce, green again once he stood on the storey.
    EXPECT_EQ(s.TrampolineX, 475.0f);
    EXPECT_EQ(s.House[10][10].Initial, Initial::t);
    EXPECT_EQ(s.House[10][10].Look, Picture::TrampolineGreen);
    EXPECT_EQ(s.Jumps, 0u);

    // The shock door fired once and was closed again as a plain door, which
    // pushed him to 1 pixel left of the next cell's centre.
    EXPECT_EQ(s.AllShockWaves.NumberOfWaves, 1u);
    EXPECT_FALSE(s.AllShockWaves.Waves[1].StillExisting);
    EXPECT_EQ(s.House[8][10].Initial, Initial::d);
    EXPECT_FALSE(s.House[8][10].DoorOpen);
    EXPECT_EQ(s.House[8][10].Look, Picture::DoorLeftClosed);
    EXPECT_EQ(s.Man.x, 524.0f);
    EXPECT_EQ(s.Man.y, 388.0f);

    // The cats' fates.
    EXPECT_FALSE(s.EnemyArr[3].StillExisting);
    EXPECT_TRUE(s.EnemyArr[3].HitByShock);
    EXPECT_TRUE(s.EnemyArr[2].StillExisting);
    EXPECT_FALSE(s.EnemyArr[2].HitByShock);
    EXPECT_EQ(WhereAmI(s.EnemyArr[2].y), 8u);
    EXPECT_LE(static_cast<int>(s.EnemyArr[2].x) - 524, 4);
    for (std::size_t k : {1u, 4u, 5u}) {
        EXPECT_TRUE(s.EnemyArr[k].StillExisting) << "cat " << k;
        EXPECT_EQ(s.EnemyArr[k].x, places[k - 1][0]) << "cat " << k << " never moved";
    }
    EXPECT_GT(played.frames, 900);
    EXPECT_LT(played.frames, 2000);
}

}  // namespace
