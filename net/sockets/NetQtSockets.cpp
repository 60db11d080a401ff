#include "NetQtSockets.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <utility>

namespace {

class TQtConnection final : public TNetConnection {
public:
    explicit TQtConnection(std::unique_ptr<QTcpSocket> Socket) : FSocket(std::move(Socket)) {
        QTcpSocket* s = FSocket.get();
        Tune();
        s->setReadBufferSize(NetSocketBufferBytes);
        // The handlers may be changed or emptied while a signal runs: each reads its own now.
        QObject::connect(s, &QTcpSocket::connected, &FGuard, [this] {
            Tune();
            if (Connected)
                Connected();
        });
        QObject::connect(s, &QTcpSocket::readyRead, &FGuard, [this] {
            if (BytesArrived)
                BytesArrived();
        });
        QObject::connect(s, &QTcpSocket::disconnected, &FGuard, [this] { End(QString()); });
        QObject::connect(s, &QTcpSocket::errorOccurred, &FGuard,
                         [this](QAbstractSocket::SocketError) { End(FSocket->errorString()); });
    }

    // Starts on the next turn of the event loop: a failure at once reaches the handlers the
    // caller sets first.
    void ConnectTo(const QString& Host, uint16_t Port) {
        QMetaObject::invokeMethod(
            &FGuard, [this, Host, Port] { FSocket->connectToHost(Host, Port); },
            Qt::QueuedConnection);
    }

    bool IsConnected() const override {
        return FSocket->state() == QAbstractSocket::ConnectedState;
    }
    void Write(const QByteArray& Bytes) override {
        if (IsConnected())
            FSocket->write(Bytes);
    }
    qint64 BytesToWrite() const override { return FSocket->bytesToWrite(); }
    QByteArray ReadAll() override { return FSocket->readAll(); }
    QString PeerAddress() const override { return FSocket->peerAddress().toString(); }
    void Close() override {
        FSocket->flush();
        FSocket->disconnectFromHost();
    }
    void Abort() override {
        QObject::disconnect(FSocket.get(), nullptr, &FGuard, nullptr);
        FSocket->flush();
        FSocket->abort();
    }

private:
    // Small system buffers: a peer that reads nothing holds little of this computer's memory.
    void Tune() {
        FSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        FSocket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, NetSocketBufferBytes);
        FSocket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                                 NetSocketBufferBytes);
    }

    void End(const QString& Reason) {
        if (Lost)
            Lost(Reason);
    }

    std::unique_ptr<QTcpSocket> FSocket;
    // The receiver of the socket's signals: gone, as it goes first, before the socket closes.
    QObject FGuard;
};

class TQtListener final : public TNetListener {
public:
    TQtListener() {
        // A burst of connections waits in the system's queue to be answered, not refused
        // there and retried a second later.
        FServer.setListenBacklogSize(256);
        QObject::connect(&FServer, &QTcpServer::newConnection, &FServer, [this] {
            while (QTcpSocket* s = FServer.nextPendingConnection()) {
                s->setParent(nullptr);
                auto connection = std::make_unique<TQtConnection>(std::unique_ptr<QTcpSocket>(s));
                if (GuestArrived)
                    GuestArrived(std::move(connection));
                else
                    connection->Abort();
            }
        });
    }

    bool Listen(const QString& Address, uint16_t Port, QString* Error) override {
        const QHostAddress address =
            Address.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(Address);
        if (FServer.listen(address, Port))
            return true;
        if (Error)
            *Error = FServer.errorString();
        return false;
    }
    uint16_t Port() const override { return FServer.serverPort(); }

private:
    QTcpServer FServer;
};

class TQtSockets final : public TNetSockets {
public:
    std::unique_ptr<TNetConnection> Connect(const QString& Host, uint16_t Port) override {
        auto connection = std::make_unique<TQtConnection>(std::make_unique<QTcpSocket>());
        connection->ConnectTo(Host, Port);
        return connection;
    }
    std::unique_ptr<TNetListener> Listener() override { return std::make_unique<TQtListener>(); }
    QStringList OwnAddresses() const override {
        QStringList own;
        for (const QHostAddress& a : QNetworkInterface::allAddresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
                own << a.toString();
        if (own.isEmpty())
            own << QHostAddress(QHostAddress::LocalHost).toString();
        return own;
    }
};

} // namespace

TNetSockets& QtNetSockets() {
    static TQtSockets sockets;
    return sockets;
}
