#include "NetAddress.h"

#include <QStringList>
#include <algorithm>

namespace {

// Crockford's base 32: no I, L, O or U to misread.
constexpr char CodeDigits[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int CodeLength = 10; // 48 bits

int CodeDigit(QChar C) {
    const QChar u = C.toUpper();
    if (u == u'O')
        return 0;
    if (u == u'I' || u == u'L')
        return 1;
    for (int i = 0; i < 32; ++i)
        if (u == QLatin1Char(CodeDigits[i]))
            return i;
    return -1;
}

// Four decimal numbers of 0 to 255 between dots.
std::optional<uint32_t> ParseIPv4(const QString& Text) {
    const QStringList parts = Text.trimmed().split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    uint32_t a = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3 ||
            !std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        const uint v = part.toUInt();
        if (v > 255)
            return std::nullopt;
        a = a << 8 | v;
    }
    return a;
}

QString IPv4Text(uint32_t A) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(A >> 24)
        .arg(A >> 16 & 0xFF)
        .arg(A >> 8 & 0xFF)
        .arg(A & 0xFF);
}

} // namespace

QString NetMatchCode(const QString& Address, uint16_t Port) {
    const std::optional<uint32_t> a = ParseIPv4(Address);
    if (!a)
        return {};
    uint64_t bits = uint64_t(*a) << 16 | Port;
    QString code(CodeLength, u'0');
    for (int i = CodeLength - 1; i >= 0; --i) {
        code[i] = QLatin1Char(CodeDigits[bits & 31]);
        bits >>= 5;
    }
    return code.left(5) + u'-' + code.mid(5);
}

std::optional<TNetTarget> ParseNetMatchCode(const QString& Code) {
    // The dash tells a code from a host's name of ten letters.
    QString digits = Code.trimmed();
    if (digits.size() != CodeLength + 1 || digits[5] != u'-')
        return std::nullopt;
    digits.remove(5, 1);
    uint64_t bits = 0;
    for (const QChar c : digits) {
        const int d = CodeDigit(c);
        if (d < 0)
            return std::nullopt;
        bits = bits << 5 | uint64_t(d);
    }
    if (bits >> 48 != 0 || (bits & 0xFFFF) == 0)
        return std::nullopt;
    return TNetTarget{IPv4Text(uint32_t(bits >> 16)), uint16_t(bits & 0xFFFF)};
}

std::optional<TNetTarget> ParseNetTarget(const QString& Text, uint16_t DefaultPort) {
    const QString t = Text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (auto code = ParseNetMatchCode(t))
        return code;
    QString host = t;
    QString port;
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        host = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                return std::nullopt;
            port = rest.mid(1);
        }
    } else if (t.count(u':') == 1) {
        host = t.section(u':', 0, 0);
        port = t.section(u':', 1);
    }
    if (host.isEmpty() || host.contains(u' '))
        return std::nullopt;
    uint16_t p = DefaultPort;
    if (!port.isNull()) {
        bool ok = false;
        const uint v = port.toUInt(&ok);
        if (!ok || v == 0 || v > 65535)
            return std::nullopt;
        p = uint16_t(v);
    }
    return TNetTarget{host, p};
}
