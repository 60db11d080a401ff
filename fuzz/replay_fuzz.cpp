// The replay reader on any file contents. Properties: a file is either a replay or a message,
// never both nor neither; an accepted replay is within the caps, written again reads back the
// same, and plays back on the core to its end or to a stop with a message.

#include "ReplayText.h"
#include "Replayer.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QByteArray text(reinterpret_cast<const char*>(Data), qsizetype(Size));
    const ReplayText::TRead read = ReplayText::Read(text);
    FUZZ_REQUIRE(read.Replay.has_value() == read.Error.isEmpty(), "a replay or a message");
    if (!read.Replay)
        return 0;
    const TReplay& replay = *read.Replay;
    FUZZ_REQUIRE(size_t(Size) <= size_t(ReplayText::MaxBytes), "within the size cap");
    FUZZ_REQUIRE(replay.Entries.size() <= ReplayText::MaxEntries, "within the entry cap");
    const ReplayText::TRead again = ReplayText::Read(ReplayText::Write(replay));
    FUZZ_REQUIRE(again.Replay.has_value() && *again.Replay == replay,
                 "written, reads back the same");

    TReplayer replayer(replay);
    const bool whole = replayer.SeekTo(replay.Entries.size());
    FUZZ_REQUIRE(whole == replayer.AtEnd() && whole == replayer.Error().isEmpty(),
                 "played to its end, or stopped with a message");
    if (!whole)
        FUZZ_REQUIRE(replayer.StoppedAt() == replayer.Position(), "stopped where it stands");
    return 0;
}
