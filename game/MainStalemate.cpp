// Refilling slots, finding who can play, turning the piles over, and the end of a game: the core
// decides, the card groups follow (MainTable).

#include "Main.h"
#include "SpeedRules.h"
#include "StringRes.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "kssinglecard.h"

#include <QLabel>
#include <QScopeGuard>
#include <algorithm>
#include <exception>

int32_t TMainForm::TopPileEntry(TKsCardGroup* Pile) {
    for (int32_t i = Pile->Count() - 1; i >= 0; --i)
        if (!Pile->GetCard(i)->Empty())
            return i;
    return -1;
}

bool TMainForm::CanPlay(bool Human) {
    const TSpeedTable& table = FGame.Table();
    const bool can = SpeedRules::CanPlay(table.SlotValues(Human ? TSide::Human : TSide::Computer),
                                         {table.Top(1), table.Top(2)});
    // A decided game waits for nobody.
    ShowWaitSign(Human ? WaitSign1 : WaitSign2, !can && FGame.Running());
    return can;
}

void TMainForm::FindStuck() {
    FGame.FindStuck();
}

void TMainForm::ShowWaitSigns() {
    // A decided game waits for nobody.
    ShowWaitSign(WaitSign1, HumanStuck() && FGame.Running());
    ShowWaitSign(WaitSign2, ComputerStuck() && FGame.Running());
}

void TMainForm::WMHumanPlayed(TKsCardGroup* Slot) {
    Refill(TSide::Human, Slot);
}

void TMainForm::WMComputerPlayed(TKsCardGroup* Slot) {
    Refill(TSide::Computer, Slot);
}

void TMainForm::Refill(TSide Side, TKsCardGroup* Slot) {
    const auto& row = Side == TSide::Human ? Play1Card : Play2Card;
    const auto found = std::find(row.begin(), row.end(), Slot);
    FGame.Refill(Side, found == row.end() ? -1 : int(found - row.begin()));
    // A referee elsewhere sends its turn-overs, with the cards they show.
    if (FGame.BothStuck() && !FRefereeElsewhere)
        TurnOverPiles();
}

void TMainForm::TurnOverPiles() {
    if (!FGame.Running())
        return;
    FOpponent->Stop();
    // A referee elsewhere sends each pass on its own.
    FGame.TurnOverPiles(FRefereeElsewhere);
    if (FGame.Won(TSide::Human) || FGame.Won(TSide::Computer)) {
        PostGameMessage(WM_GAMEOVER, nullptr);
        return;
    }
    // The signs followed each pass (StuckFound).
    StartComputer();
}

void TMainForm::TurnOverHuman() {
    TurnOver(Play1Pile, Play1Card, CardTable1, FTurnedFrom[0]);
}

void TMainForm::TurnOverComputer() {
    TurnOver(Play2Pile, Play2Card, CardTable2, FTurnedFrom[1]);
}

void TMainForm::TurnOver(TKsCardGroup* Pile, const std::array<TKsCardGroup*, 4>& Slots,
                         TKsCardTable* Table, int From) {
    if (From == TurnedFromPile) {
        Table->SetPlayPosition(2);
        Pile->PlayCard(TopPileEntry(Pile), false, tpTop);
    } else if (From >= 0 && From < 4) {
        TKsCardGroup* slot = Slots[size_t(From)];
        slot->SetTable(Table);
        Table->SetPlayPosition(2);
        slot->PlayCard(0, false, tpTop);
    }
}

void TMainForm::WMGameOver() {
    FOpponent->Stop();
    StuckTimer->stop();
    ShowWaitSign(WaitSign1, false);
    ShowWaitSign(WaitSign2, false);
    const std::optional<TSide> winner =
        FDecisionTaken
            ? std::nullopt
            : FGame.Decide(FTieToOpponent, DealLevelBonus(), StatsClockMilliseconds() - FGameStart);
    if (!winner)
        return;
    QString question;
    if (*winner == TSide::Human)
        question = StringRes::GameWon(StringRes::WinnerHuman());
    else
        question = FOpponentName.isEmpty() ? StringRes::GameWon(StringRes::WinnerComputer())
                                           : StringRes::GameWonBy(FOpponentName);
    TKsMsgDlgBtn answer = mbNo;
    {
        // Whatever the answer, or if the question is cut short, the game is over for those
        // who showed it.
        const auto after = qScopeGuard([this, side = *winner] {
            Events().Announce(TGameEvent::After(side, std::uncaught_exceptions() == 0));
        });
        answer = KsMessageDlg(question, mtInformation, {mbYes, mbNo});
    }
    FDecisionTaken = true;
    if (AgainTaken && AgainTaken(answer == mbYes))
        return;
    if (answer == mbYes)
        DealBtnClick();
}
