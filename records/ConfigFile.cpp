#include "ConfigFile.h"

#include "ProgramFiles.h"
#include "Records.h"
#include "StringRes.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace {

bool DirWritable(const QString& Dir) {
    const QFileInfo info(Dir);
    return info.isDir() && info.isWritable();
}

int32_t ReadChoice(const TIniFile& Ini, const QString& Key, int32_t Low, int32_t High,
                   int32_t Default) {
    const int32_t value = Ini.ReadInteger(SettingsSection(), Key, Default);
    return value >= Low && value <= High ? value : Default;
}

// A key added after the first version: written once it leaves its default or the file holds
// it, so a file of an older version stays as it was until the choice is made.
void WriteChosen(TIniFile& Ini, const QString& Key, int32_t Value, int32_t Default) {
    if (Value != Default || Ini.ValueExists(SettingsSection(), Key))
        Ini.WriteInteger(SettingsSection(), Key, Value);
}

template <typename S, size_t N>
void ReadSwitches(const TIniFile& Ini, const TSettingsSwitch<S> (&Switches)[N], S& Into) {
    const S defaults;
    for (const TSettingsSwitch<S>& on : Switches)
        Into.*on.Member = ReadChoice(Ini, QLatin1String(on.Key), 0, 1, defaults.*on.Member) != 0;
}

template <typename S, size_t N>
void WriteSwitches(TIniFile& Ini, const TSettingsSwitch<S> (&Switches)[N], const S& From) {
    const S defaults;
    for (const TSettingsSwitch<S>& on : Switches) {
        const QString key = QLatin1String(on.Key);
        const int32_t value = From.*on.Member ? 1 : 0;
        if (on.Written == TKeyWritten::Always)
            Ini.WriteInteger(SettingsSection(), key, value);
        else
            WriteChosen(Ini, key, value, defaults.*on.Member ? 1 : 0);
    }
}

} // namespace

QString ConfigFileName() {
    return QStringLiteral("Config.INI");
}

QString SettingsSection() {
    return QStringLiteral("Settings");
}

TConfigPaths ConfigPaths() {
    const QString programDir = ProgramDir();
    const QString programFile = QDir(programDir).filePath(ConfigFileName());
    if (DirWritable(programDir) && !InstalledCopy())
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
    const int32_t level =
        FIni.ReadInteger(SettingsSection(), QStringLiteral("Tolvi"), TLevel().Index());
    settings.Level = TLevel::Of(level).value_or(TLevel()).Index();
    ReadSwitches(FIni, SettingsSwitches, settings);
    settings.SoundVolume =
        ReadChoice(FIni, QStringLiteral("SoundVolume"), 0, 100, defaults.SoundVolume);
    settings.PlaySpeed = ReadChoice(FIni, QStringLiteral("PlaySpeed"), 1, 3, defaults.PlaySpeed);
    // "WxH"; anything else is the table size's own.
    const QStringList size =
        FIni.ReadString(SettingsSection(), QStringLiteral("WindowSize"), {}).split(u'x');
    if (size.size() == 2) {
        const int32_t w = size[0].toInt(), h = size[1].toInt();
        if (w > 0 && h > 0 && w <= 100000 && h <= 100000)
            settings.WindowWidth = w, settings.WindowHeight = h;
    }
    settings.Display = ReadDisplay();
    return settings;
}

void TConfigFile::WriteSettings(const TSettings& Settings) {
    FIni.WriteInteger(SettingsSection(), QStringLiteral("Scoring"), Settings.Scoring);
    FIni.WriteInteger(SettingsSection(), QStringLiteral("DeckSize"), Settings.DeckCount);
    FIni.WriteInteger(SettingsSection(), QStringLiteral("Tolvi"), Settings.Level);
    WriteSwitches(FIni, SettingsSwitches, Settings);
    const TSettings defaults;
    WriteChosen(FIni, QStringLiteral("SoundVolume"), Settings.SoundVolume, defaults.SoundVolume);
    WriteChosen(FIni, QStringLiteral("PlaySpeed"), Settings.PlaySpeed, defaults.PlaySpeed);
    if (Settings.WindowWidth > 0 ||
        FIni.ValueExists(SettingsSection(), QStringLiteral("WindowSize")))
        FIni.WriteString(
            SettingsSection(), QStringLiteral("WindowSize"),
            Settings.WindowWidth > 0
                ? QStringLiteral("%1x%2").arg(Settings.WindowWidth).arg(Settings.WindowHeight)
                : QString());
    WriteDisplay(Settings.Display);
}

TDisplaySettings TConfigFile::ReadDisplay() const {
    TDisplaySettings display;
    const int32_t size = FIni.ReadInteger(SettingsSection(), QStringLiteral("TableSize"), 0);
    display.TableSize = IsTableSize(size) ? size : 0;
    ReadSwitches(FIni, DisplaySwitches, display);
    return display;
}

void TConfigFile::WriteDisplay(const TDisplaySettings& Display) {
    WriteChosen(FIni, QStringLiteral("TableSize"), Display.TableSize, TDisplaySettings().TableSize);
    WriteSwitches(FIni, DisplaySwitches, Display);
}

