#pragma once
// A match's table without a window: the core's game, each deal confirmed at once, each laid
// card's slot refilled as the window refills it (after the handler that laid it), the piles
// turned over when both rows are stuck (the host's; the guest's come from the host), and every
// decided game answered with another.

#include "FumbleLock.h"
#include "MatchTable.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <utility>

class TMatchRole;

class THeadlessTable final : public QObject, public TMatchTable {
    Q_OBJECT
public:
    THeadlessTable(bool Referee, int Decks, bool FumbleRule, QObject* Parent = nullptr);

    // The match played on this table: asked first for this side's player's plays.
    void SetMatch(TMatchRole* Match) { FMatch = Match; }
    // This side's player lays a card.
    void HumanPlay(const TPlay& Play);
    // How often the host looks for a stalemate (500 ms unless set).
    void SetStuckCheckMs(int Value) { FStuck.setInterval(Value); }

    TSpeedGame& Game() override { return FGame; }
    int Decks() const override { return FDecks; }
    void SetDecks(int Value) override { FDecks = Value; }
    bool FumbleRule() const override { return FLock.Enabled(); }
    void SetFumbleRule(bool Value) override { FLock.SetEnabled(Value); }
    void SetTieToOpponent(bool Value) override { FTieToOpponent = Value; }
    bool HumanHeld() const override { return FLock.Locked(); }
    void DealNumber(uint64_t Number) override;
    void DealCards(const std::vector<int32_t>& Cards) override;
    void RevealDeal(uint64_t) override {}
    bool Play(TPlay& Play) override;
    void Flush() override;
    void TurnOver() override;
    void StartGameClock() override { FStart = FClock.elapsed(); }
    void ShowWaiting(bool) override {}
    void Abandon() override { EndGame(); }

private:
    void Deal(const TSpeedTable& Table, uint64_t Number);
    void EndGame();
    void CheckStuck();
    void TurnOverPiles(bool OnePass);
    // Once a row has won: decided after the handler, as the window's message is.
    void AfterPlay();

    TSpeedGame FGame;
    bool FReferee;
    int FDecks;
    bool FTieToOpponent = false;
    TFumbleLock FLock;
    TMatchRole* FMatch = nullptr;
    std::deque<std::pair<TSide, int>> FRefills;
    QTimer FStuck;
    QElapsedTimer FClock;
    qint64 FStart = 0;
    int FDeals = 0;
};
