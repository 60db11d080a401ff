#include "FirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

// Removes itself at the window's first paint and runs the work when that frame is out.
class TFirstPaintWatch : public QObject {
public:
    TFirstPaintWatch(QWidget& Window, std::function<void()> Then)
        : QObject(&Window), FThen(std::move(Then)) {
        Window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) {
            Watched->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(FThen));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> FThen;
};

} // namespace

void RunAfterFirstFrame(QWidget& Window, std::function<void()> Then) {
    new TFirstPaintWatch(Window, std::move(Then)); // owned by the window
}
