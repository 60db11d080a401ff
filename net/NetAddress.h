#pragma once
// What a guest types to join: an address with an optional port, or the short code the host
// shows, which holds an IPv4 address and a port in ten letters and digits.

#include <QString>
#include <cstdint>
#include <optional>

struct TNetTarget {
    QString Host;
    uint16_t Port = 0;
    bool operator==(const TNetTarget&) const = default;
};

// "HOST", "HOST:PORT", "[IPv6]:PORT" or a code; none when it is none of these. A missing port
// is DefaultPort.
std::optional<TNetTarget> ParseNetTarget(const QString& Text, uint16_t DefaultPort);

// The code for an IPv4 address (dotted, "192.168.1.23") and port, as "ABCDE-FGHJK"; empty for
// another address.
QString NetMatchCode(const QString& Address, uint16_t Port);
std::optional<TNetTarget> ParseNetMatchCode(const QString& Code);
