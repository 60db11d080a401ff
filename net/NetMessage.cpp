#include "NetMessage.h"

#include <array>

namespace {

constexpr std::array<char, 4> HelloMagic{'T', 'O', 'L', 'V'};

class TWriter {
public:
    void U8(uint8_t V) { FBody.append(static_cast<char>(V)); }
    void U16(uint16_t V) {
        U8(static_cast<uint8_t>(V >> 8));
        U8(static_cast<uint8_t>(V));
    }
    void U32(uint32_t V) {
        U16(static_cast<uint16_t>(V >> 16));
        U16(static_cast<uint16_t>(V));
    }
    void U64(uint64_t V) {
        U32(static_cast<uint32_t>(V >> 32));
        U32(static_cast<uint32_t>(V));
    }
    void Bytes(const QByteArray& V) { FBody.append(V); }
    const QByteArray& Body() const { return FBody; }

private:
    QByteArray FBody;
};

class TReader {
public:
    TReader(const char* Data, qsizetype Size) : FData(Data), FSize(Size) {}
    bool Ok() const { return FOk; }
    bool AtEnd() const { return FPos == FSize; }
    uint8_t U8() {
        if (FPos >= FSize) {
            FOk = false;
            return 0;
        }
        return static_cast<uint8_t>(FData[FPos++]);
    }
    // Each part read in its own statement: the operands of | are evaluated in no set order.
    uint16_t U16() {
        const uint16_t high = U8();
        return static_cast<uint16_t>(high << 8 | U8());
    }
    uint32_t U32() {
        const uint32_t high = U16();
        return high << 16 | U16();
    }
    uint64_t U64() {
        const uint64_t high = U32();
        return high << 32 | U32();
    }
    QByteArray Bytes(qsizetype N) {
        if (N > FSize - FPos) {
            FOk = false;
            return {};
        }
        QByteArray b(FData + FPos, N);
        FPos += N;
        return b;
    }
    // A card ID, or 0 when Zero allows none.
    uint8_t Card(bool Zero = false) {
        const uint8_t v = U8();
        if (!(Zero && v == 0) && (v < MinNetCard || v > MaxNetCard))
            FOk = false;
        return v;
    }
    // A field must hold one of a few values.
    uint8_t Below(uint8_t Limit, uint8_t Low = 0) {
        const uint8_t v = U8();
        if (v < Low || v >= Limit)
            FOk = false;
        return v;
    }

private:
    const char* FData;
    qsizetype FSize;
    qsizetype FPos = 0;
    bool FOk = true;
};

QByteArray NameBytes(const QString& Name) {
    QByteArray utf8 = Name.toUtf8();
    if (utf8.size() <= MaxNetName)
        return utf8;
    // Cut before a continuation byte's lead, so the rest is still UTF-8.
    qsizetype n = MaxNetName;
    while (n > 0 && (static_cast<uint8_t>(utf8[n]) & 0xC0) == 0x80)
        --n;
    return utf8.left(n);
}

} // namespace

QByteArray EncodeNetMessage(const TNetMessage& M) {
    TWriter w;
    w.U8(static_cast<uint8_t>(M.Kind));
    switch (M.Kind) {
    case TNetKind::Hello: {
        w.Bytes(QByteArray(HelloMagic.data(), HelloMagic.size()));
        w.U16(M.Version);
        const QByteArray name = NameBytes(M.Name);
        w.U8(static_cast<uint8_t>(name.size()));
        w.Bytes(name);
        break;
    }
    case TNetKind::Deal:
        w.U8(M.Decks);
        w.U8(M.Yes ? 1 : 0);
        w.U8(M.Fumble ? 1 : 0);
        w.Bytes(M.Commit.leftJustified(NetCommitBytes, '\0', true));
        break;
    case TNetKind::Cards: {
        const QByteArray cards = M.Cards.left(MaxNetCards);
        w.U8(static_cast<uint8_t>(cards.size()));
        w.Bytes(cards);
        break;
    }
    case TNetKind::Reveal:
        w.U64(M.Number);
        w.Bytes(M.Salt.leftJustified(NetSaltBytes, '\0', true));
        break;
    case TNetKind::Play:
        w.U8(M.Slot);
        w.U8(M.Table);
        break;
    case TNetKind::Laid:
        w.U8(M.Side);
        w.U8(M.Slot);
        w.U8(M.Table);
        w.U8(static_cast<uint8_t>(M.Card));
        w.U8(M.Shown);
        break;
    case TNetKind::Refused:
        w.U8(M.Slot);
        w.U8(M.Table);
        w.U8(M.Why);
        break;
    case TNetKind::Busy:
        w.U8(M.Why);
        break;
    case TNetKind::Again:
        w.U8(M.Yes ? 1 : 0);
        break;
    case TNetKind::Ping:
    case TNetKind::Pong:
        w.U64(static_cast<uint64_t>(M.Stamp));
        break;
    case TNetKind::TurnOver:
        w.U8(M.Shown);
        break;
    case TNetKind::Ready:
    case TNetKind::Bye:
        break;
    }
    const QByteArray& body = w.Body();
    QByteArray frame;
    frame.reserve(body.size() + 2);
    frame.append(static_cast<char>(body.size() >> 8));
    frame.append(static_cast<char>(body.size() & 0xFF));
    frame.append(body);
    return frame;
}

