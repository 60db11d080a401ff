#include "kswaittimer.h"

#include "ksabort.h"
#include "ksterminating.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

TKsWaitTimer::TKsWaitTimer(QObject* Owner) : QObject(Owner), FTimer(this) {
    // A coarse timer may fire a little early; a wait must last at least its time.
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, [this] { KsHandleEvent([this] { Tick(); }); });
    OnTimer = [](TKsWaitTimer* Sender) { Sender->SetEnabled(false); };
}

void TKsWaitTimer::SetEnabled(bool Value) {
    if (Value == Enabled())
        return;
    if (Value) {
        FTimer.start();
    } else {
        FTimer.stop();
        emit Stopped();
    }
}

void TKsWaitTimer::SetInterval(int32_t Milliseconds) {
    // A negative interval means nothing to Qt; callers only ever wait for a positive time.
    FTimer.setInterval(std::max<int32_t>(Milliseconds, 0));
}

void TKsWaitTimer::Tick() {
    if (OnTimer)
        OnTimer(this);
}

void TKsWaitTimer::Wait(int32_t Milliseconds) {
    SetInterval(Milliseconds);
    // Restarted even when already running, so that a wait nested in another lasts its own time.
    FTimer.start();
    if (!QCoreApplication::instance()) {
        // Nothing to keep alive: just let the time pass.
        std::this_thread::sleep_for(std::chrono::milliseconds(Interval()));
        SetEnabled(false);
        return;
    }
    if (KsTerminating())
        return;
    // The nested loop sleeps until the next event. It also ends when the application quits,
    // since Qt then leaves every running event loop.
    QEventLoop loop;
    connect(this, &TKsWaitTimer::Stopped, &loop, &QEventLoop::quit);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    loop.exec();
}

namespace {

std::unique_ptr<TKsWaitTimer> gWaitTimer;

void FreeWaitTimer() {
    gWaitTimer.reset();
}

void CreateWaitTimer() {
    if (gWaitTimer)
        return;
    gWaitTimer = std::make_unique<TKsWaitTimer>();
    // Freed in the application object's destructor, while Qt is still there to stop a timer.
    if (QCoreApplication::instance())
        qAddPostRoutine(FreeWaitTimer);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(CreateWaitTimer)

TKsWaitTimer& WaitTimer() {
    CreateWaitTimer();
    return *gWaitTimer;
}

void Pause(int32_t Milliseconds) {
    WaitTimer().Wait(Milliseconds);
}
