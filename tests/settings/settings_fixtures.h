#pragma once
// A stand-in for the main window, and a private pair of program and per-user directories.

#include "ConfigAdditions.h"
#include "ConfigFile.h"
#include "HallOfFame.h"
#include "OptionsHost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

class TFakeHost : public TOptionsHost {
public:
    int32_t FScoring = 0, FDeckCount = 1, FLevel = 2, FGameScore = 0, FInterval = 750;
    bool FNewSession = true, FFameRecorded = false, FHumanWon = false, FTimer = false;
    bool FShowPlays = true, FFumbleRule = false;
    THallOfFame FHall;
    TStatistics FStats;
    TConfigAdditions FAdditions;
    std::vector<std::string> Calls; // what changed the game, in order

    int32_t Scoring() const override { return FScoring; }
    void SetScoring(int32_t V) override { FScoring = V; }
    int32_t DeckCount() const override { return FDeckCount; }
    void SetDeckCount(int32_t V) override { FDeckCount = V; }
    int32_t Level() const override { return FLevel; }
    void SetLevel(int32_t V) override { FLevel = V; }
    bool NewSession() const override { return FNewSession; }
    void SetNewSession(bool V) override { FNewSession = V; }
    bool FameRecorded() const override { return FFameRecorded; }
    void SetFameRecorded(bool V) override {
        FFameRecorded = V;
        Calls.push_back("FameRecorded");
    }
    bool HumanWon() const override { return FHumanWon; }
    int32_t GameScore() const override { return FGameScore; }
    THallOfFame& HallOfFame() override { return FHall; }
    TStatistics& Statistics() override { return FStats; }
    TConfigAdditions& Additions() override { return FAdditions; }
    bool TimerEnabled() const override { return FTimer; }
    void SetTimerEnabled(bool V) override { FTimer = V; }
    int32_t TimerInterval() const override { return FInterval; }
    void SetTimerInterval(int32_t V) override { FInterval = V; }
    bool ShowPlays() const override { return FShowPlays; }
    void SetShowPlays(bool V) override { FShowPlays = V; }
    bool FumbleRule() const override { return FFumbleRule; }
    void SetFumbleRule(bool V) override { FFumbleRule = V; }
    void SetUpDeckSize() override {
        Calls.push_back("SetUpDeckSize:" + std::to_string(FDeckCount));
    }
    TDisplaySettings FDisplay;
    int32_t FStartedTableSize = 0;
    TDisplaySettings Display() const override { return FDisplay; }
    void SetDisplay(const TDisplaySettings& V) override {
        FDisplay = V;
        Calls.push_back("SetDisplay");
    }
    int32_t StartedTableSize() const override { return FStartedTableSize; }
};

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
