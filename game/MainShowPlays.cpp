// Seeing the plays: the controls for the computer's card flying to its pile, a refused card
// flashing, the cards each side still has to lay, the hint to deal, the fumble rule's lock and
// the breakdown of a decided game, and what plays and records the game. They follow the game's
// events (TPlayView, TRecordKeeper) or the lock; the game's methods do not call them.

#include "CardDrag.h"
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
    PeerWait = new TFeltBadge(this);
    PeerWait->setGeometry(DealHint->geometry());
    PeerWait->SetTextSize(14);
    PeerWait->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{HumanToGo, ComputerToGo, DealHint, PeerWait})
        w->stackUnder(ScoreLabel);

    std::array<QRect, 4> cards;
    for (size_t i = 0; i < cards.size(); ++i)
        cards[i] = Play1Card[i]->geometry();
    LockShade = new TLockShade(this, FFumble, cards);
    FFumble.Changed = [this] { LockShade->Frame(); };
    // Over the computer's last three slots: the question it goes with is centred on the window
    // and would hide it between the rows; the piles and the score stay in view. Its lines take
    // the width the last two gave, the time and the note a column beside them.
    Summary = new TGameSummary(this);
    Summary->setGeometry(352, 6, 276, 158);

    FOpponent = MakeOpponent(*this);
    FRecordKeeper = std::make_unique<TRecordKeeper>(
        FRecords,
        [this] {
            return TRecordedGame{Combination(), GameScore(), FDealNumber, FDealDay, FHeadToHead};
        },
        [this] { OfferHallOfFame(this); }, [this] { SaveRecordsNow(); });
    FRecordsSaver =
        std::make_unique<TRecordsSaver>([this] { return SaveRecords(Settings(), FRecords); });
    Events().Subscribe([this](const TGameEvent& e) { FHumanInput.Heard(e); });
    FPlayView = std::make_unique<TPlayView>(*this);
    CardDrag = new TCardDrag(*this);
    Events().Subscribe([this](const TGameEvent& e) { FPlayView->Heard(e); });
    Events().Subscribe([this](const TGameEvent& e) { FRecordKeeper->Heard(e); });
}

bool TMainForm::ShowPlays() const {
    return Animator->Enabled();
}

void TMainForm::SetShowPlays(bool Value) {
    Animator->SetEnabled(Value);
    LockShade->SetEnabled(Value);
    FPlayView->ShowCardsToGo();
}

void TMainForm::SetPlaySpeed(int32_t Value) {
    FSettings.PlaySpeed = Value;
    Animator->SetPace(PlaySpeedPercent(Value));
}

void TMainForm::ShowPeerWait(bool Shown) {
    if (Shown) {
        PeerWait->SetText(tr("Waiting for %1…").arg(FOpponentName));
        PeerWait->setAccessibleName(PeerWait->Text());
        PeerWait->raise();
    }
    PeerWait->setVisible(Shown);
}

bool TMainForm::FumbleRule() const {
    return FFumble.Enabled();
}

void TMainForm::SetFumbleRule(bool Value) {
    FFumble.SetEnabled(Value);
}
