#pragma once
// A match against a player elsewhere. The host is the referee: it deals, and decides every
// play on its own table; the guest, whose table is the host's seen from across, sends its plays
// and lays them, and the host's, as the host confirms them.
//
// The guest learns only what its player may see: the host sends it the cards of the deal except
// the host's face-down pile, and each card of that pile as it turns face up (with the play whose
// refill shows it, or with a turn-over). The deal is still the one its number deals: the guest
// gets a commitment to the number (a hash of it with a random salt) with the deal, and number
// and salt once the game is over, and checks that every card it was shown was that deal's.
//
// Fairness: local lag. The guest sees each change a one-way trip after the host, and its play
// takes another to reach the referee. The host's own plays therefore wait the measured round
// trip before the referee takes them, so that two players reacting equally fast to the same
// card reach the referee at the same moment. Ordering by the guest's clock was not chosen: the
// referee would have to trust a time the guest reports.

#include "GameEvents.h"
#include "NetLink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class TMainForm;
class TNetOpponent;

class TNetMatch : public QObject {
    Q_OBJECT
public:
    enum class TRole { Host, Guest };

    // The fastest a player may lay card after card, in milliseconds; the host refuses a guest's
    // play that comes sooner.
    static constexpr int MinPlayIntervalMs = 100;
    // How much sooner than that a guest's play may reach the host after the line held up the
    // one before.
    static constexpr int PlayJitterMs = 50;
    // The host's plays wait at most this long, however slow the line.
    static constexpr int MaxLagMs = 500;

    // Takes over the link; the form is played against the peer once both have greeted, until
    // the match ends.
    TNetMatch(TMainForm& Form, TRole Role, TNetLink* Link, QObject* Parent = nullptr);
    ~TNetMatch() override;

    TRole Role() const { return FRole; }
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
    // How often the host looks whether both sides are stuck, as the computer's timer does in a
    // game against it.
    void SetStuckCheckMs(int Value);

    // Leaves the match; the peer hears it.
    void Leave();
    // The match is over: Why tells the player why, empty when this side left.
    std::function<void(const QString& Why)> Ended;
    // The match began: the peer greeted and the form plays against it.
    std::function<void()> Began;

private:
    void Begin();
    void Heard(const TGameEvent& Event);
    void Take(const TNetMessage& Message); // a message from the friend's table
    // Whether the match waits for such a message now: a readiness once a deal, the deal's
    // reveal and the answer about another game once this table's game is over. The host may
    // deal anew at any time.
    bool Expected(const TNetMessage& Message) const;
    bool GameOver() const;
    // The peer does not play by the rules.
    void OutOfTurn();
    void HostDeal();
    void SendReady();
    bool TakeHumanPlay(const TPlay& Play);
    // A play of this side's player that goes no further than this table: announced as refused,
    // so that it never vanishes without a sign.
    void RefuseHere(TPlay Play, TRefusal Why);
    void HostPlayFromGuest(const TNetMessage& Message);
    // Lays the host's held plays whose wait is over.
    void PlayHeld();
    void GuestLaid(const TNetMessage& Message);
    void GuestRefused(const TNetMessage& Message);
    void GuestTurnOver(const TNetMessage& Message);
    bool TakeAgain(bool Yes);
    void AgainHeard();
    void DealFromHost(const TNetMessage& Message);
    void HostSendDeal(uint64_t Number);
    void GuestCards(const TNetMessage& Message);
    void GuestDeal();
    void GuestReveal(const TNetMessage& Message);
    // Sets the face-down card of the host's pile that a message turns up; false when the
    // message shows none where one turns up, or one where none does.
    bool GuestShow(uint8_t Card);
    // Turn-overs the host sent while the guest's player was still confirming the deal.
    void GuestEarlyTurnOvers();
    void HostTurnedOver();
    // The peer's messages do not fit this table: the match is over.
    void Disagree();
    int DealtPerSide() const;
    // Refills posted by earlier plays come first: both tables then see every play in the
    // same state.
    void FlushRefills();
    void End(const QString& Why);
    // This side answered and the friend has not yet: said on the table once the wait is long
    // enough to notice, so that an answer a round trip away does not flash it.
    void Waiting(bool Value);
    void Restore();
    QString FaultText(TNetFault Fault) const;

    TMainForm& FForm;
    // The friend's row at the form, while the form plays against it.
    TNetOpponent* FOpponent = nullptr;
    TRole FRole;
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
    // The host's own plays waiting out the local lag, due on the match's elapsed time.
    struct THeld {
        TPlay Play;
        qint64 Due = 0;
        int Serial = 0;
    };
    std::deque<THeld> FHeld;
    int32_t FOwnDeckCount = 0;      // the guest's own, restored after the match
    std::optional<bool> FOwnFumble; // the guest's own fumble rule, likewise
    QElapsedTimer FElapsed;
    int FStuckCheckMs = 500;
    QTimer FWaitShown;
    // The host's deal until it is revealed.
    uint64_t FNumber = 0;
    QByteArray FSalt;
    // The guest's: the commitment, the cards sent (all but the host's pile) and the cards of
    // the host's pile shown so far by entry (0 while face down).
    QByteArray FCommit;
    QByteArray FSent;
    std::vector<int32_t> FShownPile;
    int FExpected = 0; // cards still to come before the guest deals
    bool FStarting = false;
    std::vector<uint8_t> FEarlyTurns;
};
