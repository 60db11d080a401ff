#pragma once
// One side of a match's connection: greets the peer with the protocol's version and a name,
// keeps it alive with a heartbeat that also measures the round trip, and gives up on a peer
// that closes, stays silent, speaks another version, sends garbage or reads nothing. Nothing
// here waits: all follows the connection's events and the timers. The guest greets first; the
// host answers only a guest it lets in, and turns the others away.

#include "NetMessage.h"
#include "NetSocket.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

enum class TNetFault {
    Unreachable, // the connection could not be made
    Closed,      // the peer closed it or left the match
    Silent,      // nothing heard for the silence limit
    Garbage,     // bytes that are no message
    Version,     // the peer speaks another version of the protocol
    Busy,        // the host turned the guest away: another guest is being let in
    InMatch,     // the host turned the guest away: it plays a match already
    Overflow,    // the peer read nothing while too much was queued for it
};

// The time limits; tests shorten them.
struct TNetTiming {
    int HeartbeatMs = 1000;
    int SilenceMs = 5000;
    // From the connection to the peer's greeting.
    int GreetingMs = 3000;
};

// Bytes a link lets wait for a peer that does not read them.
constexpr qint64 MaxNetSendQueue = 64 * 1024;

class TNetLink : public QObject {
    Q_OBJECT
public:
    // Who greets first: the guest; the host answers (Admit) once the peer's greeting is in.
    enum class TGreeting { First, Answer };

    // Takes over a connected or connecting connection.
    TNetLink(std::unique_ptr<TNetConnection> Connection, QString Name, TNetTiming Timing,
             QObject* Parent = nullptr, TGreeting Greeting = TGreeting::First);
    ~TNetLink() override;

    // Connects to a host; Failed(Unreachable) when it cannot.
    static TNetLink* Connect(TNetSockets& Sockets, const QString& Host, uint16_t Port, QString Name,
                             TNetTiming Timing, QObject* Parent = nullptr);

    void Send(const TNetMessage& Message);
    // Says goodbye and closes; no event follows.
    void Close();
    // Answers the peer's greeting (TGreeting::Answer): the match may begin.
    void Admit();
    // Ends the link without a word and hands over its connection; no event follows.
    std::unique_ptr<TNetConnection> TakeConnection();
    QString PeerAddress() const;

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
    void SendHello();
    void Greet(); // the connection is up: say hello, start the heartbeat
    void ReadAll();
    void Handle(const TNetMessage& Message);
    void Fail(TNetFault Fault);
    void Beat();

    std::unique_ptr<TNetConnection> FConnection;
    QString FName;
    TNetTiming FTiming;
    TGreeting FGreeting;
    TNetDecoder FDecoder;
    QTimer FHeartbeat;
    QElapsedTimer FClock;
    qint64 FLastHeard = 0;
    qint64 FConnectedAt = 0;
    bool FConnected = false;
    bool FGreeted = false;
    bool FHelloSent = false;
    bool FOver = false;
    QString FPeerName;
    uint16_t FPeerVersion = 0;
    qint64 FRoundTripUs = 0;
    std::array<qint64, 9> FRecentUs{};
    size_t FRecentCount = 0; // samples taken, of which the last FRecentUs.size() are kept
};

// Waits for one guest and lets in the first that greets in time. Connections that have not
// greeted yet are few, and few from one address; the rest, and every one once a guest is in,
// are told at once that the host is busy. A connection that has not greeted within the
// greeting time is dropped, and the host listens on meanwhile.
class TNetHost : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxWaiting = 8;
    static constexpr int MaxWaitingPerAddress = 2;
    // Turned-away connections kept until their peer closes, briefly, so that the answer is read.
    static constexpr int MaxTurningAway = 32;

    // Name gives the host's player's name as each guest arrives.
    TNetHost(TNetSockets& Sockets, std::function<QString()> Name, TNetTiming Timing,
             QObject* Parent = nullptr);
    ~TNetHost() override;

    // Address as text, empty for every address of this computer. False with the reason when
    // the port cannot be listened on.
    bool Listen(const QString& Address, uint16_t Port, QString* Error = nullptr);
    uint16_t Port() const;
    // The guest let in, its greeting answered; from then on every other is turned away as the
    // host plays a match.
    std::function<void(std::unique_ptr<TNetLink>)> GuestGreeted;
    // A guest that could not be let in for a reason its player should know (another version).
    std::function<void(TNetFault, const TNetLink&)> GuestFailed;

private:
    void Arrived(std::unique_ptr<TNetConnection> Connection);
    void Greeted(TNetLink* Link);
    void Failed(TNetLink* Link, TNetFault Fault);
    std::unique_ptr<TNetLink> Take(TNetLink* Link);
    void TurnAway(std::unique_ptr<TNetConnection> Connection, TNetBusy Why);
    void Sweep();

    std::unique_ptr<TNetListener> FListener;
    std::function<QString()> FName;
    TNetTiming FTiming;
    bool FInMatch = false;
    std::vector<std::unique_ptr<TNetLink>> FWaiting;
    struct TClosing {
        std::unique_ptr<TNetConnection> Connection;
        qint64 Since = 0;
    };
    std::deque<TClosing> FClosing;
    QTimer FSweep;
    QElapsedTimer FClock;
};
