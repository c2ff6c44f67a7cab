// The game's state: back to its program-start values, and the 1-based arrays
// that refuse an index outside their bounds.
#include <gtest/gtest.h>

#include "game/KerboImplementation.h"

using namespace KerboImplementation;

TEST(State, ResetPutsEverythingBackToProgramStart) {
    Score = 1234;
    Lifes = 2;
    LevelDifficulty = Difficulty::Hard;
    TrampolineX = 10.0f;
    EnemyArr[300].StillExisting = true;
    AllShockWaves.Waves[25].StillExisting = true;
    Pictures.cat = 7;
    House[10][16].Initial = Initial::t;
    ResetState();
    EXPECT_EQ(Score, 0u);
    EXPECT_EQ(Lifes, 0u);
    EXPECT_EQ(LevelDifficulty, Difficulty::Easy);
    EXPECT_EQ(TrampolineX, 0.0f);
    EXPECT_FALSE(EnemyArr[300].StillExisting);
    EXPECT_FALSE(AllShockWaves.Waves[25].StillExisting);
    EXPECT_EQ(Pictures.cat, 0u) << "a new start loads the game screen's images afresh";
    EXPECT_EQ(House[10][16].Initial, Initial::p);
    EXPECT_EQ(&TemplateFor(Initial::t), &Trampoline);
    EXPECT_EQ(&TemplateFor(Initial::S), &ShockDoorRight);
}

TEST(StateDeathTest, OneBasedArraysRefuseIndexZeroAndPastTheEnd) {
    EXPECT_DEATH(EnemyArr[0].x = 1.0f, "index 0 outside 1..300");
    EXPECT_DEATH(House[11][1].Points = 1, "index 11 outside 1..10");
    EXPECT_DEATH(AllShockWaves.Waves[26].x = 1.0f, "index 26 outside 1..25");
}
