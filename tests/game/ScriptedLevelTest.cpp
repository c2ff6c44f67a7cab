// One whole attempt at a level played by PlayLevel, headless and unpaced,
// with X held down from the start and no arrow. The level is built around
// where the fixed-seed generator puts level 1's five cats, so the play is
// the same on every run:
//   - Oska starts in a shaft (column 10), glides onto its axis, falls onto
//     the trampoline in the bottom row and bounces;
//   - rising, he comes up into a shock door in row 8, which X opens: a wave
//     runs left along row 8, and in the next frame X closes the door again,
//     which pushes him into the next cell, where he stays;
//   - cat 3 walks into a shaft in row 5, drops to row 8 and is overtaken and
//     swept out of the house by the wave (200 points);
//   - cat 2 rides the shaft in column 12 up and back down to row 8 and walks
//     into Oska, which costs a life.
// Cats 1, 4 and 5 start in solid ceiling and stay there.
#include "tests/game/Fixture.h"

using namespace Fixture;

namespace {

Storeys TheLevel() {
    return {
        "cccccccccccncccc",  // 3: top of the shaft in column 12
        "cccccccccccecccc",  // 4
        "cccccepwcccecccc",  // 5: cat 3's bit of storey, a shaft in column 6
        "cccccecccccecccc",  // 6
        "cccccecccccecccc",  // 7
        "wppppppppspppppw",  // 8: the storey, a left shock door in column 10
        "ccccccccceccccic",  // 9: Oska's shaft; an item nobody reaches keeps the level going
        "wwwwwwwwwtwwwwww",  // 10: the trampoline
    };
}

class ScriptedLevel : public GameTest {};

}  // namespace

TEST_F(ScriptedLevel, BounceShockDoorSweptCatAndACatchingCat) {
    WriteLevel(1, TheLevel());
    LoadGame();  // Easy: cats walk 0.3 a frame

    // Where PlayLevel's set-up will put the cats (x then y, cat by cat).
    StandardLib::ResetRandom();
    const float expected[5][2] = {{504, 196}, {566, 258}, {312, 239}, {487, 240}, {527, 184}};
    for (const auto& place : expected) {
        ASSERT_EQ(static_cast<float>(StandardLib::RandomCard(151, 650)), place[0]);
        ASSERT_EQ(static_cast<float>(StandardLib::RandomCard(151, 350)), place[1]);
    }
    StandardLib::ResetRandom();

    Hold(KeyX);
    const uint64_t framesBefore = Vitrine::Testing::FramesShown();
    const LevelEnd end = PlayLevel(1);
    Release(KeyX);
    const uint64_t frames = Vitrine::Testing::FramesShown() - framesBefore;

    EXPECT_EQ(end, LevelEnd::Lost);
    EXPECT_EQ(Lifes, 3u);
    EXPECT_EQ(Score, 200u) << "one cat swept out of the house";
    EXPECT_EQ(ActualLevel, 1u);
    EXPECT_TRUE(Man.Hit);

    // The trampoline: one bounce, green again once he stood on the storey.
    EXPECT_EQ(TrampolineX, 475.0f);
    EXPECT_EQ(House[10][10].Initial, Initial::t);
    EXPECT_EQ(House[10][10].Look, Picture::TrampolineGreen);
    EXPECT_EQ(Jumps, 0u);

    // The shock door fired once and was closed again as a plain door, which
    // pushed him to 1 pixel left of the next cell's centre.
    EXPECT_EQ(AllShockWaves.NumberOfWaves, 1u);
    EXPECT_FALSE(AllShockWaves.Waves[1].StillExisting);
    EXPECT_EQ(House[8][10].Initial, Initial::d);
    EXPECT_FALSE(House[8][10].DoorOpen);
    EXPECT_EQ(House[8][10].Look, Picture::DoorLeftClosed);
    EXPECT_EQ(Man.x, 524.0f);
    EXPECT_EQ(Man.y, 388.0f);

    // The cats' fates.
    EXPECT_FALSE(EnemyArr[3].StillExisting);
    EXPECT_TRUE(EnemyArr[3].HitByShock);
    EXPECT_TRUE(EnemyArr[2].StillExisting);
    EXPECT_FALSE(EnemyArr[2].HitByShock);
    EXPECT_EQ(WhereAmI(EnemyArr[2].y), 8u);
    EXPECT_LE(static_cast<int>(EnemyArr[2].x) - 524, 4);
    for (std::size_t k : {1u, 4u, 5u}) {
        EXPECT_TRUE(EnemyArr[k].StillExisting) << "cat " << k;
        EXPECT_EQ(EnemyArr[k].x, expected[k - 1][0]) << "cat " << k << " never moved";
    }

    // A level card, then one shown frame per frame of play.
    EXPECT_GT(frames, 900u);
    EXPECT_LT(frames, 2000u);
}
