// The self-play soak on the game's core alone: thousands of games between a simulated player
// and the computer's choice, with no window, no display and nothing of Qt's GUI. The game runs
// as the window runs it (refills and the game's end come as posted messages, handled a little
// later; the computer steps at its level's pace; the piles turn over when both rows are stuck),
// on a clock of its own. After every step the table is checked on values. Prints the games per
// second, the heap and the resident memory as it goes, and every failure with the seed that
// plays the game again.
//
//   tolvi_core_soak [--games N] [--base B]   games B, B+1, ... B+N-1
//   tolvi_core_soak --seed S                 the game of seed S alone
//
// A seed gives everything: the deck count, the scoring, the level, the fumble rule, the Las
// Vegas total carried in, each deal's number and every choice of the player.

#include "Combination.h"
#include "Settings.h"
#include "SpeedDeal.h"
#include "SpeedRun.h"
#include "ksrandom.h"
#include "soak_meter.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// Rounds (one computer step and what the player does around it) before a deal counts as hung.
constexpr int MaxRoundsPerDeal = 20000;
// A "play again?" answered Yes deals at once; a chain stops after this many deals.
constexpr int MaxDealsPerGame = 3;
constexpr int64_t FumbleLockMs = 500;

uint64_t SplitMix(uint64_t X) {
    X += 0x9e3779b97f4a7c15ull;
    X = (X ^ (X >> 30)) * 0xbf58476d1ce4e5b9ull;
    X = (X ^ (X >> 27)) * 0x94d049bb133111ebull;
    return X ^ (X >> 31);
}

std::string Format(const char* Text, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* Text, ...) {
    char buffer[512];
    va_list args;
    va_start(args, Text);
    std::vsnprintf(buffer, sizeof buffer, Text, args);
    va_end(args);
    return buffer;
}

size_t Index(TSide Side) {
    return Side == TSide::Human ? 0 : 1;
}

const char* Name(TSide Side) {
    return Side == TSide::Human ? "human" : "computer";
}

// The ranks of two cards one apart, the ace beside both the king and the two: worked out here
// again rather than asked of the rules under test.
bool Beside(int32_t Card, int32_t Top) {
    const int32_t a = SpeedValue(Card), b = Top;
    return a != 0 && b != 0 &&
           (a - b == 1 || b - a == 1 || (a == 14 && b == 2) || (a == 2 && b == 14));
}

// The pile a card goes to when the player asks for Wanted (0: the first that takes it).
int PileFor(const TSpeedTable& T, int32_t Card, int Wanted) {
    const bool one = Beside(Card, T.Top(1)), two = Beside(Card, T.Top(2));
    if (Wanted == 1 || Wanted == 2)
        return (Wanted == 1 ? one : two) ? Wanted : 0;
    return one ? 1 : two ? 2 : 0;
}

bool HasPlay(const TSpeedTable& T, TSide Side) {
    const TSpeedRow& row = T.Row(Side);
    return std::any_of(row.Slots.begin(), row.Slots.end(),
                       [&](int32_t c) { return PileFor(T, c, 0) != 0; });
}

// The cards alone, as a view of the table shows them: no counts, no flags.
bool SameCards(const TSpeedTable& A, const TSpeedTable& B) {
    for (size_t i = 0; i < 2; ++i)
        if (A.Rows[i].Pile != B.Rows[i].Pile || A.Rows[i].Slots != B.Rows[i].Slots ||
            A.Piles[i] != B.Piles[i])
            return false;
    return true;
}

struct TResult {
    uint64_t Seed = 0;
    TCombination Rules;
    bool Fumble = false;
    int Deals = 0;
    int Decided = 0;
    int HumanWins = 0;
    int Steps = 0;
    int HumanPlays = 0;
    int Refused = 0;
    std::string Failure;

    bool Ok() const { return Failure.empty(); }
};

// A message posted to the window's queue: a slot to refill, or the game's end.
struct TPosted {
    bool GameOver = false;
    TSide Side = TSide::Human;
    int Slot = 0;
};

