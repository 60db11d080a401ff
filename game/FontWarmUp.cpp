#include "FontWarmUp.h"

#include <QEvent>
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
        Work = [] { FcInit(); };
#endif
    FThread = std::make_shared<std::thread>();
    if (Work)
        *FThread = std::thread(std::move(Work));
}

TFontWarmUp::~TFontWarmUp() {
    Wait();
}

void TFontWarmUp::Wait() {
    Join(*FThread);
}

void TFontWarmUp::WaitBeforeFirstPaint(QWidget& Window) {
    new TFirstPaintWait(Window, FThread); // owned by the window
}
