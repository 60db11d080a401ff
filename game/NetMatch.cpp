#include "NetMatch.h"

#include "FumbleLock.h"
#include "Main.h"
#include "NetSecret.h"
#include "SpeedDeal.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "ksrandom.h"
#include "kssinglecard.h"
#include "ksvirtualdeck.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTimer>
#include <algorithm>

// The player elsewhere: its plays arrive over the link, whether or not the game wants them. At
// the host, the referee, the host's fumble rule holds its plays as it holds the host's own.
class TNetOpponent final : public TOpponent {
public:
    TNetOpponent(bool FumbleRule, std::function<qint64()> Clock) {
        FLock.SetEnabled(FumbleRule);
        FLock.Clock = std::move(Clock);
    }

    void Start() override { FRunning = true; }
    void Stop() override { FRunning = false; }
    bool Running() const override { return FRunning; }
    // The friend plays on while this side's player is away or in a dialog.
    int StuckCheckMs() const override { return StuckMs; }
    bool StuckCheckNow() const override { return true; }
    int StuckMs = 500;
    bool Held() const override { return FLock.Locked(); }
    void SetFumbleRule(bool Value) { FLock.SetEnabled(Value); }
    void Heard(const TGameEvent& Event) {
        if (Event.Kind == TGameEventKind::PlayRefused && Event.Play.Side == TSide::Computer &&
            Event.Why == TRefusal::NoFit)
            FLock.Fumbled();
        else if (Event.Kind == TGameEventKind::Dealt)
            FLock.Release();
    }

private:
    bool FRunning = false;
    TFumbleLock FLock;
};

namespace {

// The two sides see the table from across: the host's first pile is the guest's second.
uint8_t Across(int Table) {
    return static_cast<uint8_t>(Table == 0 ? 0 : 3 - Table);
}

// The face-down entry of a pile that turns up next, or -1.
int TopEntry(TKsCardGroup* Pile) {
    for (int i = Pile->Count() - 1; i >= 0; --i)
        if (!Pile->GetCard(i)->Empty())
            return i;
    return -1;
}

QByteArray Commitment(const QByteArray& Salt, uint64_t Number) {
    QByteArray bytes = Salt;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>(Number >> shift));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// A match's secret deals as a key.
static_assert(MinNetSecretDeal == KsFirstDealKey);

} // namespace

TNetMatch::TNetMatch(TMainForm& Form, TRole Role, TNetLink* Link, QObject* Parent)
    : QObject(Parent), FForm(Form), FRole(Role), FLink(Link) {
    FLink->setParent(this);
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    FLink->PeerGreeted = [this] { Begin(); };
    FLink->Received = [this](const TNetMessage& m) { Take(m); };
    FLink->Failed = [this](TNetFault f) { End(FaultText(f)); };
    FWaitShown.setSingleShot(true);
    FWaitShown.setInterval(300);
    connect(&FWaitShown, &QTimer::timeout, this, [this] { FForm.ShowPeerWait(true); });
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
    return FFixedLag.value_or(std::min(FLink->TypicalRoundTripMs(), MaxLagMs));
}

void TNetMatch::SetStuckCheckMs(int Value) {
    FStuckCheckMs = Value;
    if (FOpponent)
        FOpponent->StuckMs = Value;
    if (FForm.StuckTimer->isActive())
        FForm.StuckTimer->setInterval(Value);
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
    auto opponent = std::make_unique<TNetOpponent>(
        FRole == TRole::Host && FForm.FumbleRule(),
        [self = QPointer<TNetMatch>(this)] { return self ? self->Clock() : qint64(0); });
    opponent->StuckMs = FStuckCheckMs;
    FOpponent = opponent.get();
    FForm.SetOpponent(std::move(opponent));
    // The host's turn-overs wait until both players have confirmed the deal.
    FForm.StuckCheckHeld = [this] { return !BothReady(); };
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
        HostDeal();
    }
}

void TNetMatch::Waiting(bool Value) {
    if (Value && !FOver) {
        FWaitShown.start();
        return;
    }
    FWaitShown.stop();
    FForm.ShowPeerWait(false);
}

