#pragma once
// What the game benchmarks share: the real main window with its settings in a temporary folder
// and every message box answered at once (OK, and No to "play again?"), the process CPU clock,
// and a main that gives Google Benchmark a QApplication.

#include "ConfigFile.h"
#include "Main.h"
#include "ksdialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace bench {

class TSilentDialogs final : public TKsDialogs {
public:
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        for (TKsMsgDlgBtn b : Msg.Buttons)
            if (b == mbNo)
                return mbNo;
        return Msg.Buttons.empty() ? mbOK : Msg.Buttons.front();
    }
    int Exec(QDialog&) override { return QDialog::Rejected; }
};

// Whether a widget has been painted since this was made.
class TFirstPaint : public QObject {
public:
    explicit TFirstPaint(QWidget& Widget) : FWidget(Widget) { Widget.installEventFilter(this); }
    ~TFirstPaint() override { FWidget.removeEventFilter(this); }
    bool Seen = false;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        Seen |= Event->type() == QEvent::Paint;
        return false;
    }

private:
    QWidget& FWidget;
};

class TBenchTable {
public:
    explicit TBenchTable(bool Show) {
        form = std::make_unique<TMainForm>();
        if (Show)
            ShowAndWait(*form);
    }

    // Shows a window and waits until it is on screen and has drawn its first frame (fonts
    // looked up, every control drawn): that is start-up, not what a benchmark after it measures.
    static void ShowAndWait(QWidget& Window) {
        TFirstPaint painted(Window);
        Window.show();
        QElapsedTimer waited;
        waited.start();
        while (!painted.Seen && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
    }
    ~TBenchTable() { form.reset(); }

    static void Drain() { QCoreApplication::sendPostedEvents(nullptr, 0); }

    QTemporaryDir dir;
    TConfigDirOverride dirs{dir.filePath(QStringLiteral("program")),
                            dir.filePath(QStringLiteral("user"))};
    TSilentDialogs dialogs;
    TKsDialogsOverride answered{dialogs};
    std::unique_ptr<TMainForm> form;
};

// User plus system time of the whole process, in milliseconds.
inline double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& T) {
        return double(T.tv_sec) * 1000.0 + double(T.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The platform is the offscreen one unless QT_QPA_PLATFORM names another (xcb on Xvfb).
inline int RunBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    benchmark::AddCustomContext("platform", QApplication::platformName().toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
