#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

std::optional<QString> gProgramDir;
std::optional<QString> gUserDir;

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

QString ProgramDir() {
    return gProgramDir ? *gProgramDir : QCoreApplication::applicationDirPath();
}

QString UserConfigDir() {
    return gUserDir ? *gUserDir
                    : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

TConfigDirOverride::TConfigDirOverride(const QString& ProgramDir, const QString& UserConfigDir)
    : FPreviousProgramDir(gProgramDir), FPreviousUserDir(gUserDir) {
    gProgramDir = ProgramDir;
    gUserDir = UserConfigDir;
}

TConfigDirOverride::~TConfigDirOverride() {
    gProgramDir = FPreviousProgramDir;
    gUserDir = FPreviousUserDir;
}

QString InstalledDataDir() {
    return QDir::cleanPath(QDir(ProgramDir()).filePath(QStringLiteral(TOLVI_DATA_FROM_PROGRAM)));
}

bool InstalledCopy() {
    return !QFileInfo::exists(BesideProgram()) && QFileInfo::exists(Installed());
}

QString HelpFilePath() {
    return InstalledCopy() ? Installed() : BesideProgram();
}
