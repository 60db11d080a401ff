// The match's wire format and the join address: every message survives the trip in any
// pieces, and hostile bytes stop the decoder without growing it.

#include "NetAddress.h"
#include "NetMessage.h"
#include "NetSecret.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<TNetMessage> ReadBytewise(const QByteArray& Stream, TNetDecoder& Decoder) {
    std::vector<TNetMessage> read;
    for (const char c : Stream) {
        Decoder.Feed(QByteArray(1, c));
        while (auto m = Decoder.Next())
            read.push_back(*m);
    }
    return read;
}

TNetMessage Of(TNetKind Kind) {
    TNetMessage m;
    m.Kind = Kind;
    return m;
}

QByteArray Frame(const QByteArray& Body) {
    return QByteArray(1, char(Body.size() >> 8)) + char(Body.size() & 0xFF) + Body;
}

} // namespace

TEST(NetMessage, EveryKindSurvivesTheTripInAnyPieces) {
    std::vector<TNetMessage> sent;
    TNetMessage hello = Of(TNetKind::Hello);
    hello.Name = QStringLiteral("Åsa Ñúñez 🂡");
    sent.push_back(hello);
    TNetMessage deal = Of(TNetKind::Deal);
    deal.Decks = 2;
    deal.Yes = true;
    deal.Commit = QByteArray(NetCommitBytes, '\xC3');
    sent.push_back(deal);
    TNetMessage cards = Of(TNetKind::Cards);
    for (int i = 0; i < MaxNetCards; ++i)
        cards.Cards.append(char(MinNetCard + i % (MaxNetCard - MinNetCard + 1)));
    sent.push_back(cards);
    cards.Cards = QByteArray(1, char(MaxNetCard));
    sent.push_back(cards);
    TNetMessage reveal = Of(TNetKind::Reveal);
    reveal.Number = 0xFEDCBA9876543210u;
    reveal.Salt = QByteArray(NetSaltBytes, '\x81');
    sent.push_back(reveal);
    sent.push_back(Of(TNetKind::Ready));
    TNetMessage play = Of(TNetKind::Play);
    play.Slot = 3;
    play.Table = 2;
    sent.push_back(play);
    TNetMessage laid = Of(TNetKind::Laid);
    laid.Side = 1;
    laid.Slot = 2;
    laid.Table = 1;
    laid.Card = MaxNetCard;
    laid.Shown = MinNetCard;
    sent.push_back(laid);
    TNetMessage refused = Of(TNetKind::Refused);
    refused.Why = 3;
    sent.push_back(refused);
    TNetMessage again = Of(TNetKind::Again);
    again.Yes = true;
    sent.push_back(again);
    TNetMessage ping = Of(TNetKind::Ping);
    ping.Stamp = -1234567890123;
    sent.push_back(ping);
    TNetMessage turn = Of(TNetKind::TurnOver);
    turn.Shown = 41;
    sent.push_back(turn);
    sent.push_back(Of(TNetKind::Bye));
    TNetMessage busy = Of(TNetKind::Busy);
    busy.Why = uint8_t(TNetBusy::InMatch);
    sent.push_back(busy);

    QByteArray stream;
    for (const TNetMessage& m : sent) {
        const QByteArray frame = EncodeNetMessage(m);
        EXPECT_LE(frame.size(), 2 + MaxNetBody);
        stream += frame;
    }
    TNetDecoder decoder;
    EXPECT_EQ(ReadBytewise(stream, decoder), sent);
    EXPECT_FALSE(decoder.Failed());
    EXPECT_EQ(decoder.Pending(), 0);

    // A name too long for the wire is cut before a character, not inside one.
    hello.Name = QString(MaxNetName - 1, u'a') + QStringLiteral("éé");
    const QByteArray frame = EncodeNetMessage(hello);
    const auto back = DecodeNetBody(frame.constData() + 2, frame.size() - 2);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Name, QString(MaxNetName - 1, u'a'));
}

