// Seeing the plays: the computer's card flying to its pile, a refused card flashing, the cards
// each side still has to lay, the hint to deal, the fumble rule's lock and the breakdown of a
// decided game. All of it, and the records, follow the game's events; the game's methods do not
// call them.

#include "FeltBadge.h"
#include "GameSummary.h"
#include "LockShade.h"
#include "Main.h"
#include "PlayAnimator.h"
#include "StringRes.h"
#include "kscardgroup.h"
#include "kscardtable.h"

#include <QLabel>

void TMainForm::CreatePlayView() {
    Animator = new TPlayAnimator(this);
    Animator->WatchTable(CardTable1);
    Animator->WatchTable(CardTable2);

    // Beside each pile, under its wait sign.
    const auto makeCount = [this](int Top) {
        auto* badge = new TFeltBadge(this);
        badge->setGeometry(210, Top, 46, 34);
        badge->SetTextSize(17);
        badge->SetCaption(StringRes::CardsToGoCaption());
        badge->hide();
        return badge;
    };
    HumanToGo = makeCount(402);
    ComputerToGo = makeCount(84);
    DealHint = new TFeltBadge(this);
    DealHint->setGeometry(276, 130, 278, 30);
    DealHint->SetTextSize(14);
    DealHint->SetText(StringRes::DealHint());
    for (QWidget* w : std::initializer_list<QWidget*>{HumanToGo, ComputerToGo, DealHint})
        w->stackUnder(ScoreLabel);

    std::array<QRect, 4> cards;
    for (size_t i = 0; i < cards.size(); ++i)
        cards[i] = Play1Card[i]->geometry();
    LockShade = new TLockShade(this, FFumble, cards);
    FFumble.Changed = [this] { LockShade->Frame(); };
    // Left of the central tables, between the two rows, so the last cards laid stay in view.
    Summary = new TGameSummary(this);
    Summary->setGeometry(96, 152, 172, 158);

    FOpponent = std::make_unique<TComputerOpponent>(*Timer);
    FRecords = std::make_unique<TRecordKeeper>(*this, this);
    FEvents.Subscribe([this](const TGameEvent& e) { FHumanInput.Heard(e); });
    FEvents.Subscribe([this](const TGameEvent& e) { ShowPlay(e); });
    FEvents.Subscribe([this](const TGameEvent& e) { FRecords->Heard(e); });
}

void TMainForm::ShowPlay(const TGameEvent& Event) {
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FTurnOverPasses = 0;
        break;
    case TGameEventKind::CardLaid:
        ShowCardsToGo();
        if (Event.Play.Side == TSide::Computer)
            Animator->ComputerPlayed(Play2Card[static_cast<size_t>(Event.Play.Slot)]->geometry(),
                                     Event.Play.Table == 1 ? CardTable1 : CardTable2);
        break;
    case TGameEventKind::PlayRefused:
        // The dimmed cards show the lock; red says only that a card does not fit.
        if (Event.Play.Side == TSide::Human &&
            (Event.Why == TRefusal::NoFit || (Event.Why == TRefusal::Held && !Event.Fits)))
            Animator->Refused(Play1Card[static_cast<size_t>(Event.Play.Slot)]->geometry());
        break;
    case TGameEventKind::PilesTurnedOver:
        ++FTurnOverPasses;
        break;
    case TGameEventKind::ScoreChanged:
        ShowCardsToGo();
        break;
    case TGameEventKind::GameDecided:
        ShowSummary(Event.Milliseconds);
        break;
    case TGameEventKind::AfterDecision:
        Summary->hide();
        break;
    default:
        break;
    }
}

void TMainForm::ShowCardsToGo() {
    // Without "Show plays" the table is drawn exactly as it always was.
    const bool shown = Animator->Enabled();
    const bool dealt = FCardsToWin > 0;
    DealHint->setVisible(shown && !dealt);
    HumanToGo->setVisible(shown && dealt);
    ComputerToGo->setVisible(shown && dealt);
    if (!dealt)
        return;
    HumanToGo->SetText(QString::number(std::max(0, FCardsToWin - FHumanPlayed)));
    ComputerToGo->SetText(QString::number(std::max(0, FCardsToWin - FComputerPlayed)));
}

void TMainForm::ShowSummary(int64_t Milliseconds) {
    if (!Animator->Enabled() || !isVisible())
        return;
    TGameBreakdown b;
    b.Winner = FHumanWon ? StringRes::WinnerHuman() : StringRes::WinnerComputer();
    b.CardsLaid = FHumanPlayed - FTurnOverPasses;
    b.Passes = FTurnOverPasses;
    if (FHumanWon) {
        b.LevelBonus = LevelBonus(FLevel);
        b.CardsBonus = (FCardsToWin - FComputerPlayed) * 100;
    }
    b.Milliseconds = Milliseconds;
    b.Score = FGameScore;
    Summary->SetBreakdown(b);
    Summary->raise();
    Summary->show();
}

bool TMainForm::ShowPlays() const {
    return Animator->Enabled();
}

void TMainForm::SetShowPlays(bool Value) {
    Animator->SetEnabled(Value);
    LockShade->SetEnabled(Value);
    ShowCardsToGo();
}

bool TMainForm::FumbleRule() const {
    return FFumble.Enabled();
}

void TMainForm::SetFumbleRule(bool Value) {
    FFumble.SetEnabled(Value);
}
