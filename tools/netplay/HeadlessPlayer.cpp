#include "HeadlessPlayer.h"

#include "MatchRole.h"

#include <QPointer>
#include <algorithm>

THeadlessPlayer::THeadlessPlayer(TSpeedGame& Game, std::function<void(const TPlay&)> Play,
                                 int ReactionMs, int SpreadMs, uint32_t Seed, QObject* Parent)
    : QObject(Parent), FGame(Game), FPlay(std::move(Play)), FReactionMs(ReactionMs),
      FSpreadMs(SpreadMs), FRandom(Seed) {
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
    Game.Events().Subscribe([self](const TGameEvent& e) {
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
    if (FChosen || FInFlight || !FGame.Running())
        return;
    for (int slot = 0; slot < 4; ++slot) {
        for (const int pile : {1, 2}) {
            if (!FGame.Takes(TSide::Human, slot, pile))
                continue;
            // The play asks for the second pile only when it was the one seen; the referee
            // decides.
            FChosen = TPlay{TSide::Human, slot, pile == 2 ? 2 : 0, 0};
            std::uniform_int_distribution<int> spread(-FSpreadMs, FSpreadMs);
            const qint64 at = std::max(FClock.elapsed() + FReactionMs + spread(FRandom),
                                       FLastPlay + TMatchRole::MinPlayIntervalMs + 5);
            FReact.start(int(std::max<qint64>(0, at - FClock.elapsed())));
            return;
        }
    }
}

void THeadlessPlayer::Fire() {
    if (!FChosen)
        return;
    TPlay play = *FChosen;
    FChosen.reset();
    // As Shift with a key: the second pile while it takes the card, else the first that does.
    if (play.Table == 2 && !FGame.Takes(TSide::Human, play.Slot, 2))
        play.Table = 0;
    FLastPlay = FClock.elapsed();
    FInFlight = true;
    FPlay(play);
}
