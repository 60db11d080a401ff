// The person model: its times come from its seed alone and average what its parameters say; it
// never makes a play the rules refuse (only ones that lost a race); it sees only what a player
// sees.

#include "PersonMatch.h"
#include "SpeedDeal.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A card of Rank (2 .. 14) in Suit (0 .. 3).
int32_t Card(int32_t Rank, int32_t Suit = 0) {
    return Rank + 13 * Suit;
}

// The human's row shows three plays on pile 1 (a 7) and none on pile 2 (a 2).
TSpeedTable ThreePlays() {
    TSpeedTable t;
    t.Piles[0] = {Card(7)};
    t.Piles[1] = {Card(2)};
    t.Rows[0].Slots = {Card(6), Card(8, 1), Card(6, 2), Card(12)};
    t.Rows[0].Pile = {Card(9), Card(10)};
    t.Rows[1].Slots = {Card(11), Card(11, 1), Card(12, 1), Card(12, 2)};
    t.CardsToWin = 25;
    return t;
}

struct TStages {
    int64_t Perceived = 0, Chosen = 0, Moved = 0;
    TPlay Play;
};

// One pass from a change on the table to the card laid.
TStages Pass(TPersonPlayer& P, const TSpeedTable& T) {
    TStages s;
    P.OnTableChanged(0, T);
    s.Perceived = P.NextActionAt().value();
    EXPECT_FALSE(P.Act(s.Perceived, T));
    s.Chosen = P.NextActionAt().value();
    EXPECT_FALSE(P.Act(s.Chosen, T));
    s.Moved = P.NextActionAt().value();
    s.Play = P.Act(s.Moved, T).value();
    return s;
}

TEST(PersonTiming, SeededAndTheStageMeansAreTheParameters) {
    TPersonParams params = TPersonParams::Human(1);
    params.Overlook = 0;
    const TSpeedTable table = ThreePlays();

    // The same seed plays the same times; another seed does not.
    TPersonPlayer a(TSide::Human, params, 7), b(TSide::Human, params, 7),
        c(TSide::Human, params, 8);
    bool differs = false;
    for (int i = 0; i < 50; ++i) {
        const TStages x = Pass(a, table), y = Pass(b, table), z = Pass(c, table);
        ASSERT_EQ(x.Perceived, y.Perceived);
        ASSERT_EQ(x.Chosen, y.Chosen);
        ASSERT_EQ(x.Moved, y.Moved);
        differs = differs || x.Moved != z.Moved;
        // The lowest slot that fits the watched pile; the choice is a play the rules take.
        EXPECT_EQ(x.Play, (TPlay{TSide::Human, 0, 1, Card(6)}));
        a = TPersonPlayer(TSide::Human, params, uint64_t(100 + i));
        b = TPersonPlayer(TSide::Human, params, uint64_t(100 + i));
    }
    EXPECT_TRUE(differs);

    // Over many passes each stage averages its parameters: the choice among three plays takes
    // a + b log2(4) and the spread's mean.
    const int n = 20000;
    double perceive = 0, choose = 0, move = 0;
    for (int i = 0; i < n; ++i) {
        TPersonPlayer p(TSide::Human, params, uint64_t(i));
        const TStages s = Pass(p, table);
        perceive += double(s.Perceived);
        choose += double(s.Chosen - s.Perceived);
        move += double(s.Moved - s.Chosen);
    }
    EXPECT_NEAR(perceive / n, params.Perceive.Mean(), 0.02 * params.Perceive.Mean());
    EXPECT_NEAR(choose / n, params.ChoiceMean(3), 0.02 * params.ChoiceMean(3));
    EXPECT_NEAR(move / n, params.Motor.Mean(), 0.02 * params.Motor.Mean());
    // Hick-Hyman: more plays seen, a longer choice.
    EXPECT_GT(params.ChoiceMean(3), params.ChoiceMean(1) + params.HickB * 0.9);
}

TEST(PersonTiming, SlowedWhenThePileChangesWhileItChooses) {
    TPersonParams params = TPersonParams::Human(1);
    params.Overlook = 0;
    params.Perceive = {100, 0, 0};
    TPersonPlayer p(TSide::Human, params, 3);
    TSpeedTable table = ThreePlays();
    p.OnTableChanged(0, table);
    ASSERT_FALSE(p.Act(100, table));
    ASSERT_GT(*p.NextActionAt(), 100);    // choosing
    table.Piles[0].push_back(Card(8, 3)); // an 8 lands on the pile it chose for
    p.OnTableChanged(150, table);
    EXPECT_EQ(*p.NextActionAt(), 150 + std::llround(params.Slowing) + 100);
}