class TSoak {
public:
    TResult Play(uint64_t Seed) {
        FResult = TResult{};
        FResult.Seed = Seed;
        FResult.Rules = TCombination::FromIndex(int32_t(Seed % TCombination::Count));
        FResult.Fumble = Seed / TCombination::Count % 2 == 1;
        FRandom.seed(SplitMix(Seed));
        FGame = std::make_unique<TSpeedGame>();
        FGame->Events().Subscribe([this](const TGameEvent& e) { Heard(e); });
        FPosted.clear();
        FNow = 0;
        FEnded = false;
        FTieToComputer = Chance(4);
        // A Las Vegas total carried in from earlier deals, or a new session.
        FNewSession = Chance(3);
        FCarried = int32_t(FRandom() % 20000) - 2000;

        Deal();
        while (FResult.Ok() && !FEnded) {
            if (!FGame->Running() && !FGame->Open()) {
                Fail("the game stopped without a winner announced");
                break;
            }
            if (++FRounds > MaxRoundsPerDeal) {
                Fail(Format("no winner after %d rounds", FRounds - 1));
                break;
            }
            Round();
        }
        FGame.reset();
        return FResult;
    }

private:
    bool Chance(int OneIn) { return FRandom() % uint64_t(OneIn) == 0; }
    int32_t Pace() const { return TLevel::Of(FResult.Rules.Level).value_or(TLevel()).PaceMs(); }
    bool Locked() const { return FResult.Fumble && FNow < FLockedUntil; }

    void Deal() {
        FAction = "the deal";
        const int decks = FResult.Rules.DeckCount;
        // Now and then a number past 2^32, which deals by key.
        const uint64_t number =
            Chance(8) ? KsFirstDealKey + FRandom() % KsFirstDealKey : FRandom() % KsFirstDealKey;
        int32_t score = 0;
        if (FResult.Rules.Scoring == 1)
            score = (FNewSession ? 0 : FCarried) - LasVegasStake(decks);
        FNewSession = false;
        const std::vector<int32_t> cards = SpeedDeal::Cards(number, decks);
        FLockedUntil = -1; // a new deal ends a fumble lock
        FDealtEvents = 0;
        FAbandoned = 0;
        const bool open = FGame->Open();
        FGame->Deal(SpeedDeal::Table(cards, decks), score);
        if (FAbandoned != (open ? 1 : 0))
            return Fail(Format("a deal over %s game was announced abandoned %d times",
                               open ? "an open" : "a closed", FAbandoned));
        ++FResult.Deals;
        FRounds = 0;
        FDecided = 0;
        FScoreBase = score;
        FView = FGame->Table();
        FCards = FView.Cards();
        FDealStart = FNow;

        const TSpeedTable& t = FGame->Table();
        if (t.CardsToWin != SpeedDeal::CardsToWin(decks) || FLastScore != score ||
            FGame->Score() != score)
            return Fail(Format("the deal set %d cards to win and the score %d, not %d",
                               t.CardsToWin, FGame->Score(), score));
        // Each side gets its own shuffle of the whole deck: no card more often than the decks
        // hold it.
        for (int side = 0; side < 2; ++side) {
            std::array<int, 54> copies{};
            const auto first = cards.begin() + side * SpeedDeal::PerSide(decks);
            const bool valid =
                cards.size() == size_t(2 * SpeedDeal::PerSide(decks)) &&
                std::all_of(first, first + SpeedDeal::PerSide(decks), [&](int32_t c) {
                    return c >= 2 && c <= 53 && ++copies[size_t(c)] <= decks;
                });
            const TSpeedRow& row = t.Rows[size_t(side)];
            if (!valid || row.Played != 0 || row.Won ||
                row.Pile.size() != size_t(SpeedDeal::PileCards(decks)) ||
                t.Piles[size_t(side)].size() != 1 ||
                std::count(row.Slots.begin(), row.Slots.end(), 0) != 0)
                return Fail(Format("the %s was not dealt %d cards of %d deck(s)",
                                   Name(side == 0 ? TSide::Human : TSide::Computer),
                                   SpeedDeal::PerSide(decks), decks));
        }
        // The "ready" box's own event loop handles what was posted before the deal.
        while (FResult.Ok() && !FPosted.empty())
            Handle();
        if (FGame->Running() || FGame->Open() || FDecided != 0)
            return Fail("a message of the last deal decided the new one");
        FAction = "the deal";
        FGame->Begin(number);
        if (FDealtEvents != 1)
            return Fail(Format("the deal was announced %d times", FDealtEvents));
        if (FGame->BothStuck())
            TurnOver();
        Check();
    }

