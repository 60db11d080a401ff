#pragma once
// A player modelled on a person: it notices a change on the table after a perception delay,
// chooses in a time that grows with the plays it sees (Hick-Hyman), then moves its hand. Every
// stage's time is drawn from an ex-Gaussian (people are right-skewed, never a fixed tick) from a
// seeded source, so a game plays the same again. It looks only at what a player sees: its own
// row's slots and the tops of the central piles.

#include "SpeedGame.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>

// A stage's time in milliseconds: a normal part (Mu, Sigma) plus an exponential tail (Tau).
struct TExGauss {
    double Mu = 0;
    double Sigma = 0;
    double Tau = 0;

    double Mean() const { return Mu + Tau; }
    double Draw(std::mt19937_64& Random) const;
};

// A level, or a simulated human, as a set of parameters.
struct TPersonParams {
    std::string_view Name;
    TExGauss Perceive; // from a change on the table to its being seen
    double HickA = 0;  // choice time a + b * log2(n + 1), n the plays seen
    double HickB = 0;
    TExGauss ChoiceSpread; // added to the choice time (Mu usually 0)
    TExGauss Motor;        // from the choice to the card on the pile
    TExGauss Switch;       // looking over to the other pile
    double Overlook = 0;   // the chance that a play it could see goes unnoticed
    double Slowing = 0;    // extra time when a pile changes while it chooses

    double ChoiceMean(int Plays) const;

    // The five fixed levels, 0 Unbeatable .. 4 Easy, each near Steady's mean interval there.
    static TPersonParams Level(int Index);
    // Simulated humans from published reaction times: 0 slow, 1 typical, 2 fast.
    static TPersonParams Human(int Index);
    // Every time scaled by Factor, the rest kept: a rating's level between the named ones.
    TPersonParams Scaled(double Factor) const;
};

class TPersonPlayer {
public:
    TPersonPlayer(TSide Side, TPersonParams Params, uint64_t Seed);

    TSide Side() const { return FSide; }
    const TPersonParams& Params() const { return FParams; }

    // The table changed (a card laid by anyone, a refill, a turn-over): seen after a while.
    void OnTableChanged(int64_t Now, const TSpeedTable& Table);
    // When the model next does something; none while it waits for a change.
    std::optional<int64_t> NextActionAt() const;
    // Moves the model on to Now; the play its hand makes now, if any. A play it chose may have
    // lost a race meanwhile: the core refuses that one.
    std::optional<TPlay> Act(int64_t Now, const TSpeedTable& Table);

    // The pile tops it saw when it chose the play it is making or made last.
    std::array<int32_t, 2> ChosenTops() const { return FChosenTops; }

private:
    enum class TStage { Waiting, Perceiving, Choosing, Moving };

    int64_t After(int64_t Now, double Ms) const;
    void Look(int64_t Now, const TSpeedTable& Table);

    TSide FSide;
    TPersonParams FParams;
    std::mt19937_64 FRandom;
    TStage FStage = TStage::Waiting;
    int64_t FAt = 0;
    int FWatched = 0; // the pile it watches, 0 or 1
    TPlay FPlay;
    std::array<int32_t, 2> FChosenTops{};
};