void TNetMatch::HostDeal() {
    Waiting(false);
    ++FDealSerial;
    FLocalReady = FPeerReady = FDecided = false;
    FLocalAgain.reset();
    FPeerAgain.reset();
    const uint64_t number = NetSecretDeal();
    // A tie goes to one side or the other by the deal's number, the same on both tables.
    FForm.SetTieToOpponent(number % 2 == 1);
    HostSendDeal(number);
    // Out of the handler that asked: the deal waits for its confirmation.
    QTimer::singleShot(0, this, [this, number] {
        if (!FOver)
            FForm.DealNumbered(number);
    });
}

int TNetMatch::DealtPerSide() const {
    return SpeedDeal::PerSide(FForm.DeckCount());
}

void TNetMatch::HostSendDeal(uint64_t Number) {
    FNumber = Number;
    FSalt = QByteArray(NetSaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(FSalt.data()),
                                          NetSaltBytes / 4);
    TNetMessage deal;
    deal.Kind = TNetKind::Deal;
    deal.Decks = static_cast<uint8_t>(FForm.DeckCount());
    deal.Yes = Number % 2 == 1;
    // One rule for both players: the host's, as it stands at the deal.
    deal.Fumble = FForm.FumbleRule();
    if (FOpponent)
        FOpponent->SetFumbleRule(deal.Fumble);
    deal.Commit = Commitment(FSalt, Number);
    FLink->Send(deal);
    // Every card but the host's pile, in as many messages as the size cap needs.
    const std::vector<int32_t> cards = SpeedDeal::Cards(Number, FForm.DeckCount());
    TNetMessage part;
    part.Kind = TNetKind::Cards;
    for (size_t i = size_t(SpeedDeal::PileCards(FForm.DeckCount())); i < cards.size(); ++i) {
        part.Cards.append(static_cast<char>(cards[i]));
        if (part.Cards.size() == MaxNetCards || i + 1 == cards.size()) {
            FLink->Send(part);
            part.Cards.clear();
        }
    }
}

void TNetMatch::DealFromHost(const TNetMessage& M) {
    Waiting(false);
    ++FDealSerial;
    FLocalReady = FPeerReady = FDecided = false;
    FLocalAgain.reset();
    FPeerAgain.reset();
    if (M.Decks != FForm.DeckCount()) {
        if (FOwnDeckCount == 0)
            FOwnDeckCount = FForm.DeckCount();
        FForm.SetDeckCount(M.Decks);
        FForm.SetUpDeckSize();
    }
    FForm.SetTieToOpponent(!M.Yes);
    if (!FOwnFumble)
        FOwnFumble = FForm.FumbleRule();
    FForm.SetFumbleRule(M.Fumble);
    FCommit = M.Commit;
    FSent.clear();
    FShownPile.assign(size_t(SpeedDeal::PileCards(FForm.DeckCount())), 0);
    FExpected = 2 * DealtPerSide() - SpeedDeal::PileCards(FForm.DeckCount());
    FEarlyTurns.clear();
    FStarting = true;
}

void TNetMatch::GuestCards(const TNetMessage& M) {
    if (M.Cards.size() > FExpected)
        return Disagree();
    FSent.append(M.Cards);
    FExpected -= int(M.Cards.size());
    if (FExpected == 0)
        // Out of the handler: the deal waits for its confirmation.
        QTimer::singleShot(0, this, [this, serial = FDealSerial] {
            if (!FOver && serial == FDealSerial)
                GuestDeal();
        });
}

void TNetMatch::GuestDeal() {
    // The host's pile is dealt face down, not known here; every other card is the one sent, in
    // the order the deal hands them out.
    std::vector<int32_t> cards(FShownPile.size(), 0);
    for (const char card : FSent)
        cards.push_back(int32_t(uint8_t(card)));
    FForm.DealGiven(cards);
}

bool TNetMatch::GuestShow(uint8_t Card) {
    const int entry = TopEntry(FForm.Play2Pile);
    if (entry < 0 || entry >= int(FShownPile.size()))
        return Card == 0;
    // Each face-down card turns up once.
    if (Card == 0 || FShownPile[size_t(entry)] != 0)
        return false;
    FShownPile[size_t(entry)] = Card;
    FForm.Play2Pile->GetCard(entry)->SetID(Card);
    FForm.Game().ShowPileTop(TSide::Computer, Card);
    return true;
}

