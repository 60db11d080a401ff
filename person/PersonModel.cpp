#include "PersonModel.h"

#include "SpeedRules.h"

#include <algorithm>
#include <array>
#include <cmath>

double TExGauss::Draw(std::mt19937_64& Random) const {
    double t = Mu;
    if (Sigma > 0)
        t += std::normal_distribution<double>(0.0, Sigma)(Random);
    if (Tau > 0)
        t += std::exponential_distribution<double>(1.0 / Tau)(Random);
    return std::max(0.0, t);
}

double TPersonParams::ChoiceMean(int Plays) const {
    return HickA + HickB * std::log2(double(Plays) + 1.0) + ChoiceSpread.Mean();
}

namespace {

TExGauss Scale(TExGauss G, double F) {
    return {G.Mu * F, G.Sigma * F, G.Tau * F};
}

// A typical adult: a simple reaction near 0.25 s (perception and a press), a choice among a few
// cards near 0.45 s before the hand moves.
TPersonParams Typical() {
    TPersonParams p;
    p.Name = "typical";
    p.Perceive = {100, 20, 30};
    p.HickA = 150;
    p.HickB = 80;
    p.ChoiceSpread = {0, 30, 60};
    p.Motor = {120, 25, 40};
    p.Switch = {80, 20, 40};
    p.Overlook = 0.04;
    p.Slowing = 120;
    return p;
}

} // namespace

TPersonParams TPersonParams::Scaled(double Factor) const {
    TPersonParams p = *this;
    p.Perceive = Scale(Perceive, Factor);
    p.HickA = HickA * Factor;
    p.HickB = HickB * Factor;
    p.ChoiceSpread = Scale(ChoiceSpread, Factor);
    p.Motor = Scale(Motor, Factor);
    p.Switch = Scale(Switch, Factor);
    p.Slowing = Slowing * Factor;
    return p;
}

TPersonParams TPersonParams::Human(int Index) {
    static constexpr std::array<double, 3> Factor{1.35, 1.0, 0.75};
    static constexpr std::array<double, 3> Overlook{0.08, 0.04, 0.02};
    static constexpr std::array<std::string_view, 3> Names{"slow", "typical", "fast"};
    const size_t i = size_t(std::clamp(Index, 0, 2));
    TPersonParams p = Typical().Scaled(Factor[i]);
    p.Overlook = Overlook[i];
    p.Name = Names[i];
    return p;
}

TPersonParams TPersonParams::Level(int Index) {
    // Factors measured so that each level's mean interval between plays is near Steady's at
    // its pace (the bench prints both); the fastest levels are quicker than any person.
    static constexpr std::array<double, 5> Factor{0.39, 0.667, 0.88, 1.12, 1.31};
    static constexpr std::array<double, 5> Overlook{0.0, 0.02, 0.04, 0.06, 0.08};
    static constexpr std::array<std::string_view, 5> Names{"Unbeatable", "Very Hard", "Hard",
                                                           "Medium", "Easy"};
    const size_t i = size_t(std::clamp(Index, 0, 4));
    TPersonParams p = Typical().Scaled(Factor[i]);
    p.Overlook = Overlook[i];
    p.Name = Names[i];
    return p;
}

TPersonPlayer::TPersonPlayer(TSide Side, TPersonParams Params, uint64_t Seed)
    : FSide(Side), FParams(Params), FRandom(Seed) {}

int64_t TPersonPlayer::After(int64_t Now, double Ms) const {
    return Now + std::max<int64_t>(1, std::llround(Ms));
}

void TPersonPlayer::OnTableChanged(int64_t Now, const TSpeedTable& Table) {
    switch (FStage) {
    case TStage::Waiting:
        FStage = TStage::Perceiving;
        FAt = After(Now, FParams.Perceive.Draw(FRandom));
        break;
    case TStage::Choosing:
        // The pile it meant to play on changed under its eye: it starts again, put off.
        if (Table.Top(FPlay.Table) != FChosenTops[size_t(FPlay.Table - 1)]) {
            FStage = TStage::Perceiving;
            FAt = After(Now, FParams.Slowing + FParams.Perceive.Draw(FRandom));
        }
        break;
    case TStage::Perceiving: // it will see the table as it is then
    case TStage::Moving:     // the hand is on its way: too late to stop
        break;
    }
}

std::optional<int64_t> TPersonPlayer::NextActionAt() const {
    if (FStage == TStage::Waiting)
        return std::nullopt;
    return FAt;
}

void TPersonPlayer::Look(int64_t Now, const TSpeedTable& Table) {
    const std::array<int32_t, 2> tops{Table.Top(1), Table.Top(2)};
    const std::array<int32_t, 4> slots = Table.SlotValues(FSide);
    bool any = false;
    double delay = 0;
    // One pile at a time: the watched one first, then a look over to the other.
    for (int look = 0; look < 2; ++look) {
        const int pile = look == 0 ? FWatched : 1 - FWatched;
        if (look == 1)
            delay += FParams.Switch.Draw(FRandom);
        int seen = 0, first = -1;
        for (int slot = 0; slot < 4; ++slot) {
            if (!SpeedRules::NextRank(slots[size_t(slot)], tops[size_t(pile)]))
                continue;
            any = true;
            if (std::uniform_real_distribution<double>(0, 1)(FRandom) < FParams.Overlook)
                continue;
            ++seen;
            if (first < 0)
                first = slot;
        }
        if (seen > 0) {
            FWatched = pile;
            FPlay = TPlay{FSide, first, pile + 1, Table.Row(FSide).Slots[size_t(first)]};
            FChosenTops = tops;
            FStage = TStage::Choosing;
            FAt = After(Now, delay + FParams.HickA + FParams.HickB * std::log2(seen + 1.0) +
                                 FParams.ChoiceSpread.Draw(FRandom));
            return;
        }
    }
    if (any) { // it missed what was there: another look finds it
        FStage = TStage::Perceiving;
        FAt = After(Now, delay + FParams.Perceive.Draw(FRandom));
    } else {
        FStage = TStage::Waiting;
    }
}

std::optional<TPlay> TPersonPlayer::Act(int64_t Now, const TSpeedTable& Table) {
    if (FStage == TStage::Waiting || Now < FAt)
        return std::nullopt;
    switch (FStage) {
    case TStage::Perceiving:
        Look(Now, Table);
        return std::nullopt;
    case TStage::Choosing:
        FStage = TStage::Moving;
        FAt = After(Now, FParams.Motor.Draw(FRandom));
        return std::nullopt;
    case TStage::Moving:
        // It looks again after each move, whether the card landed or lost a race.
        FStage = TStage::Perceiving;
        FAt = After(Now, FParams.Perceive.Draw(FRandom));
        return FPlay;
    case TStage::Waiting:
        break;
    }
    return std::nullopt;
}
