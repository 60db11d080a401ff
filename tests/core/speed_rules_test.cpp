// The rules on card values, as every player of the game meets them.

#include "SpeedRules.h"

#include <gtest/gtest.h>

namespace {

using namespace SpeedRules;

TEST(Rules, RanksAreACircleAndABusyPileTakesNothing) {
    EXPECT_TRUE(NextRank(6, 7) && NextRank(8, 7) && NextRank(13, 14));
    EXPECT_TRUE(NextRank(2, 14) && NextRank(14, 2) && NextRank(3, 2));
    EXPECT_FALSE(NextRank(7, 7) || NextRank(9, 7) || NextRank(13, 2));

    TPiles piles{{10, 5}, {false, false}};
    EXPECT_EQ(PileFor(piles, 9, 0), 1) << "the first pile that takes it";
    EXPECT_EQ(PileFor(piles, 4, 0), 2);
    EXPECT_EQ(PileFor(piles, 9, 2), 0) << "the pile asked for, or none";
    EXPECT_EQ(PileFor(piles, 9, -1), 0) << "a drop on no pile";
    piles.Busy[0] = true;
    EXPECT_EQ(PileFor(piles, 9, 0), 0);
    EXPECT_FALSE(Takes(piles, 1, 11));
}

TEST(Rules, ARowCanPlayOnAnyPileWhateverIsOnItsWay) {
    EXPECT_TRUE(CanPlay({0, 0, 4, 0}, {10, 5}));
    EXPECT_FALSE(CanPlay({0, 2, 7, 0}, {10, 5})) << "empty slots lay nothing";
    EXPECT_TRUE(CanPlay({14, 0, 0, 0}, {2, 9})) << "the ace on the two";
}

} // namespace
