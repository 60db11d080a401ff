#include "Opponent.h"

#include "FumbleLock.h"
#include "Main.h"
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
    const auto choose = [&Form](int Table, bool Busy) -> std::optional<TPlay> {
        const int32_t top = (Table == 1 ? Form.CardTable1 : Form.CardTable2)->CardTop().Value();
        for (int i = 0; i < 4; ++i) {
            TKsCardGroup* slot = Form.Play2Card[static_cast<size_t>(i)];
            if (!Busy && slot->NonEmptyCount() >= 1 &&
                TMainForm::IsNextRank(slot->GetCard(0)->Value(), top))
                return TPlay{TSide::Computer, i, Table, slot->GetCard(0)->ID()};
        }
        return std::nullopt;
    };
    if (auto play = choose(2, Form.Table2Busy()))
        return play;
    return choose(1, Form.Table1Busy());
}

bool THumanInput::Held() const {
    return FLock.Locked();
}

void THumanInput::Heard(const TGameEvent& Event) {
    if (Event.Kind == TGameEventKind::PlayRefused && Event.Play.Side == TSide::Human &&
        Event.Why == TRefusal::NoFit)
        FLock.Fumbled();
}
