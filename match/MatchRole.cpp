#include "MatchRole.h"

#include <QCryptographicHash>
#include <QPointer>
#include <algorithm>

TMatchRole::TMatchRole(TMatchTable& Table, TNetLink* Link, QObject* Parent)
    : QObject(Parent), FTable(Table), FLink(Link) {
    FLink->setParent(this);
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    FLink->PeerGreeted = [this] { Begin(); };
    FLink->Received = [this](const TNetMessage& m) { Receive(m); };
    FLink->Failed = [this](TNetFault f) { End(TMatchEnd::Fault, f); };
    FWaitShown.setSingleShot(true);
    FWaitShown.setInterval(300);
    connect(&FWaitShown, &QTimer::timeout, this, [this] { FTable.ShowWaiting(true); });
    // The table outlives a match; its subscription stays and hears nothing once the match is
    // gone or over.
    QPointer<TMatchRole> self(this);
    FTable.Game().Events().Subscribe([self](const TGameEvent& e) {
        if (self && self->Running())
            self->Heard(e);
    });
}

TMatchRole::~TMatchRole() {
    // The table may be going too: only the link is closed here.
    if (!FOver)
        FLink->Close();
}

int TMatchRole::LagMs() const {
    return FFixedLag.value_or(std::min(FLink->TypicalRoundTripMs(), MaxLagMs));
}

void TMatchRole::Leave() {
    if (FOver)
        return;
    FLink->Close();
    End(TMatchEnd::Left);
}

void TMatchRole::Begin() {
    if (FStarted || FOver)
        return;
    FStarted = true;
    if (Began)
        Began();
    Start();
}

void TMatchRole::ShowWaiting(bool Value) {
    if (Value && !FOver) {
        FWaitShown.start();
        return;
    }
    FWaitShown.stop();
    FTable.ShowWaiting(false);
}

void TMatchRole::NewDeal() {
    ShowWaiting(false);
    ++FDealSerial;
    FLocalReady = FPeerReady = FDecided = false;
    FLocalAgain.reset();
    FPeerAgain.reset();
}

void TMatchRole::Heard(const TGameEvent& E) {
    switch (E.Kind) {
    case TGameEventKind::Dealt:
        FLocalReady = true;
        // The host's readiness is the start for both: sent once the guest's has come, it
        // reaches the guest a one-way trip before the guest's first play can reach the host,
        // as the host's own plays wait a round trip.
        if (!Host() || FPeerReady)
            SendReady();
        if (FPeerReady)
            FTable.StartGameClock();
        else
            ShowWaiting(true);
        break;
    case TGameEventKind::GameDecided:
        FDecided = true;
        break;
    default:
        break;
    }
}

void TMatchRole::SendReady() {
    TNetMessage ready;
    ready.Kind = TNetKind::Ready;
    FLink->Send(ready);
}

void TMatchRole::Receive(const TNetMessage& M) {
    if (!FStarted || FOver)
        return;
    if (!Expected(M))
        return OutOfTurn();
    switch (M.Kind) {
    case TNetKind::Ready:
        FPeerReady = true;
        if (Host() && FLocalReady)
            SendReady();
        if (FLocalReady)
            FTable.StartGameClock();
        ShowWaiting(false);
        return;
    case TNetKind::Again:
        ShowWaiting(false);
        FPeerAgain = M.Yes;
        AgainHeard();
        return;
    default:
        if (!Take(M))
            OutOfTurn(); // a message the other role sends
        return;
    }
}

bool TMatchRole::GameOver() const {
    // A win is decided as its card is laid; the game's end is announced after.
    const TSpeedGame& game = FTable.Game();
    return FDecided || game.Won(TSide::Human) || game.Won(TSide::Computer);
}

bool TMatchRole::Expected(const TNetMessage& M) const {
    switch (M.Kind) {
    case TNetKind::Ready:
        return FDealSerial > 0 && !FPeerReady;
    case TNetKind::Again:
        return FDealSerial > 0 && GameOver() && !FPeerAgain;
    default:
        return true;
    }
}

void TMatchRole::OutOfTurn() {
    FLink->Close();
    End(TMatchEnd::OutOfTurn);
}

void TMatchRole::Disagree() {
    FLink->Close();
    End(TMatchEnd::Disagree);
}

void TMatchRole::RefuseHere(TPlay Asked, TRefusal Why) {
    const int slot = std::clamp(Asked.Slot, 0, 3);
    Asked.Slot = slot;
    TSpeedGame& game = FTable.Game();
    Asked.Card = game.Table().Row(TSide::Human).Slots[size_t(slot)];
    // A locked row's dimmed cards already show why a card that fits waits; any other held play
    // shows as a card refused.
    const bool fits = FTable.HumanHeld() &&
                      (game.Takes(TSide::Human, slot, 1) || game.Takes(TSide::Human, slot, 2));
    game.Events().Announce(TGameEvent::Refused(Asked, Why, Why == TRefusal::Held && fits));
}

void TMatchRole::TakeAgain(bool Yes) {
    FLocalAgain = Yes;
    TNetMessage again;
    again.Kind = TNetKind::Again;
    again.Yes = Yes;
    FLink->Send(again);
    if (!Yes) {
        Leave();
        return;
    }
    if (!FPeerAgain)
        ShowWaiting(true);
    AgainHeard();
}

void TMatchRole::AgainHeard() {
    if (FPeerAgain == false)
        End(TMatchEnd::Declined);
}

void TMatchRole::End(TMatchEnd Why, TNetFault Fault) {
    if (FOver)
        return;
    const bool started = FStarted;
    FOver = true;
    ShowWaiting(false);
    if (started) {
        FTable.Abandon();
        Restore();
    }
    if (Ended)
        Ended(Why, Fault);
}

QByteArray NetCommitment(const QByteArray& Salt, uint64_t Number) {
    QByteArray bytes = Salt;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>(Number >> shift));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}
