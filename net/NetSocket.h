#pragma once
// The sockets as a match's link sees them: a connection's byte stream, a listener for guests
// and the factory of both. The program reaches the real ones through the network module,
// loaded on first use (NetSocketsModule.h), so that a start without a match maps none of the
// network library; tests and tools link them directly (NetQtSockets.h). Qt Core only.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

// One connection, connected or on its way.
class TNetConnection {
public:
    virtual ~TNetConnection() = default;

    virtual bool IsConnected() const = 0;
    // Queues bytes to send; nothing before the connection is up.
    virtual void Write(const QByteArray& Bytes) = 0;
    // What is queued and not yet handed to the system: a peer that reads nothing lets it grow.
    virtual qint64 BytesToWrite() const = 0;
    // What has arrived and was not read yet; at most NetSocketBufferBytes at a time.
    virtual QByteArray ReadAll() = 0;
    // The peer's address as text, empty when unknown.
    virtual QString PeerAddress() const = 0;
    // Sends what is queued, then closes.
    virtual void Close() = 0;
    // Sends what can go at once and drops the connection; no event follows.
    virtual void Abort() = 0;

    std::function<void()> Connected;
    std::function<void()> BytesArrived;
    // Closed by the peer or failed (the connection could not be made), with the reason.
    std::function<void(const QString&)> Lost;
};

// What the system and the connection buffer for each direction at most: a match's messages are
// a few dozen bytes, so a peer that sends or reads nothing fills no more than this.
constexpr int NetSocketBufferBytes = 64 * 1024;

// Waits for guests on a port.
class TNetListener {
public:
    virtual ~TNetListener() = default;

    // Address as text ("127.0.0.1"), empty for every address of this computer; Port 0 for any
    // free one. False with the reason when the port cannot be listened on.
    virtual bool Listen(const QString& Address, uint16_t Port, QString* Error = nullptr) = 0;
    // The port listened on; 0 before.
    virtual uint16_t Port() const = 0;

    // Each guest's connection; without a handler a guest is turned away.
    std::function<void(std::unique_ptr<TNetConnection>)> GuestArrived;
};

class TNetSockets {
public:
    virtual ~TNetSockets() = default;

    // A connection on its way to Host (a name or an address) at Port.
    virtual std::unique_ptr<TNetConnection> Connect(const QString& Host, uint16_t Port) = 0;
    virtual std::unique_ptr<TNetListener> Listener() = 0;
    // The IPv4 addresses a friend may reach this computer at, beyond the loopback; the
    // loopback's alone when there are none.
    virtual QStringList OwnAddresses() const = 0;
};

// Changes whenever the classes above change: a module of another build is refused.
constexpr int NetSocketsInterfaceVersion = 2;

// The network module's one entry point: its sockets, which live as long as the module; null
// when InterfaceVersion is not the module's.
using TNetSocketsEntry = TNetSockets* (*)(int InterfaceVersion);
constexpr char NetSocketsEntryName[] = "TolviNetSockets";
