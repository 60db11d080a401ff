#pragma once
// Plays a replay back on the core: deals its number and makes each recorded change through the
// game's own rules, checking that they do exactly what was recorded. At the first entry where
// they would do otherwise it stops before making it, says where and why, and the table stays as
// it last agreed with the record.

#include "Replay.h"
#include "SpeedGame.h"

#include <QString>
#include <cstddef>

class TReplayer {
public:
    explicit TReplayer(TReplay Replay);
    TReplayer(const TReplayer&) = delete;
    TReplayer& operator=(const TReplayer&) = delete;

    // The game the replay is played on: a view follows its events and its table.
    TSpeedGame& Game() { return FGame; }
    const TSpeedGame& Game() const { return FGame; }
    const TReplay& Replay() const { return FReplay; }

    // The entries made so far.
    size_t Position() const { return FPosition; }
    bool AtEnd() const { return FPosition >= FReplay.Entries.size(); }
    // Makes the next entry; false at the end or once the replay has stopped.
    bool Step();
    // Plays the replay from its deal to entry Count (all of them at most): back means dealt
    // again. False when it stopped on the way.
    bool SeekTo(size_t Count);

    bool Stopped() const { return !FError.isEmpty(); }
    // Why it stopped, for the player; empty while it runs true.
    const QString& Error() const { return FError; }
    // The entry (0-based) it stopped at.
    size_t StoppedAt() const { return FStoppedAt; }

private:
    void Restart();
    // Why Entry cannot be made on the table as it stands; empty when it can.
    QString Refusal(const TReplayEntry& Entry) const;
    QString Make(const TReplayEntry& Entry);
    void Stop(const QString& Why, bool Wrong);

    TReplay FReplay;
    TSpeedGame FGame;
    size_t FPosition = 0;
    bool FDealt = false;
    QString FError;
    size_t FStoppedAt = 0;
    // The table at the last check it passed, where a later disagreement takes it back.
    TSpeedTable FAgreed;
    int32_t FAgreedScore = 0;
    // What the game announced while an entry was made.
    std::vector<TGameEvent> FHeard;
    // The table's hash at the last entry's event, where the recording took its checks.
    uint32_t FLastHash = 0;
};
