#include "ConfigFile.h"

#include "HallOfFame.h"
#include "OptionsHost.h"
#include "StringRes.h"
#include "ksdialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace {

std::optional<QString> gProgramDir;
std::optional<QString> gUserDir;

bool DirWritable(const QString& Dir) {
    const QFileInfo info(Dir);
    return info.isDir() && info.isWritable();
}

int32_t ReadChoice(const TIniFile& Ini, const QString& Key, int32_t Low, int32_t High,
                   int32_t Default) {
    const int32_t value = Ini.ReadInteger(SettingsSection(), Key, Default);
    return value >= Low && value <= High ? value : Default;
}

} // namespace

QString ConfigFileName() {
    return QStringLiteral("Config.INI");
}

QString SettingsSection() {
    return QStringLiteral("Settings");
}

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

TConfigPaths ConfigPaths() {
    const QString programDir = ProgramDir();
    const QString programFile = QDir(programDir).filePath(ConfigFileName());
    if (DirWritable(programDir))
        return {programFile, programFile};
    const QString userFile = QDir(UserConfigDir()).filePath(ConfigFileName());
    return {QFileInfo::exists(userFile) ? userFile : programFile, userFile};
}

TConfigFile::TConfigFile() : TConfigFile(ConfigPaths()) {}

TConfigFile::TConfigFile(const TConfigPaths& Paths) : FIni(Paths.ReadPath) {
    FIni.SetFileName(Paths.WritePath);
}

TSettings TConfigFile::ReadSettings() const {
    const TSettings defaults;
    TSettings settings;
    settings.Scoring = ReadChoice(FIni, QStringLiteral("Scoring"), 0, 1, defaults.Scoring);
    settings.DeckCount = ReadChoice(FIni, QStringLiteral("DeckSize"), 1, 2, defaults.DeckCount);
    settings.Level = ReadChoice(FIni, QStringLiteral("Tolvi"), 0, 4, defaults.Level);
    return settings;
}

void TConfigFile::WriteSettings(const TSettings& Settings) {
    FIni.WriteInteger(SettingsSection(), QStringLiteral("Scoring"), Settings.Scoring);
    FIni.WriteInteger(SettingsSection(), QStringLiteral("DeckSize"), Settings.DeckCount);
    FIni.WriteInteger(SettingsSection(), QStringLiteral("Tolvi"), Settings.Level);
}

TDisplaySettings TConfigFile::ReadDisplay() const {
    TDisplaySettings display;
    const int32_t size = FIni.ReadInteger(SettingsSection(), QStringLiteral("TableSize"), 0);
    display.TableSize = IsTableSize(size) ? size : 0;
    display.LargeIndices = ReadChoice(FIni, QStringLiteral("LargeIndices"), 0, 1, 0) != 0;
    display.FourColours = ReadChoice(FIni, QStringLiteral("FourColours"), 0, 1, 0) != 0;
    return display;
}

void TConfigFile::WriteDisplay(const TDisplaySettings& Display) {
    // The display keys are written once they leave their defaults, so a file of an older
    // version stays as it was until a display choice is made.
    const auto writeDisplay = [this](const QString& Key, int32_t Value) {
        if (Value != 0 || FIni.ValueExists(SettingsSection(), Key))
            FIni.WriteInteger(SettingsSection(), Key, Value);
    };
    writeDisplay(QStringLiteral("TableSize"), Display.TableSize);
    writeDisplay(QStringLiteral("LargeIndices"), Display.LargeIndices ? 1 : 0);
    writeDisplay(QStringLiteral("FourColours"), Display.FourColours ? 1 : 0);
}

void TConfigFile::ReadHallOfFame(THallOfFame& HallOfFame) const {
    ::ReadHallOfFame(FIni, HallOfFame);
}

void TConfigFile::WriteHallOfFame(const THallOfFame& HallOfFame) {
    ::WriteHallOfFame(FIni, HallOfFame);
}

bool TConfigFile::UpdateFile() {
    const QString path = FIni.FileName();
    // The per-user directory may not exist yet; if it cannot be made, the write below fails
    // and says why.
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (FIni.UpdateFile())
        return true;
    KsMessageDlg(StringRes::SettingsNotSaved(QDir::toNativeSeparators(path), FIni.ErrorString()),
                 mtError, {mbOK});
    return false;
}

void LoadConfig(TOptionsHost& Host) {
    const TConfigFile file;
    const TSettings settings = file.ReadSettings();
    Host.SetScoring(settings.Scoring);
    Host.SetDeckCount(settings.DeckCount);
    Host.SetLevel(settings.Level);
    Host.SetDisplay(file.ReadDisplay());
    file.ReadHallOfFame(Host.HallOfFame());
}

int32_t ReadTableSize() {
    return TConfigFile().ReadDisplay().TableSize;
}

bool SaveConfig(TOptionsHost& Host) {
    TConfigFile file;
    file.WriteSettings({Host.Scoring(), Host.DeckCount(), Host.Level()});
    file.WriteDisplay(Host.Display());
    file.WriteHallOfFame(Host.HallOfFame());
    return file.UpdateFile();
}
