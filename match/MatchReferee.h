#pragma once
// The host's role: the referee. It deals, and decides every play on its own table: its player's
// after the local lag, the friend's as they arrive. The friend learns only what its player may
// see: every card of the deal but the host's face-down pile, and each card of that pile as it
// turns face up (with the play whose refill shows it, or with a turn-over). The deal's number
// stays secret until the game is over; the friend gets a commitment to it with the deal.

#include "FumbleLock.h"
#include "MatchRole.h"

#include <QByteArray>
#include <deque>

class TMatchReferee final : public TMatchRole {
    Q_OBJECT
public:
    TMatchReferee(TMatchTable& Table, TNetLink* Link, QObject* Parent = nullptr);

    bool Host() const override { return true; }
    bool TakeHumanPlay(const TPlay& Play) override;
    void Deal() override;
    bool PeerHeld() const override { return FPeerLock.Locked(); }
    // The friend's fumble lock's clock; tests replace it.
    TFumbleLock& PeerLock() { return FPeerLock; }

private:
    void Start() override;
    void Heard(const TGameEvent& Event) override;
    bool Take(const TNetMessage& Message) override;
    void AgainHeard() override;
    void SendDeal(uint64_t Number);
    void PlayFromGuest(const TNetMessage& Message);
    // Lays the host's held plays whose wait is over.
    void PlayHeld();
    void TurnedOver(const TGameEvent& Event);

    TFumbleLock FPeerLock;
    // The host's own plays waiting out the local lag, due on the match's elapsed time.
    struct THeld {
        TPlay Play;
        qint64 Due = 0;
        int Serial = 0;
    };
    std::deque<THeld> FHeld;
    // The deal until it is revealed.
    uint64_t FNumber = 0;
    QByteArray FSalt;
};
