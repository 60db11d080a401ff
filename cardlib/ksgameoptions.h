#pragma once
// The rules a card table plays by. Setting an option has no immediate effect: the table reads
// them when it acts.

#include "kspersistent.h"
#include "kstypes.h"

#include <cstdint>

class TKsGameOptions : public TKsPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TKsGameOptions"); }
    void Assign(const TKsPersistent* Source) override;

    bool SuitChecking() const { return FSuitChecking; }
    void SetSuitChecking(bool Value) { FSuitChecking = Value; }
    bool StrictSuitChecking() const { return FStrictSuitChecking; }
    void SetStrictSuitChecking(bool Value) { FStrictSuitChecking = Value; }
    bool TakerPlay() const { return FTakerPlay; }
    void SetTakerPlay(bool Value) { FTakerPlay = Value; }
    int32_t TableOpenCards() const { return FTableOpenCards; }
    void SetTableOpenCards(int32_t Value) { FTableOpenCards = Value; }
    int32_t TableCloseCards() const { return FTableCloseCards; }
    void SetTableCloseCards(int32_t Value) { FTableCloseCards = Value; }
    TKsCardSuitType Trump() const { return FTrump; }
    void SetTrump(TKsCardSuitType Value) { FTrump = Value; }
    int32_t FinishScore() const { return FFinishScore; }
    void SetFinishScore(int32_t Value) { FFinishScore = Value; }
    int32_t CardsPerTrick() const { return FCardsPerTrick; }
    void SetCardsPerTrick(int32_t Value) { FCardsPerTrick = Value; }
    int32_t TakeDelay() const { return FTakeDelay; }
    void SetTakeDelay(int32_t Value) { FTakeDelay = Value; }
    TKsTableDir AutoPosDirection() const { return FAutoPosDirection; }
    void SetAutoPosDirection(TKsTableDir Value) { FAutoPosDirection = Value; }
    bool AutoPlay() const { return FAutoPlay; }
    void SetAutoPlay(bool Value) { FAutoPlay = Value; }

private:
    bool FStrictSuitChecking = false;
    bool FTakerPlay = false;
    bool FSuitChecking = false;
    int32_t FTableOpenCards = 0;
    int32_t FTableCloseCards = 0;
    TKsCardSuitType FTrump = stJoker;
    int32_t FFinishScore = 0;
    int32_t FCardsPerTrick = 1;
    int32_t FTakeDelay = 500; // milliseconds
    TKsTableDir FAutoPosDirection = tdClockWise;
    bool FAutoPlay = false;
};
