// Whole games played by the self-play driver, and proof that its checks notice a broken table.

#include "Main.h"
#include "kscardtable.h"
#include "selfplay.h"

#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <vector>

namespace {

using selfplay::TGameResult;
using selfplay::TSelfPlay;

// A multiple of 20, so seed BaseSeed + c plays under the rules of combination c.
constexpr uint64_t BaseSeed = 20240600;

// Two hundred games: ten under each of the twenty combinations of deck size, scoring style and
// level, one window per combination, as in one session of the program.
class SelfPlayRules : public ::testing::TestWithParam<int> {};

TEST_P(SelfPlayRules, TenGamesKeepTheTableSound) {
    const auto combination = static_cast<uint64_t>(GetParam());
    TSelfPlay play;
    int decided = 0;
    for (uint64_t game = 0; game < 10; ++game) {
        const TGameResult r = play.Play(selfplay::GameSeed(BaseSeed, combination + 20 * game));
        ASSERT_TRUE(r.Ok()) << r.Failure.toStdString();
        ASSERT_EQ(selfplay::RulesOf(r.Seed).Level, GetParam() % 5);
        EXPECT_GE(r.Decided, 1) << "seed " << r.Seed;
        decided += r.Decided;
    }
    EXPECT_GE(decided, 10);
}

INSTANTIATE_TEST_SUITE_P(, SelfPlayRules, ::testing::Range(0, 20),
                         [](const ::testing::TestParamInfo<int>& Info) {
                             const selfplay::TRules r = selfplay::RulesOf(uint64_t(Info.param));
                             return std::string(r.DeckCount == 1 ? "Single" : "Double") +
                                    (r.Scoring == 0 ? "Normal" : "LasVegas") + "Level" +
                                    std::to_string(r.Level);
                         });

TEST(SelfPlay, GamesCoverBothWinnersAndNewGamesOnYes) {
    // Across a run both sides win, and "play again?" is sometimes answered Yes, which deals the
    // next game from inside the winner's message.
    TSelfPlay play;
    int humanWins = 0, computerWins = 0, deals = 0, games = 0;
    for (uint64_t i = 0; i < 40 && (humanWins == 0 || computerWins == 0 || deals == games); ++i) {
        const TGameResult r = play.Play(selfplay::GameSeed(BaseSeed + 7, i));
        ASSERT_TRUE(r.Ok()) << r.Failure.toStdString();
        ++games;
        humanWins += r.HumanWins;
        computerWins += r.Decided - r.HumanWins;
        deals += r.Deals;
    }
    EXPECT_GT(humanWins, 0);
    EXPECT_GT(computerWins, 0);
    EXPECT_GT(deals, games);
}

TEST(SelfPlay, WindowOnScreenPlaysTheSameGamesAsAHiddenOne) {
    // Shown, every play is also drawn; that must not change a single move.
    struct TRun {
        std::vector<std::tuple<int, int, int, int, int>> Results;
        std::vector<std::vector<int32_t>> Table1;
    };
    auto run = [](bool Show) {
        TSelfPlay play(selfplay::TOptions{.Show = Show});
        TRun r;
        for (uint64_t i = 0; i < 6; ++i) {
            const TGameResult g = play.Play(selfplay::GameSeed(BaseSeed + 977, i));
            EXPECT_TRUE(g.Ok()) << g.Failure.toStdString();
            r.Results.emplace_back(g.Steps, g.HumanPlays, g.Decided, g.HumanWins, g.Deals);
            r.Table1.push_back(play.Form().CardTable1->PlayedCards());
        }
        return r;
    };
    const TRun shown = run(true);
    const TRun hidden = run(false);
    EXPECT_EQ(shown.Results, hidden.Results);
    EXPECT_EQ(shown.Table1, hidden.Table1);
}

TEST(SelfPlay, PlaysShownAndTheFumbleRuleKeepEveryCheck) {
    // Every rule combination once, with flights, glows and flashes drawn frame by frame and the
    // bot's refused plays locking its cards.
    TSelfPlay play(selfplay::TOptions{.ShowPlays = true, .FumbleRule = true});
    int64_t frames = 0;
    for (uint64_t i = 0; i < 20; ++i) {
        const TGameResult g = play.Play(selfplay::GameSeed(BaseSeed + 4001, i));
        ASSERT_TRUE(g.Ok()) << g.Failure.toStdString();
        frames += g.Frames;
    }
    EXPECT_GT(frames, 0);
}

TEST(SelfPlay, ChecksNoticeABrokenTable) {
    using F = TSelfPlay::TFault;
    for (auto [fault, says] :
         {std::pair{F::LoseAPileCard, "lost, doubled or changed"},
          std::pair{F::DuplicateASlotCard, "lost, doubled or changed"},
          std::pair{F::WrongTopCard, "on top, its last card is"},
          std::pair{F::LeaveBusy, "busy depth 1"}, std::pair{F::SwapTwoSlots, "slot 1 shows"}}) {
        TSelfPlay play;
        play.PlantFault(fault, 3);
        const TGameResult r = play.Play(BaseSeed + 5);
        ASSERT_FALSE(r.Ok()) << says;
        EXPECT_NE(r.Failure.indexOf(QString::fromLatin1(says)), -1) << r.Failure.toStdString();
        EXPECT_TRUE(r.Failure.startsWith(QStringLiteral("seed %1 ").arg(BaseSeed + 5)))
            << r.Failure.toStdString();
        // The next deal clears the table, and the window goes on with sound games.
        const TGameResult next = play.Play(BaseSeed + 6);
        EXPECT_TRUE(next.Ok()) << next.Failure.toStdString();
    }
}

} // namespace
