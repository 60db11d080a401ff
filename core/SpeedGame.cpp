#include "SpeedGame.h"

#include <utility>

namespace {

size_t Index(TSide Side) {
    return Side == TSide::Human ? 0 : 1;
}

} // namespace

void TSpeedGame::Announce(const TGameEvent& Event) {
    FEvents.Announce(Event);
}

void TSpeedGame::AddScore(int32_t Points) {
    FScore += Points;
    Announce(TGameEvent::ScoreChanged(FScore));
}

void TSpeedGame::Deal(TSpeedTable Table, int32_t Score) {
    Abandon();
    FRunning = false;
    FTable = std::move(Table);
    FBusy = {};
    FScore = Score;
    Announce(TGameEvent::ScoreChanged(FScore));
}

void TSpeedGame::Begin(uint64_t Number) {
    FOpen = true;
    Announce(TGameEvent::Dealt(Number));
    FRunning = true;
    FindStuck();
}

void TSpeedGame::Abandon() {
    FRunning = false;
    if (!std::exchange(FOpen, false))
        return;
    Announce(TGameEvent::Of(TGameEventKind::GameAbandoned));
}

void TSpeedGame::SetBusy(int Pile, bool Busy) {
    if (Pile == 1 || Pile == 2)
        FBusy[size_t(Pile - 1)] = Busy;
}

SpeedRules::TPiles TSpeedGame::Piles() const {
    return {{FTable.Top(1), FTable.Top(2)}, FBusy};
}

bool TSpeedGame::Takes(TSide Side, int Slot, int Pile) const {
    if (!FRunning || Slot < 0 || Slot > 3)
        return false;
    const int32_t value = SpeedValue(FTable.Row(Side).Slots[size_t(Slot)]);
    return value != 0 && SpeedRules::Takes(Piles(), Pile, value);
}

bool TSpeedGame::Play(TPlay& Request, bool Held) {
    const auto refuse = [&](TRefusal Why, bool Fits) {
        Announce(TGameEvent::Refused(Request, Why, Fits));
        return false;
    };
    if (Request.Slot < 0 || Request.Slot > 3)
        return refuse(TRefusal::EmptySlot, false);
    // A decided game takes no more cards: they would score, and carry into the next deal.
    if (!FRunning)
        return refuse(TRefusal::NotRunning, false);
    TSpeedRow& row = FTable.Row(Request.Side);
    int32_t& slot = row.Slots[size_t(Request.Slot)];
    if (slot == 0)
        return refuse(TRefusal::EmptySlot, false);
    Request.Card = slot;
    const int pile = SpeedRules::PileFor(Piles(), SpeedValue(slot), Request.Table);
    if (Held)
        return refuse(TRefusal::Held, pile != 0);
    if (pile == 0)
        return refuse(TRefusal::NoFit, false);
    Request.Table = pile;
    FTable.Piles[size_t(pile - 1)].push_back(std::exchange(slot, 0));
    ++row.Played;
    Announce(TGameEvent::Laid(Request));
    const bool human = Request.Side == TSide::Human;
    if (human)
        AddScore(1);
    // The first row to its goal wins; the other's cards still in flight change nothing.
    const TSpeedRow& other = FTable.Row(human ? TSide::Computer : TSide::Human);
    if (row.Played >= FTable.CardsToWin && !other.Won) {
        row.Won = true;
        FRunning = false;
    }
    return true;
}

void TSpeedGame::Refill(TSide Side, int Slot) {
    TSpeedRow& row = FTable.Row(Side);
    // A refill asked for before a new deal arrives when the slot holds a newly dealt card.
    if (Slot >= 0 && Slot <= 3 && row.Slots[size_t(Slot)] == 0 && !row.Pile.empty()) {
        row.Slots[size_t(Slot)] = row.Pile.back();
        row.Pile.pop_back();
        Announce(TGameEvent::Refilled(Side, Slot, row.Slots[size_t(Slot)]));
    }
    FindStuck();
}

