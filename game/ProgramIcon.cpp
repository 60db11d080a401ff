#include "ProgramIcon.h"

#include <QDir>

QIcon ProgramIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons"));
    for (const QString& name : dir.entryList({QStringLiteral("tolvi-*.png")}, QDir::Files))
        icon.addFile(dir.filePath(name));
    return icon;
}