    // Everything the game announces moves the view's cards, as the window's card groups move.
    void Heard(const TGameEvent& E) {
        TSpeedTable& v = FView;
        switch (E.Kind) {
        case TGameEventKind::Dealt:
            ++FDealtEvents;
            break;
        case TGameEventKind::GameAbandoned:
            ++FAbandoned;
            break;
        case TGameEventKind::CardLaid: {
            int32_t& slot = v.Row(E.Play.Side).Slots[size_t(E.Play.Slot)];
            if (slot != E.Play.Card || slot == 0 || (E.Play.Table != 1 && E.Play.Table != 2))
                return Fail(Format("a laid card %d is not the slot's %d", E.Play.Card, slot));
            v.Piles[size_t(E.Play.Table - 1)].push_back(std::exchange(slot, 0));
            ++v.Row(E.Play.Side).Played;
            break;
        }
        case TGameEventKind::SlotRefilled: {
            TSpeedRow& row = v.Row(E.Play.Side);
            int32_t& slot = row.Slots[size_t(E.Play.Slot)];
            if (slot != 0 || row.Pile.empty() || row.Pile.back() != E.Play.Card)
                return Fail(Format("the %s's slot %d was refilled with %d, not its pile's next",
                                   Name(E.Play.Side), E.Play.Slot + 1, E.Play.Card));
            slot = row.Pile.back();
            row.Pile.pop_back();
            break;
        }
        case TGameEventKind::PilesTurnedOver:
            for (const TSide side : {TSide::Human, TSide::Computer}) {
                TSpeedRow& row = v.Row(side);
                const int from = E.TurnedFrom[Index(side)];
                std::vector<int32_t>& onto = v.Piles[Index(side)];
                if (from == TurnedFromPile && !row.Pile.empty()) {
                    onto.push_back(row.Pile.back());
                    row.Pile.pop_back();
                } else if (from >= 0 && from < 4 && row.Pile.empty() &&
                           row.Slots[size_t(from)] != 0) {
                    onto.push_back(std::exchange(row.Slots[size_t(from)], 0));
                } else if (from != -1 || !row.Pile.empty() ||
                           std::count(row.Slots.begin(), row.Slots.end(), 0) != 4) {
                    return Fail(Format("the %s's turn-over came from %d", Name(side), from));
                }
                ++row.Played;
            }
            break;
        case TGameEventKind::ScoreChanged:
            FLastScore = E.Score;
            break;
        case TGameEventKind::PlayRefused:
            FLastRefusal = E.Why;
            FLastFits = E.Fits;
            break;
        case TGameEventKind::SideStuck:
            if (!FGame->Running() || !FGame->Table().Row(E.Side).Stuck ||
                HasPlay(FGame->Table(), E.Side))
                Fail(Format("the %s was announced stuck %s", Name(E.Side),
                            FGame->Running() ? "while it can play" : "after the game"));
            break;
        case TGameEventKind::GameDecided:
            ++FDecided;
            if (E.Score != FGame->Score())
                Fail(
                    Format("the decision announced the score %d, not %d", E.Score, FGame->Score()));
            break;
        default:
            break;
        }
    }

    void Post(const TPlay& Play) {
        if (FGame->Won(Play.Side))
            FPosted.push_back({true, Play.Side, 0});
        else
            FPosted.push_back({false, Play.Side, Play.Slot});
    }

