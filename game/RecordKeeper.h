#pragma once
// The statistics and the hall of fame as they hear the game: a confirmed deal starts a game's
// record, a decision or an abandoned game closes it, and a human win is offered to the hall of
// fame once the player has answered whether to play again. Each record made is handed on to be
// saved at once.

#include "GameEvents.h"
#include "GameRecorder.h"

#include <functional>
#include <utility>

class TRecordKeeper {
public:
    // Game tells the game as it stands; OfferFame offers a human win to the hall of fame;
    // Recorded saves a record just made.
    TRecordKeeper(TRecords& Records, std::function<TRecordedGame()> Game,
                  std::function<void()> OfferFame, std::function<void()> Recorded)
        : FRecorder(Records, std::move(Game)), FOfferFame(std::move(OfferFame)),
          FRecorded(std::move(Recorded)) {}

    void Heard(const TGameEvent& Event);
    void DealRevealed(uint64_t Deal);

private:
    void Recorded() const;

    TGameRecorder FRecorder;
    std::function<void()> FOfferFame;
    std::function<void()> FRecorded;
};
