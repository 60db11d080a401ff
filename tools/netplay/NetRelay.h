#pragma once
// A relay on the loopback that delays a match's bytes: each chunk read on one side is written
// on the other after a delay and a random jitter, never before the chunk ahead of it. This
// machine has no netem; a test or benchmark puts this between guest and host instead.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <vector>

class QTcpServer;
class QTcpSocket;

class TNetRelay : public QObject {
    Q_OBJECT
public:
    // One way: DelayMs plus up to JitterMs either side, never below zero.
    TNetRelay(uint16_t TargetPort, int DelayMs, int JitterMs, uint32_t Seed,
              QObject* Parent = nullptr);
    ~TNetRelay() override;

    // Listens on 127.0.0.1 at a free port.
    bool Listen();
    uint16_t Port() const;

private:
    struct TPipe;
    void Accept();

    uint16_t FTargetPort;
    int FDelayMs;
    int FJitterMs;
    std::mt19937 FRandom;
    QTcpServer* FServer;
    std::vector<std::unique_ptr<TPipe>> FPipes;
};
