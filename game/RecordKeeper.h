#pragma once
// The statistics and the hall of fame as they hear the game: a confirmed deal starts a game's
// record, a decision or an abandoned game closes it, and a human win is offered to the hall of
// fame once the player has answered whether to play again.

#include "GameEvents.h"
#include "GameRecorder.h"

#include <functional>
#include <utility>

class TRecordKeeper {
public:
    // Game tells the game as it stands; OfferFame offers a human win to the hall of fame.
    TRecordKeeper(TRecords& Records, std::function<TRecordedGame()> Game,
                  std::function<void()> OfferFame)
        : FRecorder(Records, std::move(Game)), FOfferFame(std::move(OfferFame)) {}

    void Heard(const TGameEvent& Event);
    void DealRevealed(int32_t Deal) { FRecorder.DealRevealed(Deal); }

private:
    TGameRecorder FRecorder;
    std::function<void()> FOfferFame;
};
