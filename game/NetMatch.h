#pragma once
// A match against a player elsewhere, on the window: the host's window plays the referee's
// role, the guest's the mirror's (match/). This side's table is the window's game; the window's
// inputs, its questions and its opponent are handed to the role while the match runs.

#include "MatchRole.h"
#include "NetLink.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class TMainForm;
class TNetOpponent;
class TWindowTable;

class TNetMatch : public QObject {
    Q_OBJECT
public:
    enum class TRole { Host, Guest };

    static constexpr int MinPlayIntervalMs = TMatchRole::MinPlayIntervalMs;
    static constexpr int PlayJitterMs = TMatchRole::PlayJitterMs;
    static constexpr int MaxLagMs = TMatchRole::MaxLagMs;

    // Takes over the link; the form is played against the peer once both have greeted, until
    // the match ends.
    TNetMatch(TMainForm& Form, TRole Role, TNetLink* Link, QObject* Parent = nullptr);
    ~TNetMatch() override;

    TRole Role() const { return FRole; }
    TNetLink& Link() { return FMatch->Link(); }
    bool Running() const { return FMatch->Running(); }
    // Both players confirmed the current deal.
    bool BothReady() const { return FMatch->BothReady(); }
    int LagMs() const { return FMatch->LagMs(); }
    void SetFixedLagMs(std::optional<int> Value) { FMatch->SetFixedLagMs(Value); }
    // The play clock, for the rate limit; tests replace it.
    std::function<qint64()> Clock;
    // How often the host looks whether both sides are stuck.
    void SetStuckCheckMs(int Value);

    // Leaves the match; the peer hears it.
    void Leave() { FMatch->Leave(); }
    // The match is over: Why tells the player why, empty when this side left.
    std::function<void(const QString& Why)> Ended;
    // The match began: the peer greeted and the form plays against it.
    std::function<void()> Began;

private:
    void Begin();
    void End(TMatchEnd Why, TNetFault Fault);
    void Restore();
    QString FaultText(TNetFault Fault) const;

    TMainForm& FForm;
    TRole FRole;
    std::unique_ptr<TWindowTable> FTable;
    std::unique_ptr<TMatchRole> FMatch;
    // The friend's row at the form, while the form plays against it.
    TNetOpponent* FOpponent = nullptr;
    bool FBegun = false;
    int FStuckCheckMs = 500;
    QElapsedTimer FElapsed;
};