void TNetMatch::GuestReveal(const TNetMessage& M) {
    if (FCommit.isEmpty() || FStarting || Commitment(M.Salt, M.Number) != FCommit)
        return Disagree();
    FCommit.clear();
    const std::vector<int32_t> cards = SpeedDeal::Cards(M.Number, FForm.DeckCount());
    const size_t hidden = FShownPile.size();
    if (cards.size() != hidden + size_t(FSent.size()))
        return Disagree();
    for (size_t i = 0; i < cards.size(); ++i) {
        const int32_t shown =
            i < hidden ? FShownPile[i] : int32_t(uint8_t(FSent[qsizetype(i - hidden)]));
        if (shown != 0 && shown != cards[i])
            return Disagree();
    }
    FForm.ShowRevealedDeal(M.Number);
}

void TNetMatch::GuestEarlyTurnOvers() {
    if (FStarting || FEarlyTurns.empty())
        return;
    const std::vector<uint8_t> turns = std::exchange(FEarlyTurns, {});
    for (uint8_t shown : turns) {
        TNetMessage turn;
        turn.Kind = TNetKind::TurnOver;
        turn.Shown = shown;
        GuestTurnOver(turn);
        if (FOver)
            return;
    }
}

void TNetMatch::HostTurnedOver() {
    TNetMessage turn;
    turn.Kind = TNetKind::TurnOver;
    // The card the pass laid on the host's table came from its pile or from a slot, already
    // face up.
    TKsCardTable* table = FForm.CardTable1;
    const TKsSingleCard* top = table->CardAt(table->TopCardPos());
    if (top && top->SourceGroup() == FForm.Play1Pile)
        turn.Shown = static_cast<uint8_t>(top->ID());
    FLink->Send(turn);
}

void TNetMatch::Disagree() {
    FLink->Close();
    End(tr("The two tables no longer agree; the match is over."));
}