std::optional<TNetMessage> DecodeNetBody(const char* Data, qsizetype Size) {
    if (Size < 1 || Size > MaxNetBody)
        return std::nullopt;
    TReader r(Data, Size);
    TNetMessage m;
    const uint8_t kind = r.U8();
    switch (kind) {
    case static_cast<uint8_t>(TNetKind::Hello): {
        if (r.Bytes(4) != QByteArray(HelloMagic.data(), HelloMagic.size()))
            return std::nullopt;
        m.Version = r.U16();
        const QByteArray name = r.Bytes(r.Below(MaxNetName + 1));
        m.Name = QString::fromUtf8(name);
        // Names travel as valid UTF-8 only.
        if (m.Name.toUtf8() != name)
            return std::nullopt;
        break;
    }
    case static_cast<uint8_t>(TNetKind::Deal):
        m.Decks = r.Below(3, 1);
        m.Yes = r.Below(2) == 1;
        m.Fumble = r.Below(2) == 1;
        m.Commit = r.Bytes(NetCommitBytes);
        break;
    case static_cast<uint8_t>(TNetKind::Cards): {
        const uint8_t n = r.Below(MaxNetCards + 1, 1);
        for (uint8_t i = 0; i < n && r.Ok(); ++i)
            m.Cards.append(static_cast<char>(r.Card()));
        break;
    }
    case static_cast<uint8_t>(TNetKind::Reveal):
        m.Number = r.U64();
        m.Salt = r.Bytes(NetSaltBytes);
        break;
    case static_cast<uint8_t>(TNetKind::Play):
        m.Slot = r.Below(4);
        m.Table = r.Below(3);
        break;
    case static_cast<uint8_t>(TNetKind::Laid):
        m.Side = r.Below(2);
        m.Slot = r.Below(4);
        m.Table = r.Below(3, 1);
        m.Card = r.Card();
        m.Shown = r.Card(true);
        break;
    case static_cast<uint8_t>(TNetKind::Refused):
        m.Slot = r.Below(4);
        m.Table = r.Below(3);
        m.Why = r.Below(4);
        break;
    case static_cast<uint8_t>(TNetKind::Busy):
        m.Why = r.Below(2);
        break;
    case static_cast<uint8_t>(TNetKind::Again):
        m.Yes = r.Below(2) == 1;
        break;
    case static_cast<uint8_t>(TNetKind::Ping):
    case static_cast<uint8_t>(TNetKind::Pong):
        m.Stamp = static_cast<int64_t>(r.U64());
        break;
    case static_cast<uint8_t>(TNetKind::TurnOver):
        m.Shown = r.Card(true);
        break;
    case static_cast<uint8_t>(TNetKind::Ready):
    case static_cast<uint8_t>(TNetKind::Bye):
        break;
    default:
        return std::nullopt;
    }
    m.Kind = static_cast<TNetKind>(kind);
    if (!r.Ok() || !r.AtEnd())
        return std::nullopt;
    return m;
}

void TNetDecoder::Feed(const QByteArray& Bytes) {
    if (FFailed)
        return;
    // What was read already goes before the buffer grows, so it holds at most one frame
    // beyond what the caller fed since.
    if (FRead > 0) {
        FBuffer.remove(0, FRead);
        FRead = 0;
    }
    FBuffer.append(Bytes);
}

std::optional<TNetMessage> TNetDecoder::Next() {
    if (FFailed || FBuffer.size() - FRead < 2)
        return std::nullopt;
    const auto* p = reinterpret_cast<const uint8_t*>(FBuffer.constData() + FRead);
    const qsizetype length = p[0] << 8 | p[1];
    if (length < 1 || length > MaxNetBody) {
        FFailed = true;
        FBuffer.clear();
        FRead = 0;
        return std::nullopt;
    }
    if (FBuffer.size() - FRead < 2 + length)
        return std::nullopt;
    std::optional<TNetMessage> m = DecodeNetBody(FBuffer.constData() + FRead + 2, length);
    if (!m) {
        FFailed = true;
        FBuffer.clear();
        FRead = 0;
        return std::nullopt;
    }
    FRead += 2 + length;
    return m;
}
