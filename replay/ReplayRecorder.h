#pragma once
// Records the game a TSpeedGame plays, from its events: each game from the confirmed deal to its
// decision or its abandonment, every change of the table with its time, and a check of the whole
// table every few entries.

#include "Replay.h"
#include "SpeedGame.h"

#include <cstdint>
#include <functional>
#include <memory>

class TReplayRecorder {
public:
    static constexpr int DefaultCheckEvery = 16;

    // Listens to Game's events from now on; Game must outlive the recording it is asked for, the
    // recorder may go first.
    explicit TReplayRecorder(TSpeedGame& Game);
    TReplayRecorder(const TReplayRecorder&) = delete;
    TReplayRecorder& operator=(const TReplayRecorder&) = delete;

    // The tags of the next game: the deal, the decks, the start score, the program's version,
    // the date and the result are filled in as it is played.
    TReplayTags& NextTags();
    // A check of the table after this many entries.
    void SetCheckEvery(int Entries);
    // Milliseconds on a monotonic clock; tests replace it.
    void SetClock(std::function<int64_t()> Clock);
    // Told with each game recorded to its end (decided or abandoned).
    void SetFinished(std::function<void(const TReplay&)> Finished);

    // The game being recorded, or the last one.
    const TReplay& Replay() const;
    bool Recording() const;

private:
    struct TState;
    std::shared_ptr<TState> FState;
};