// Every seat the bench uses, against each other and against Steady.
std::vector<std::pair<TSeat, TSeat>> Pairings() {
    std::vector<std::pair<TSeat, TSeat>> seats;
    for (int h = 0; h < 3; ++h)
        for (int l = 0; l < 5; ++l) {
            seats.emplace_back(TSeat::Like(TPersonParams::Human(h)),
                               TSeat::Like(TPersonParams::Level(l)));
            seats.emplace_back(TSeat::Like(TPersonParams::Level(l)), TSeat::Steady(250 * l + 250));
        }
    return seats;
}

TEST(PersonGames, NoIllegalPlayInTenThousandGames) {
    const auto seats = Pairings();
    int illegal = 0, races = 0, undecided = 0;
    for (int g = 0; g < 10000; ++g) {
        const auto& [human, computer] = seats[size_t(g) % seats.size()];
        const TMatchResult r = RunMatch(uint64_t(g) + 1, human, computer, uint64_t(g) * 31);
        illegal += r.Illegal;
        races += r.Races;
        undecided += r.Winner ? 0 : 1;
    }
    EXPECT_EQ(illegal, 0);
    EXPECT_GT(races, 0); // races were lost, and told apart from illegal plays
    EXPECT_EQ(undecided, 0);
}

// The face-down cards (both rows' piles) swapped for other cards: what the piles hide changes,
// what the table shows does not.
TSpeedTable HideOthers(const TSpeedTable& T) {
    TSpeedTable v = T;
    for (TSpeedRow& r : v.Rows)
        for (int32_t& c : r.Pile)
            c = (c - 2 + 7) % 52 + 2;
    return v;
}

TEST(PersonGames, SeesNoFaceDownCard) {
    const TSeat typical = TSeat::Like(TPersonParams::Human(1));
    const TSeat hard = TSeat::Like(TPersonParams::Level(2));
    int changedByASlot = 0;
    for (uint64_t g = 1; g <= 300; ++g) {
        const TSpeedTable deal = SpeedDeal::Table(SpeedDeal::Cards(g, 1), 1);
        const TMatchResult seen = RunMatch(deal, typical, hard, g);
        const TMatchResult hidden = RunMatch(deal, typical, hard, g, HideOthers);
        ASSERT_EQ(seen.Plays, hidden.Plays) << "deal " << g;
        ASSERT_EQ(seen.Winner, hidden.Winner);
        // The same check notices a change a player could see.
        const TMatchResult lied = RunMatch(deal, typical, hard, g, [](const TSpeedTable& T) {
            TSpeedTable v = T;
            v.Rows[0].Slots[0] = v.Rows[0].Slots[0] ? (v.Rows[0].Slots[0] - 2 + 5) % 52 + 2 : 0;
            return v;
        });
        changedByASlot += lied.Plays != seen.Plays ? 1 : 0;
    }
    EXPECT_GT(changedByASlot, 100);
}

// Each level keeps about Steady's mean time between plays there, so the levels' tables stay
// comparable.
TEST(PersonGames, LevelsKeepSteadysMeanPace) {
    const TSeat typical = TSeat::Like(TPersonParams::Human(1));
    for (int level = 0; level < 5; ++level) {
        std::array<double, 2> mean{};
        for (size_t style = 0; style < 2; ++style) {
            const TSeat computer = style == 0 ? TSeat::Steady(250 * level + 250)
                                              : TSeat::Like(TPersonParams::Level(level));
            double sum = 0;
            long n = 0;
            for (uint64_t g = 1; g <= 300; ++g)
                for (const int64_t ms : RunMatch(g, typical, computer, g).ComputerIntervals) {
                    sum += double(ms);
                    ++n;
                }
            mean[style] = sum / double(n);
        }
        EXPECT_NEAR(mean[1], mean[0], 0.1 * mean[0]) << TPersonParams::Level(level).Name;
    }
}

TEST(PersonGames, ReplayedFromTheSeed) {
    const TSeat fast = TSeat::Like(TPersonParams::Human(2));
    const TSeat medium = TSeat::Like(TPersonParams::Level(3));
    int differ = 0;
    for (uint64_t g = 1; g <= 50; ++g) {
        const TMatchResult a = RunMatch(g, fast, medium, 5), b = RunMatch(g, fast, medium, 5);
        EXPECT_EQ(a.Plays, b.Plays);
        EXPECT_EQ(a.ComputerIntervals, b.ComputerIntervals);
        differ += RunMatch(g, fast, medium, 6).Plays != a.Plays ? 1 : 0;
    }
    EXPECT_GT(differ, 40);
}

} // namespace
