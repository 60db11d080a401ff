// The game on values alone: dealing by number, and whole games played from lists of plays.

#include "SpeedDeal.h"
#include "SpeedRun.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A game played on the core by the computer's choice for both rows (the human's seen from its
// side), each play 100 ms after the last, recorded as it goes.
std::vector<TTimedPlay> PlayedGame(uint64_t Number, int Decks, TSpeedGame& Game) {
    Game.Deal(SpeedDeal::Table(SpeedDeal::Cards(Number, Decks), Decks), 0);
    Game.Begin(Number);
    SpeedRun::Settle(Game);
    std::vector<TTimedPlay> plays;
    for (int64_t at = 0; Game.Running() && at < 1000000; at += 100) {
        std::optional<TPlay> play;
        // The rows take turns; the human looks at pile 1 first.
        if (plays.size() % 2 == 0)
            for (int slot = 0; slot < 4 && !play; ++slot)
                for (const int pile : {1, 2})
                    if (!play && Game.Takes(TSide::Human, slot, pile))
                        play = TPlay{TSide::Human, slot, pile, 0};
        if (!play)
            play = SpeedRun::ComputerChoice(Game);
        if (!play) // a refused play is part of the record too
            play = TPlay{TSide::Human, int(at / 100 % 4), 0, 0};
        plays.push_back({at, *play});
        SpeedRun::PlayAndRefill(Game, *play);
    }
    return plays;
}

TEST(Core, ADealByNumberIsTheSameShuffleEveryTimeAndMirroredSwapsTheRows) {
    for (const uint64_t number : {uint64_t(1), uint64_t(45296796), uint64_t(1) << 40}) {
        for (const int decks : {1, 2}) {
            const std::vector<int32_t> cards = SpeedDeal::Cards(number, decks);
            ASSERT_EQ(cards, SpeedDeal::Cards(number, decks));
            ASSERT_EQ(cards.size(), size_t(2 * SpeedDeal::PerSide(decks)));
            // Each side is dealt from a shuffle of the whole deck: no card more often than the
            // decks hold it.
            for (int side = 0; side < 2; ++side) {
                std::vector<int32_t> one(cards.begin() + side * SpeedDeal::PerSide(decks),
                                         cards.begin() + (side + 1) * SpeedDeal::PerSide(decks));
                std::sort(one.begin(), one.end());
                for (const int32_t c : one)
                    EXPECT_LE(std::count(one.begin(), one.end(), c), decks) << number;
                EXPECT_TRUE(one.front() >= 2 && one.back() <= 53);
            }
            const TSpeedTable table = SpeedDeal::Table(cards, decks);
            const TSpeedTable across = SpeedDeal::Table(cards, decks, true);
            EXPECT_EQ(table.Rows[0], across.Rows[1]);
            EXPECT_EQ(table.Piles[0], across.Piles[1]);
            EXPECT_EQ(table.Rows[0].Pile.back(), cards[size_t(SpeedDeal::PileCards(decks) - 1)])
                << "the last card dealt to the pile turns up first";
        }
    }
    EXPECT_NE(SpeedDeal::Cards(7, 1), SpeedDeal::Cards(8, 1));
}

TEST(Core, AWholeGameReplaysFromItsTimedPlaysToTheSameEnd) {
    for (const int decks : {1, 2}) {
        for (uint64_t number = 100; number < 110; ++number) {
            TSpeedGame game;
            std::vector<TGameEventKind> heard;
            game.Events().Subscribe([&](const TGameEvent& e) { heard.push_back(e.Kind); });
            const std::vector<TTimedPlay> plays = PlayedGame(number, decks, game);
            ASSERT_FALSE(game.Running()) << "every game comes to an end";
            const int32_t cardsToWin = game.Table().CardsToWin;
            const SpeedRun::TResult run = SpeedRun::Run(number, decks, plays, 300);
            ASSERT_TRUE(run.Winner.has_value());
            const TSpeedRow& winner = run.Table.Row(*run.Winner);
            EXPECT_EQ(winner.Played, cardsToWin) << "the game ends at the winning card";
            // The played game and the run of its record end on the same table.
            for (size_t r = 0; r < 2; ++r) {
                EXPECT_EQ(run.Table.Rows[r].Pile, game.Table().Rows[r].Pile) << number;
                EXPECT_EQ(run.Table.Rows[r].Slots, game.Table().Rows[r].Slots) << number;
                EXPECT_EQ(run.Table.Rows[r].Played, game.Table().Rows[r].Played) << number;
            }
            EXPECT_EQ(run.Table.Piles, game.Table().Piles);
            // No card is lost or made on the way.
            std::vector<int32_t> dealt = SpeedDeal::Cards(number, decks);
            std::sort(dealt.begin(), dealt.end());
            EXPECT_EQ(run.Table.Cards(), dealt) << number;
            // The human's score: a point a card and a pass, and the win's.
            const int passes =
                int(std::count(heard.begin(), heard.end(), TGameEventKind::PilesTurnedOver));
            const int32_t win = *run.Winner == TSide::Human
                                    ? 300 + (cardsToWin - run.Table.Rows[1].Played) * 100 + 1
                                    : 0;
            EXPECT_EQ(run.Score, run.Table.Rows[0].Played + win) << number;
            EXPECT_LE(passes, run.Table.Rows[0].Played);
        }
    }
}

TEST(Core, AHeldOrLateCardIsRefusedAndTheFirstToTheGoalWins) {
    TSpeedGame game;
    TSpeedTable t;
    t.CardsToWin = 2;
    t.Piles = {std::vector<int32_t>{5}, std::vector<int32_t>{9}};
    t.Rows[0].Slots = {6, 0, 0, 0};
    t.Rows[0].Pile = {4};
    t.Rows[0].Played = 1;
    t.Rows[1].Slots = {10, 8, 0, 0};
    t.Rows[1].Played = 1;
    game.Deal(t, 0);
    std::vector<TGameEvent> heard;
    game.Events().Subscribe([&](const TGameEvent& e) { heard.push_back(e); });
    TPlay early{TSide::Human, 0, 0, 0};
    EXPECT_FALSE(game.Play(early, false)) << "not begun";
    game.Begin(1);
    TPlay held{TSide::Human, 0, 0, 0};
    EXPECT_FALSE(game.Play(held, true));
    EXPECT_EQ(heard.back().Why, TRefusal::Held);
    EXPECT_TRUE(heard.back().Fits);
    TPlay win{TSide::Computer, 1, 2, 0};
    ASSERT_TRUE(game.Play(win, false));
    EXPECT_TRUE(game.Won(TSide::Computer));
    TPlay late{TSide::Human, 0, 0, 0};
    EXPECT_FALSE(game.Play(late, false)) << "a decided game takes no more cards";
    EXPECT_EQ(game.Table().Rows[0].Slots[0], 6);
    EXPECT_EQ(game.Decide(false, 300, 10), TSide::Computer);
    EXPECT_EQ(game.Score(), 0) << "only the human scores";
    EXPECT_EQ(game.Decide(false, 300, 10), std::nullopt) << "decided once";
}

} // namespace
