// The shipped levels, levels/level1.txt .. level10.txt, read with the game's
// own reader: each reads cleanly, keeps the layout rules of the model, and
// lets Oska reach every item from his start without ever stranding himself.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "game/rules/Rules.h"
#include "levelcheck/LevelCheck.h"
#include "tests/levels/ShippedLevels.h"

using namespace LevelCheck;

namespace {

std::string Name(int number) {
    return LevelName(number);
}

// Reads a shipped level; a reading fault fails the calling test.
bool Load(int number, Level& level) {
    const std::string error = KerboImplementation::ReadLevelFile(LevelPath(number), level);
    EXPECT_EQ(error, "") << Name(number) << " does not read cleanly";
    return error.empty();
}

class ShippedLevel : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevel, ReadsCleanlyAndKeepsTheLayoutRules) {
    Level level;
    if (!Load(GetParam(), level)) return;
    for (const Fault& fault : StructureFaults(level))
        ADD_FAILURE() << Name(GetParam()) << ", " << fault.Text();
}

TEST_P(ShippedLevel, EveryItemCanBeReachedAndNoWayStrandsOska) {
    Level level;
    if (!Load(GetParam(), level)) return;
    const Report report = CheckReach(level);
    EXPECT_GT(report.items, 0) << Name(GetParam()) << " has no items";
    for (const Fault& fault : report.faults) ADD_FAILURE() << Name(GetParam()) << ", " << fault.Text();
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& level) {
                             return "level" + std::to_string(level.param);
                         });

// Later levels never have fewer items or doors, nor shorter climbs, than
// earlier ones, and the last asks clearly more than the first.
TEST(ShippedLevels, DifficultyRisesFromLevelToLevel) {
    Report previous;
    Report first;
    for (int number = 1; number <= 10; ++number) {
        Level level;
        if (!Load(number, level)) return;
        const Report report = CheckReach(level);
        std::cout << Name(number) << ": items " << report.items << ", doors " << report.doors
                  << ", shock doors " << report.shockDoors << ", shafts " << report.shafts
                  << ", rides to the farthest item " << report.mostRides << "\n";
        if (number == 1) {
            first = report;
        } else {
            EXPECT_GE(report.items, previous.items)
                << Name(number) << " has fewer items than the level before";
            EXPECT_GE(report.doors + report.shockDoors, previous.doors + previous.shockDoors)
                << Name(number) << " has fewer doors than the level before";
            EXPECT_GE(report.mostRides, previous.mostRides)
                << Name(number) << " asks for a shorter climb than the level before";
        }
        previous = report;
    }
    EXPECT_GT(previous.items, first.items);
    EXPECT_GT(previous.shockDoors, first.shockDoors);
    EXPECT_GT(previous.mostRides, first.mostRides);
}

}  // namespace
