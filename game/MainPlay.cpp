// Every play's one entry, human play by mouse and keys, and the computer's step on each timer
// tick.

#include "Main.h"
#include "SpeedRules.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksdialogs.h"
#include "kssinglecard.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <utility>

bool TMainForm::IsNextRank(int32_t A, int32_t B) {
    return SpeedRules::NextRank(A, B);
}

SpeedRules::TPiles TMainForm::Piles() const {
    return FGame.Piles();
}

int32_t TMainForm::TopValue(TKsCardTable* Table) {
    return Table->CardTop().Value();
}

void TMainForm::Play1Card1CardClick(TKsCardGroup* Sender, bool& PlayIt) {
    const auto found = std::find(Play1Card.begin(), Play1Card.end(), Sender);
    TPlay play{TSide::Human, static_cast<int>(found - Play1Card.begin()), 0, 0};
    PlayIt = found != Play1Card.end() && HumanPlay(play, true);
}

void TMainForm::FormKeyPress(QChar Key) {
    const int slot = Key.unicode() - u'1';
    if (slot < 0 || slot > 3)
        return;
    PlaySlot(slot);
}

bool TMainForm::PlaySlot(int Slot, bool OtherPile) {
    TPlay play{TSide::Human, Slot, 0, 0};
    if (OtherPile && FGame.Takes(TSide::Human, Slot, 2))
        play.Table = 2;
    return HumanPlay(play);
}

bool TMainForm::PlayOnPile(int Slot, int Table) {
    // A drop on no pile is refused as a card that fits nowhere, here, without asking a match.
    TPlay play{TSide::Human, Slot, Table == 1 || Table == 2 ? Table : -1, 0};
    return play.Table < 0 ? Play(play) : HumanPlay(play);
}

bool TMainForm::PileTakes(int Slot, int Table) const {
    return FGame.Takes(TSide::Human, Slot, Table);
}

bool TMainForm::HumanPlay(TPlay& Request, bool GroupLays) {
    if (HumanPlayTaken && HumanPlayTaken(Request))
        return false;
    return Play(Request, GroupLays);
}

bool TMainForm::Play(TPlay& Request, bool GroupLays) {
    const bool human = Request.Side == TSide::Human;
    const TPlaySource& source = human ? static_cast<const TPlaySource&>(FHumanInput) : *FOpponent;
    FGroupLays = GroupLays;
    const bool laid = FGame.Play(Request, source.Held() && !FRefereeElsewhere);
    FGroupLays = false;
    if (!laid)
        return false;
    const auto& row = human ? Play1Card : Play2Card;
    if (FGame.Won(Request.Side))
        PostGameMessage(WM_GAMEOVER, nullptr);
    else
        PostGameMessage(human ? WM_HUMANPLAYED : WM_COMPUTERPLAYED,
                        row[static_cast<size_t>(Request.Slot)]);
    return true;
}

void TMainForm::TimerTimer() {
    if (ComputerStuck()) {
        if (!ComputerWon())
            return;
        // Should never happen; reported once a game rather than on every tick.
        if (!FStuckWinnerReported) {
            FStuckWinnerReported = true;
            KsMessageDlg(tr("ERROR CAUGHT!!\r Please Report this!\r Computer has "
                            "won, but is waiting"),
                         mtInformation, {mbOK});
        }
    }
    if (HumanWon() || ComputerWon())
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
    StartStuckCheck();
}

void TMainForm::StartStuckCheck() {
    if (FGame.Running())
        StuckTimer->start(FOpponent->StuckCheckMs());
    else
        StuckTimer->stop();
}

void TMainForm::FlushRefills() {
    QCoreApplication::sendPostedEvents(this, WM_HUMANPLAYED);
    QCoreApplication::sendPostedEvents(this, WM_COMPUTERPLAYED);
}

void TMainForm::CheckStuck() {
    if (!FGame.Running()) {
        StuckTimer->stop();
        return;
    }
    if (!FOpponent->StuckCheckNow() || (StuckCheckHeld && StuckCheckHeld()))
        return;
    // Refills already asked for come first: a card that one brings may end the stalemate.
    FlushRefills();
    if (FGame.Running() && FGame.BothStuck() && !FRefereeElsewhere)
        TurnOverPiles();
}

void TMainForm::AnnounceAbandoned() {
    FGame.Abandon();
}
