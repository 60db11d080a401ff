#include "Opponent.h"

#include "FumbleLock.h"
#include "Main.h"
#include "SpeedRun.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QTimer>

TComputerOpponent::TComputerOpponent(QTimer& Timer, const TLevel& Level) : FTimer(Timer) {
    FTimer.setInterval(Level.PaceMs());
}

void TComputerOpponent::Start() {
    FTimer.start();
}

void TComputerOpponent::Stop() {
    FTimer.stop();
}

bool TComputerOpponent::Running() const {
    return FTimer.isActive();
}

int TComputerOpponent::StuckCheckMs() const {
    return FTimer.interval();
}

std::optional<TPlay> TComputerOpponent::Choose(const TMainForm& Form) {
    return SpeedRun::ComputerChoice(Form.Game());
}

std::unique_ptr<TOpponent> MakeOpponent(TMainForm& Form) {
    return std::make_unique<TComputerOpponent>(*Form.Timer,
                                               TLevel::Of(Form.Level()).value_or(TLevel()));
}

bool THumanInput::Held() const {
    return FLock.Locked();
}

void THumanInput::Heard(const TGameEvent& Event) {
    if (Event.Kind == TGameEventKind::PlayRefused && Event.Play.Side == TSide::Human &&
        Event.Why == TRefusal::NoFit)
        FLock.Fumbled();
}
