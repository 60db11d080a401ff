#include "NetMatch.h"

#include "Main.h"
#include "kscardgroup.h"
#include "ksrandom.h"
#include "kssinglecard.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace {

// The player elsewhere: its plays arrive over the link, whether or not the game wants them.
class TNetOpponent final : public TOpponent {
public:
    void Start() override { FRunning = true; }
    void Stop() override { FRunning = false; }
    bool Running() const override { return FRunning; }

private:
    bool FRunning = false;
};

// The two sides see the table from across: the host's first pile is the guest's second.
uint8_t Across(int Table) {
    return static_cast<uint8_t>(Table == 0 ? 0 : 3 - Table);
}

} // namespace

TNetMatch::TNetMatch(TMainForm& Form, TRole Role, TNetLink* Link, QObject* Parent)
    : QObject(Parent), FForm(Form), FRole(Role), FLink(Link) {
    FLink->setParent(this);
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    FLink->PeerGreeted = [this] { Begin(); };
    FLink->Received = [this](const TNetMessage& m) { Received(m); };
    FLink->Failed = [this](TNetFault f) { End(FaultText(f)); };
    FStuckCheck.setInterval(500);
    connect(&FStuckCheck, &QTimer::timeout, this, [this] { HostCheckStuck(); });
    // The form outlives a match; its subscription stays and hears nothing once the match is
    // gone or over.
    QPointer<TNetMatch> self(this);
    FForm.Events().Subscribe([self](const TGameEvent& e) {
        if (self && self->Running())
            self->Heard(e);
    });
    if (FLink->Greeted())
        Begin();
}

TNetMatch::~TNetMatch() {
    // The form may be going too: only the link is closed here.
    if (!FOver)
        FLink->Close();
}

int TNetMatch::LagMs() const {
    return FFixedLag.value_or(std::min(FLink->RoundTripMs(), MaxLagMs));
}

void TNetMatch::Leave() {
    if (FOver)
        return;
    FLink->Close();
    End({});
}

void TNetMatch::Begin() {
    if (FStarted || FOver)
        return;
    FStarted = true;
    FForm.SetOpponentName(FLink->PeerName().isEmpty() ? tr("Your friend") : FLink->PeerName());
    FForm.SetHeadToHead(true);
    FForm.SetDealMirrored(FRole == TRole::Guest);
    FForm.SetRefereeElsewhere(FRole == TRole::Guest);
    FForm.SetOpponent(std::make_unique<TNetOpponent>());
    FForm.HumanPlayTaken = [this](const TPlay& p) { return TakeHumanPlay(p); };
    FForm.AgainTaken = [this](bool Yes) { return TakeAgain(Yes); };
    FForm.DealTaken = [this] {
        // The host deals anew for both; the guest's deals come from the host.
        if (FRole == TRole::Host)
            HostDeal();
        return true;
    };
    if (Began)
        Began();
    if (FRole == TRole::Host) {
        FStuckCheck.start();
        HostDeal();
    }
}

void TNetMatch::HostDeal() {
    ++FDealSerial;
    FLocalReady = FPeerReady = false;
    FLocalAgain.reset();
    FPeerAgain.reset();
    TNetMessage deal;
    deal.Kind = TNetKind::Deal;
    // As the Deal button takes it: the clock's reading, or a test's.
    deal.Number = KsClockMilliseconds();
    deal.Decks = static_cast<uint8_t>(FForm.DeckCount());
    // A tie goes to one side or the other by the deal's number, the same on both tables.
    FForm.SetTieToOpponent(deal.Number % 2 == 1);
    FLink->Send(deal);
    // Out of the handler that asked: the deal waits for its confirmation.
    QTimer::singleShot(0, this, [this, n = deal.Number] {
        if (!FOver)
            FForm.DealNumbered(n);
    });
}

void TNetMatch::DealFromHost(const TNetMessage& M) {
    ++FDealSerial;
    FLocalReady = FPeerReady = false;
    FLocalAgain.reset();
    FPeerAgain.reset();
    if (M.Decks != FForm.DeckCount()) {
        if (FOwnDeckCount == 0)
            FOwnDeckCount = FForm.DeckCount();
        FForm.SetDeckCount(M.Decks);
        FForm.SetUpDeckSize();
    }
    FForm.SetTieToOpponent(M.Number % 2 == 0);
    QTimer::singleShot(0, this, [this, n = M.Number] {
        if (!FOver)
            FForm.DealNumbered(n);
    });
}

