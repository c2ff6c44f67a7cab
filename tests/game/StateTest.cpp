// The front end's state: the game in play and the front end's own variables
// back at their program-start values.
#include <gtest/gtest.h>

#include "game/KerboImplementation.h"

using namespace KerboImplementation;

TEST(State, ResetPutsEverythingBackToProgramStart) {
    Score = 1234;
    LevelDifficulty = Difficulty::Hard;
    EnemyArr[300].StillExisting = true;
    Pictures.cat = 7;
    PackFolder = "pack";
    ResetState();
    EXPECT_EQ(Score, 0u);
    EXPECT_EQ(LevelDifficulty, Difficulty::Easy);
    EXPECT_FALSE(EnemyArr[300].StillExisting);
    EXPECT_EQ(Pictures.cat, 0u) << "a new start loads the game screen's images afresh";
    EXPECT_EQ(PackFolder, "");
}
