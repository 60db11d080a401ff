#pragma once
// Puts the records into the settings file as games are decided, so that a program that is
// killed loses at most the game it was playing, without keeping the player waiting: when
// another copy holds the file, the save is tried again a moment later, until it goes in or the
// window closes, whose save takes everything.

#include "ConfigFile.h"

#include <QTimer>
#include <functional>
#include <optional>

class TRecordsSaver {
public:
    // Saving merges what the window added into the file without waiting for its lock.
    using TSave = std::function<TConfigSave()>;
    explicit TRecordsSaver(TSave Saving, int RetryMs = 250);

    // Saves now. When the file is busy the retries start and Busy comes back; a save that
    // fails otherwise keeps what was added for the next save, and says why. Nothing once
    // stopped.
    std::optional<TConfigSave> Save();
    // No more saves, now or later: the close saves everything itself.
    void Stop();
    bool Retrying() const { return FRetry.isActive(); }

private:
    TSave FSave;
    QTimer FRetry;
    bool FStopped = false;
};
