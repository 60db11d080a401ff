#pragma once
// One side of a match's connection: greets the peer with the protocol's version and a name,
// keeps it alive with a heartbeat that also measures the round trip, and gives up on a peer
// that closes, stays silent, speaks another version or sends garbage. Nothing here waits: all
// follows the connection's events and the timers.

#include "NetMessage.h"
#include "NetSocket.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

enum class TNetFault {
    Unreachable, // the connection could not be made
    Closed,      // the peer closed it or left the match
    Silent,      // nothing heard for the silence limit
    Garbage,     // bytes that are no message
    Version,     // the peer speaks another version of the protocol
};

// The time limits; tests shorten them.
struct TNetTiming {
    int HeartbeatMs = 1000;
    int SilenceMs = 5000;
};

class TNetLink : public QObject {
    Q_OBJECT
public:
    // Takes over a connected or connecting connection.
    TNetLink(std::unique_ptr<TNetConnection> Connection, QString Name, TNetTiming Timing,
             QObject* Parent = nullptr);
    ~TNetLink() override;

    // Connects to a host; Failed(Unreachable) when it cannot.
    static TNetLink* Connect(TNetSockets& Sockets, const QString& Host, uint16_t Port, QString Name,
                             TNetTiming Timing, QObject* Parent = nullptr);

    void Send(const TNetMessage& Message);
    // Says goodbye and closes; no event follows.
    void Close();

    bool Greeted() const { return FGreeted; }
    const QString& PeerName() const { return FPeerName; }
    uint16_t PeerVersion() const { return FPeerVersion; }
    // The smoothed round trip in milliseconds; 0 before the first answer to a heartbeat.
    int RoundTripMs() const { return int((FRoundTripUs + 999) / 1000); }
    // The median of the last few round trips in milliseconds, 0 before the first: what a trip
    // there and back typically takes. A late answer now and then (a busy machine, a burst of
    // jitter) moves the mean up but makes the typical trip no longer.
    int TypicalRoundTripMs() const;

    // The peer's greeting was accepted.
    std::function<void()> PeerGreeted;
    // A message after the greeting; heartbeats and goodbyes are handled here.
    std::function<void(const TNetMessage&)> Received;
    // The link is over; it sends and reports nothing more.
    std::function<void(TNetFault)> Failed;

private:
    void Greet(); // the connection is up: say hello, start the heartbeat
    void ReadAll();
    void Handle(const TNetMessage& Message);
    void Fail(TNetFault Fault);
    void Beat();

    std::unique_ptr<TNetConnection> FConnection;
    QString FName;
    TNetTiming FTiming;
    TNetDecoder FDecoder;
    QTimer FHeartbeat;
    QElapsedTimer FClock;
    qint64 FLastHeard = 0;
    bool FConnected = false;
    bool FGreeted = false;
    bool FOver = false;
    QString FPeerName;
    uint16_t FPeerVersion = 0;
    qint64 FRoundTripUs = 0;
    std::array<qint64, 9> FRecentUs{};
    size_t FRecentCount = 0; // samples taken, of which the last FRecentUs.size() are kept
};

// Waits for one guest; a second is turned away while the first is there.
class TNetHost : public QObject {
    Q_OBJECT
public:
    explicit TNetHost(TNetSockets& Sockets, QObject* Parent = nullptr);
    ~TNetHost() override;

    // Address as text, empty for every address of this computer. False with the reason when
    // the port cannot be listened on.
    bool Listen(const QString& Address, uint16_t Port, QString* Error = nullptr);
    uint16_t Port() const;
    // A guest's connection, for a TNetLink to take over.
    std::function<void(std::unique_ptr<TNetConnection>)> GuestArrived;

private:
    std::unique_ptr<TNetListener> FListener;
};
