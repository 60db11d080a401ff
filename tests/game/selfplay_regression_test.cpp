// Faults that self-play found in the game, each pinned down on a table set up by hand.

#include "game_fixture.h"

#include <QTest>

namespace {

int WinnerMessages(const TScriptedDialogs& Dialogs) {
    return static_cast<int>(
        std::count_if(Dialogs.Shown.begin(), Dialogs.Shown.end(), [](const TKsMessage& m) {
            return m.Text.endsWith(QStringLiteral("Won, Do you want to play again?"));
        }));
}

class Found : public GameTest {
protected:
    // Tables at 5 and 10; the human, one card short of the computer and with an empty pile, holds
    // a Six for the 5, the computer a Jack for the 10 that reaches its goal; every other slot
    // card fits neither table before or after those two plays.
    void SetUpTheLastPlays() {
        form->DealBtnClick();
        TMainForm& F = *form;
        TMainFormProbe::SetCounters(F, 23, 24);
        TMainFormProbe::SetStuck(F, false, false);
        SetTop(F.CardTable1, 5);
        SetTop(F.CardTable2, 10);
        F.Play1Pile->EmptyAllCards();
        for (int i = 0; i < 4; ++i) {
            SetSlot(F.Play1Card[size_t(i)], i == 0 ? 6 : 2);
            SetSlot(F.Play2Card[size_t(i)], i == 0 ? 11 : 2);
        }
    }

    void HumanPlaysTheSix() {
        QTest::mouseClick(form->Play1Card[0], Qt::LeftButton, {}, QPoint(30, 40));
        ASSERT_EQ(form->CardTable1->CardTop().ID(), 6);
    }

    void ComputerPlaysTheJack() {
        form->TimerTimer();
        ASSERT_TRUE(form->ComputerWon());
    }

    // Handles the posted messages, and the ones they post.
    static void DrainAll() {
        Drain();
        Drain();
    }
};

TEST_F(Found, PlayJustBeforeTheComputerWinsCannotTakeTheWinFromIt) {
    // The human's play is followed up after the computer has won: both sides are stuck, and a
    // turn-over then counted cards for the human up to the goal, naming the human winner.
    SetUpTheLastPlays();
    HumanPlaysTheSix();
    ComputerPlaysTheJack();
    const int32_t score = form->GameScore();
    dialogs.Answers = {mbNo};
    DrainAll();
    EXPECT_EQ(WinnerMessages(dialogs), 1);
    EXPECT_EQ(dialogs.Shown.back().Text,
              QStringLiteral("The Computer Won, Do you want to play again?"));
    EXPECT_EQ(form->GameScore(), score) << "no bonus";
    EXPECT_EQ(form->HumanPlayed(), 24) << "no turn-over";
    EXPECT_FALSE(form->Timer->isActive());
}

TEST_F(Found, GameAnsweredNoTakesNoMoreCards) {
    SetUpTheLastPlays();
    ComputerPlaysTheJack();
    dialogs.Answers = {mbNo};
    DrainAll();
    ASSERT_EQ(WinnerMessages(dialogs), 1);
    ASSERT_FALSE(form->Timer->isActive());

    // The table keeps its cards, but the slots play nothing until the next deal: a point
    // scored now would carry into the next Las Vegas deal.
    const int32_t score = form->GameScore();
    QTest::mouseClick(form->Play1Card[0], Qt::LeftButton, {}, QPoint(30, 40));
    QTest::keyClick(form.get(), '1');
    DrainAll();
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 5);
    EXPECT_EQ(form->GameScore(), score);
    EXPECT_EQ(form->HumanPlayed(), 23);
    EXPECT_EQ(WinnerMessages(dialogs), 1) << "no second winner";
    EXPECT_FALSE(form->Timer->isActive()) << "the computer does not wake up again";
}

TEST_F(Found, LostGameAnsweredNoCannotBeWonAfterwards) {
    SetUpTheLastPlays();
    TMainFormProbe::SetCounters(*form, 24, 24);
    ComputerPlaysTheJack();
    dialogs.Answers = {mbNo};
    DrainAll();
    ASSERT_EQ(WinnerMessages(dialogs), 1);

    // The human's 25th card comes after the computer's win was announced and cleared.
    QTest::mouseClick(form->Play1Card[0], Qt::LeftButton, {}, QPoint(30, 40));
    DrainAll();
    EXPECT_EQ(form->HumanPlayed(), 24);
    EXPECT_FALSE(form->HumanWon());
    EXPECT_EQ(WinnerMessages(dialogs), 1) << "no \"You Won\" after the computer won";
}

TEST_F(Found, TurnOverThatDecidesTheGameLeavesThePilesOnTheirRelayTables) {
    form->DealBtnClick();
    TMainFormProbe::SetCounters(*form, 24, 24);
    TMainFormProbe::SetStuck(*form, true, true);
    dialogs.Answers = {mbNo};
    form->CheckStuck();
    DrainAll();
    ASSERT_EQ(WinnerMessages(dialogs), 1);
    EXPECT_EQ(form->Play1Pile->Table(), form->TempTable1);
    EXPECT_EQ(form->Play2Pile->Table(), form->TempTable2);

    // A card laid just before the end is refilled after it from the pile through the relay
    // table, not by turning the pile's card onto the central table and copying an old one
    // into the slot.
    SetTop(form->CardTable1, 5);
    SetSlot(form->Play1Card[0], 6);
    const int32_t pileTop = form->Play1Pile->GetCard(form->Play1Pile->NonEmptyCount() - 1)->ID();
    form->Play1Card[0]->SetTable(form->CardTable1);
    form->CardTable1->SetPlayPosition(2);
    form->Play1Card[0]->PlayCard(0, false, tpTop);
    TMainFormProbe::TakeGroups(*form);
    form->WMHumanPlayed(form->Play1Card[0]);
    DrainAll();
    EXPECT_EQ(form->CardTable1->CardTop().ID(), 6);
    EXPECT_EQ(form->Play1Card[0]->GetCard(0)->ID(), pileTop);
    EXPECT_EQ(Held(form->Play2Pile, form->Play2Card) + form->CardTable2->PlayedCardsCount() +
                  Held(form->Play1Pile, form->Play1Card) + form->CardTable1->PlayedCardsCount(),
              52);
}

TEST_F(Found, RefillPostedBeforeANewDealLeavesTheNewCardsAlone) {
    // A play and a deal in the same turn of the event loop: the play's refill arrives after
    // the new cards are dealt, when its slot is full again.
    form->DealBtnClick();
    TMainFormProbe::SetStuck(*form, false, false);
    SetTop(form->CardTable2, 9);
    SetSlot(form->Play2Card[0], 10);
    form->TimerTimer();
    ASSERT_EQ(form->ComputerPlayed(), 1);
    form->DealBtnClick();
    const int32_t dealt = form->Play2Card[0]->GetCard(0)->ID();
    const int pile = form->Play2Pile->NonEmptyCount();
    Drain();
    EXPECT_EQ(form->Play2Card[0]->GetCard(0)->ID(), dealt);
    EXPECT_EQ(form->Play2Pile->NonEmptyCount(), pile);
    EXPECT_EQ(Held(form->Play2Pile, form->Play2Card) + form->CardTable2->PlayedCardsCount() +
                  Held(form->Play1Pile, form->Play1Card) + form->CardTable1->PlayedCardsCount(),
              52)
        << "every card is somewhere";
}

} // namespace
