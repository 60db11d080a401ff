#include "NetLink.h"

#include <algorithm>
#include <utility>

TNetLink::TNetLink(std::unique_ptr<TNetConnection> Connection, QString Name, TNetTiming Timing,
                   QObject* Parent, TGreeting Greeting)
    : QObject(Parent), FConnection(std::move(Connection)), FName(std::move(Name)), FTiming(Timing),
      FGreeting(Greeting) {
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
    TakeConnection();
}

TNetLink* TNetLink::Connect(TNetSockets& Sockets, const QString& Host, uint16_t Port, QString Name,
                            TNetTiming Timing, QObject* Parent) {
    return new TNetLink(Sockets.Connect(Host, Port), std::move(Name), Timing, Parent);
}

void TNetLink::Greet() {
    FConnected = true;
    FLastHeard = FConnectedAt = FClock.elapsed();
    if (FGreeting == TGreeting::Answer)
        return;
    SendHello();
}

void TNetLink::Admit() {
    if (FOver || FHelloSent)
        return;
    SendHello();
}

void TNetLink::SendHello() {
    TNetMessage hello;
    hello.Kind = TNetKind::Hello;
    hello.Name = FName;
    FHelloSent = true;
    Send(hello);
    Beat();
}

std::unique_ptr<TNetConnection> TNetLink::TakeConnection() {
    FOver = true;
    FHeartbeat.stop();
    if (FConnection) {
        FConnection->Connected = nullptr;
        FConnection->BytesArrived = nullptr;
        FConnection->Lost = nullptr;
    }
    return std::move(FConnection);
}

QString TNetLink::PeerAddress() const {
    return FConnection ? FConnection->PeerAddress() : QString();
}

void TNetLink::Send(const TNetMessage& Message) {
    if (FOver || !FConnection->IsConnected())
        return;
    const QByteArray frame = EncodeNetMessage(Message);
    // A peer that reads nothing would have this side keep all it was sent.
    if (FConnection->BytesToWrite() + frame.size() > MaxNetSendQueue)
        return Fail(TNetFault::Overflow);
    FConnection->Write(frame);
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
    // A handler may end the link (and a dialog may run in it): read no further then. Only a
    // whole message is heard: a peer that trickles bytes is as silent as one that sends none.
    while (!FOver) {
        std::optional<TNetMessage> m = FDecoder.Next();
        if (!m)
            break;
        FLastHeard = FClock.elapsed();
        Handle(*m);
    }
    if (!FOver && FDecoder.Failed())
        Fail(TNetFault::Garbage);
}