    // The window's turn-over: every pass while both rows stay stuck.
    void TurnOver() {
        if (!FGame->Running())
            return;
        FGame->TurnOverPiles();
        if (FGame->Won(TSide::Human) || FGame->Won(TSide::Computer))
            FPosted.push_back({true, TSide::Human, 0});
    }

    // The computer's timer ticks: a turn-over when both rows are stuck, else its choice.
    void Step() {
        ++FResult.Steps;
        FAction = Format("computer step %d", FResult.Steps);
        FNow += Pace();
        if (FGame->BothStuck())
            return TurnOver();
        if (FGame->Table().Row(TSide::Computer).Stuck || FGame->Won(TSide::Human) ||
            FGame->Won(TSide::Computer))
            return;
        std::optional<TPlay> play = SpeedRun::ComputerChoice(*FGame);
        if (!play)
            return;
        const TSpeedTable before = FGame->Table();
        const int32_t score = FGame->Score();
        if (!FGame->Play(*play, false))
            return Fail(Format("the computer's choice, slot %d, was refused", play->Slot + 1));
        if (FGame->Table().Row(TSide::Computer).Played != before.Row(TSide::Computer).Played + 1 ||
            FGame->Score() != score ||
            FGame->Table().Piles[size_t(play->Table - 1)].back() != play->Card)
            return Fail("the computer's play was not laid and counted once");
        Post(*play);
    }

    void Round() {
        Step();
        Check();
        switch (FRandom() % 10) {
        case 0:
        case 1: // before the computer's play is followed up
            Human();
            Drain();
            break;
        case 2: // two quick ones
            Drain();
            Human();
            Drain();
            Human();
            Drain();
            break;
        default:
            Drain();
            Human();
            Drain();
            break;
        }
        if (FResult.Ok() && !FEnded && FGame->Running() && Chance(4000)) {
            // A new deal in the middle of a game abandons it; its refills may still be posted.
            FCarried = FGame->Score();
            if (Chance(2))
                Human();
            Deal();
            Drain();
        }
    }

    // The posted messages, handled in order as the event loop would; then the table must be
    // settled.
    void Drain() {
        while (FResult.Ok() && !FPosted.empty()) {
            Handle();
            Check();
        }
        CheckSettled();
    }

    void Handle() {
        const TPosted p = FPosted.front();
        FPosted.pop_front();
        if (p.GameOver)
            return GameOver();
        FAction = Format("the %s's refill of slot %d", Name(p.Side), p.Slot + 1);
        FGame->Refill(p.Side, p.Slot);
        if (FGame->BothStuck())
            TurnOver();
    }

    void GameOver() {
        FAction = "the game over";
        const TSpeedTable& t = FGame->Table();
        const TSpeedRow& human = t.Row(TSide::Human);
        const TSpeedRow& computer = t.Row(TSide::Computer);
        const int32_t before = FGame->Score();
        const int32_t bonus = TLevel::Of(FResult.Rules.Level).value_or(TLevel()).Bonus();
        const bool humanWon = human.Won;
        const std::optional<TSide> winner = FGame->Decide(FTieToComputer, bonus, FNow - FDealStart);
        if (!winner) {
            if (FDecided != 0 || FGame->Open())
                Fail("the game over decided no winner");
            return; // decided already: a second game over changes nothing
        }
        if (FDecided != 1)
            return Fail(Format("the decision was announced %d times", FDecided));
        if (FGame->Running() || FGame->Open())
            return Fail("the game runs on after its decision");
        const int32_t goal = t.CardsToWin;
        if (*winner == TSide::Human) {
            const int32_t expected = before + bonus + (goal - computer.Played) * 100 + 1;
            if (!humanWon || human.Played < goal)
                return Fail(
                    Format("the human is named winner with %d of %d cards", human.Played, goal));
            if (FGame->Score() != expected)
                return Fail(Format("the human's win scores %d, not %d", FGame->Score(), expected));
            ++FResult.HumanWins;
        } else {
            if (!computer.Won || (humanWon && !FTieToComputer) || computer.Played < goal)
                return Fail(Format("the computer is named winner with %d of %d cards",
                                   computer.Played, goal));
            if (FGame->Score() != before)
                return Fail("the computer's win changed the human's score");
        }
        ++FResult.Decided;
        if (FGame->Decide(FTieToComputer, bonus, FNow - FDealStart) || FDecided != 1)
            return Fail("a game was decided twice");
        Check();
        Closed();
        if (!FResult.Ok())
            return;
        if (FResult.Deals < MaxDealsPerGame && Chance(4)) {
            FCarried = FGame->Score();
            Deal();
        } else {
            FEnded = true;
        }
    }

