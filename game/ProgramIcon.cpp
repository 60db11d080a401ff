#include "ProgramIcon.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

// Removes itself at the window's first paint and sets the icon when that frame is out.
class TFirstPaintWatch : public QObject {
public:
    explicit TFirstPaintWatch(QWidget& Window) : QObject(&Window) {
        Window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) {
            Watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QApplication::setWindowIcon(ProgramIcon()); });
            deleteLater();
        }
        return false;
    }
};

} // namespace

QIcon ProgramIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    for (const QString& name : dir.entryList({QStringLiteral("tolvi-*.png")}, QDir::Files)) {
        // Named as PNG and read as PNG: left to guess, the reader loads every image format
        // plugin there is and asks each of them first, which costs more than the pictures.
        QImageReader reader(dir.filePath(name), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage picture = reader.read();
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

void SetProgramIconOnceShown(QWidget& Window) {
    new TFirstPaintWatch(Window); // owned by the window
}
