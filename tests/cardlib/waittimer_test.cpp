#include "ksterminating.h"
#include "kswaittimer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs Body inside the application's main event loop, which a quit needs in order to take
// effect, and returns once Body is done and the loop has ended.
void RunInMainLoop(const std::function<void()>& Body) {
    QTimer::singleShot(0, [&Body] {
        Body();
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
}

// A window that counts what it is asked to handle, and may refuse to close.
class TCountingWindow : public QWidget {
public:
    int Paints = 0;
    int Clicks = 0;
    bool RefuseClose = false;

protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
    void mouseReleaseEvent(QMouseEvent*) override { ++Clicks; }
    void closeEvent(QCloseEvent* Event) override {
        if (RefuseClose)
            Event->ignore();
    }
};

} // namespace

TEST(WaitTimer, AWaitLastsUntilTheTimerIsSwitchedOff) {
    TKsWaitTimer timer;
    EXPECT_FALSE(timer.Enabled());
    // The timer's own handler switches it off at the first tick.
    timer.Wait(20);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 20);

    // A handler that lets it run on: the wait goes on until the handler stops it.
    int ticks = 0;
    timer.OnTimer = [&](TKsWaitTimer* Sender) {
        EXPECT_EQ(Sender, &timer);
        if (++ticks == 3)
            Sender->SetEnabled(false);
    };
    QElapsedTimer clock;
    clock.start();
    timer.Wait(30);
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(clock.elapsed(), 90);
}

TEST(Pause, ReturnsAfterAtLeastItsTime) {
    for (const int ms : {1, 120, 500}) {
        QElapsedTimer clock;
        clock.start();
        Pause(ms);
        EXPECT_GE(clock.elapsed(), ms) << "Pause(" << ms << ")";
        EXPECT_FALSE(WaitTimer().Enabled());
    }
}

TEST(Pause, GameTimersClicksAndPaintsAreHandledWhileItWaits) {
    TCountingWindow window;
    window.resize(60, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    int gameTicks = 0;
    QTimer gameTimer;
    gameTimer.setInterval(25);
    QObject::connect(&gameTimer, &QTimer::timeout, [&] { ++gameTicks; });
    gameTimer.start();
    bool oneShotFired = false;
    QTimer::singleShot(60, [&] { oneShotFired = true; });

    const int paintsBefore = window.Paints;
    window.update();
    QCoreApplication::postEvent(&window, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5),
                                                         QPointF(5, 5), Qt::LeftButton,
                                                         Qt::NoButton, Qt::NoModifier));
    // Everything is handled inside the waits; on a busy machine one wait may not be enough for
    // four ticks, so it waits again (a minute at most).
    for (int i = 0; i < 200 && !(oneShotFired && gameTicks >= 4 && window.Clicks == 1 &&
                                 window.Paints > paintsBefore);
         ++i)
        Pause(300);
    gameTimer.stop();

    EXPECT_TRUE(oneShotFired);
    EXPECT_GE(gameTicks, 4);
    EXPECT_EQ(window.Clicks, 1);
    EXPECT_GT(window.Paints, paintsBefore);
}

TEST(Pause, AWaitInsideAWaitLastsItsOwnTime) {
    qint64 inner = -1;
    QElapsedTimer outer;
    outer.start();
    QTimer::singleShot(20, [&] {
        QElapsedTimer clock;
        clock.start();
        Pause(150);
        inner = clock.elapsed();
    });
    Pause(60);
    EXPECT_GE(inner, 150);
    EXPECT_GE(outer.elapsed(), 170);
}

TEST(Pause, ReturnsEarlyWhenTheApplicationQuits) {
    qint64 waited = -1;
    qint64 waitedAfterQuit = -1;
    RunInMainLoop([&] {
        QTimer::singleShot(100, [] { QCoreApplication::quit(); });
        QElapsedTimer clock;
        clock.start();
        // Far longer than a quit takes to go through even on a very slow machine.
        Pause(60000);
        waited = clock.elapsed();
        // Once the quit has gone through, a further wait does not hold the exit up.
        clock.restart();
        Pause(60000);
        waitedAfterQuit = clock.elapsed();
    });
    EXPECT_GE(waited, 100);
    EXPECT_LT(waited, 30000);
    EXPECT_GE(waitedAfterQuit, 0);
    EXPECT_LT(waitedAfterQuit, 30000);
    // The main loop is over: waits are whole again.
    QElapsedTimer clock;
    clock.start();
    Pause(50);
    EXPECT_GE(clock.elapsed(), 50);
}

TEST(Pause, AQuitThatAWindowRefusesDoesNotCutTheWaitShort) {
    TCountingWindow window;
    window.RefuseClose = true;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    qint64 waited = -1;
    bool terminatingAfterRefusal = true;
    RunInMainLoop([&] {
        QTimer::singleShot(30, [&] {
            QCoreApplication::quit();
            terminatingAfterRefusal = KsTerminating();
        });
        QElapsedTimer clock;
        clock.start();
        Pause(250);
        waited = clock.elapsed();
    });
    EXPECT_FALSE(terminatingAfterRefusal);
    EXPECT_GE(waited, 250);
    EXPECT_TRUE(window.isVisible());
}

TEST(Terminating, HoldsFromAnAcceptedQuitUntilTheMainLoopHasReturned) {
    EXPECT_FALSE(KsTerminating());
    bool beforeQuit = true;
    bool afterQuit = false;
    RunInMainLoop([&] {
        beforeQuit = KsTerminating();
        QCoreApplication::quit();
        afterQuit = KsTerminating();
    });
    EXPECT_FALSE(beforeQuit);
    EXPECT_TRUE(afterQuit);
    EXPECT_FALSE(KsTerminating());
}
