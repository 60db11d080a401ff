#include "HeadlessPlayer.h"

#include "Main.h"
#include "NetMatch.h"
#include "kscardgroup.h"
#include "kscardtable.h"
#include "kssinglecard.h"

#include <QPointer>
#include <algorithm>

THeadlessPlayer::THeadlessPlayer(TMainForm& Form, int ReactionMs, int SpreadMs, uint32_t Seed,
                                 QObject* Parent)
    : QObject(Parent), FForm(Form), FReactionMs(ReactionMs), FSpreadMs(SpreadMs), FRandom(Seed) {
    FClock.start();
    // A refill announces nothing: the player keeps looking, as a person does.
    FPoll.setInterval(5);
    connect(&FPoll, &QTimer::timeout, this, [this] { Look(); });
    FPoll.start();
    // A millisecond on: after the refill that a play posts.
    FSoon.setSingleShot(true);
    FSoon.setInterval(1);
    connect(&FSoon, &QTimer::timeout, this, [this] { Look(); });
    FReact.setSingleShot(true);
    connect(&FReact, &QTimer::timeout, this, [this] { Fire(); });
    QPointer<THeadlessPlayer> self(this);
    Form.Events().Subscribe([self](const TGameEvent& e) {
        if (self)
            self->Heard(e);
    });
}

void THeadlessPlayer::Heard(const TGameEvent& E) {
    if (!FSoon.isActive())
        FSoon.start();
    switch (E.Kind) {
    case TGameEventKind::CardLaid:
        if (E.Play.Side == TSide::Human) {
            FInFlight = false;
            ++Plays;
        }
        break;
    case TGameEventKind::PlayRefused:
        if (E.Play.Side == TSide::Human) {
            FInFlight = false;
            if (E.Why == TRefusal::NoFit)
                ++LostPiles;
            if (E.Why == TRefusal::Held)
                ++Held;
        }
        break;
    case TGameEventKind::GameDecided:
        ++(E.Side == TSide::Human ? Won : Lost);
        [[fallthrough]];
    case TGameEventKind::Dealt:
    case TGameEventKind::GameAbandoned:
        FInFlight = false;
        FChosen.reset();
        FReact.stop();
        break;
    default:
        break;
    }
}

void THeadlessPlayer::Look() {
    // A play the match swallowed (the deal not yet confirmed on both sides) never comes back.
    if (FInFlight && FClock.elapsed() - FLastPlay > 3000)
        FInFlight = false;
    if (FChosen || FInFlight || !FForm.GameRunning())
        return;
    for (int slot = 0; slot < 4; ++slot) {
        TKsCardGroup* s = FForm.Play1Card[size_t(slot)];
        if (s->NonEmptyCount() == 0)
            continue;
        const int32_t v = s->GetCard(0)->Value();
        for (int table : {1, 2}) {
            TKsCardTable* t = table == 1 ? FForm.CardTable1 : FForm.CardTable2;
            if (!TMainForm::IsNextRank(v, t->CardTop().Value()))
                continue;
            FChosen = TChoice{slot, table};
            std::uniform_int_distribution<int> spread(-FSpreadMs, FSpreadMs);
            const qint64 at = std::max(FClock.elapsed() + FReactionMs + spread(FRandom),
                                       FLastPlay + TNetMatch::MinPlayIntervalMs + 5);
            FReact.start(int(std::max<qint64>(0, at - FClock.elapsed())));
            return;
        }
    }
}

void THeadlessPlayer::Fire() {
    if (!FChosen)
        return;
    const TChoice c = *FChosen;
    FChosen.reset();
    FLastPlay = FClock.elapsed();
    FInFlight = true;
    // The play asks for the pile chosen when the card was seen; the referee decides.
    FForm.PlaySlot(c.Slot, c.Table == 2);
}