void TNetMatch::Heard(const TGameEvent& E) {
    switch (E.Kind) {
    case TGameEventKind::Dealt:
        FLocalReady = true;
        // The host's readiness is the start for both: sent once the guest's has come, it
        // reaches the guest a one-way trip before the guest's first play can reach the host,
        // as the host's own plays wait a round trip.
        if (FRole == TRole::Guest || FPeerReady)
            SendReady();
        break;
    case TGameEventKind::CardLaid:
        if (FRole == TRole::Host) {
            TNetMessage laid;
            laid.Kind = TNetKind::Laid;
            laid.Side = E.Play.Side == TSide::Human ? 0 : 1;
            laid.Slot = static_cast<uint8_t>(E.Play.Slot);
            laid.Table = static_cast<uint8_t>(E.Play.Table);
            laid.Card = E.Play.Card;
            FLink->Send(laid);
        }
        break;
    case TGameEventKind::PlayRefused:
        if (FRole == TRole::Host && E.Play.Side == TSide::Computer) {
            TNetMessage refused;
            refused.Kind = TNetKind::Refused;
            refused.Slot = static_cast<uint8_t>(std::clamp(E.Play.Slot, 0, 3));
            refused.Table = static_cast<uint8_t>(std::clamp(E.Play.Table, 0, 2));
            refused.Why = static_cast<uint8_t>(E.Why);
            FLink->Send(refused);
        }
        break;
    default:
        break;
    }
}

void TNetMatch::SendReady() {
    TNetMessage ready;
    ready.Kind = TNetKind::Ready;
    FLink->Send(ready);
}

void TNetMatch::Received(const TNetMessage& M) {
    if (!FStarted || FOver)
        return;
    const bool host = FRole == TRole::Host;
    switch (M.Kind) {
    case TNetKind::Ready:
        FPeerReady = true;
        if (host && FLocalReady)
            SendReady();
        return;
    case TNetKind::Again:
        FPeerAgain = M.Yes;
        AgainHeard();
        return;
    case TNetKind::Deal:
        if (!host)
            return DealFromHost(M);
        break;
    case TNetKind::Play:
        if (host)
            return HostPlayFromGuest(M);
        break;
    case TNetKind::Laid:
        if (!host)
            return GuestLaid(M);
        break;
    case TNetKind::Refused:
        if (!host)
            return GuestRefused(M);
        break;
    case TNetKind::TurnOver:
        if (!host)
            return GuestTurnOver();
        break;
    default:
        break;
    }
    // A message the other role sends: the peer does not play by the rules.
    FLink->Close();
    End(tr("%1 sent a message out of turn; the match is over.").arg(FForm.OpponentName()));
}

bool TNetMatch::TakeHumanPlay(const TPlay& Play) {
    // A locked row refuses at once, as in any game.
    if (FForm.Fumble().Locked())
        return FRole == TRole::Guest;
    if (!BothReady())
        return true;
    if (FRole == TRole::Guest) {
        const qint64 now = Clock();
        if (now - FLastPlay < MinPlayIntervalMs)
            return true;
        FLastPlay = now;
        TNetMessage m;
        m.Kind = TNetKind::Play;
        m.Slot = static_cast<uint8_t>(Play.Slot);
        m.Table = Across(Play.Table);
        FLink->Send(m);
        return true;
    }
    QTimer::singleShot(LagMs(), this, [this, Play, serial = FDealSerial] {
        if (FOver || serial != FDealSerial)
            return;
        FlushRefills();
        TPlay p = Play;
        FForm.Play(p);
    });
    return true;
}

void TNetMatch::HostPlayFromGuest(const TNetMessage& M) {
    TPlay play{TSide::Computer, M.Slot, M.Table, 0};
    const auto refuse = [&](TRefusal Why) {
        FForm.Events().Announce(TGameEvent::Refused(play, Why, false));
    };
    if (!BothReady())
        return refuse(TRefusal::NotRunning);
    const qint64 now = Clock();
    if (now - FLastPlay < MinPlayIntervalMs)
        return refuse(TRefusal::Held);
    FLastPlay = now;
    FlushRefills();
    FForm.Play(play);
}

