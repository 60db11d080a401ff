#pragma once
// The statistics and the hall of fame as they hear the game: a confirmed deal starts a game's
// record, a decision or an abandoned game closes it, and a human win is offered to the hall of
// fame once the player has answered whether to play again.

#include "GameEvents.h"
#include "GameRecorder.h"

class QWidget;
class TOptionsHost;

class TRecordKeeper {
public:
    // Parent is the window the hall of fame's questions belong to.
    TRecordKeeper(TOptionsHost& Host, QWidget* Parent)
        : FHost(Host), FParent(Parent), FRecorder(Host) {}

    void Heard(const TGameEvent& Event);

private:
    TOptionsHost& FHost;
    QWidget* FParent;
    TGameRecorder FRecorder;
};
