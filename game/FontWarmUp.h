#pragma once
// The font configuration, read on another processor while the window is being built. Reading
// it is the largest single piece of work before the first frame, and the toolkit would only
// start it when the first text is drawn.

#include <functional>
#include <future>
#include <memory>
#include <thread>

class QWidget;

class TFontWarmUp {
public:
    // Work replaces the reading, for tests; empty: the system's font configuration, or nothing
    // where the program was built without it, and then, once the application is made, the
    // toolkit's list of the fonts, which its threads share.
    explicit TFontWarmUp(std::function<void()> Work = {});
    ~TFontWarmUp(); // waits
    TFontWarmUp(const TFontWarmUp&) = delete;
    TFontWarmUp& operator=(const TFontWarmUp&) = delete;

    // The application exists, so the toolkit's list of the fonts can be made; the application
    // outlives this, which waits for the making.
    class TApplicationMade {
    public:
        explicit TApplicationMade(TFontWarmUp& Fonts);
        ~TApplicationMade();
        TApplicationMade(const TApplicationMade&) = delete;
        TApplicationMade& operator=(const TApplicationMade&) = delete;

    private:
        TFontWarmUp& FFonts;
    };

    // Returns once the reading has ended; at once when it had.
    void Wait();
    // Waits before Window's first paint, so that the toolkit finds the configuration read
    // rather than reading it a second time beside it.
    void WaitBeforeFirstPaint(QWidget& Window);

private:
    std::promise<bool> FApplication; // made, or the program ends without one
    bool FApplicationTold = false;

    std::shared_ptr<std::thread> FThread;
};
