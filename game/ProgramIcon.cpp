#include "ProgramIcon.h"

#include "FirstFrame.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QPixmap>

QIcon ProgramIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    // A name filter would compile a wildcard into a regular expression, pulling in the
    // expression engine's compiler and its memory for one test of a prefix.
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (!name.startsWith(QLatin1String("tolvi-")) || !name.endsWith(QLatin1String(".png")))
            continue;
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
    RunAfterFirstFrame(Window, [] { QApplication::setWindowIcon(ProgramIcon()); });
}
