#include "MatchReferee.h"

#include "NetSecret.h"
#include "SpeedDeal.h"
#include "ksrandom.h"

#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>

// A match's secret deals as a key.
static_assert(MinNetSecretDeal == KsFirstDealKey);

TMatchReferee::TMatchReferee(TMatchTable& Table, TNetLink* Link, QObject* Parent)
    : TMatchRole(Table, Link, Parent) {
    FPeerLock.Clock = [this] { return Clock(); };
}

void TMatchReferee::Start() {
    Deal();
}

void TMatchReferee::Deal() {
    NewDeal();
    const uint64_t number = NetSecretDeal();
    // A tie goes to one side or the other by the deal's number, the same on both tables.
    FTable.SetTieToOpponent(number % 2 == 1);
    SendDeal(number);
    // Out of the handler that asked: the deal waits for its confirmation.
    QTimer::singleShot(0, this, [this, number] {
        if (!FOver)
            FTable.DealNumber(number);
    });
}

void TMatchReferee::SendDeal(uint64_t Number) {
    FNumber = Number;
    FSalt = QByteArray(NetSaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(FSalt.data()),
                                          NetSaltBytes / 4);
    const int decks = FTable.Decks();
    TNetMessage deal;
    deal.Kind = TNetKind::Deal;
    deal.Decks = static_cast<uint8_t>(decks);
    deal.Yes = Number % 2 == 1;
    // One rule for both players: the host's, as it stands at the deal.
    deal.Fumble = FTable.FumbleRule();
    FPeerLock.SetEnabled(deal.Fumble);
    deal.Commit = NetCommitment(FSalt, Number);
    FLink->Send(deal);
    // Every card but the host's pile, in as many messages as the size cap needs.
    const std::vector<int32_t> cards = SpeedDeal::Cards(Number, decks);
    TNetMessage part;
    part.Kind = TNetKind::Cards;
    for (size_t i = size_t(SpeedDeal::PileCards(decks)); i < cards.size(); ++i) {
        part.Cards.append(static_cast<char>(cards[i]));
        if (part.Cards.size() == MaxNetCards || i + 1 == cards.size()) {
            FLink->Send(part);
            part.Cards.clear();
        }
    }
}

void TMatchReferee::Heard(const TGameEvent& E) {
    TMatchRole::Heard(E);
    const TSpeedTable& table = FTable.Game().Table();
    switch (E.Kind) {
    case TGameEventKind::Dealt:
        FPeerLock.Release();
        break;
    case TGameEventKind::CardLaid: {
        TNetMessage laid;
        laid.Kind = TNetKind::Laid;
        laid.Side = E.Play.Side == TSide::Human ? 0 : 1;
        laid.Slot = static_cast<uint8_t>(E.Play.Slot);
        laid.Table = static_cast<uint8_t>(E.Play.Table);
        laid.Card = E.Play.Card;
        // The host's slot is refilled from its pile at once: the guest sees that card now.
        const TSpeedRow& own = table.Row(TSide::Human);
        const size_t slot = size_t(std::clamp(E.Play.Slot, 0, 3));
        if (E.Play.Side == TSide::Human && !own.Pile.empty() && own.Slots[slot] == 0)
            laid.Shown = static_cast<uint8_t>(own.Pile.back());
        FLink->Send(laid);
        break;
    }
    case TGameEventKind::PilesTurnedOver:
        TurnedOver(E);
        break;
    case TGameEventKind::GameDecided: {
        TNetMessage reveal;
        reveal.Kind = TNetKind::Reveal;
        reveal.Number = FNumber;
        reveal.Salt = FSalt;
        FLink->Send(reveal);
        break;
    }
    case TGameEventKind::PlayRefused:
        if (E.Play.Side == TSide::Computer) {
            if (E.Why == TRefusal::NoFit)
                FPeerLock.Fumbled();
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

void TMatchReferee::TurnedOver(const TGameEvent& E) {
    TNetMessage turn;
    turn.Kind = TNetKind::TurnOver;
    // The card the pass laid on the host's pile came from its face-down pile, or from a slot,
    // already face up.
    const std::vector<int32_t>& pile = FTable.Game().Table().Piles[0];
    if (E.TurnedFrom[0] == TurnedFromPile && !pile.empty())
        turn.Shown = static_cast<uint8_t>(pile.back());
    FLink->Send(turn);
}

bool TMatchReferee::Take(const TNetMessage& M) {
    if (M.Kind != TNetKind::Play)
        return false;
    PlayFromGuest(M);
    return true;
}

bool TMatchReferee::TakeHumanPlay(const TPlay& Play) {
    // A locked row refuses at once, as in any game: the table's own entry refuses it.
    if (FTable.HumanHeld())
        return false;
    if (!BothReady()) {
        RefuseHere(Play, TRefusal::NotRunning);
        return true;
    }
    const int lag = LagMs();
    FHeld.push_back({Play, FElapsed.elapsed() + lag, FDealSerial});
    QTimer::singleShot(lag, this, [this] { PlayHeld(); });
    return true;
}

void TMatchReferee::PlayHeld() {
    const qint64 now = FElapsed.elapsed();
    while (!FOver && !FHeld.empty() && FHeld.front().Due <= now) {
        const THeld held = FHeld.front();
        FHeld.pop_front();
        if (held.Serial != FDealSerial)
            continue;
        FTable.Flush();
        TPlay p = held.Play;
        FTable.Play(p);
    }
}

void TMatchReferee::PlayFromGuest(const TNetMessage& M) {
    TPlay play{TSide::Computer, M.Slot, M.Table, 0};
    const auto refuse = [&](TRefusal Why) {
        FTable.Game().Events().Announce(TGameEvent::Refused(play, Why, false));
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
    FTable.Flush();
    FTable.Play(play);
}

void TMatchReferee::AgainHeard() {
    TMatchRole::AgainHeard();
    if (!FOver && FLocalAgain == true && FPeerAgain == true)
        Deal();
}
