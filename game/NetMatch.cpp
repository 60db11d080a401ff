#include "NetMatch.h"

#include "Main.h"
#include "MatchMirror.h"
#include "MatchReferee.h"
#include "WindowTable.h"

#include <QTimer>

// The player elsewhere as the form's top row: its plays arrive over the link, whether or not
// the game wants them; at the host, the referee's fumble rule holds them.
class TNetOpponent final : public TOpponent {
public:
    explicit TNetOpponent(const TMatchRole& Match, int StuckMs) : StuckMs(StuckMs), FMatch(Match) {}

    void Start() override { FRunning = true; }
    void Stop() override { FRunning = false; }
    bool Running() const override { return FRunning; }
    bool Held() const override { return FMatch.PeerHeld(); }
    // The friend plays on while this side's player is away or in a dialog.
    int StuckCheckMs() const override { return StuckMs; }
    bool StuckCheckNow() const override { return true; }

    int StuckMs;

private:
    const TMatchRole& FMatch;
    bool FRunning = false;
};

TNetMatch::TNetMatch(TMainForm& Form, TRole Role, TNetLink* Link, QObject* Parent)
    : QObject(Parent), FForm(Form), FRole(Role), FTable(std::make_unique<TWindowTable>(Form)) {
    FElapsed.start();
    Clock = [this] { return FElapsed.elapsed(); };
    if (Role == TRole::Host)
        FMatch = std::make_unique<TMatchReferee>(*FTable, Link);
    else
        FMatch = std::make_unique<TMatchMirror>(*FTable, Link);
    FMatch->Clock = [this] { return Clock(); };
    FMatch->Began = [this] { Begin(); };
    FMatch->Ended = [this](TMatchEnd Why, TNetFault Fault) { End(Why, Fault); };
    if (Link->Greeted())
        FMatch->Begin();
}

TNetMatch::~TNetMatch() = default;

void TNetMatch::SetStuckCheckMs(int Value) {
    FStuckCheckMs = Value;
    if (FOpponent)
        FOpponent->StuckMs = Value;
    if (FForm.StuckTimer->isActive())
        FForm.StuckTimer->setInterval(Value);
}

void TNetMatch::Begin() {
    FBegun = true;
    TNetLink& link = FMatch->Link();
    FForm.SetOpponentName(link.PeerName().isEmpty() ? tr("Your friend") : link.PeerName());
    FForm.SetHeadToHead(true);
    FForm.SetDealMirrored(FRole == TRole::Guest);
    FForm.SetRefereeElsewhere(FRole == TRole::Guest);
    auto opponent = std::make_unique<TNetOpponent>(*FMatch, FStuckCheckMs);
    FOpponent = opponent.get();
    FForm.SetOpponent(std::move(opponent));
    // The host's turn-overs wait until both players have confirmed the deal.
    FForm.StuckCheckHeld = [this] { return !FMatch->BothReady(); };
    FForm.HumanPlayTaken = [this](const TPlay& p) { return FMatch->TakeHumanPlay(p); };
    FForm.AgainTaken = [this](bool Yes) {
        FMatch->TakeAgain(Yes);
        return true;
    };
    FForm.DealTaken = [this] {
        FMatch->Deal();
        return true;
    };
    if (Began)
        Began();
}

void TNetMatch::End(TMatchEnd Why, TNetFault Fault) {
    QString text;
    switch (Why) {
    case TMatchEnd::Left:
        break;
    case TMatchEnd::Fault:
        text = FaultText(Fault);
        break;
    case TMatchEnd::OutOfTurn:
        text = tr("%1 sent a message out of turn; the match is over.").arg(FForm.OpponentName());
        break;
    case TMatchEnd::Disagree:
        text = tr("The two tables no longer agree; the match is over.");
        break;
    case TMatchEnd::Declined:
        text = tr("%1 does not want to play again.").arg(FForm.OpponentName());
        break;
    }
    if (FBegun)
        Restore();
    if (Ended)
        Ended(text);
}

void TNetMatch::Restore() {
    FForm.StuckCheckHeld = nullptr;
    FForm.HumanPlayTaken = nullptr;
    FForm.DealTaken = nullptr;
    FForm.AgainTaken = nullptr;
    FForm.SetDealMirrored(false);
    FForm.SetRefereeElsewhere(false);
    FForm.SetHeadToHead(false);
    FForm.SetTieToOpponent(false);
    FForm.SetOpponentName({});
    FOpponent = nullptr;
    FForm.SetOpponent(MakeOpponent(FForm));
}

QString TNetMatch::FaultText(TNetFault Fault) const {
    const TNetLink& link = FMatch->Link();
    const QString peer = link.PeerName().isEmpty() ? tr("The other player") : link.PeerName();
    switch (Fault) {
    case TNetFault::Unreachable:
        return tr("No game was found at that address. Check the address and port, and that "
                  "your friend is hosting.");
    case TNetFault::Closed:
        if (!link.Greeted())
            return tr("The game at that address closed the connection before the match began.");
        return tr("%1 left the match.").arg(peer);
    case TNetFault::Silent:
        if (!link.Greeted())
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
            .arg(link.PeerVersion())
            .arg(NetProtocolVersion);
    }
    return {};
}
