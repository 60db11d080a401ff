#include "ksterminating.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace {

// Watches the application's quit requests. A window may refuse to close and so veto a quit,
// which the request alone does not tell: the watch lets the application decide first and
// remembers only a quit that went ahead.
class TKsQuitWatch : public QObject {
public:
    explicit TKsQuitWatch(QCoreApplication* App) : QObject(App) {
        App->installEventFilter(this);
        // Once the main loop has returned, nothing is left to cut short; Qt itself lets new
        // event loops run again from then on.
        connect(App, &QCoreApplication::aboutToQuit, this, [this] { FQuitAccepted = false; });
    }

    bool QuitAccepted() const { return FQuitAccepted; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched != parent() || Event->type() != QEvent::Quit || FDeciding)
            return false;
        FDeciding = true;
        Event->accept();
        Watched->event(Event);
        FDeciding = false;
        if (Event->isAccepted())
            FQuitAccepted = true;
        return true;
    }

private:
    bool FQuitAccepted = false;
    bool FDeciding = false;
};

QPointer<TKsQuitWatch> gQuitWatch;

void InstallQuitWatch() {
    if (!gQuitWatch && QCoreApplication::instance())
        gQuitWatch = new TKsQuitWatch(QCoreApplication::instance());
}

} // namespace

// Watch from the start, so that a quit accepted before the first wait still counts.
Q_COREAPP_STARTUP_FUNCTION(InstallQuitWatch)

bool KsTerminating() {
    if (QCoreApplication::closingDown())
        return true;
    InstallQuitWatch();
    return gQuitWatch && gQuitWatch->QuitAccepted();
}
