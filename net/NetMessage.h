#pragma once
// The messages two copies of the game exchange in a match, and their wire form: each message is
// a two-byte big-endian length and a body of at most MaxNetBody bytes, a kind byte and the
// kind's fields. A body that is too long, of an unknown kind, of the wrong length for its kind
// or with a field out of range is garbage, and a decoder that met garbage reads no further.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

inline constexpr uint16_t NetProtocolVersion = 3;
inline constexpr int MaxNetBody = 64;
inline constexpr int MaxNetName = 32; // bytes of UTF-8
inline constexpr uint16_t DefaultNetPort = 47025;
inline constexpr int NetCommitBytes = 32; // SHA-256
inline constexpr int NetSaltBytes = 16;
inline constexpr int MaxNetCards = 48; // card IDs in one Cards message
// Card IDs on the wire: the four suits' 2 to ace, no jokers.
inline constexpr int MinNetCard = 2;
inline constexpr int MaxNetCard = 53;

enum class TNetKind : uint8_t {
    Hello = 1,     // Version, Name: the first message each way
    Deal = 2,      // Decks, Yes (a tie goes to the guest), Fumble, Commit: host to guest
    Ready = 3,     // the sender's player confirmed the deal
    Play = 4,      // Slot, Table (the sender's view): guest to host
    Laid = 5,      // Side, Slot, Table, Card, Shown (the host's view): host to guest
    Refused = 6,   // Slot, Table, Why: host to guest, a guest's play the host refused
    Again = 7,     // Yes: the sender's answer whether to play again
    Ping = 8,      // Stamp
    Pong = 9,      // Stamp, echoed
    Bye = 10,      // the sender leaves the match
    TurnOver = 11, // Shown: host to guest, one pass of turning the piles over
    Cards = 12,    // Cards: host to guest, the next of the deal's cards the guest may see
    Reveal = 13,   // Number, Salt: host to guest, the deal the game was, once it is over
    Busy = 14, // Why (a TNetBusy): host to guest in place of a greeting, the guest is turned away
};

// Why a host turns a guest away.
enum class TNetBusy : uint8_t {
    Joining = 0, // another guest is being let in
    InMatch = 1, // the host plays a match already
};

// Tables are numbered as the host sees them; the guest's are the other way round.
struct TNetMessage {
    TNetKind Kind = TNetKind::Bye;
    uint16_t Version = NetProtocolVersion;
    QString Name;
    uint64_t Number = 0; // a deal's number
    uint8_t Decks = 1;   // 1 or 2
    uint8_t Side = 0;    // 0 the host, 1 the guest
    uint8_t Slot = 0;    // 0 .. 3
    uint8_t Table = 0;   // 0 .. 2
    uint8_t Why = 0;     // a TRefusal, 0 .. 3; a TNetBusy, 0 .. 1
    int32_t Card = 0;
    // A card of the host's pile that the message turns face up (a refill, a turn-over), or 0.
    uint8_t Shown = 0;
    bool Yes = false;
    bool Fumble = false; // the host's fumble rule, which holds both players' plays
    int64_t Stamp = 0;
    QByteArray Commit; // NetCommitBytes
    QByteArray Salt;   // NetSaltBytes
    QByteArray Cards;  // 1 .. MaxNetCards card IDs, one byte each

    bool operator==(const TNetMessage&) const = default;
};

// The message framed for the wire. A name longer than MaxNetName is cut at a character.
QByteArray EncodeNetMessage(const TNetMessage& Message);

// Reads messages from a byte stream that arrives in any pieces.
class TNetDecoder {
public:
    // Appends bytes; nothing is read from them until Next.
    void Feed(const QByteArray& Bytes);
    // The next whole message, or none when more bytes are needed or after garbage.
    std::optional<TNetMessage> Next();
    bool Failed() const { return FFailed; }
    // Bytes kept for a message not yet whole: once Next returned none, less than one frame.
    qsizetype Pending() const { return FBuffer.size() - FRead; }

private:
    QByteArray FBuffer;
    qsizetype FRead = 0;
    bool FFailed = false;
};

// One body, without its length prefix; none when it is garbage.
std::optional<TNetMessage> DecodeNetBody(const char* Data, qsizetype Size);
