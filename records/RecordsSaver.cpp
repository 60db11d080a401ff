#include "RecordsSaver.h"

#include <utility>

TRecordsSaver::TRecordsSaver(TSave Saving, int RetryMs) : FSave(std::move(Saving)) {
    FRetry.setSingleShot(true);
    FRetry.setInterval(RetryMs);
    // A retry that fails for another reason than the lock says nothing: the next decision
    // or the close tries again and tells the player.
    QObject::connect(&FRetry, &QTimer::timeout, &FRetry, [this] { Save(); });
}

std::optional<TConfigSave> TRecordsSaver::Save() {
    if (FStopped)
        return std::nullopt;
    FRetry.stop();
    TConfigSave saved = FSave();
    if (saved.Busy)
        FRetry.start();
    return saved;
}

void TRecordsSaver::Stop() {
    FStopped = true;
    FRetry.stop();
}
