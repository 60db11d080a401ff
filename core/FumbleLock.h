#pragma once
// The fumble rule: a refused play locks the human's cards for half a second. The computer and
// the clock go on; only the human's plays wait.

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

class TFumbleLock {
public:
    static constexpr int64_t LockMs = 500;

    TFumbleLock() {
        FElapsed.start();
        Clock = [this] { return FElapsed.elapsed(); };
    }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) {
        FEnabled = Value;
        if (!Value)
            FUntil = -1;
        Notify();
    }

    // A refused play: the human's cards lock from now, when the rule is on.
    void Fumbled() {
        if (FEnabled)
            FUntil = Clock() + LockMs;
        Notify();
    }
    bool Locked() const { return FUntil >= 0 && Clock() < FUntil; }
    // Milliseconds the lock still holds; 0 when it does not.
    int64_t Remaining() const { return Locked() ? FUntil - Clock() : 0; }
    void Release() {
        FUntil = -1;
        Notify();
    }

    // Milliseconds on a monotonic clock; tests replace it.
    std::function<int64_t()> Clock;
    // The lock was set, released or switched; what shows it draws again.
    std::function<void()> Changed;

private:
    void Notify() const {
        if (Changed)
            Changed();
    }

    QElapsedTimer FElapsed;
    bool FEnabled = false;
    int64_t FUntil = -1;
};
