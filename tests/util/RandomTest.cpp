// The fixed-seed random numbers (the sequence, the intervals, the refusal of
// an empty one) and the distance.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "util/StandardLib.h"

using namespace StandardLib;

class RandomTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetRandom(); }
};

TEST_F(RandomTest, GeneratorRunsFromSeed94InItsFixedOrder) {
    // RandomCard(0, 1012) hands out the generator's raw values: spread 1012.99999 / 1012 * r
    // truncates back to r for every r from 0 to 1012.
    std::vector<uint32_t> got;
    for (int k = 0; k < 6; ++k) got.push_back(RandomCard(0, 1012));
    EXPECT_EQ(got, (std::vector<uint32_t>{716, 230, 841, 546, 327, 446}));
}

TEST_F(RandomTest, CoinFlipsAndCatPlacesFollowTheSequence) {
    std::vector<uint32_t> flips;
    for (int k = 0; k < 6; ++k) flips.push_back(RandomCard(0, 1));
    EXPECT_EQ(flips, (std::vector<uint32_t>{1, 0, 1, 1, 0, 0}));

    ResetRandom();
    EXPECT_EQ(RandomCard(151, 650), 504u);
    EXPECT_EQ(RandomCard(151, 650), 264u);
}

TEST_F(RandomTest, CycleVisitsEveryValueButTheFixedPoint) {
    std::set<uint32_t> seen;
    for (int k = 0; k < 1012; ++k) seen.insert(RandomCard(0, 1012));
    EXPECT_EQ(seen.size(), 1012u);
    EXPECT_EQ(seen.count(509), 0u);
    EXPECT_EQ(RandomCard(0, 1012), 716u);  // period 1012: back to the first value
}

TEST_F(RandomTest, CoinFlipSplitsAt507) {
    // r 506 must give 0 and r 507 must give 1: walk the cycle and compare
    // each flip with the raw value drawn at the same point.
    std::vector<uint32_t> raw, flips;
    for (int k = 0; k < 1012; ++k) raw.push_back(RandomCard(0, 1012));
    ResetRandom();
    for (int k = 0; k < 1012; ++k) flips.push_back(RandomCard(0, 1));
    for (std::size_t k = 0; k < raw.size(); ++k) {
        EXPECT_EQ(flips[k], raw[k] >= 507 ? 1u : 0u) << "r = " << raw[k];
    }
}

TEST_F(RandomTest, DegenerateAndReversedIntervals) {
    const uint32_t before = CurrentSeed();
    EXPECT_EQ(RandomCard(5, 5), 5u);
    EXPECT_NE(CurrentSeed(), before) << "a one-value interval still draws";

    const uint32_t seed = CurrentSeed();
    testing::internal::CaptureStdout();
    EXPECT_EQ(RandomCard(2, 1), 2u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR calling RandomCardFromInterval: min 2 is bigger than max 1\n");
    EXPECT_EQ(CurrentSeed(), seed) << "the error path draws nothing";
}

TEST_F(RandomTest, ResultsStayInsideTheInterval) {
    for (int k = 0; k < 3000; ++k) {
        const uint32_t v = RandomCard(2, 8);
        ASSERT_GE(v, 2u);
        ASSERT_LE(v, 8u);
    }
}

TEST(DistanceTest, TruncatedEuclideanDistance) {
    EXPECT_EQ(Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(Distance(10, 0, 6, 0), 4);
    EXPECT_EQ(Distance(0, 0, 1, 1), 1);
    EXPECT_EQ(Distance(6, 0, 10, 0), Distance(10, 0, 6, 0));
    EXPECT_EQ(Distance(-3, -4, 0, 0), 5);
}
