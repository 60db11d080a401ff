#pragma once
// "Config.INI": the settings and the hall of fame. It lives beside the program file;
// when that directory cannot be written, or the program is an installed copy, it lives in the
// per-user configuration directory instead.

#include "IniFile.h"
#include "ProgramFiles.h"
#include "Settings.h"

#include <QString>
#include <cstdint>

class QLockFile;

class THallOfFame;
class TStatistics;
struct TRecords;

QString ConfigFileName();  // "Config.INI"
QString SettingsSection(); // "Settings"

// Where the file is read from and written to. With a writable program directory (not an
// installed copy) both are the file there. Otherwise the file is written to the per-user directory
// and read from there, or, while no per-user file exists yet, from the program directory.
struct TConfigPaths {
    QString ReadPath;
    QString WritePath;
};
TConfigPaths ConfigPaths();

// The outcome of a write of the file: saved, or where and why not. The records library shows
// nothing itself; the window tells the player Message.
struct TConfigSave {
    bool Saved = true;
    QString Path;      // where the failed write went
    QString Reason;    // the system's reason
    bool Busy = false; // another copy held the file: nothing was written, nothing went wrong
    explicit operator bool() const { return Saved; }
    QString Message() const;
};

// The settings file while it is open: read on creation, written by UpdateFile.
class TConfigFile {
public:
    TConfigFile();
    explicit TConfigFile(const TConfigPaths& Paths);

    // The settings, display choices included; a missing value, one that is not an integer,
    // or one outside its range gives the default.
    TSettings ReadSettings() const;
    void WriteSettings(const TSettings& Settings);
    // The display choices, extra keys of the same section; missing or wrong ones default.
    TDisplaySettings ReadDisplay() const;
    void WriteDisplay(const TDisplaySettings& Display);
    void ReadHallOfFame(THallOfFame& HallOfFame) const;
    void WriteHallOfFame(const THallOfFame& HallOfFame);
    // The name last entered for the hall of fame, an extra key of the settings section that
    // is written only once a name has been entered; empty when missing.
    QString ReadLastName() const;
    void WriteLastName(const QString& Name);
    void ReadStatistics(TStatistics& Statistics) const;
    void WriteStatistics(const TStatistics& Statistics);

    // Writes the file; on failure the old file stays as it was.
    TConfigSave UpdateFile();

    TIniFile& Ini() { return FIni; }
    const TIniFile& Ini() const { return FIni; }

private:
    TIniFile FIni;
};

// The start-up read: the whole hall of fame and the statistics into Records, with nothing
// added yet; returns the settings.
TSettings LoadConfig(TRecords& Records);
// The write at close, under a lock file beside Config.INI ("Config.INI.lock"): the file is
// read as it is now, since another copy of the program may have saved into it; the settings
// are Settings, the hall of fame and the statistics are the file's with what Records added
// since it last read or wrote the file. On success Records holds what was written and nothing
// added. It waits for the lock as long as other copies hold it.
TConfigSave SaveConfig(const TSettings& Settings, TRecords& Records);
// The same merge for the records alone, as a game is decided: the settings stay the file's
// (Settings go only into a file that has none yet). It does not wait: when another copy holds
// the lock it returns Busy at once, with Records untouched, for a later try.
TConfigSave SaveRecords(const TSettings& Settings, TRecords& Records);

// A lock left by a copy that died is taken over at once; one held this long by a living copy
// is taken as stale too. A save waits for the lock as long as other copies hold it in turn:
// saving without it would drop what they merge, and twenty copies closing together on a busy
// machine take longer than any fixed wait.
constexpr int ConfigLockStaleMs = 5000;
constexpr int ConfigLockPollMs = 20;

// A copy killed between making its lock file and writing its process id into it leaves an
// empty file, which Qt takes for a living owner until ConfigLockStaleMs have passed. A living
// copy writes the id at once, so an empty lock older than ConfigLockEmptyMs is removed.
constexpr int ConfigLockEmptyMs = 1000;
void RemoveDeadConfigLock(const QString& LockPath);

// Takes the settings file's lock, made at LockPath: while another copy holds it, tries again
// every ConfigLockPollMs, up to Retries times (-1: until it is free), taking over a dead copy's
// lock. Impossible where no lock file can be made at all.
enum class TConfigLock { Taken, Busy, Impossible };
TConfigLock TakeConfigLock(QLockFile& Lock, const QString& LockPath, int Retries);
