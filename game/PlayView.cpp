#include "PlayView.h"

#include "FeltBadge.h"
#include "GameSummary.h"
#include "Main.h"
#include "PlayAnimator.h"
#include "StringRes.h"
#include "kscardgroup.h"
#include "kssinglecard.h"

#include <algorithm>

void TPlayView::Heard(const TGameEvent& Event) {
    TMainForm& f = FForm;
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FTurnOverPasses = 0;
        FLasVegas = f.Scoring() == 1;
        FScoreAtDeal = f.GameScore();
        FStake = FLasVegas ? LasVegasStake(f.DeckCount()) : 0;
        break;
    case TGameEventKind::CardLaid:
        ShowCardsToGo();
        if (Event.Play.Side == TSide::Computer)
            f.Animator->ComputerPlayed(
                f.Play2Card[static_cast<size_t>(Event.Play.Slot)]->geometry(),
                Event.Play.Table == 1 ? f.CardTable1 : f.CardTable2);
        break;
    case TGameEventKind::PlayRefused:
        // The dimmed cards show the lock; red says only that a card does not fit.
        if (Event.Play.Side == TSide::Human &&
            (Event.Why == TRefusal::NoFit || (Event.Why == TRefusal::Held && !Event.Fits)))
            f.Animator->Refused(f.Play1Card[static_cast<size_t>(Event.Play.Slot)]->geometry());
        break;
    case TGameEventKind::PilesTurnedOver:
        ++FTurnOverPasses;
        break;
    case TGameEventKind::ScoreChanged:
        ShowCardsToGo();
        break;
    case TGameEventKind::GameDecided:
        ShowSummary(Event);
        break;
    case TGameEventKind::AfterDecision:
        f.Summary->hide();
        break;
    default:
        break;
    }
}

void TPlayView::ShowCardsToGo() {
    TMainForm& f = FForm;
    // Without "Show plays" the table is drawn exactly as it always was.
    const bool shown = f.Animator->Enabled();
    const bool dealt = f.CardsToWin() > 0;
    f.DealHint->setVisible(shown && !dealt);
    f.HumanToGo->setVisible(shown && dealt);
    f.ComputerToGo->setVisible(shown && dealt);
    if (!dealt)
        return;
    f.HumanToGo->SetText(QString::number(std::max(0, f.CardsToWin() - f.HumanPlayed())));
    f.ComputerToGo->SetText(QString::number(std::max(0, f.CardsToWin() - f.ComputerPlayed())));
}

void TPlayView::ShowSummary(const TGameEvent& Decided) {
    TMainForm& f = FForm;
    if (!f.Animator->Enabled() || !f.isVisible())
        return;
    const bool humanWon = Decided.Side == TSide::Human;
    TGameBreakdown b;
    // Against a friend the other side is named.
    b.NamedWinner = !humanWon && !f.OpponentName().isEmpty();
    b.Winner = humanWon        ? StringRes::WinnerHuman()
               : b.NamedWinner ? f.OpponentName()
                               : StringRes::WinnerComputer();
    b.CardsLaid = f.HumanPlayed() - FTurnOverPasses;
    b.Passes = FTurnOverPasses;
    b.Won = humanWon;
    if (humanWon) {
        b.LevelBonus = f.DealLevelBonus();
        b.CardsBonus = (f.CardsToWin() - f.ComputerPlayed()) * 100;
        // A game against a person never enters, and nobody expects it to.
        b.OutOfHallOfFame = f.FameBarred() && !f.HeadToHead() && !f.DealtHeadToHead();
    }
    b.LasVegas = FLasVegas;
    b.Stake = FStake;
    b.CarriedOver = FScoreAtDeal + FStake;
    b.Milliseconds = Decided.Milliseconds;
    b.Score = Decided.Score;
    f.Summary->SetBreakdown(b);
    f.Summary->raise();
    f.Summary->show();
}
