#include "ProgramFiles.h"

#include "ConfigFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString HelpFileName() {
    return QStringLiteral("Tolvi.HLP");
}

QString BesideProgram() {
    return QDir(ProgramDir()).filePath(HelpFileName());
}

QString Installed() {
    return QDir(InstalledDataDir()).filePath(HelpFileName());
}

} // namespace

QString InstalledDataDir() {
    return QDir::cleanPath(QDir(ProgramDir()).filePath(QStringLiteral(TOLVI_DATA_FROM_PROGRAM)));
}

bool InstalledCopy() {
    return !QFileInfo::exists(BesideProgram()) && QFileInfo::exists(Installed());
}

QString HelpFilePath() {
    return InstalledCopy() ? Installed() : BesideProgram();
}