void TNetMatch::GuestLaid(const TNetMessage& M) {
    FlushRefills();
    TPlay play{M.Side == 0 ? TSide::Computer : TSide::Human, M.Slot, Across(M.Table), 0};
    if (!FForm.Play(play) || play.Card != M.Card) {
        FLink->Close();
        End(tr("The two tables no longer agree; the match is over."));
    }
}

void TNetMatch::GuestRefused(const TNetMessage& M) {
    TPlay play{TSide::Human, M.Slot, Across(M.Table), 0};
    TKsCardGroup* slot = FForm.Play1Card[M.Slot];
    if (slot->NonEmptyCount() > 0)
        play.Card = slot->GetCard(0)->ID();
    FForm.Events().Announce(TGameEvent::Refused(play, static_cast<TRefusal>(M.Why), false));
}

void TNetMatch::HostCheckStuck() {
    if (FOver || !BothReady() || !FForm.GameRunning())
        return;
    FlushRefills();
    if (!FForm.HumanStuck() || !FForm.ComputerStuck() || !FForm.GameRunning())
        return;
    TNetMessage turn;
    turn.Kind = TNetKind::TurnOver;
    FLink->Send(turn);
    FForm.TurnOverPiles();
}

void TNetMatch::GuestTurnOver() {
    FlushRefills();
    if (!FForm.HumanStuck() || !FForm.ComputerStuck() || !FForm.GameRunning()) {
        FLink->Close();
        End(tr("The two tables no longer agree; the match is over."));
        return;
    }
    FForm.TurnOverPiles();
}

bool TNetMatch::TakeAgain(bool Yes) {
    FLocalAgain = Yes;
    TNetMessage again;
    again.Kind = TNetKind::Again;
    again.Yes = Yes;
    FLink->Send(again);
    if (!Yes)
        Leave();
    else
        AgainHeard();
    return true;
}

void TNetMatch::AgainHeard() {
    if (FPeerAgain == false) {
        End(tr("%1 does not want to play again.").arg(FForm.OpponentName()));
        return;
    }
    if (FRole == TRole::Host && FLocalAgain == true && FPeerAgain == true)
        HostDeal();
}

void TNetMatch::FlushRefills() {
    QCoreApplication::sendPostedEvents(&FForm, WM_HUMANPLAYED);
    QCoreApplication::sendPostedEvents(&FForm, WM_COMPUTERPLAYED);
}

void TNetMatch::End(const QString& Why) {
    if (FOver)
        return;
    const bool started = FStarted;
    FOver = true;
    FStuckCheck.stop();
    if (started) {
        FForm.AbandonGame();
        Restore();
    }
    if (Ended)
        Ended(Why);
}

void TNetMatch::Restore() {
    FForm.HumanPlayTaken = nullptr;
    FForm.DealTaken = nullptr;
    FForm.AgainTaken = nullptr;
    FForm.SetDealMirrored(false);
    FForm.SetRefereeElsewhere(false);
    FForm.SetHeadToHead(false);
    FForm.SetTieToOpponent(false);
    FForm.SetOpponentName({});
    FForm.SetOpponent(std::make_unique<TComputerOpponent>(*FForm.Timer));
    if (FOwnDeckCount != 0 && FOwnDeckCount != FForm.DeckCount()) {
        FForm.SetDeckCount(FOwnDeckCount);
        FForm.SetUpDeckSize();
    }
}

QString TNetMatch::FaultText(TNetFault Fault) const {
    const QString peer = FLink->PeerName().isEmpty() ? tr("The other player") : FLink->PeerName();
    switch (Fault) {
    case TNetFault::Unreachable:
        return tr("No game was found at that address. Check the address and port, and that "
                  "your friend is hosting.");
    case TNetFault::Closed:
        return tr("%1 left the match.").arg(peer);
    case TNetFault::Silent:
        return tr("%1 has not answered for several seconds; the match is over.").arg(peer);
    case TNetFault::Garbage:
        return tr("The other side sent something that is not a Tolvi message; the match is "
                  "over.");
    case TNetFault::Version:
        return tr("The other player's Tolvi speaks head-to-head version %1, this one version "
                  "%2. Both players need the same version of Tolvi.")
            .arg(FLink->PeerVersion())
            .arg(NetProtocolVersion);
    }
    return {};
}
