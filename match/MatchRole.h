#pragma once
// What both roles of a match share: the link once both have greeted, the readiness of both
// players for each deal, the answers about another game, and the end of the match. The roles
// (MatchReferee, MatchMirror) decide the plays; neither knows a window.
//
// Fairness: local lag. The guest sees each change a one-way trip after the host, and its play
// takes another to reach the referee. The host's own plays therefore wait the measured round
// trip before the referee takes them, so that two players reacting equally fast to the same card
// reach the referee at the same moment. Ordering by the guest's clock was not chosen: the
// referee would have to trust a time the guest reports.

#include "GameEvents.h"
#include "MatchTable.h"
#include "NetLink.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

// The commitment to a deal's number the host sends with the deal: a hash of a random salt and
// the number, both revealed once the game is over.
QByteArray NetCommitment(const QByteArray& Salt, uint64_t Number);

// Why a match ended.
enum class TMatchEnd {
    Left,      // this side left
    Fault,     // the link failed (the fault says how)
    OutOfTurn, // the friend sent a message out of turn
    Disagree,  // the friend's messages do not fit this table
    Declined,  // the friend does not want to play again
};

class TMatchRole : public QObject {
    Q_OBJECT
public:
    // The fastest a player may lay card after card, in milliseconds; the host refuses a guest's
    // play that comes sooner.
    static constexpr int MinPlayIntervalMs = 100;
    // How much sooner than that a guest's play may reach the host after the line held up the
    // one before.
    static constexpr int PlayJitterMs = 50;
    // The host's plays wait at most this long, however slow the line.
    static constexpr int MaxLagMs = 500;

    // Takes over the link; the match begins once both have greeted.
    TMatchRole(TMatchTable& Table, TNetLink* Link, QObject* Parent = nullptr);
    ~TMatchRole() override;

    virtual bool Host() const = 0;
    TNetLink& Link() { return *FLink; }
    bool Running() const { return FStarted && !FOver; }
    // Both players confirmed the current deal.
    bool BothReady() const { return FLocalReady && FPeerReady; }
    // How long the host's own plays wait: the typical round trip (the median of the last few,
    // not the mean, which a late answer now and then pulls up) unless fixed (tests, the
    // benchmark).
    int LagMs() const;
    void SetFixedLagMs(std::optional<int> Value) { FFixedLag = Value; }
    // The play clock, for the rate limit; tests replace it.
    std::function<qint64()> Clock;

    // This side's player asks to lay a card: true when the match takes the play over (sends it,
    // holds it, or refuses it here).
    virtual bool TakeHumanPlay(const TPlay& Play) = 0;
    // This side's player answered whether to play again.
    void TakeAgain(bool Yes);
    // The Deal button: the host deals anew for both; the guest's deals come from the host.
    virtual void Deal() {}
    // Whether the friend's row waits now (the host's fumble rule for the friend).
    virtual bool PeerHeld() const { return false; }

    // The friend greeted: the match begins (at once for a link that greeted already).
    void Begin();
    // Leaves the match; the friend hears it.
    void Leave();
    // The match began: the friend greeted.
    std::function<void()> Began;
    // The match is over; Fault says how the link failed for TMatchEnd::Fault.
    std::function<void(TMatchEnd Why, TNetFault Fault)> Ended;

protected:
    virtual void Start() = 0;
    virtual void Heard(const TGameEvent& Event);
    // A message of the friend's this role takes; false for one of the other role's.
    virtual bool Take(const TNetMessage& Message) = 0;
    bool GameOver() const;
    void SendReady();
    void OutOfTurn();
    void Disagree();
    void End(TMatchEnd Why, TNetFault Fault = TNetFault::Closed);
    // A new deal: readiness and answers start again.
    void NewDeal();
    // This side answered and the friend has not yet: said on the table once the wait is long
    // enough to notice, so that an answer a round trip away does not flash it.
    void ShowWaiting(bool Value);
    // A play of this side's player that goes no further than this table: announced as refused,
    // so that it never vanishes without a sign.
    void RefuseHere(TPlay Play, TRefusal Why);
    // Whether both want another game, now that one more answer is in.
    virtual void AgainHeard();
    // The match ends: what the role changed on the table goes back.
    virtual void Restore() {}

    TMatchTable& FTable;
    TNetLink* FLink;
    bool FStarted = false;
    bool FOver = false;
    bool FLocalReady = false;
    bool FPeerReady = false;
    bool FDecided = false; // this deal's game was decided on this table
    int FDealSerial = 0;
    std::optional<bool> FLocalAgain;
    std::optional<bool> FPeerAgain;
    std::optional<int> FFixedLag;
    // The guest's last play on the play clock; at the host, when it was due by the rate limit.
    qint64 FLastPlay = -MinPlayIntervalMs;
    QElapsedTimer FElapsed;

private:
    void Receive(const TNetMessage& Message);
    // Whether the match waits for such a message now: a readiness once a deal, the deal's
    // reveal and the answer about another game once this table's game is over.
    bool Expected(const TNetMessage& Message) const;

    QTimer FWaitShown;
};
