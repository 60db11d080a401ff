#include "NetLink.h"

#include <algorithm>
#include <utility>

TNetLink::TNetLink(std::unique_ptr<TNetConnection> Connection, QString Name, TNetTiming Timing,
                   QObject* Parent)
    : QObject(Parent), FConnection(std::move(Connection)), FName(std::move(Name)), FTiming(Timing) {
    FClock.start();
    FHeartbeat.setInterval(FTiming.HeartbeatMs);
    connect(&FHeartbeat, &QTimer::timeout, this, [this] { Beat(); });
    FConnection->BytesArrived = [this] { ReadAll(); };
    // A link that was never connected could not reach its peer.
    FConnection->Lost = [this](const QString&) {
        Fail(FConnected ? TNetFault::Closed : TNetFault::Unreachable);
    };
    FConnection->Connected = [this] { Greet(); };
    if (FConnection->IsConnected())
        Greet();
    // A connection that never comes up is silent too.
    FHeartbeat.start();
}

TNetLink::~TNetLink() {
    FConnection->Connected = nullptr;
    FConnection->BytesArrived = nullptr;
    FConnection->Lost = nullptr;
}

TNetLink* TNetLink::Connect(TNetSockets& Sockets, const QString& Host, uint16_t Port, QString Name,
                            TNetTiming Timing, QObject* Parent) {
    return new TNetLink(Sockets.Connect(Host, Port), std::move(Name), Timing, Parent);
}

void TNetLink::Greet() {
    FConnected = true;
    FLastHeard = FClock.elapsed();
    TNetMessage hello;
    hello.Kind = TNetKind::Hello;
    hello.Name = FName;
    Send(hello);
    Beat();
}

void TNetLink::Send(const TNetMessage& Message) {
    if (FOver || !FConnection->IsConnected())
        return;
    FConnection->Write(EncodeNetMessage(Message));
}

void TNetLink::Close() {
    if (FOver)
        return;
    Send(TNetMessage{});
    FOver = true;
    FHeartbeat.stop();
    FConnection->Close();
}

void TNetLink::ReadAll() {
    if (FOver)
        return;
    FDecoder.Feed(FConnection->ReadAll());
    FLastHeard = FClock.elapsed();
    // A handler may end the link (and a dialog may run in it): read no further then.
    while (!FOver) {
        std::optional<TNetMessage> m = FDecoder.Next();
        if (!m)
            break;
        Handle(*m);
    }
    if (!FOver && FDecoder.Failed())
        Fail(TNetFault::Garbage);
}

void TNetLink::Handle(const TNetMessage& M) {
    if (!FGreeted) {
        if (M.Kind != TNetKind::Hello)
            return Fail(TNetFault::Garbage);
        FPeerVersion = M.Version;
        FPeerName = M.Name;
        if (M.Version != NetProtocolVersion)
            return Fail(TNetFault::Version);
        FGreeted = true;
        if (PeerGreeted)
            PeerGreeted();
        return;
    }
    switch (M.Kind) {
    case TNetKind::Hello:
        return Fail(TNetFault::Garbage);
    case TNetKind::Ping: {
        TNetMessage pong = M;
        pong.Kind = TNetKind::Pong;
        Send(pong);
        return;
    }
    case TNetKind::Pong: {
        // In microseconds: a loopback's round trip is well under a millisecond.
        const qint64 sample = FClock.nsecsElapsed() / 1000 - M.Stamp;
        if (sample < 0 || sample > qint64(FTiming.SilenceMs) * 1000)
            return;
        // Smoothed as TCP smooths its own: an eighth of each new sample.
        FRoundTripUs =
            FRoundTripUs == 0 ? std::max<qint64>(sample, 1) : (7 * FRoundTripUs + sample) / 8;
        FRecentUs[FRecentCount++ % FRecentUs.size()] = std::max<qint64>(sample, 1);
        return;
    }
    case TNetKind::Bye:
        return Fail(TNetFault::Closed);
    default:
        if (Received)
            Received(M);
    }
}

int TNetLink::TypicalRoundTripMs() const {
    const size_t n = std::min(FRecentCount, FRecentUs.size());
    if (n == 0)
        return 0;
    std::array<qint64, 9> sorted = FRecentUs;
    std::sort(sorted.begin(), sorted.begin() + qsizetype(n));
    // Of an even count the lower middle: a trip that half the samples took at least.
    return int((sorted[(n - 1) / 2] + 999) / 1000);
}

void TNetLink::Beat() {
    if (FOver)
        return;
    if (FClock.elapsed() - FLastHeard > FTiming.SilenceMs)
        return Fail(FConnected ? TNetFault::Silent : TNetFault::Unreachable);
    if (!FConnected)
        return;
    TNetMessage ping;
    ping.Kind = TNetKind::Ping;
    ping.Stamp = FClock.nsecsElapsed() / 1000;
    Send(ping);
}

void TNetLink::Fail(TNetFault Fault) {
    if (FOver)
        return;
    FOver = true;
    FHeartbeat.stop();
    // Our greeting may still be on its way: a peer of another version reads its version
    // there and can tell its player too.
    FConnection->Abort();
    if (Failed)
        Failed(Fault);
}

TNetHost::TNetHost(TNetSockets& Sockets, QObject* Parent)
    : QObject(Parent), FListener(Sockets.Listener()) {
    FListener->GuestArrived = [this](std::unique_ptr<TNetConnection> Connection) {
        // Without a handler the connection closes as it goes.
        if (GuestArrived)
            GuestArrived(std::move(Connection));
    };
}

TNetHost::~TNetHost() = default;

bool TNetHost::Listen(const QString& Address, uint16_t Port, QString* Error) {
    return FListener->Listen(Address, Port, Error);
}

uint16_t TNetHost::Port() const {
    return FListener->Port();
}
