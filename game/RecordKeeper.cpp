#include "RecordKeeper.h"

void TRecordKeeper::Heard(const TGameEvent& Event) {
    switch (Event.Kind) {
    case TGameEventKind::Dealt:
        FRecorder.Started();
        break;
    case TGameEventKind::GameDecided:
        FRecorder.Decided(Event.Side == TSide::Human);
        break;
    case TGameEventKind::GameAbandoned:
        FRecorder.Abandoned();
        break;
    case TGameEventKind::AfterDecision:
        if (Event.Answered && Event.Side == TSide::Human && FOfferFame)
            FOfferFame();
        break;
    default:
        break;
    }
}
