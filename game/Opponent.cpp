#include "Opponent.h"

#include "FumbleLock.h"
#include "Main.h"
#include "SpeedRules.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QTimer>

void TComputerOpponent::Start() {
    FTimer.start();
}

void TComputerOpponent::Stop() {
    FTimer.stop();
}

bool TComputerOpponent::Running() const {
    return FTimer.isActive();
}

std::optional<TPlay> TComputerOpponent::Choose(const TMainForm& Form) {
    const SpeedRules::TPiles piles = Form.Piles();
    const auto choose = [&Form, &piles](int Table) -> std::optional<TPlay> {
        for (int i = 0; i < 4; ++i) {
            TKsCardGroup* slot = Form.Play2Card[static_cast<size_t>(i)];
            if (slot->NonEmptyCount() >= 1 &&
                SpeedRules::Takes(piles, Table, slot->GetCard(0)->Value()))
                return TPlay{TSide::Computer, i, Table, slot->GetCard(0)->ID()};
        }
        return std::nullopt;
    };
    if (auto play = choose(2))
        return play;
    return choose(1);
}

std::unique_ptr<TOpponent> MakeOpponent(TMainForm& Form) {
    return std::make_unique<TComputerOpponent>(*Form.Timer);
}

bool THumanInput::Held() const {
    return FLock.Locked();
}

void THumanInput::Heard(const TGameEvent& Event) {
    if (Event.Kind == TGameEventKind::PlayRefused && Event.Play.Side == TSide::Human &&
        Event.Why == TRefusal::NoFit)
        FLock.Fumbled();
}