void TSpeedGame::FindStuck() {
    std::array<bool, 2> was{};
    for (const TSide side : {TSide::Human, TSide::Computer}) {
        TSpeedRow& row = FTable.Row(side);
        was[Index(side)] = row.Stuck;
        row.Stuck = !SpeedRules::CanPlay(FTable.SlotValues(side), {FTable.Top(1), FTable.Top(2)});
    }
    if (StuckFound)
        StuckFound();
    // A decided game waits for nobody.
    if (!FRunning)
        return;
    for (const TSide side : {TSide::Human, TSide::Computer})
        if (FTable.Row(side).Stuck && !was[Index(side)])
            Announce(TGameEvent::Stuck(side));
}

void TSpeedGame::ShowPileTop(TSide Side, int32_t Card) {
    std::vector<int32_t>& pile = FTable.Row(Side).Pile;
    if (pile.empty())
        return;
    pile.back() = Card;
    TGameEvent shown = TGameEvent::Of(TGameEventKind::PileTopShown);
    shown.Play = {Side, 0, 0, Card};
    Announce(shown);
}

int TSpeedGame::TurnOverRow(TSide Side) {
    TSpeedRow& row = FTable.Row(Side);
    std::vector<int32_t>& onto = FTable.Piles[Index(Side)];
    if (!row.Pile.empty()) {
        onto.push_back(row.Pile.back());
        row.Pile.pop_back();
        return TurnedFromPile;
    }
    for (size_t i = 0; i < row.Slots.size(); ++i) {
        if (row.Slots[i] == 0)
            continue;
        onto.push_back(std::exchange(row.Slots[i], 0));
        return int(i);
    }
    return -1;
}

void TSpeedGame::TurnOverPiles(bool OnePass) {
    // Once a side has won, plays may still come in, but no turn-over may count on: it could
    // name a second winner, or the human in place of a computer that got there first.
    if (!FRunning)
        return;
    TSpeedRow& human = FTable.Rows[0];
    TSpeedRow& computer = FTable.Rows[1];
    do {
        TGameEvent pass = TGameEvent::Of(TGameEventKind::PilesTurnedOver);
        pass.TurnedFrom = {TurnOverRow(TSide::Human), TurnOverRow(TSide::Computer)};
        ++human.Played;
        ++computer.Played;
        Announce(pass);
        AddScore(1);
        FindStuck();
        // The pass that brings a side to its goal ends the game: more passes would score and
        // move cards after the win.
    } while (!OnePass && BothStuck() && human.Played < FTable.CardsToWin &&
             computer.Played < FTable.CardsToWin &&
             (!human.Pile.empty() || !computer.Pile.empty()));
    human.Won = human.Won || human.Played >= FTable.CardsToWin;
    computer.Won = computer.Won || computer.Played >= FTable.CardsToWin;
    if (human.Won || computer.Won)
        FRunning = false;
}

std::optional<TSide> TSpeedGame::Decide(bool TieToOpponent, int32_t Bonus, int64_t Milliseconds) {
    // Once: a game abandoned, or already decided, is not decided (again); one nobody has won
    // runs on.
    TSpeedRow& human = FTable.Rows[0];
    const TSpeedRow& computer = FTable.Rows[1];
    if (!FOpen || (!human.Won && !computer.Won))
        return std::nullopt;
    FRunning = false;
    if (human.Won && computer.Won && TieToOpponent)
        human.Won = false;
    const TSide winner = human.Won ? TSide::Human : TSide::Computer;
    // The bonus, 100 for each card the top row still had to lay, and the winning point.
    if (human.Won)
        AddScore(Bonus + (FTable.CardsToWin - computer.Played) * 100 + 1);
    FOpen = false;
    Announce(TGameEvent::Decided(winner, FScore, Milliseconds));
    return winner;
}
