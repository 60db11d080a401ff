#include "HeadlessTable.h"

#include "MatchRole.h"
#include "SpeedDeal.h"

THeadlessTable::THeadlessTable(bool Referee, int Decks, bool FumbleRule, QObject* Parent)
    : QObject(Parent), FReferee(Referee), FDecks(Decks) {
    FLock.SetEnabled(FumbleRule);
    FClock.start();
    FStuck.setInterval(500);
    connect(&FStuck, &QTimer::timeout, this, [this] { CheckStuck(); });
    FGame.Events().Subscribe([this](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::PlayRefused && e.Play.Side == TSide::Human &&
            e.Why == TRefusal::NoFit)
            FLock.Fumbled();
    });
}

void THeadlessTable::HumanPlay(const TPlay& Play) {
    if (FMatch && FMatch->TakeHumanPlay(Play))
        return;
    TPlay p = Play;
    this->Play(p);
}

void THeadlessTable::DealNumber(uint64_t Number) {
    Deal(SpeedDeal::Table(SpeedDeal::Cards(Number, FDecks), FDecks), Number);
}

void THeadlessTable::DealCards(const std::vector<int32_t>& Cards) {
    Deal(SpeedDeal::Table(Cards, FDecks, true), 0);
}

void THeadlessTable::Deal(const TSpeedTable& Table, uint64_t Number) {
    FRefills.clear();
    FLock.Release();
    FGame.Deal(Table, 0);
    // Confirmed as soon as the player could click.
    QTimer::singleShot(0, this, [this, Number, serial = ++FDeals] {
        if (serial != FDeals)
            return;
        FStart = FClock.elapsed();
        FGame.Begin(Number);
        if (FReferee)
            FStuck.start();
        if (FReferee && FGame.BothStuck())
            TurnOverPiles(false);
    });
}

bool THeadlessTable::Play(TPlay& Play) {
    // The friend's plays are held by the host's fumble rule; a guest lays what the host decided.
    const bool held =
        Play.Side == TSide::Human ? FLock.Locked() : FReferee && FMatch && FMatch->PeerHeld();
    if (!FGame.Play(Play, held))
        return false;
    if (FGame.Won(Play.Side)) {
        AfterPlay();
        return true;
    }
    FRefills.emplace_back(Play.Side, Play.Slot);
    QTimer::singleShot(0, this, [this] { Flush(); });
    return true;
}

void THeadlessTable::Flush() {
    while (!FRefills.empty()) {
        const auto [side, slot] = FRefills.front();
        FRefills.pop_front();
        FGame.Refill(side, slot);
        if (FReferee && FGame.BothStuck())
            TurnOverPiles(false);
    }
}

void THeadlessTable::TurnOver() {
    TurnOverPiles(true);
}

void THeadlessTable::TurnOverPiles(bool OnePass) {
    if (!FGame.Running())
        return;
    FGame.TurnOverPiles(OnePass);
    if (FGame.Won(TSide::Human) || FGame.Won(TSide::Computer))
        AfterPlay();
}

void THeadlessTable::CheckStuck() {
    if (!FGame.Running()) {
        FStuck.stop();
        return;
    }
    if (FMatch && !FMatch->BothReady())
        return;
    Flush();
    if (FGame.BothStuck())
        TurnOverPiles(false);
}

void THeadlessTable::AfterPlay() {
    QTimer::singleShot(0, this, [this, serial = FDeals] {
        if (serial != FDeals)
            return;
        if (FGame.Decide(FTieToOpponent, 0, FClock.elapsed() - FStart) && FMatch)
            FMatch->TakeAgain(true);
    });
}

void THeadlessTable::EndGame() {
    ++FDeals;
    FStuck.stop();
    FGame.Abandon();
}