TEST(NetMessage, HostileBytesStopTheDecoder) {
    const QByteArray ready = EncodeNetMessage(Of(TNetKind::Ready));
    const QByteArray hello = EncodeNetMessage(Of(TNetKind::Hello));
    QByteArray badMagic = hello;
    badMagic[3] = 'X';
    QByteArray longName = hello.mid(2);
    longName[7] = char(MaxNetName + 1);
    longName += QByteArray(MaxNetName + 1, 'a');
    QByteArray badUtf8 = hello.mid(2);
    badUtf8[7] = 2;
    badUtf8 += "\xC3\x28";
    const std::vector<std::pair<const char*, QByteArray>> hostile{
        {"a length beyond the cap", QByteArray("\xFF\xFF", 2)},
        {"one byte over the cap", Frame(QByteArray(MaxNetBody + 1, '\x03'))},
        {"an empty body", QByteArray(2, '\0')},
        {"an unknown kind", Frame(QByteArray(1, '\x63'))},
        {"a byte too many", Frame(QByteArray("\x03\x00", 2))},
        {"a byte too few", Frame(QByteArray("\x04\x01", 2))},
        {"slot 4", Frame(QByteArray("\x04\x04\x01", 3))},
        {"table 3", Frame(QByteArray("\x04\x01\x03", 3))},
        {"laid on no table", Frame(QByteArray("\x05\x00\x00\x00\x02\x00", 6))},
        {"a card ID beyond the last", Frame(QByteArray("\x05\x00\x00\x01\x36\x00", 6))},
        {"a card ID below the first", Frame(QByteArray("\x05\x00\x00\x01\x01\x00", 6))},
        {"a shown card that is none", Frame(QByteArray("\x0B\x01", 2))},
        {"three decks", Frame(QByteArray("\x02\x03\x00", 3) + QByteArray(NetCommitBytes, 'c'))},
        {"half a promise", Frame(QByteArray("\x02\x01\x00", 3) + QByteArray(16, 'c'))},
        {"no cards", Frame(QByteArray("\x0C\x00", 2))},
        {"fewer cards than counted", Frame(QByteArray("\x0C\x03\x02\x03", 4))},
        {"more cards than a message holds",
         Frame(QByteArray(1, '\x0C') + char(MaxNetCards + 1) + QByteArray(MaxNetCards + 1, 2))},
        {"a salt cut short", Frame(QByteArray("\x0D\x00\x00\x00\x07", 5) + QByteArray(15, 's'))},
        {"a reason beyond the last", Frame(QByteArray("\x06\x00\x00\x04", 4))},
        {"yes as 2", Frame(QByteArray("\x07\x02", 2))},
        {"busy for no known reason", Frame(QByteArray("\x0E\x02", 2))},
        {"a greeting without the magic", badMagic},
        {"a name beyond the cap", Frame(longName)},
        {"a name that is not UTF-8", Frame(badUtf8)},
        {"an HTTP request", QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n")},
    };
    for (const auto& [what, bytes] : hostile) {
        SCOPED_TRACE(what);
        TNetDecoder decoder;
        // A good message before is read; nothing after the garbage is.
        const std::vector<TNetMessage> read = ReadBytewise(ready + bytes + ready, decoder);
        EXPECT_EQ(read.size(), 1u);
        EXPECT_TRUE(decoder.Failed());
        EXPECT_EQ(decoder.Pending(), 0);
    }

    // A frame that announces its length waits for it, and keeps no more than it.
    TNetDecoder waiting;
    waiting.Feed(EncodeNetMessage(Of(TNetKind::Ping)).left(5));
    EXPECT_FALSE(waiting.Next());
    EXPECT_FALSE(waiting.Failed());
    EXPECT_EQ(waiting.Pending(), 5);
}

TEST(NetSecret, AMatchsDealIsSixtyFourSecretBits) {
    // Above every number of 32 bits, and never the same twice in any likelihood.
    const uint64_t first = NetSecretDeal();
    EXPECT_GE(first, MinNetSecretDeal);
    EXPECT_NE(first, NetSecretDeal());
    {
        const TNetSecretOverride fixed([] { return uint64_t(7); });
        EXPECT_EQ(NetSecretDeal(), 7u);
    }
    EXPECT_GE(NetSecretDeal(), MinNetSecretDeal);
}

TEST(NetAddress, WhatAGuestTypes) {
    const QString code = NetMatchCode(QStringLiteral("192.168.1.23"), 47025);
    EXPECT_EQ(code, QStringLiteral("60N00-HFDXH")) << "as the help shows it";
    EXPECT_EQ(ParseNetTarget(code, 1), (TNetTarget{QStringLiteral("192.168.1.23"), 47025}));
    // Read as typed: lower case and the letters one may mistake.
    QString typed = code.toLower();
    typed.replace(u'0', u'o');
    typed.replace(u'1', u'l');
    EXPECT_EQ(ParseNetMatchCode(typed), ParseNetMatchCode(code));
    // Only a dotted IPv4 address has a code; the largest one comes back whole.
    for (const char* other : {"::1", "friend.example", "1.2.3", "1.2.3.256", "1.2.3.4.5", "1..3.4"})
        EXPECT_TRUE(NetMatchCode(QString::fromLatin1(other), 1).isEmpty()) << other;
    EXPECT_EQ(ParseNetMatchCode(NetMatchCode(QStringLiteral("255.255.255.255"), 65535)),
              (TNetTarget{QStringLiteral("255.255.255.255"), 65535}));

    EXPECT_EQ(ParseNetTarget(QStringLiteral(" 127.0.0.1 "), 47025),
              (TNetTarget{QStringLiteral("127.0.0.1"), 47025}));
    EXPECT_EQ(ParseNetTarget(QStringLiteral("friend.example:4000"), 1),
              (TNetTarget{QStringLiteral("friend.example"), 4000}));
    EXPECT_EQ(ParseNetTarget(QStringLiteral("[::1]:4000"), 1),
              (TNetTarget{QStringLiteral("::1"), 4000}));
    // A ten-letter name is a name, not a code.
    EXPECT_EQ(ParseNetTarget(QStringLiteral("raspberry1"), 7)->Host, QStringLiteral("raspberry1"));
    for (const char* bad : {"", "host:0", "host:65536", "host:x", "[::1", "two words", ":80"})
        EXPECT_FALSE(ParseNetTarget(QString::fromLatin1(bad), 1)) << bad;
}
