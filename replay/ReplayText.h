#pragma once
// A replay as a small text file a person can read: tag pairs, then the timed entries, a line for
// each moment ("12.345 H2>1:7C H2+9D": at 12.345 s your slot 2 laid the 7 of clubs on pile 1 and
// was refilled with the 9 of diamonds). Read strictly: a file that is not a whole replay of a
// known version is refused with a message and nothing else.

#include "Replay.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ReplayText {

constexpr qsizetype MaxBytes = 256 * 1024;
constexpr size_t MaxEntries = 20000;

QByteArray Write(const TReplay& Replay);

struct TRead {
    std::optional<TReplay> Replay;
    QString Error; // for the player, when there is no replay
};
TRead Read(const QByteArray& Text);

// The file: written to a temporary file and renamed into place; read no further than the cap.
// Save returns the error for the player, empty when it was saved.
QString Save(const TReplay& Replay, const QString& Path);
TRead Load(const QString& Path);

} // namespace ReplayText
