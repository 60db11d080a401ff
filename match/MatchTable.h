#pragma once
// This side's table as a match drives it: its game, the rules a deal is played under, and the
// few things only the table's owner can do (ask its player to confirm a deal, lay a card through
// its one entry, show that the friend is awaited). The window gives one; a headless table gives
// another.

#include "GameEvents.h"
#include "SpeedGame.h"

#include <cstdint>
#include <vector>

class TMatchTable {
public:
    virtual ~TMatchTable() = default;

    virtual TSpeedGame& Game() = 0;
    virtual int Decks() const = 0;
    virtual void SetDecks(int Value) = 0;
    virtual bool FumbleRule() const = 0;
    virtual void SetFumbleRule(bool Value) = 0;
    // Both rows reaching their goal in one turn-over is the friend's win.
    virtual void SetTieToOpponent(bool Value) = 0;
    // This side's player's cards wait under the fumble rule.
    virtual bool HumanHeld() const = 0;

    // Deals, for the player to confirm: the game's Dealt event says when it runs. The host deals
    // a number; the guest the cards the host sent (0 for a face-down card not shown).
    virtual void DealNumber(uint64_t Number) = 0;
    virtual void DealCards(const std::vector<int32_t>& Cards) = 0;
    // The guest's deal was this number, as the host revealed it.
    virtual void RevealDeal(uint64_t Number) = 0;
    // A play through this side's one entry for plays (the friend's row is the computer's);
    // Play's table and card are filled in. False when refused.
    virtual bool Play(TPlay& Play) = 0;
    // The refills this side's plays asked for are made now: both tables then see every play in
    // the same state.
    virtual void Flush() = 0;
    // One turn-over pass, as the referee sent it.
    virtual void TurnOver() = 0;
    // Both players confirmed: the game's clock starts.
    virtual void StartGameClock() = 0;
    // "Waiting for" the friend, shown or not.
    virtual void ShowWaiting(bool Shown) = 0;
    // The match is over: a game still open is abandoned.
    virtual void Abandon() = 0;
};
