#pragma once
// What the player sees of the plays, as it hears the game: the computer's card flying to its
// pile and the pile's glow, a refused card's red flash, the cards each side still has to lay,
// and the breakdown of a decided game while the question after it is asked. The window's
// controls for them (its Animator, HumanToGo, ComputerToGo, DealHint and Summary) are drawn
// from here.

#include "GameEvents.h"

#include <cstdint>

class TMainForm;

class TPlayView {
public:
    explicit TPlayView(TMainForm& Form) : FForm(Form) {}

    void Heard(const TGameEvent& Event);
    // The counts, or the hint to deal before the first game; only with "Show plays".
    void ShowCardsToGo();

private:
    void ShowSummary(const TGameEvent& Decided);

    TMainForm& FForm;
    // This deal's, for the breakdown at its end.
    int32_t FTurnOverPasses = 0;
    bool FLasVegas = false;
    int32_t FScoreAtDeal = 0; // after the stake
    int32_t FStake = 0;
};
