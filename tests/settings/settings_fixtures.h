#pragma once
// A stand-in for the main window, and a private pair of program and per-user directories.

#include "ConfigFile.h"
#include "GameRecorder.h"
#include "Records.h"
#include "Scores.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// The main window's settings, game state and records, as plain values.
class TFakeHost {
public:
    int32_t FScoring = 0, FDeckCount = 1, FLevel = 2, FGameScore = 0;
    bool FNewSession = true, FFameRecorded = false, FHumanWon = false;
    bool FShowPlays = true, FFumbleRule = false;
    int32_t FPlaySpeed = 2;
    TDisplaySettings FDisplay;
    TRecords Records;
    THallOfFame& FHall = Records.HallOfFame;
    TStatistics& FStats = Records.Statistics;
    TConfigAdditions& FAdditions = Records.Additions;

    TSettings Settings() const {
        TSettings settings;
        settings.Scoring = FScoring, settings.DeckCount = FDeckCount, settings.Level = FLevel;
        settings.ShowPlays = FShowPlays, settings.FumbleRule = FFumbleRule;
        settings.PlaySpeed = FPlaySpeed;
        settings.Display = FDisplay;
        return settings;
    }
    void Take(const TSettings& Value) {
        FScoring = Value.Scoring, FDeckCount = Value.DeckCount, FLevel = Value.Level;
        FShowPlays = Value.ShowPlays, FFumbleRule = Value.FumbleRule, FDisplay = Value.Display;
        FPlaySpeed = Value.PlaySpeed;
    }
    TCombination Combination() const { return {FDeckCount, FScoring, FLevel}; }
};

inline void LoadConfig(TFakeHost& Host) {
    Host.Take(LoadConfig(Host.Records));
}
inline TConfigSave SaveConfig(TFakeHost& Host) {
    return SaveConfig(Host.Settings(), Host.Records);
}
// Offers the host's score as the window does once it may enter.
inline void CheckHallOfFame(TFakeHost& Host) {
    if (CheckHallOfFame(Host.Records, Host.Combination(), Host.FGameScore))
        Host.FFameRecorded = true;
}
inline TGameRecorder RecorderOf(TFakeHost& Host) {
    return TGameRecorder(Host.Records, [&Host] {
        return TRecordedGame{Host.Combination(), Host.FGameScore};
    });
}

// Program and per-user directories inside a temporary directory, installed for the fixture's
// lifetime.
class TConfigDirs {
public:
    TConfigDirs()
        : Program(Root.filePath(QStringLiteral("program"))),
          User(Root.filePath(QStringLiteral("user"))), FOverride(Program, User) {
        QDir().mkpath(Program);
    }
    QString ProgramFile() const { return QDir(Program).filePath(QStringLiteral("Config.INI")); }
    QString UserFile() const { return QDir(User).filePath(QStringLiteral("Config.INI")); }

    QTemporaryDir Root;
    QString Program;
    QString User;

private:
    TConfigDirOverride FOverride;
};

inline QByteArray ReadAll(const QString& Path) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& Path, const QByteArray& Bytes) {
    QFile file(Path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Bytes);
}
