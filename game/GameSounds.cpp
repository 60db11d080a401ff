#include "GameSounds.h"

std::optional<TSound> SoundOf(const TGameEvent& Event) {
    switch (Event.Kind) {
    case TGameEventKind::CardLaid:
        return Event.Play.Side == TSide::Human ? TSound::HumanCard : TSound::ComputerCard;
    case TGameEventKind::PlayRefused:
        // A key pressed between games is no play to refuse.
        if (Event.Play.Side == TSide::Human && Event.Why != TRefusal::NotRunning)
            return TSound::Refused;
        return std::nullopt;
    case TGameEventKind::PilesTurnedOver:
        return TSound::TurnOver;
    case TGameEventKind::GameDecided:
        return Event.Side == TSide::Human ? TSound::Win : TSound::Loss;
    default:
        return std::nullopt;
    }
}
