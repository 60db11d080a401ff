#include "NetRelay.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <utility>

// One direction of one connection.
struct TNetRelay::TPipe {
    QTcpSocket* From = nullptr;
    QTcpSocket* To = nullptr;
    std::deque<std::pair<qint64, QByteArray>> Queue; // due time, bytes
    qint64 LastDue = 0;
    QTimer Timer;
};

TNetRelay::TNetRelay(uint16_t TargetPort, int DelayMs, int JitterMs, uint32_t Seed, QObject* Parent)
    : QObject(Parent), FTargetPort(TargetPort), FDelayMs(DelayMs), FJitterMs(JitterMs),
      FRandom(Seed), FServer(new QTcpServer(this)) {
    connect(FServer, &QTcpServer::newConnection, this, [this] { Accept(); });
}

TNetRelay::~TNetRelay() = default;

bool TNetRelay::Listen() {
    return FServer->listen(QHostAddress(QHostAddress::LocalHost), 0);
}

uint16_t TNetRelay::Port() const {
    return FServer->serverPort();
}

void TNetRelay::Accept() {
    while (QTcpSocket* client = FServer->nextPendingConnection()) {
        client->setParent(this);
        auto* upstream = new QTcpSocket(this);
        upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        upstream->connectToHost(QHostAddress(QHostAddress::LocalHost), FTargetPort);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        for (auto [from, to] : {std::pair{client, upstream}, std::pair{upstream, client}}) {
            auto pipe = std::make_unique<TPipe>();
            TPipe* p = pipe.get();
            p->From = from;
            p->To = to;
            p->Timer.setSingleShot(true);
            const auto release = [p, clock] {
                while (!p->Queue.empty() && p->Queue.front().first <= clock->elapsed()) {
                    p->To->write(p->Queue.front().second);
                    p->Queue.pop_front();
                }
                if (!p->Queue.empty())
                    // The clock may have passed the next time since the loop looked.
                    p->Timer.start(
                        int(std::max<qint64>(0, p->Queue.front().first - clock->elapsed())));
            };
            connect(&p->Timer, &QTimer::timeout, this, release);
            connect(from, &QTcpSocket::readyRead, this, [this, p, clock, release] {
                std::uniform_int_distribution<int> jitter(-FJitterMs, FJitterMs);
                const qint64 due = std::max(
                    p->LastDue, clock->elapsed() + std::max(0, FDelayMs + jitter(FRandom)));
                p->LastDue = due;
                p->Queue.emplace_back(due, p->From->readAll());
                if (!p->Timer.isActive())
                    release();
            });
            // A side that goes closes the other: the match hears it as a broken line.
            connect(from, &QTcpSocket::disconnected, to, &QTcpSocket::disconnectFromHost);
            FPipes.push_back(std::move(pipe));
        }
    }
}
