#include "FontWarmUp.h"

#include <QEvent>
#include <QFontDatabase>
#include <QWidget>
#include <utility>

#ifdef TOLVI_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

void Join(std::thread& Thread) {
    if (Thread.joinable())
        Thread.join();
}

// Removes itself at the window's first paint, after the reading has ended.
class TFirstPaintWait : public QObject {
public:
    TFirstPaintWait(QWidget& Window, std::shared_ptr<std::thread> Thread)
        : QObject(&Window), FThread(std::move(Thread)) {
        Window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) {
            Join(*FThread);
            Watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::shared_ptr<std::thread> FThread;
};

} // namespace

TFontWarmUp::TFontWarmUp(std::function<void()> Work) {
#ifdef TOLVI_HAVE_FONTCONFIG
    if (!Work)
        Work = [application = FApplication.get_future().share()] {
            FcInit();
            // Made here, the first text the window draws only looks its fonts up.
            if (application.get())
                QFontDatabase::families();
        };
#endif
    FThread = std::make_shared<std::thread>();
    if (Work)
        *FThread = std::thread(std::move(Work));
}

TFontWarmUp::~TFontWarmUp() {
    if (!FApplicationTold)
        FApplication.set_value(false);
    Wait();
}

TFontWarmUp::TApplicationMade::TApplicationMade(TFontWarmUp& Fonts) : FFonts(Fonts) {
    if (!std::exchange(Fonts.FApplicationTold, true))
        Fonts.FApplication.set_value(true);
}

TFontWarmUp::TApplicationMade::~TApplicationMade() {
    FFonts.Wait();
}

void TFontWarmUp::Wait() {
    Join(*FThread);
}

void TFontWarmUp::WaitBeforeFirstPaint(QWidget& Window) {
    new TFirstPaintWait(Window, FThread); // owned by the window
}
