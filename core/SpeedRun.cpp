#include "SpeedRun.h"

#include "SpeedDeal.h"

#include <algorithm>

namespace SpeedRun {

std::optional<TPlay> ComputerChoice(const TSpeedGame& Game) {
    for (const int pile : {2, 1})
        for (int slot = 0; slot < 4; ++slot)
            if (Game.Takes(TSide::Computer, slot, pile))
                return TPlay{TSide::Computer, slot, pile,
                             Game.Table().Row(TSide::Computer).Slots[size_t(slot)]};
    return std::nullopt;
}

void Settle(TSpeedGame& Game) {
    while (Game.Running() && Game.BothStuck())
        Game.TurnOverPiles();
}

bool PlayAndRefill(TSpeedGame& Game, TPlay Play) {
    if (!Game.Play(Play, false))
        return false;
    Game.Refill(Play.Side, Play.Slot);
    Settle(Game);
    return true;
}

TResult Run(uint64_t Number, int Decks, const std::vector<TTimedPlay>& Plays, int32_t Bonus) {
    std::vector<TTimedPlay> plays = Plays;
    std::stable_sort(plays.begin(), plays.end(),
                     [](const TTimedPlay& A, const TTimedPlay& B) { return A.At < B.At; });
    TSpeedGame game;
    game.Deal(SpeedDeal::Table(SpeedDeal::Cards(Number, Decks), Decks), 0);
    game.Begin(Number);
    Settle(game);
    TResult result;
    int64_t last = 0;
    for (const TTimedPlay& p : plays) {
        if (!game.Running())
            break;
        last = p.At;
        ++(PlayAndRefill(game, p.Play) ? result.Laid : result.Refused);
    }
    result.Winner = game.Decide(false, Bonus, last);
    result.Table = game.Table();
    result.Score = game.Score();
    return result;
}

} // namespace SpeedRun