    // A decided game takes no plays and no turn-over, from either row.
    void Closed() {
        FAction = "a play after the decision";
        const TSpeedTable before = FGame->Table();
        const int32_t score = FGame->Score();
        for (const TSide side : {TSide::Human, TSide::Computer})
            for (int slot = 0; slot < 4; ++slot) {
                TPlay play{side, slot, int(FRandom() % 3), 0};
                if (FGame->Play(play, false) || FLastRefusal != TRefusal::NotRunning)
                    return Fail(Format("the %s's slot %d was taken after the decision", Name(side),
                                       slot + 1));
            }
        FGame->TurnOverPiles();
        if (!(FGame->Table() == before) || FGame->Score() != score ||
            SpeedRun::ComputerChoice(*FGame))
            return Fail("the decided game moved");
    }

    // The player: most often nothing or a slot that plays, by its pile or the first that takes
    // it; sometimes a card that fits nowhere, or a pile that does not take it. Held plays while
    // the fumble lock holds.
    void Human() {
        if (!FResult.Ok() || FEnded || Chance(3))
            return;
        FNow += int64_t(FRandom() % uint64_t(Pace() / 2 + 1));
        const TSpeedTable& t = FGame->Table();
        std::vector<int> legal, stray;
        const bool decided = !FGame->Running();
        for (int i = 0; i < 4; ++i)
            (!decided && PileFor(t, t.Row(TSide::Human).Slots[size_t(i)], 0) != 0 ? legal : stray)
                .push_back(i);
        if ((decided || Chance(12)) && !stray.empty())
            return Refused(stray[FRandom() % stray.size()], int(FRandom() % 3));
        if (legal.empty())
            return;
        const int i = legal[FRandom() % legal.size()];
        const int32_t card = t.Row(TSide::Human).Slots[size_t(i)];
        int wanted = Chance(3) ? 1 + int(FRandom() % 2) : 0;
        if (Locked() || PileFor(t, card, wanted) == 0)
            return Refused(i, wanted);
        const int pile = PileFor(t, card, wanted);
        const int32_t played = t.Row(TSide::Human).Played;
        const int32_t score = FGame->Score();
        FAction = Format("the human plays slot %d on pile %d", i + 1, wanted);
        TPlay play{TSide::Human, i, wanted, 0};
        ++FResult.HumanPlays;
        if (!FGame->Play(play, false))
            return Fail("a card that fits was refused");
        if (play.Table != pile || play.Card != card || t.Piles[size_t(pile - 1)].back() != card ||
            t.Row(TSide::Human).Slots[size_t(i)] != 0)
            return Fail(Format("the card %d did not go to pile %d", card, pile));
        if (t.Row(TSide::Human).Played != played + 1 || FGame->Score() != score + 1)
            return Fail("the play was not counted once");
        Post(play);
        Check();
    }

