#include "MatchMirror.h"

#include "SpeedDeal.h"

#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

// The two sides see the table from across: the host's first pile is the guest's second.
uint8_t Across(int Table) {
    return static_cast<uint8_t>(Table == 0 ? 0 : 3 - Table);
}

} // namespace

TMatchMirror::TMatchMirror(TMatchTable& Table, TNetLink* Link, QObject* Parent)
    : TMatchRole(Table, Link, Parent) {}

void TMatchMirror::Heard(const TGameEvent& E) {
    TMatchRole::Heard(E);
    if (E.Kind != TGameEventKind::Dealt)
        return;
    // The game runs once this event is heard: the turn-overs that came early follow.
    FStarting = false;
    QTimer::singleShot(0, this, [this] {
        if (!FOver)
            EarlyTurnOvers();
    });
}

bool TMatchMirror::Take(const TNetMessage& M) {
    switch (M.Kind) {
    case TNetKind::Deal:
        Dealt(M);
        return true;
    case TNetKind::Cards:
        if (FExpected <= 0)
            return false;
        TakeCards(M);
        return true;
    case TNetKind::Laid:
        Laid(M);
        return true;
    case TNetKind::Refused:
        Refused(M);
        return true;
    case TNetKind::TurnOver:
        TurnOver(M);
        return true;
    case TNetKind::Reveal:
        if (!GameOver() || FStarting)
            return false;
        Reveal(M);
        return true;
    default:
        return false;
    }
}

bool TMatchMirror::TakeHumanPlay(const TPlay& Play) {
    // A locked row refuses at once, as in any game.
    if (FTable.HumanHeld()) {
        RefuseHere(Play, TRefusal::Held);
        return true;
    }
    if (!BothReady()) {
        RefuseHere(Play, TRefusal::NotRunning);
        return true;
    }
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

void TMatchMirror::Dealt(const TNetMessage& M) {
    NewDeal();
    if (M.Decks != FTable.Decks()) {
        if (FOwnDecks == 0)
            FOwnDecks = FTable.Decks();
        FTable.SetDecks(M.Decks);
    }
    FTable.SetTieToOpponent(!M.Yes);
    if (!FOwnFumble)
        FOwnFumble = FTable.FumbleRule();
    FTable.SetFumbleRule(M.Fumble);
    FCommit = M.Commit;
    FSent.clear();
    const int pile = SpeedDeal::PileCards(FTable.Decks());
    FShownPile.assign(size_t(pile), 0);
    FExpected = 2 * SpeedDeal::PerSide(FTable.Decks()) - pile;
    FEarlyTurns.clear();
    FStarting = true;
}

void TMatchMirror::TakeCards(const TNetMessage& M) {
    if (M.Cards.size() > FExpected)
        return Disagree();
    FSent.append(M.Cards);
    FExpected -= int(M.Cards.size());
    if (FExpected == 0)
        // Out of the handler: the deal waits for its confirmation.
        QTimer::singleShot(0, this, [this, serial = FDealSerial] {
            if (!FOver && serial == FDealSerial)
                DealSent();
        });
}

void TMatchMirror::DealSent() {
    // The host's pile is dealt face down, not known here; every other card is the one sent, in
    // the order the deal hands them out.
    std::vector<int32_t> cards(FShownPile.size(), 0);
    for (const char card : FSent)
        cards.push_back(int32_t(uint8_t(card)));
    FTable.DealCards(cards);
}

bool TMatchMirror::Show(uint8_t Card) {
    const std::vector<int32_t>& pile = FTable.Game().Table().Row(TSide::Computer).Pile;
    const int entry = int(pile.size()) - 1;
    if (entry < 0 || entry >= int(FShownPile.size()))
        return Card == 0;
    // Each face-down card turns up once.
    if (Card == 0 || FShownPile[size_t(entry)] != 0)
        return false;
    FShownPile[size_t(entry)] = Card;
    FTable.Game().ShowPileTop(TSide::Computer, Card);
    return true;
}

void TMatchMirror::Reveal(const TNetMessage& M) {
    if (FCommit.isEmpty() || NetCommitment(M.Salt, M.Number) != FCommit)
        return Disagree();
    FCommit.clear();
    const std::vector<int32_t> cards = SpeedDeal::Cards(M.Number, FTable.Decks());
    const size_t hidden = FShownPile.size();
    if (cards.size() != hidden + size_t(FSent.size()))
        return Disagree();
    for (size_t i = 0; i < cards.size(); ++i) {
        const int32_t shown =
            i < hidden ? FShownPile[i] : int32_t(uint8_t(FSent[qsizetype(i - hidden)]));
        if (shown != 0 && shown != cards[i])
            return Disagree();
    }
    FTable.RevealDeal(M.Number);
}

void TMatchMirror::EarlyTurnOvers() {
    if (FStarting || FEarlyTurns.empty())
        return;
    const std::vector<uint8_t> turns = std::exchange(FEarlyTurns, {});
    for (const uint8_t shown : turns) {
        TNetMessage turn;
        turn.Kind = TNetKind::TurnOver;
        turn.Shown = shown;
        TurnOver(turn);
        if (FOver)
            return;
    }
}

void TMatchMirror::Laid(const TNetMessage& M) {
    EarlyTurnOvers();
    if (FOver)
        return;
    FTable.Flush();
    TPlay play{M.Side == 0 ? TSide::Computer : TSide::Human, M.Slot, Across(M.Table), 0};
    if (!FTable.Play(play) || play.Card != M.Card)
        return Disagree();
    // The host's card that refills its slot; this side's own refills show nothing new.
    if (M.Side == 0 ? !Show(M.Shown) : M.Shown != 0)
        return Disagree();
}

void TMatchMirror::Refused(const TNetMessage& M) {
    TPlay play{TSide::Human, M.Slot, Across(M.Table), 0};
    play.Card =
        FTable.Game().Table().Row(TSide::Human).Slots[size_t(std::clamp<int>(M.Slot, 0, 3))];
    FTable.Game().Events().Announce(TGameEvent::Refused(play, static_cast<TRefusal>(M.Why), false));
}

void TMatchMirror::TurnOver(const TNetMessage& M) {
    // The host may turn over as its player confirms the deal, before this side's has.
    if (FStarting || !FEarlyTurns.empty()) {
        if (FEarlyTurns.size() > 64)
            return Disagree();
        FEarlyTurns.push_back(M.Shown);
        return;
    }
    FTable.Flush();
    const TSpeedGame& game = FTable.Game();
    if (!game.BothStuck() || !game.Running() || !Show(M.Shown))
        return Disagree();
    FTable.TurnOver();
}

void TMatchMirror::Restore() {
    if (FOwnDecks != 0 && FOwnDecks != FTable.Decks())
        FTable.SetDecks(FOwnDecks);
    if (FOwnFumble)
        FTable.SetFumbleRule(*FOwnFumble);
}
