#pragma once
// The font configuration, read on another processor while the window is being built. Reading
// it is the largest single piece of work before the first frame, and the toolkit would only
// start it when the first text is drawn.

#include <functional>
#include <memory>
#include <thread>

class QWidget;

class TFontWarmUp {
public:
    // Work replaces the reading, for tests; empty: the system's font configuration, or nothing
    // where the program was built without it.
    explicit TFontWarmUp(std::function<void()> Work = {});
    ~TFontWarmUp(); // waits
    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;

    // Returns once the reading has ended; at once when it had.
    void Wait();
    // Waits before Window's first paint, so that the toolkit finds the configuration read
    // rather than reading it a second time beside it.
    void WaitBeforeFirstPaint(QWidget& Window);

private:
    std::shared_ptr<std::thread> FThread;
};
