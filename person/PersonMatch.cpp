#include "PersonMatch.h"

#include "SpeedDeal.h"
#include "SpeedRun.h"

#include <array>
#include <memory>

std::optional<TPlay> SteadyChoice(const TSpeedGame& Game, TSide Side) {
    if (Side == TSide::Computer)
        return SpeedRun::ComputerChoice(Game);
    for (const int pile : {1, 2})
        for (int slot = 0; slot < 4; ++slot)
            if (Game.Takes(Side, slot, pile))
                return TPlay{Side, slot, pile, Game.Table().Row(Side).Slots[size_t(slot)]};
    return std::nullopt;
}

namespace {

// One row's player behind the queue: a steady timer or a person model.
class TRowPlayer {
public:
    TRowPlayer(TSide Side, const TSeat& Seat, uint64_t Seed) : FSide(Side), FSeat(Seat) {
        if (Seat.Person)
            FPerson = std::make_unique<TPersonPlayer>(Side, Seat.Params, Seed);
        FTick = Seat.PaceMs;
    }

    bool Person() const { return FPerson != nullptr; }
    const TPersonPlayer* Model() const { return FPerson.get(); }

    void Changed(int64_t Now, const TSpeedTable& Shown) {
        if (FPerson)
            FPerson->OnTableChanged(Now, Shown);
    }
    std::optional<int64_t> Next() const {
        return FPerson ? FPerson->NextActionAt() : std::optional<int64_t>(FTick);
    }
    std::optional<TPlay> Act(int64_t Now, const TSpeedGame& Game, const TSpeedTable& Shown) {
        if (FPerson)
            return FPerson->Act(Now, Shown);
        FTick += FSeat.PaceMs;
        return SteadyChoice(Game, FSide);
    }

private:
    TSide FSide;
    TSeat FSeat;
    std::unique_ptr<TPersonPlayer> FPerson;
    int64_t FTick = 0;
};

} // namespace

TMatchResult RunMatch(const TSpeedTable& Table, const TSeat& Human, const TSeat& Computer,
                      uint64_t Seed, const TViewOf& View, int64_t MaxMs) {
    TMatchResult result;
    TSpeedGame game;
    std::optional<TRefusal> refusal;
    int64_t now = 0, lastComputer = -1;
    game.Events().Subscribe([&](const TGameEvent& e) {
        if (e.Kind == TGameEventKind::PlayRefused)
            refusal = e.Why;
        if (e.Kind == TGameEventKind::CardLaid && e.Play.Side == TSide::Computer) {
            if (lastComputer >= 0)
                result.ComputerIntervals.push_back(now - lastComputer);
            lastComputer = now;
        }
    });
    game.Deal(Table, 0);
    game.Begin(0);
    SpeedRun::Settle(game);

    std::array<TRowPlayer, 2> rows{TRowPlayer(TSide::Human, Human, Seed * 2 + 1),
                                   TRowPlayer(TSide::Computer, Computer, Seed * 2 + 2)};
    const auto shown = [&] { return View ? View(game.Table()) : game.Table(); };
    for (TRowPlayer& r : rows)
        r.Changed(0, shown());

    while (game.Running()) {
        // The earlier row acts; at the same moment, the human's row first.
        int who = -1;
        for (int i = 0; i < 2; ++i) {
            const std::optional<int64_t> at = rows[size_t(i)].Next();
            if (at && (who < 0 || *at < *rows[size_t(who)].Next()))
                who = i;
        }
        if (who < 0)
            break; // nobody has anything to do: cannot happen while the table settles
        now = *rows[size_t(who)].Next();
        if (now > MaxMs)
            break;
        TRowPlayer& row = rows[size_t(who)];
        const std::optional<TPlay> play = row.Act(now, game, shown());
        if (!play)
            continue;
        const TSpeedTable before = game.Table();
        refusal.reset();
        const bool laid = SpeedRun::PlayAndRefill(game, *play);
        result.Plays.push_back({now, *play, laid});
        if (!laid && row.Person()) {
            // Lost a race: what it chose from changed before its hand got there (the other
            // row laid on the pile, or a turn-over took the slot's card).
            const size_t pile = size_t(play->Table - 1);
            const bool race = (refusal == TRefusal::NoFit || refusal == TRefusal::EmptySlot) &&
                              (before.Top(play->Table) != row.Model()->ChosenTops()[pile] ||
                               before.Row(play->Side).Slots[size_t(play->Slot)] != play->Card);
            ++(race ? result.Races : result.Illegal);
        }
        if (game.Table() != before)
            for (TRowPlayer& r : rows)
                r.Changed(now, shown());
    }
    result.Milliseconds = now;
    result.Winner = game.Decide(false, 0, now);
    return result;
}

TMatchResult RunMatch(uint64_t Number, const TSeat& Human, const TSeat& Computer, uint64_t Seed) {
    return RunMatch(SpeedDeal::Table(SpeedDeal::Cards(Number, 1), 1), Human, Computer, Seed);
}
