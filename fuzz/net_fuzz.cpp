// The decoder of a match's messages on any byte stream, fed in pieces the input's first byte
// chooses. Properties: the pieces do not change what is read; every message read is encoded
// back to exactly the bytes it was read from; after garbage nothing more is read; and what the
// decoder keeps waiting is less than one frame.

#include "NetMessage.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

struct TRead {
    std::vector<TNetMessage> Messages;
    bool Failed = false;
};

TRead ReadAll(const QByteArray& Stream, size_t Piece) {
    TRead r;
    TNetDecoder decoder;
    for (qsizetype at = 0; at < Stream.size(); at += qsizetype(Piece)) {
        decoder.Feed(Stream.mid(at, qsizetype(Piece)));
        while (std::optional<TNetMessage> m = decoder.Next())
            r.Messages.push_back(*m);
        FUZZ_REQUIRE(decoder.Pending() < 2 + MaxNetBody, "a waiting frame is bounded");
    }
    r.Failed = decoder.Failed();
    FUZZ_REQUIRE(!decoder.Next(), "nothing more once a piece is read");
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1)
        return 0;
    const size_t piece = Data[0] % 7 + 1;
    const QByteArray stream(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));

    const TRead whole = ReadAll(stream, stream.size() > 0 ? size_t(stream.size()) : 1);
    const TRead pieces = ReadAll(stream, piece);
    FUZZ_REQUIRE(whole.Messages == pieces.Messages, "the pieces change nothing");
    FUZZ_REQUIRE(whole.Failed == pieces.Failed, "the pieces change nothing");

    QByteArray again;
    for (const TNetMessage& m : whole.Messages)
        again.append(EncodeNetMessage(m));
    FUZZ_REQUIRE(stream.startsWith(again), "a message encodes to the bytes it came from");
    // A stream that is read whole and not failed either ends with its last message or with
    // a frame still to come.
    if (!whole.Failed)
        FUZZ_REQUIRE(stream.size() - again.size() < 2 + MaxNetBody, "only one frame may wait");
    return 0;
}
