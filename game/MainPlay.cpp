// Every play's one entry, human play by mouse and keys, and the computer's step on each timer
// tick.

#include "Main.h"
#include "SpeedRules.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "kssinglecard.h"

#include <QScopeGuard>
#include <algorithm>

bool TMainForm::IsNextRank(int32_t A, int32_t B) {
    return SpeedRules::NextRank(A, B);
}

SpeedRules::TPiles TMainForm::Piles() const {
    return {{TopValue(CardTable1), TopValue(CardTable2)}, {FTable1Busy, FTable2Busy}};
}

int32_t TMainForm::TopValue(TKsCardTable* Table) {
    return Table->CardTop().Value();
}

void TMainForm::Play1Card1CardClick(TKsCardGroup* Sender, bool& PlayIt) {
    const auto found = std::find(Play1Card.begin(), Play1Card.end(), Sender);
    TPlay play{TSide::Human, static_cast<int>(found - Play1Card.begin()), 0, 0};
    if (found != Play1Card.end() && HumanPlayTaken && HumanPlayTaken(play)) {
        PlayIt = false;
        return;
    }
    PlayIt = found != Play1Card.end() && Play(play, true);
}

void TMainForm::FormKeyPress(QChar Key) {
    const int slot = Key.unicode() - u'1';
    if (slot < 0 || slot > 3)
        return;
    PlaySlot(slot);
}

bool TMainForm::PlaySlot(int Slot, bool OtherPile) {
    TPlay play{TSide::Human, Slot, 0, 0};
    if (OtherPile && FGameRunning && Slot >= 0 && Slot <= 3) {
        TKsCardGroup* slot = Play1Card[static_cast<size_t>(Slot)];
        if (slot->NonEmptyCount() > 0 && SpeedRules::Takes(Piles(), 2, slot->GetCard(0)->Value()))
            play.Table = 2;
    }
    if (HumanPlayTaken && HumanPlayTaken(play))
        return false;
    return Play(play);
}

bool TMainForm::PlayOnPile(int Slot, int Table) {
    // A table Play does not know takes nothing: the drop is refused as fitting nowhere.
    TPlay play{TSide::Human, Slot, Table == 1 || Table == 2 ? Table : -1, 0};
    // A drop on a pile asks the match first, as a key or a click does; one on no pile is
    // refused here.
    if (play.Table > 0 && HumanPlayTaken && HumanPlayTaken(play))
        return false;
    return Play(play);
}

bool TMainForm::PileTakes(int Slot, int Table) const {
    if (!FGameRunning || Slot < 0 || Slot > 3 || (Table != 1 && Table != 2))
        return false;
    TKsCardGroup* slot = Play1Card[static_cast<size_t>(Slot)];
    return slot->NonEmptyCount() > 0 &&
           SpeedRules::Takes(Piles(), Table, slot->GetCard(0)->Value());
}

bool TMainForm::Play(TPlay& Request, bool GroupLays) {
    const bool human = Request.Side == TSide::Human;
    const auto refuse = [&](TRefusal Why, bool Fits) {
        Announce(TGameEvent::Refused(Request, Why, Fits));
        return false;
    };
    if (Request.Slot < 0 || Request.Slot > 3)
        return refuse(TRefusal::EmptySlot, false);
    TKsCardGroup* slot = (human ? Play1Card : Play2Card)[static_cast<size_t>(Request.Slot)];
    // A decided game takes no more cards: they would score, and carry into the next deal.
    if (!FGameRunning)
        return refuse(TRefusal::NotRunning, false);
    if (slot->NonEmptyCount() == 0)
        return refuse(TRefusal::EmptySlot, false);
    Request.Card = slot->GetCard(0)->ID();
    const int table = SpeedRules::PileFor(Piles(), slot->GetCard(0)->Value(), Request.Table);
    const TPlaySource& source = human ? static_cast<const TPlaySource&>(FHumanInput) : *FOpponent;
    if (source.Held() && !FRefereeElsewhere)
        return refuse(TRefusal::Held, table != 0);
    if (table == 0)
        return refuse(TRefusal::NoFit, false);
    Request.Table = table;
    TKsCardTable* onto = table == 1 ? CardTable1 : CardTable2;
    {
        // A click only asks for the play: the group lays the card once the handler returns.
        bool& busy = table == 1 ? FTable1Busy : FTable2Busy;
        busy = true;
        const auto clear = qScopeGuard([&busy] { busy = false; });
        slot->SetTable(onto);
        onto->SetPlayPosition(2);
        if (!GroupLays)
            slot->PlayCard(0, false, tpTop);
    }
    ++(human ? FHumanPlayed : FComputerPlayed);
    Announce(TGameEvent::Laid(Request));
    if (human)
        CountHumanCard(slot);
    else
        CountComputerCard(slot);
    return true;
}