    // A play the rules refuse: it changes nothing, and a card that fits nowhere locks the
    // player's cards under the fumble rule.
    void Refused(int Slot, int Wanted) {
        FAction = Format("the human tries slot %d on pile %d%s", Slot + 1, Wanted,
                         Locked() ? ", locked" : "");
        const TSpeedTable before = FGame->Table();
        const int32_t score = FGame->Score();
        const int32_t card = before.Row(TSide::Human).Slots[size_t(Slot)];
        const bool fits = PileFor(before, card, Wanted) != 0;
        const bool held = Locked();
        TPlay play{TSide::Human, Slot, Wanted, 0};
        ++FResult.Refused;
        if (FGame->Play(play, held))
            return Fail("a play that cannot be made was laid");
        if (!(FGame->Table() == before) || FGame->Score() != score)
            return Fail("a refused play changed the game");
        const TRefusal expected = !FGame->Running() ? TRefusal::NotRunning
                                  : card == 0       ? TRefusal::EmptySlot
                                  : held            ? TRefusal::Held
                                                    : TRefusal::NoFit;
        if (FLastRefusal != expected || (expected == TRefusal::Held && FLastFits != fits))
            return Fail(Format("refused as %d, not %d", int(FLastRefusal), int(expected)));
        if (expected == TRefusal::NoFit)
            FLockedUntil = FNow + FumbleLockMs;
        Check();
    }

    // What holds between any two events.
    void Check() {
        if (!FResult.Ok())
            return;
        const TSpeedTable& t = FGame->Table();
        if (!SameCards(FView, t) || FView.Rows[0].Played != t.Rows[0].Played ||
            FView.Rows[1].Played != t.Rows[1].Played)
            return Fail("the table is not what its events made of the deal");
        if (FLastScore != FGame->Score())
            return Fail(Format("the score %d was announced as %d", FGame->Score(), FLastScore));
        if (t.Cards() != FCards)
            return Fail("cards were lost, doubled or changed");
        const int32_t goal = t.CardsToWin;
        for (const TSide side : {TSide::Human, TSide::Computer}) {
            const TSpeedRow& row = t.Row(side);
            const int32_t held = int32_t(row.Pile.size()) +
                                 int32_t(4 - std::count(row.Slots.begin(), row.Slots.end(), 0));
            if (held > 0 ? row.Played + held != goal : row.Played < goal)
                return Fail(Format("the %s holds %d cards and has %d counted as gone", Name(side),
                                   held, row.Played));
        }
        if (!FGame->Running()) {
            if (FGame->Open() && !FGame->Won(TSide::Human) && !FGame->Won(TSide::Computer))
                Fail("the game stopped with nobody at the goal");
            return;
        }
        if (FGame->Won(TSide::Human) || FGame->Won(TSide::Computer) || t.Rows[0].Played >= goal ||
            t.Rows[1].Played >= goal)
            return Fail(Format("the game runs on after a side reached %d", goal));
        if (FGame->Score() - t.Rows[0].Played != FScoreBase)
            return Fail(Format("the score %d does not follow the %d cards counted", FGame->Score(),
                               t.Rows[0].Played));
    }

    // What holds once every posted message has been handled.
    void CheckSettled() {
        Check();
        if (!FResult.Ok() || FEnded)
            return;
        const TSpeedTable& t = FGame->Table();
        if (!FGame->Running()) {
            if (FGame->Open())
                Fail("the game was decided and no winner announced");
            return;
        }
        for (const TSide side : {TSide::Human, TSide::Computer})
            if (t.Row(side).Stuck == HasPlay(t, side))
                return Fail(Format("the %s is marked %s", Name(side),
                                   t.Row(side).Stuck ? "stuck with a play" : "able to play"));
        if (FGame->BothStuck() && !(t.Rows[0].Pile.empty() && t.Rows[1].Pile.empty()))
            Fail("both rows are stuck and a pile was not turned over");
    }

    void Fail(const std::string& What) {
        if (!FResult.Ok())
            return;
        const TCombination& r = FResult.Rules;
        FResult.Failure =
            Format("seed %llu (%d deck%s, %s scoring, level %d, fumble rule %s), deal %d, ",
                   static_cast<unsigned long long>(FResult.Seed), r.DeckCount,
                   r.DeckCount == 1 ? "" : "s", r.Scoring == 0 ? "Normal" : "Las Vegas", r.Level,
                   FResult.Fumble ? "on" : "off", FResult.Deals) +
            FAction + ": " + What;
    }