void TNetLink::Handle(const TNetMessage& M) {
    if (!FGreeted) {
        // The host's answer to a guest it does not let in.
        if (M.Kind == TNetKind::Busy && FGreeting == TGreeting::First)
            return Fail(M.Why == uint8_t(TNetBusy::InMatch) ? TNetFault::InMatch : TNetFault::Busy);
        if (M.Kind != TNetKind::Hello)
            return Fail(TNetFault::Garbage);
        FPeerVersion = M.Version;
        FPeerName = M.Name;
        if (M.Version != NetProtocolVersion) {
            // The guest of another version learns this side's version from its greeting.
            Admit();
            return Fail(TNetFault::Version);
        }
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
    const qint64 now = FClock.elapsed();
    if (now - FLastHeard > FTiming.SilenceMs)
        return Fail(FConnected ? TNetFault::Silent : TNetFault::Unreachable);
    // A peer holds the host's place only briefly before it greets.
    if (FConnected && !FGreeted && now - FConnectedAt > FTiming.GreetingMs)
        return Fail(TNetFault::Silent);
    if (!FConnected || !FHelloSent)
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

TNetHost::TNetHost(TNetSockets& Sockets, std::function<QString()> Name, TNetTiming Timing,
                   QObject* Parent)
    : QObject(Parent), FListener(Sockets.Listener()), FName(std::move(Name)), FTiming(Timing) {
    FClock.start();
    FListener->GuestArrived = [this](std::unique_ptr<TNetConnection> Connection) {
        Arrived(std::move(Connection));
    };
    FSweep.setInterval(std::max(FTiming.HeartbeatMs, 100));
    connect(&FSweep, &QTimer::timeout, this, [this] { Sweep(); });
}

TNetHost::~TNetHost() = default;

bool TNetHost::Listen(const QString& Address, uint16_t Port, QString* Error) {
    return FListener->Listen(Address, Port, Error);
}

uint16_t TNetHost::Port() const {
    return FListener->Port();
}

void TNetHost::Arrived(std::unique_ptr<TNetConnection> Connection) {
    if (FInMatch)
        return TurnAway(std::move(Connection), TNetBusy::InMatch);
    const QString from = Connection->PeerAddress();
    const auto same = std::count_if(FWaiting.begin(), FWaiting.end(),
                                    [&](const auto& Link) { return Link->PeerAddress() == from; });
    if (int(FWaiting.size()) >= MaxWaiting || same >= MaxWaitingPerAddress)
        return TurnAway(std::move(Connection), TNetBusy::Joining);
    auto link = std::make_unique<TNetLink>(std::move(Connection), FName(), FTiming, nullptr,
                                           TNetLink::TGreeting::Answer);
    TNetLink* raw = link.get();
    raw->PeerGreeted = [this, raw] { Greeted(raw); };
    raw->Failed = [this, raw](TNetFault Fault) { Failed(raw, Fault); };
    FWaiting.push_back(std::move(link));
}

std::unique_ptr<TNetLink> TNetHost::Take(TNetLink* Link) {
    const auto at = std::find_if(FWaiting.begin(), FWaiting.end(),
                                 [Link](const auto& Waiting) { return Waiting.get() == Link; });
    if (at == FWaiting.end())
        return nullptr;
    std::unique_ptr<TNetLink> taken = std::move(*at);
    FWaiting.erase(at);
    return taken;
}

void TNetHost::Greeted(TNetLink* Link) {
    // Called from the link's own handler: it goes once that has returned.
    std::unique_ptr<TNetLink> link = Take(Link);
    if (!link)
        return;
    link->PeerGreeted = nullptr;
    link->Failed = nullptr;
    if (FInMatch || !GuestGreeted) {
        TurnAway(link->TakeConnection(), TNetBusy::InMatch);
        link.release()->deleteLater();
        return;
    }
    FInMatch = true;
    // The others that wait learn at once that they will not be let in.
    for (std::unique_ptr<TNetLink>& other : std::exchange(FWaiting, {})) {
        TurnAway(other->TakeConnection(), TNetBusy::InMatch);
        other.release()->deleteLater();
    }
    link->Admit();
    GuestGreeted(std::move(link));
}

void TNetHost::Failed(TNetLink* Link, TNetFault Fault) {
    std::unique_ptr<TNetLink> link = Take(Link);
    if (!link)
        return;
    if (Fault == TNetFault::Version && GuestFailed)
        GuestFailed(Fault, *link);
    link.release()->deleteLater();
}

void TNetHost::TurnAway(std::unique_ptr<TNetConnection> Connection, TNetBusy Why) {
    TNetMessage busy;
    busy.Kind = TNetKind::Busy;
    busy.Why = static_cast<uint8_t>(Why);
    Connection->Write(EncodeNetMessage(busy));
    // Kept until the peer, answered, closes, reading what it says meanwhile: closed here with
    // its bytes unread, the connection would be reset and the answer might be lost. The
    // oldest go first when too many wait.
    TNetConnection* raw = Connection.get();
    raw->Connected = nullptr;
    raw->BytesArrived = [raw] { raw->ReadAll(); };
    raw->Lost = [this](const QString&) { QTimer::singleShot(0, this, [this] { Sweep(); }); };
    FClosing.push_back({std::move(Connection), FClock.elapsed()});
    while (int(FClosing.size()) > MaxTurningAway) {
        FClosing.front().Connection->Abort();
        FClosing.pop_front();
    }
    if (!FSweep.isActive())
        FSweep.start();
}

void TNetHost::Sweep() {
    const qint64 now = FClock.elapsed();
    std::erase_if(FClosing, [&](TClosing& C) {
        const bool done = !C.Connection->IsConnected() ||
                          now - C.Since > std::max(FTiming.GreetingMs, FTiming.HeartbeatMs);
        if (done)
            C.Connection->Abort();
        return done;
    });
    if (FClosing.empty())
        FSweep.stop();
}
