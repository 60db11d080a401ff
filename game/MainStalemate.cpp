// Refilling slots, finding who can play, turning the piles over, and the end of a game.

#include "Main.h"
#include "SpeedRules.h"
#include "StringRes.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "kssinglecard.h"

#include <QLabel>
#include <QScopeGuard>
#include <exception>

int32_t TMainForm::TopPileEntry(TKsCardGroup* Pile) {
    for (int32_t i = Pile->Count() - 1; i >= 0; --i)
        if (!Pile->GetCard(i)->Empty())
            return i;
    return -1;
}

bool TMainForm::CanPlay(bool Human) {
    const auto& sideSlots = Human ? Play1Card : Play2Card;
    std::array<int32_t, 4> values{};
    for (size_t i = 0; i < values.size(); ++i)
        if (sideSlots[i]->NonEmptyCount() > 0)
            values[i] = sideSlots[i]->GetCard(0)->Value();
    const bool can = SpeedRules::CanPlay(values, {TopValue(CardTable1), TopValue(CardTable2)});
    // A decided game waits for nobody.
    ShowWaitSign(Human ? WaitSign1 : WaitSign2, !can && FGameRunning);
    return can;
}

void TMainForm::FindStuck() {
    const bool wasHuman = FHumanStuck;
    const bool wasComputer = FComputerStuck;
    FHumanStuck = !CanPlay(true);
    FComputerStuck = !CanPlay(false);
    // A decided game waits for nobody.
    if (!FGameRunning)
        return;
    if (FHumanStuck && !wasHuman)
        Announce(TGameEvent::Stuck(TSide::Human));
    if (FComputerStuck && !wasComputer)
        Announce(TGameEvent::Stuck(TSide::Computer));
}

void TMainForm::WMHumanPlayed(TKsCardGroup* Slot) {
    Refill(Slot, Play1Pile, TempTable1);
}

void TMainForm::WMComputerPlayed(TKsCardGroup* Slot) {
    Refill(Slot, Play2Pile, TempTable2);
}

void TMainForm::Refill(TKsCardGroup* Slot, TKsCardGroup* Pile, TKsCardTable* TempTable) {
    // A refill posted before a new deal arrives when the slot holds a newly dealt card.
    if (Slot && Slot->NonEmptyCount() == 0 && Pile->NonEmptyCount() > 0) {
        Slot->SetTable(TempTable);
        TempTable->SetPlayPosition(2);
        Pile->PlayCard(TopPileEntry(Pile), false, tpTop);
        TempTable->GiveCardTo(Slot);
    }
    FindStuck();
    // A referee elsewhere sends its turn-overs, with the cards they show.
    if (FHumanStuck && FComputerStuck && !FRefereeElsewhere)
        TurnOverPiles();
}

void TMainForm::TurnOverPiles() {
    // Once a side has won, plays may still come in, but no turn-over may count on: it could
    // name a second winner, or the human in place of a computer that got there first.
    if (!FGameRunning)
        return;
    FOpponent->Stop();
    Play1Pile->SetTable(CardTable1);
    Play2Pile->SetTable(CardTable2);
    do {
        TurnOverHuman();
        TurnOverComputer();
        ++FHumanPlayed;
        ++FComputerPlayed;
        Announce(TGameEvent::Of(TGameEventKind::PilesTurnedOver));
        UpdateScoreLabel();
        FindStuck();
        // The pass that brings a side to its goal ends the game: more passes would score and
        // move cards after the win. A referee elsewhere sends each pass on its own.
    } while (!FRefereeElsewhere && FHumanStuck && FComputerStuck && FHumanPlayed < FCardsToWin &&
             FComputerPlayed < FCardsToWin &&
             (Play1Pile->NonEmptyCount() > 0 || Play2Pile->NonEmptyCount() > 0));
    if (FHumanPlayed >= FCardsToWin)
        FHumanWon = true;
    if (FComputerPlayed >= FCardsToWin)
        FComputerWon = true;
    // Also after the last turn-over: a card laid later is still refilled through them.
    Play1Pile->SetTable(TempTable1);
    Play2Pile->SetTable(TempTable2);
    if (FHumanWon || FComputerWon) {
        FGameRunning = false;
        PostGameMessage(WM_GAMEOVER, nullptr);
        return;
    }
    ShowWaitSign(WaitSign1, FHumanStuck);
    ShowWaitSign(WaitSign2, FComputerStuck);
    StartComputer();
}

void TMainForm::TurnOverHuman() {
    TurnOver(Play1Pile, Play1Card, CardTable1);
}

void TMainForm::TurnOverComputer() {
    TurnOver(Play2Pile, Play2Card, CardTable2);
}

void TMainForm::TurnOver(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots,
                         TKsCardTable* Table) {
    if (Pile->NonEmptyCount() > 0) {
        Table->SetPlayPosition(2);
        Pile->PlayCard(TopPileEntry(Pile), false, tpTop);
        return;
    }
    for (TKsCardGroup* slot : Slots) {
        if (slot->NonEmptyCount() == 0)
            continue;
        slot->SetTable(Table);
        Table->SetPlayPosition(2);
        slot->PlayCard(0, false, tpTop);
        return;
    }
}

void TMainForm::WMGameOver() {
    FOpponent->Stop();
    FGameRunning = false;
    ShowWaitSign(WaitSign1, false);
    ShowWaitSign(WaitSign2, false);
    if (FHumanWon && FComputerWon && FTieToOpponent)
        FHumanWon = false;
    QString question;
    if (FHumanWon)
        question = StringRes::GameWon(StringRes::WinnerHuman());
    else if (FComputerWon)
        question = FOpponentName.isEmpty() ? StringRes::GameWon(StringRes::WinnerComputer())
                                           : StringRes::GameWonBy(FOpponentName);
    else
        return;
    if (FHumanWon) {
        FGameScore += DealLevelBonus() + (FCardsToWin - FComputerPlayed) * 100;
        UpdateScoreLabel();
    }
    const TSide side = FHumanWon ? TSide::Human : TSide::Computer;
    Announce(TGameEvent::Decided(side, FGameScore, StatsClockMilliseconds() - FGameStart));
    TKsMsgDlgBtn answer = mbNo;
    {
        // Whatever the answer, or if the question is cut short, the game is over for those
        // who showed it.
        const auto after = qScopeGuard(
            [this, side] { Announce(TGameEvent::After(side, std::uncaught_exceptions() == 0)); });
        answer = KsMessageDlg(question, mtInformation, {mbYes, mbNo});
    }
    FHumanWon = false;
    FComputerWon = false;
    if (AgainTaken && AgainTaken(answer == mbYes))
        return;
    if (answer == mbYes)
        DealBtnClick();
}