    std::mt19937_64 FRandom;
    std::unique_ptr<TSpeedGame> FGame;
    TResult FResult;
    std::string FAction;
    std::deque<TPosted> FPosted;
    TSpeedTable FView; // the table as the game's events alone move it
    std::vector<int32_t> FCards;
    int64_t FNow = 0; // milliseconds on the game's own clock
    int64_t FDealStart = 0;
    int64_t FLockedUntil = -1;
    int32_t FScoreBase = 0;
    int32_t FCarried = 0;
    int32_t FLastScore = 0;
    bool FNewSession = true;
    bool FEnded = false;
    bool FTieToComputer = false; // a tie at the goal goes to the computer, as in a match
    int FRounds = 0;
    int FDealtEvents = 0;
    int FAbandoned = 0;
    int FDecided = 0;
    TRefusal FLastRefusal = TRefusal::NoFit;
    bool FLastFits = false;
};

} // namespace

int main(int argc, char** argv) {
    uint64_t games = 10000;
    uint64_t base = 1;
    bool single = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--games") && hasValue) {
            games = soak::Number(argv[++i]);
        } else if (!std::strcmp(argv[i], "--base") && hasValue) {
            base = soak::Number(argv[++i]);
        } else if (!std::strcmp(argv[i], "--seed") && hasValue) {
            base = soak::Number(argv[++i]);
            games = 1;
            single = true;
        } else {
            std::fprintf(stderr, "usage: %s [--games N] [--base B] | --seed S\n", argv[0]);
            return 2;
        }
    }

    TSoak soak;
    uint64_t failures = 0, decided = 0, humanWins = 0, steps = 0, plays = 0, refused = 0;
    double heapAfterFirst = 0, residentAfterFirst = 0, heapPeak = 0;
    const auto start = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::printf("%-8s %10s %9s %10s %10s %9s\n", "games", "seconds", "games/s", "heap MiB",
                "RSS MiB", "failures");
    for (uint64_t i = 0; i < games; ++i) {
        const uint64_t seed = base + i;
        const TResult r = soak.Play(seed);
        decided += uint64_t(r.Decided);
        humanWins += uint64_t(r.HumanWins);
        steps += uint64_t(r.Steps);
        plays += uint64_t(r.HumanPlays);
        refused += uint64_t(r.Refused);
        if (!r.Ok()) {
            ++failures;
            std::printf("FAIL %s\n  again: tolvi_core_soak --seed %llu\n", r.Failure.c_str(),
                        static_cast<unsigned long long>(seed));
        }
        const uint64_t done = i + 1;
        const double heap = soak::HeapMiB();
        if (done == 1) {
            heapAfterFirst = heap;
            residentAfterFirst = soak::ResidentMiB();
        }
        heapPeak = std::max(heapPeak, heap);
        if (soak::IsCheckpoint(done) || done == games) {
            const double s = seconds();
            std::printf("%-8llu %10.2f %9.1f %10.3f %10.1f %9llu\n",
                        static_cast<unsigned long long>(done), s, double(done) / s, heap,
                        soak::ResidentMiB(), static_cast<unsigned long long>(failures));
            std::fflush(stdout);
        }
    }
    const double s = seconds();
    std::printf("\n%llu games (%llu deals decided, %llu won by the human, %llu computer steps, "
                "%llu plays and %llu refused tries of the human) in %.2f s: %.1f games/s\n",
                static_cast<unsigned long long>(games), static_cast<unsigned long long>(decided),
                static_cast<unsigned long long>(humanWins), static_cast<unsigned long long>(steps),
                static_cast<unsigned long long>(plays), static_cast<unsigned long long>(refused), s,
                double(games) / s);
    if (!single)
        std::printf("heap after the first game %.3f MiB, highest after any game %.3f MiB, at the "
                    "end %.3f MiB; resident %.1f MiB after the first game, %.1f MiB at the end\n",
                    heapAfterFirst, heapPeak, soak::HeapMiB(), residentAfterFirst,
                    soak::ResidentMiB());
    std::printf("%llu failure%s\n", static_cast<unsigned long long>(failures),
                failures == 1 ? "" : "s");
    return failures == 0 ? 0 : 1;
}