void TMainForm::CountHumanCard(TKsCardGroup* Slot) {
    UpdateScoreLabel();
    if (FGameRunning && FHumanPlayed >= FCardsToWin && !FComputerWon) {
        FHumanWon = true;
        FGameRunning = false;
        PostGameMessage(WM_GAMEOVER, nullptr);
    } else {
        PostGameMessage(WM_HUMANPLAYED, Slot);
    }
}

void TMainForm::CountComputerCard(TKsCardGroup* Slot) {
    if (FComputerPlayed >= FCardsToWin && !FHumanWon) {
        FComputerWon = true;
        FGameRunning = false;
        PostGameMessage(WM_GAMEOVER, nullptr);
    } else {
        PostGameMessage(WM_COMPUTERPLAYED, Slot);
    }
}

void TMainForm::TimerTimer() {
    if (FHumanStuck && FComputerStuck) {
        TurnOverPiles();
    } else if (FComputerStuck) {
        if (!FComputerWon)
            return;
        // Should never happen; reported once a game rather than on every tick.
        if (!FStuckWinnerReported) {
            FStuckWinnerReported = true;
            KsMessageDlg(tr("ERROR CAUGHT!!\r Please Report this!\r Computer has "
                            "won, but is waiting"),
                         mtInformation, {mbOK});
        }
    }
    if (FHumanWon || FComputerWon)
        return;
    if (const std::optional<TPlay> play = TComputerOpponent::Choose(*this)) {
        TKsCardGroup* slot = Play2Card[static_cast<size_t>(play->Slot)];
        if (play->Table == 2)
            ComputerPlayToTable2(slot);
        else
            ComputerPlayToTable1(slot);
    }
}

void TMainForm::ComputerPlayToTable1(TKsCardGroup* Slot) {
    ComputerPlayToTable(Slot, 1);
}

void TMainForm::ComputerPlayToTable2(TKsCardGroup* Slot) {
    ComputerPlayToTable(Slot, 2);
}

void TMainForm::ComputerPlayToTable(TKsCardGroup* Slot, int Table) {
    const auto found = std::find(Play2Card.begin(), Play2Card.end(), Slot);
    TPlay play{TSide::Computer, static_cast<int>(found - Play2Card.begin()), Table, 0};
    Play(play);
}

void TMainForm::SetOpponent(std::unique_ptr<TOpponent> Value) {
    const bool running = FOpponent->Running();
    FOpponent->Stop();
    FOpponent = std::move(Value);
    if (running)
        FOpponent->Start();
}

void TMainForm::Announce(TGameEvent Event) {
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FGameOpen = true;
        break;
    case TGameEventKind::GameDecided:
    case TGameEventKind::GameAbandoned:
        FGameOpen = false;
        break;
    default:
        break;
    }
    FEvents.Announce(Event);
}

void TMainForm::AnnounceAbandoned() {
    if (FGameOpen)
        Announce(TGameEvent::Of(TGameEventKind::GameAbandoned));
}
