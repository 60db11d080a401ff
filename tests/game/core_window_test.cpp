// The window plays the core's game: a whole game played in the window, and the same deal and
// plays run on the core alone, end on the same table and score.

#include "Opponent.h"
#include "SpeedRun.h"
#include "game_fixture.h"

namespace {

using Core = GameTest;

TEST_F(Core, AWholeGameInTheWindowEndsAsItsPlaysOnTheCoreAlone) {
    for (const int decks : {1, 2}) {
        form->SetDeckCount(decks);
        form->SetUpDeckSize();
        const uint64_t number = 4242 + uint64_t(decks);
        form->DealNumbered(number);
        form->Timer->stop(); // the computer moves when the test says
        std::vector<TTimedPlay> plays;
        for (int64_t at = 0; form->GameRunning() && at < 100000 * decks; at += 100) {
            // Ticks in which nobody can play turn the piles over until someone can.
            while (form->GameRunning() && form->HumanStuck() && form->ComputerStuck())
                form->TurnOverPiles();
            std::optional<TPlay> play;
            if (at % 200 == 0) {
                // The human, by key, by drop and now and then a card that fits nowhere.
                for (int slot = 0; slot < 4 && !play; ++slot)
                    for (const int pile : {2, 1})
                        if (!play && form->PileTakes(slot, pile))
                            play = TPlay{TSide::Human, slot, pile, 0};
                if (!play || at % 1100 == 0)
                    play = TPlay{TSide::Human, int(at / 200 % 4), 0, 0};
                plays.push_back({at, *play});
                if (play->Table == 0)
                    form->PlaySlot(play->Slot);
                else
                    form->PlayOnPile(play->Slot, play->Table);
            } else if ((play = TComputerOpponent::Choose(*form))) {
                plays.push_back({at, *play});
                form->TimerTimer();
            }
            Drain();
        }
        ASSERT_FALSE(form->GameRunning());
        dialogs.Answers = {mbNo};
        Drain();
        const TSpeedTable& shown = form->Game().Table();
        const SpeedRun::TResult run =
            SpeedRun::Run(number, decks, plays, TMainForm::LevelBonus(form->Level()));
        for (size_t r = 0; r < 2; ++r) {
            EXPECT_EQ(run.Table.Rows[r].Pile, shown.Rows[r].Pile) << decks;
            EXPECT_EQ(run.Table.Rows[r].Slots, shown.Rows[r].Slots) << decks;
            EXPECT_EQ(run.Table.Rows[r].Played, shown.Rows[r].Played) << decks;
        }
        EXPECT_EQ(run.Table.Piles, shown.Piles);
        EXPECT_EQ(run.Score, form->GameScore());
        // And the card groups show what the core holds.
        const TSpeedTable groups = TMainFormProbe::Shown(*form);
        for (size_t r = 0; r < 2; ++r) {
            EXPECT_EQ(groups.Rows[r].Pile, shown.Rows[r].Pile);
            EXPECT_EQ(groups.Rows[r].Slots, shown.Rows[r].Slots);
            EXPECT_EQ(groups.Piles[r].back(), shown.Piles[r].back());
        }
        ASSERT_TRUE(run.Winner.has_value());
        EXPECT_EQ(dialogs.Shown.back().Text.contains(QStringLiteral("You")),
                  *run.Winner == TSide::Human)
            << dialogs.Shown.back().Text.toStdString();
    }
}

} // namespace