void TNetMatch::Heard(const TGameEvent& E) {
    if (FOpponent && &FForm.Opponent() == FOpponent)
        FOpponent->Heard(E);
    switch (E.Kind) {
    case TGameEventKind::Dealt:
        FLocalReady = true;
        // The host's readiness is the start for both: sent once the guest's has come, it
        // reaches the guest a one-way trip before the guest's first play can reach the host,
        // as the host's own plays wait a round trip.
        if (FRole == TRole::Guest || FPeerReady)
            SendReady();
        if (FPeerReady)
            FForm.StartGameClock();
        else
            Waiting(true);
        if (FRole == TRole::Guest) {
            // The game runs once this event is heard: the turn-overs that came early follow.
            FStarting = false;
            QTimer::singleShot(0, this, [this] {
                if (!FOver)
                    GuestEarlyTurnOvers();
            });
        }
        break;
    case TGameEventKind::CardLaid:
        if (FRole == TRole::Host) {
            TNetMessage laid;
            laid.Kind = TNetKind::Laid;
            laid.Side = E.Play.Side == TSide::Human ? 0 : 1;
            laid.Slot = static_cast<uint8_t>(E.Play.Slot);
            laid.Table = static_cast<uint8_t>(E.Play.Table);
            laid.Card = E.Play.Card;
            // The host's slot is refilled from its pile at once: the guest sees that card now.
            const size_t slot = size_t(std::clamp(E.Play.Slot, 0, 3));
            const int entry = TopEntry(FForm.Play1Pile);
            if (E.Play.Side == TSide::Human && entry >= 0 &&
                FForm.Play1Card[slot]->NonEmptyCount() == 0)
                laid.Shown = static_cast<uint8_t>(FForm.Play1Pile->GetCard(entry)->ID());
            FLink->Send(laid);
        }
        break;
    case TGameEventKind::PilesTurnedOver:
        if (FRole == TRole::Host)
            HostTurnedOver();
        break;
    case TGameEventKind::GameDecided:
        FDecided = true;
        if (FRole == TRole::Host) {
            TNetMessage reveal;
            reveal.Kind = TNetKind::Reveal;
            reveal.Number = FNumber;
            reveal.Salt = FSalt;
            FLink->Send(reveal);
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

void TNetMatch::Take(const TNetMessage& M) {
    if (!FStarted || FOver)
        return;
    if (!Expected(M))
        return OutOfTurn();
    const bool host = FRole == TRole::Host;
    switch (M.Kind) {
    case TNetKind::Ready:
        FPeerReady = true;
        if (host && FLocalReady)
            SendReady();
        if (FLocalReady)
            FForm.StartGameClock();
        Waiting(false);
        return;
    case TNetKind::Again:
        Waiting(false);
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
            return GuestTurnOver(M);
        break;
    case TNetKind::Cards:
        if (!host && FExpected > 0)
            return GuestCards(M);
        break;
    case TNetKind::Reveal:
        if (!host)
            return GuestReveal(M);
        break;
    default:
        break;
    }
    // A message the other role sends.
    OutOfTurn();
}

bool TNetMatch::GameOver() const {
    // A win is decided as its card is laid; the game's end is announced after.
    return FDecided || FForm.HumanWon() || FForm.ComputerWon();
}

bool TNetMatch::Expected(const TNetMessage& M) const {
    switch (M.Kind) {
    case TNetKind::Ready:
        return FDealSerial > 0 && !FPeerReady;
    case TNetKind::Again:
        return FDealSerial > 0 && GameOver() && !FPeerAgain;
    case TNetKind::Reveal:
        return GameOver() && !FStarting;
    default:
        return true;
    }
}

void TNetMatch::OutOfTurn() {
    FLink->Close();
    End(tr("%1 sent a message out of turn; the match is over.").arg(FForm.OpponentName()));
}

bool TNetMatch::TakeHumanPlay(const TPlay& Play) {
    // A locked row refuses at once, as in any game; the host's own refusal is the form's.
    if (FForm.Fumble().Locked()) {
        if (FRole == TRole::Guest)
            RefuseHere(Play, TRefusal::Held);
        return FRole == TRole::Guest;
    }
    if (!BothReady()) {
        RefuseHere(Play, TRefusal::NotRunning);
        return true;
    }
    if (FRole == TRole::Guest) {
        const qint64 now = Clock();
        // Sooner than the host takes it: refused here, where the player sees it.
        if (now - FLastPlay < MinPlayIntervalMs) {
            RefuseHere(Play, TRefusal::Held);
            return true;
        }
        FLastPlay = now;
        TNetMessage m;
        m.Kind = TNetKind::Play;
        m.Slot = static_cast<uint8_t>(Play.Slot);
        m.Table = Across(Play.Table);
        FLink->Send(m);
        return true;
    }
    const int lag = LagMs();
    FHeld.push_back({Play, FElapsed.elapsed() + lag, FDealSerial});
    QTimer::singleShot(lag, this, [this] { PlayHeld(); });
    return true;
}

void TNetMatch::RefuseHere(TPlay Play, TRefusal Why) {
    const int slot = std::clamp(Play.Slot, 0, 3);
    Play.Slot = slot;
    TKsCardGroup* group = FForm.Play1Card[size_t(slot)];
    if (group->NonEmptyCount() > 0)
        Play.Card = group->GetCard(0)->ID();
    // A locked row's dimmed cards already show why a card that fits waits; any other held play
    // shows as a card refused.
    const bool fits =
        FForm.Fumble().Locked() && (FForm.PileTakes(slot, 1) || FForm.PileTakes(slot, 2));
    FForm.Events().Announce(TGameEvent::Refused(Play, Why, Why == TRefusal::Held && fits));
}

void TNetMatch::PlayHeld() {
    const qint64 now = FElapsed.elapsed();
    while (!FOver && !FHeld.empty() && FHeld.front().Due <= now) {
        const THeld held = FHeld.front();
        FHeld.pop_front();
        if (held.Serial != FDealSerial)
            continue;
        FlushRefills();
        TPlay p = held.Play;
        FForm.Play(p);
    }
}

void TNetMatch::HostPlayFromGuest(const TNetMessage& M) {
    TPlay play{TSide::Computer, M.Slot, M.Table, 0};
    const auto refuse = [&](TRefusal Why) {
        FForm.Events().Announce(TGameEvent::Refused(play, Why, false));
    };
    if (!BothReady())
        return refuse(TRefusal::NotRunning);
    // A host's play whose wait is over goes first, though its timer has not yet been served.
    PlayHeld();
    if (FOver)
        return;
    // The guest sends its plays the rate limit apart, but the line may bring two closer: one
    // may come up to PlayJitterMs early, as long as none comes sooner on average.
    const qint64 now = Clock();
    if (now < FLastPlay + MinPlayIntervalMs - PlayJitterMs)
        return refuse(TRefusal::Held);
    FLastPlay = std::max(now, FLastPlay + MinPlayIntervalMs);
    FlushRefills();
    FForm.Play(play);
}

void TNetMatch::GuestLaid(const TNetMessage& M) {
    GuestEarlyTurnOvers();
    if (FOver)
        return;
    FlushRefills();
    TPlay play{M.Side == 0 ? TSide::Computer : TSide::Human, M.Slot, Across(M.Table), 0};
    if (!FForm.Play(play) || play.Card != M.Card)
        return Disagree();
    // The host's card that refills its slot; the guest's own refills show nothing new.
    if (M.Side == 0 ? !GuestShow(M.Shown) : M.Shown != 0)
        return Disagree();
}

void TNetMatch::GuestRefused(const TNetMessage& M) {
    TPlay play{TSide::Human, M.Slot, Across(M.Table), 0};
    TKsCardGroup* slot = FForm.Play1Card[M.Slot];
    if (slot->NonEmptyCount() > 0)
        play.Card = slot->GetCard(0)->ID();
    FForm.Events().Announce(TGameEvent::Refused(play, static_cast<TRefusal>(M.Why), false));
}

void TNetMatch::GuestTurnOver(const TNetMessage& M) {
    // The host may turn over as its player confirms the deal, before the guest's has.
    if (FStarting || !FEarlyTurns.empty()) {
        if (FEarlyTurns.size() > 64)
            return Disagree();
        FEarlyTurns.push_back(M.Shown);
        return;
    }
    FlushRefills();
    if (!FForm.HumanStuck() || !FForm.ComputerStuck() || !FForm.GameRunning() ||
        !GuestShow(M.Shown))
        return Disagree();
    FForm.TurnOverPiles();
}

bool TNetMatch::TakeAgain(bool Yes) {
    FLocalAgain = Yes;
    TNetMessage again;
    again.Kind = TNetKind::Again;
    again.Yes = Yes;
    FLink->Send(again);
    if (!Yes) {
        Leave();
        return true;
    }
    if (!FPeerAgain)
        Waiting(true);
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
    Waiting(false);
    if (started) {
        FForm.AbandonGame();
        Restore();
    }
    if (Ended)
        Ended(Why);
}

void TNetMatch::Restore() {
    // While still head to head: no box about the player's own second deck on the way out.
    if (FOwnDeckCount != 0 && FOwnDeckCount != FForm.DeckCount()) {
        FForm.SetDeckCount(FOwnDeckCount);
        FForm.SetUpDeckSize();
    }
    if (FOwnFumble)
        FForm.SetFumbleRule(*FOwnFumble);
    FForm.StuckCheckHeld = nullptr;
    FForm.HumanPlayTaken = nullptr;
    FForm.DealTaken = nullptr;
    FForm.AgainTaken = nullptr;
    FForm.SetDealMirrored(false);
    FForm.SetRefereeElsewhere(false);
    FForm.SetHeadToHead(false);
    FForm.SetTieToOpponent(false);
    FForm.SetOpponentName({});
    FForm.SetOpponent(MakeOpponent(FForm));
}

QString TNetMatch::FaultText(TNetFault Fault) const {
    const QString peer = FLink->PeerName().isEmpty() ? tr("The other player") : FLink->PeerName();
    switch (Fault) {
    case TNetFault::Unreachable:
        return tr("No game was found at that address. Check the address and port, and that "
                  "your friend is hosting.");
    case TNetFault::Closed:
        if (!FLink->Greeted())
            return tr("The game at that address closed the connection before the match began.");
        return tr("%1 left the match.").arg(peer);
    case TNetFault::Silent:
        if (!FLink->Greeted())
            return tr("The game at that address did not answer; no match began.");
        return tr("%1 has not answered for several seconds; the match is over.").arg(peer);
    case TNetFault::Busy:
        return tr("The player at that address is letting someone else join just now. Try again "
                  "in a moment.");
    case TNetFault::InMatch:
        return tr("The player at that address is already playing a match with someone else.");
    case TNetFault::Overflow:
        return tr("%1 stopped reading what this side sends; the match is over.").arg(peer);
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
