#pragma once
// The library's one-shot wait timer and Pause, the wait that keeps the user interface alive:
// clicks, timers and paints are handled while the library waits.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

class TKsWaitTimer : public QObject {
    Q_OBJECT
public:
    explicit TKsWaitTimer(QObject* Owner = nullptr);

    bool Enabled() const { return FTimer.isActive(); }
    void SetEnabled(bool Value);

    int32_t Interval() const { return FTimer.interval(); }
    void SetInterval(int32_t Milliseconds);

    // Runs the event loop until the timer has switched itself off (its first tick, unless
    // OnTimer was replaced) or the application is terminating. Sleeps between events.
    void Wait(int32_t Milliseconds);

    // Raised on every tick; the timer's own handler switches it off.
    std::function<void(TKsWaitTimer* Sender)> OnTimer;

signals:
    // The timer went from running to switched off.
    void Stopped();

private:
    void Tick();

    QTimer FTimer;
};

// The library's one wait timer, made when the application starts (or on first use) and freed
// with the application object.
TKsWaitTimer& WaitTimer();

// Waits about Milliseconds (at least that long) while the application goes on handling events.
void Pause(int32_t Milliseconds);
