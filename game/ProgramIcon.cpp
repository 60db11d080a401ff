#include "ProgramIcon.h"

#include "FirstFrame.h"
#include "kspicture.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

QIcon ProgramIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    // A name filter would compile a wildcard into a regular expression, pulling in the
    // expression engine's compiler and its memory for one test of a prefix.
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (!name.startsWith(QLatin1String("tolvi-")) || !name.endsWith(QLatin1String(".kspc")))
            continue;
        const QImage picture = KsReadPicture(dir.filePath(name));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

void SetProgramIconOnceShown(QWidget& Window) {
    RunAfterFirstFrame(Window, [] { QApplication::setWindowIcon(ProgramIcon()); });
}