void TConfigFile::ReadHallOfFame(THallOfFame& HallOfFame) const {
    ::ReadHallOfFame(FIni, HallOfFame);
}

void TConfigFile::WriteHallOfFame(const THallOfFame& HallOfFame) {
    ::WriteHallOfFame(FIni, HallOfFame);
}

QString TConfigFile::ReadLastName() const {
    return FIni.ReadString(SettingsSection(), QStringLiteral("PlayerName"), {});
}

void TConfigFile::WriteLastName(const QString& Name) {
    FIni.WriteString(SettingsSection(), QStringLiteral("PlayerName"), Name);
}

void TConfigFile::ReadStatistics(TStatistics& Statistics) const {
    ::ReadStatistics(FIni, Statistics);
}

void TConfigFile::WriteStatistics(const TStatistics& Statistics) {
    ::WriteStatistics(FIni, Statistics);
}

QString TConfigSave::Message() const {
    return StringRes::SettingsNotSaved(QDir::toNativeSeparators(Path), Reason);
}

TConfigSave TConfigFile::UpdateFile() {
    const QString path = FIni.FileName();
    // The per-user directory may not exist yet; if it cannot be made, the write below fails
    // and says why.
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (FIni.UpdateFile())
        return {};
    return {false, path, FIni.ErrorString()};
}

TSettings LoadConfig(TRecords& Records) {
    const TConfigFile file;
    file.ReadHallOfFame(Records.HallOfFame);
    file.ReadStatistics(Records.Statistics);
    Records.Additions.Clear();
    Records.Additions.SetLastName(file.ReadLastName());
    return file.ReadSettings();
}

void RemoveDeadConfigLock(const QString& LockPath) {
    const QFileInfo info(LockPath);
    if (info.exists() && info.size() == 0 &&
        info.lastModified().msecsTo(QDateTime::currentDateTime()) > ConfigLockEmptyMs)
        QFile::remove(LockPath);
}

TConfigLock TakeConfigLock(QLockFile& Lock, const QString& LockPath, int Retries) {
    Lock.setStaleLockTime(ConfigLockStaleMs);
    // Qt's own wait backs off to seconds between tries; short steps keep a close quick while
    // other copies take the lock in turn.
    for (int tries = 0;; ++tries) {
        if (Lock.tryLock(0))
            return TConfigLock::Taken;
        if (Lock.error() != QLockFile::LockFailedError)
            return TConfigLock::Impossible;
        // A dead copy's empty lock goes at once; a living copy's is tried again.
        RemoveDeadConfigLock(LockPath);
        if (Retries >= 0 && tries >= Retries) {
            if (Lock.tryLock(0))
                return TConfigLock::Taken;
            return Lock.error() == QLockFile::LockFailedError ? TConfigLock::Busy
                                                              : TConfigLock::Impossible;
        }
        QThread::msleep(ConfigLockPollMs);
    }
}

namespace {

enum class TLockWait { UntilFree, Never };

// Reads the file under its lock, merges what Records added since it last read or wrote it and
// writes it back; the settings too when SettingsWanted says so.
TConfigSave MergeRecords(const TSettings& Settings, TRecords& Records, TLockWait Wait,
                         bool (*SettingsWanted)(const TConfigFile&)) {
    const TConfigPaths paths = ConfigPaths();
    // Another copy of the program may be saving into the same file: its read, merge and write
    // must not interleave with ours. The directory may not exist yet; without a lock (nowhere
    // to write it) the save still goes on and reports its own failure.
    QDir().mkpath(QFileInfo(paths.WritePath).absolutePath());
    const QString lockPath = paths.WritePath + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    // Where no lock can be made the save goes on; a lock held now is tried again later when
    // the save may not wait.
    if (TakeConfigLock(lock, lockPath, Wait == TLockWait::Never ? 0 : -1) == TConfigLock::Busy)
        return {false, paths.WritePath, {}, true};

    TConfigFile file(paths);
    if (SettingsWanted(file))
        file.WriteSettings(Settings);
    // A copy that entered no name leaves the one another copy may have entered since.
    if (Records.Additions.NameEntered())
        file.WriteLastName(Records.Additions.LastName());
    THallOfFame hall;
    file.ReadHallOfFame(hall);
    TStatistics statistics;
    file.ReadStatistics(statistics);
    Records.Additions.ApplyTo(hall, statistics);
    file.WriteHallOfFame(hall);
    file.WriteStatistics(statistics);
    TConfigSave saved = file.UpdateFile();
    if (!saved)
        return saved;
    Records.HallOfFame = hall;
    Records.Statistics = statistics;
    Records.Additions.Clear();
    return saved;
}

} // namespace

TConfigSave SaveConfig(const TSettings& Settings, TRecords& Records) {
    return MergeRecords(Settings, Records, TLockWait::UntilFree,
                        [](const TConfigFile&) { return true; });
}

TConfigSave SaveRecords(const TSettings& Settings, TRecords& Records) {
    // A new file starts with the settings, as one made at close does.
    return MergeRecords(Settings, Records, TLockWait::Never, [](const TConfigFile& File) {
        return !File.Ini().SectionExists(SettingsSection());
    });
}
