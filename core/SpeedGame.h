#pragma once
// One game of Speed on values: the table, every rule that changes it, the human's score, and the
// stream of events that tells whoever shows, sounds, records or sends the game what happened, in
// order. It knows no window, no clock and no opponent: players feed it plays, a driver (the
// window's posted messages, a referee, a headless run) tells it when a slot is refilled and when
// to look for a stalemate.

#include "GameEvents.h"
#include "SpeedRules.h"
#include "SpeedTable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class TSpeedGame {
public:
    TGameEvents& Events() { return FEvents; }
    const TSpeedTable& Table() const { return FTable; }

    // A new deal on the table: no game runs until Begin. The score starts at Score, announced.
    // A game still open is abandoned first.
    void Deal(TSpeedTable Table, int32_t Score);
    // The deal is confirmed: the game runs. Announced as dealt with its number.
    void Begin(uint64_t Number);
    // Ends an open game without a winner, announced as abandoned.
    void Abandon();
    // Dealt and not yet decided.
    bool Running() const { return FRunning; }
    // Begun and not yet decided or abandoned.
    bool Open() const { return FOpen; }

    // A card on its way to central pile 1 or 2: the pile takes nothing until it lands.
    void SetBusy(int Pile, bool Busy);
    SpeedRules::TPiles Piles() const;
    bool Takes(TSide Side, int Slot, int Pile) const;

    // Every play of a card, whoever makes it: checked against the rules (a running game, a card
    // in the slot, the row not Held, a free pile one rank away), laid, counted, scored and
    // announced; a row that reaches its goal wins unless the other got there first. Request's
    // table and card are filled in. False, announced as refused, when the rules do not take it.
    bool Play(TPlay& Request, bool Held);

    // The slot a card left is refilled from the row's pile, if it is still empty; then who is
    // stuck is looked at again.
    void Refill(TSide Side, int Slot);
    // Finds whether each row can play, announcing a row that no longer can.
    void FindStuck();
    // Told each time who is stuck was looked at, whether or not it changed: what shows a row's
    // wait follows it.
    std::function<void()> StuckFound;
    bool BothStuck() const { return FTable.Rows[0].Stuck && FTable.Rows[1].Stuck; }
    // The card a face-down pile shows as it turns up, learnt from the referee: the pile's next.
    void ShowPileTop(TSide Side, int32_t Card);

    // Turn-overs: each row's pile lays its next card on its central pile, or a slot's card once
    // the pile is empty, and each row counts one. Passes follow one another while both rows stay
    // stuck, neither reaches its goal and a pile has cards; OnePass makes one only (a referee
    // elsewhere sends each pass on its own). Nothing once the game is decided.
    void TurnOverPiles(bool OnePass = false);

    // The game's end, once a row has won: a tie goes to the computer's row with TieToOpponent.
    // A human win adds Bonus, 100 for each card the top row still had to lay and the winning
    // point. Announced with
    // the time it took; none when nobody won (the game runs on) or it was decided already.
    std::optional<TSide> Decide(bool TieToOpponent, int32_t Bonus, int64_t Milliseconds);
    bool Won(TSide Side) const { return FTable.Row(Side).Won; }

    int32_t Score() const { return FScore; }

    // Sets the table and the score as they stand, announcing nothing: a position arranged by a
    // test, or a game restored.
    void Arrange(const TSpeedTable& Table, int32_t Score) {
        FTable = Table;
        FScore = Score;
    }

private:
    void Announce(const TGameEvent& Event);
    void AddScore(int32_t Points);
    int TurnOverRow(TSide Side);

    TSpeedTable FTable;
    TGameEvents FEvents;
    std::array<bool, 2> FBusy{};
    int32_t FScore = 0;
    bool FRunning = false;
    bool FOpen = false;
};
