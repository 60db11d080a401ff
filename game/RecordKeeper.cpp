#include "RecordKeeper.h"

void TRecordKeeper::Heard(const TGameEvent& Event) {
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FRecorder.Started();
        break;
    case TGameEventKind::GameDecided:
        if (FRecorder.Running()) {
            FRecorder.Decided(Event.Side == TSide::Human, Event.Milliseconds);
            Recorded();
        }
        break;
    case TGameEventKind::GameAbandoned:
        if (FRecorder.Running()) {
            FRecorder.Abandoned();
            Recorded();
        }
        break;
    case TGameEventKind::AfterDecision:
        if (Event.Answered && Event.Side == TSide::Human && FOfferFame)
            FOfferFame();
        break;
    default:
        break;
    }
}

void TRecordKeeper::DealRevealed(uint64_t Deal) {
    const bool decided = !FRecorder.Running();
    FRecorder.DealRevealed(Deal);
    if (decided)
        Recorded();
}

void TRecordKeeper::Recorded() const {
    if (FRecorded)
        FRecorded();
}
