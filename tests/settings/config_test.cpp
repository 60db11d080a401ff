// Config.INI: settings and hall of fame read at start-up and written at close, where the file
// lives, and what happens when it cannot be written.

#include "ProgramFiles.h"
#include "StringRes.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

THallOfFame FullHallOfFame() {
    const QStringList names{QString::fromUtf8("Jökull Þór"), "Smith, John", "\"Ace\" = 1; x",
                            QString::fromUtf8("Zoë 🂡"), "12345678901234567"};
    THallOfFame hall;
    int n = 0;
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (int32_t place = 1; place <= FamePlaces; ++place, ++n)
            if (n != 4) // one vacant entry
                hall.Entry(deck, scoring, level, place) = {(n % 3 == 0 ? -1 : 1) * n * 1234,
                                                           names[n % names.size()]};
    });
    return hall;
}

TEST(ConfigFile, NoFileGivesDefaultsAndAnEmptyHallOfFame) {
    TConfigDirs dirs;
    TFakeHost host;
    host.FScoring = 1, host.FDeckCount = 2, host.FLevel = 0;
    host.FHall = FullHallOfFame();
    LoadConfig(host);
    EXPECT_EQ(host.Settings(), TSettings{});
    EXPECT_EQ(host.FHall, THallOfFame{});
    EXPECT_FALSE(QFileInfo::exists(dirs.ProgramFile()));
}

TEST(ConfigFile, WholeHallOfFameAndSettingsSurviveARoundTrip) {
    TConfigDirs dirs;
    TFakeHost written;
    written.FScoring = 1, written.FDeckCount = 2, written.FLevel = 4;
    written.FShowPlays = false, written.FFumbleRule = true;
    written.FHall = FullHallOfFame();
    // Written as a whole: a save at close would merge it into the file by the entry rule.
    TConfigFile file;
    file.WriteSettings(written.Settings());
    file.WriteHallOfFame(written.FHall);
    ASSERT_TRUE(file.UpdateFile());

    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FHall, written.FHall);
    EXPECT_EQ(read.Settings(), written.Settings());

    const QString text = QString::fromUtf8(ReadAll(dirs.ProgramFile()));
    EXPECT_TRUE(
        text.startsWith("[Settings]\r\nScoring=1\r\nDeckSize=2\r\nTolvi=4\r\nShowPlays=0\r\n"
                        "FumbleRule=1\r\n\r\n"
                        "[Single Deck - Normal Scoring - Unbeatable]\r\n"
                        "1=" +
                        QString::fromUtf8("Jökull Þór") +
                        "`0\r\n2=Smith, John`1234\r\n"
                        "3=\"Ace\" = 1; x`2468\r\n4=Zoë 🂡`-3702\r\n5=`0\r\n\r\n"));
    EXPECT_TRUE(text.endsWith("[Double Deck - Las Vegas Scoring - Easy]\r\n1=Jökull Þór`117230"
                              "\r\n2=Smith, John`-118464\r\n3=\"Ace\" = 1; x`119698\r\n"
                              "4=Zoë 🂡`120932\r\n5=12345678901234567`-122166\r\n"));
    EXPECT_EQ(text.count("]\r\n1="), 20);
}

TEST(ConfigFile, HandEditedFileIsReadByTheOldRules) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), "[settings]\nscoring = 1\nDECKSIZE=3\nTolvi=abc\n"
                                 "[single deck - normal scoring - hard]\n"
                                 "1 = Abigail Longname-Smithers`900 \n2=Bob`abc\n3=777\n3=Dup`1\n"
                                 "4=Eve`\n5=\n");
    TFakeHost host;
    LoadConfig(host);
    EXPECT_EQ(host.Combination(), (TCombination{1, 1, 2}));
    const TFameTable expected{
        TFameEntry{900, "Abigail Longname-Smi"}, {0, "Bob"}, {777, ""}, {0, "Eve"}, {}};
    EXPECT_EQ(host.FHall.Table(1, 0, 2), expected);
}

TEST(ConfigFile, FileWithoutTheNewKeysReadsTheirDefaultsAndKeepsItsOwn) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), "[Settings]\r\nScoring=1\r\nDeckSize=2\r\nTolvi=0\r\n");
    TFakeHost host;
    host.FShowPlays = false, host.FFumbleRule = true;
    LoadConfig(host);
    TSettings expected; // the new keys' defaults
    expected.Scoring = 1, expected.DeckCount = 2, expected.Level = 0;
    EXPECT_EQ(host.Settings(), expected);
    WriteAll(dirs.ProgramFile(), "[Settings]\nShowPlays=7\nFumbleRule=x\n");
    host.FShowPlays = false, host.FFumbleRule = true;
    LoadConfig(host);
    EXPECT_TRUE(host.FShowPlays && !host.FFumbleRule) << "out of range: the defaults";
}

TEST(ConfigFile, SoundKeysAreWrittenOnceChangedAndReadWithinTheirRange) {
    TConfigDirs dirs;
    TSettings settings;
    TConfigFile file;
    file.WriteSettings(settings);
    ASSERT_TRUE(file.UpdateFile());
    EXPECT_FALSE(ReadAll(dirs.ProgramFile()).contains("Sound")) << "an older file stays as it was";
    settings.Sound = false, settings.SoundVolume = 35;
    file.WriteSettings(settings);
    ASSERT_TRUE(file.UpdateFile());
    EXPECT_EQ(TConfigFile().ReadSettings(), settings);
    WriteAll(dirs.ProgramFile(), "[Settings]\nSound=0\nSoundVolume=101\n");
    EXPECT_EQ(TConfigFile().ReadSettings().SoundVolume, TSettings().SoundVolume);
}

TEST(ConfigFile, PlaySpeedIsOneKeyWrittenOnceItLeavesNormal) {
    TConfigDirs dirs;
    TFakeHost host;
    ASSERT_TRUE(SaveConfig(host));
    EXPECT_FALSE(ReadAll(dirs.ProgramFile()).contains("PlaySpeed"));
    for (const int32_t speed : {3, 1, 2}) {
        host.FPlaySpeed = speed;
        ASSERT_TRUE(SaveConfig(host));
        TFakeHost read;
        read.FPlaySpeed = 0;
        LoadConfig(read);
        EXPECT_EQ(read.FPlaySpeed, speed);
    }
    EXPECT_TRUE(ReadAll(dirs.ProgramFile()).contains("PlaySpeed=2\r\n")) << "kept once chosen";
    WriteAll(dirs.ProgramFile(), "[Settings]\nShowPlays=0\nPlaySpeed=9\n");
    LoadConfig(host);
    EXPECT_TRUE(!host.FShowPlays && host.FPlaySpeed == 2) << "an older file's Off stays off";
}

TEST(ConfigFile, OldWindows1252FileIsReadAndRewrittenAsUtf8) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), "[Single Deck - Normal Scoring - Easy]\r\n1=Bj\xF6rk\x99`42\r\n");
    TFakeHost host;
    LoadConfig(host);
    EXPECT_EQ(host.FHall.Entry(1, 0, 4, 1), TFameEntry({42, QString::fromUtf8("Björk™")}));
    ASSERT_TRUE(SaveConfig(host));
    EXPECT_TRUE(ReadAll(dirs.ProgramFile()).contains("1=Bj\xC3\xB6rk\xE2\x84\xA2`42\r\n"));
}

// Lets no file grow beyond Bytes for its lifetime, as a full disk would.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes) : FHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FHandler);
    }

private:
    void (*FHandler)(int);
    rlimit FOld{};
};

TEST(ConfigFile, FailedWriteLeavesTheOldFileAndTellsWhereAndWhy) {
    TConfigDirs dirs;
    const QByteArray old = "[Settings]\r\nTolvi=1\r\n; the player's own note\r\n";
    WriteAll(dirs.ProgramFile(), old);
    TFakeHost host;
    host.FHall = FullHallOfFame();
    TScriptedDialogs dialogs;
    TConfigSave saved;
    {
        const TFileSizeLimit diskFull(512);
        saved = SaveConfig(host);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(dirs.ProgramFile()), old);
    EXPECT_EQ(QDir(dirs.Program).entryList(QDir::Files | QDir::Hidden), QStringList{"Config.INI"});
    EXPECT_TRUE(dialogs.Shown.empty()) << "the window tells the player, not the file";
    EXPECT_TRUE(saved.Message().contains(QDir::toNativeSeparators(dirs.ProgramFile())));
    EXPECT_TRUE(saved.Message().contains("File too large", Qt::CaseInsensitive))
        << saved.Message().toStdString();
}

TEST(ConfigFile, UnwritableProgramDirectoryMovesTheFileToTheUserDirectory) {
    TConfigDirs dirs;
    // A program "directory" that is a file cannot hold the settings, even for root.
    QDir(dirs.Program).removeRecursively();
    WriteAll(dirs.Program, "not a directory");
    TFakeHost host;
    host.FLevel = 0;
    host.FHall = FullHallOfFame();
    ASSERT_TRUE(SaveConfig(host));
    EXPECT_TRUE(
        ReadAll(dirs.UserFile()).startsWith("[Settings]\r\nScoring=0\r\nDeckSize=1\r\nTolvi=0"));
    EXPECT_EQ(ReadAll(dirs.Program), "not a directory");
    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FLevel, 0);
    EXPECT_EQ(read.FHall, host.FHall);

    // Nowhere to write at all: the player is to hear of the per-user path.
    const TConfigDirOverride nowhere(dirs.Program, dirs.Program + "/user");
    const TConfigSave saved = SaveConfig(host);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.Message().startsWith(
        StringRes::SettingsNotSaved(QDir::toNativeSeparators(dirs.Program + "/user/Config.INI"), {})
            .section('\n', 0, 2)));
}

TEST(ConfigFile, InstalledCopyKeepsItsSettingsAndFindsItsHelpAwayFromItsOwnFolder) {
    TConfigDirs dirs;
    const QString beside = QDir(dirs.Program).filePath(QStringLiteral("Tolvi.HLP"));
    EXPECT_FALSE(InstalledCopy());
    EXPECT_EQ(HelpFilePath(), beside) << "where it was looked for, when it is nowhere";

    // The data folder where the package puts it, relative to the program: /usr/games and
    // /usr/share/games/tolvi. The program folder stays writable, as it is for root.
    const QString data = QDir(dirs.Root.path()).filePath(QStringLiteral("share/games/tolvi"));
    ASSERT_TRUE(QDir().mkpath(data));
    WriteAll(QDir(data).filePath(QStringLiteral("Tolvi.HLP")), "<html></html>");
    EXPECT_TRUE(InstalledCopy());
    EXPECT_EQ(HelpFilePath(), QDir(data).filePath(QStringLiteral("Tolvi.HLP")));
    TFakeHost host;
    host.FLevel = 3;
    ASSERT_TRUE(SaveConfig(host));
    EXPECT_TRUE(ReadAll(dirs.UserFile()).contains("Tolvi=3"));
    EXPECT_FALSE(QFileInfo::exists(dirs.ProgramFile())) << "an installed copy wrote into /usr";

    // A copy with its help beside it is a copy of its own and keeps its settings there.
    WriteAll(beside, "<html></html>");
    EXPECT_FALSE(InstalledCopy());
    EXPECT_EQ(HelpFilePath(), beside);
    ASSERT_TRUE(SaveConfig(host));
    EXPECT_TRUE(QFileInfo::exists(dirs.ProgramFile()));
}

} // namespace

namespace {

TEST(ConfigFile, DisplayChoicesAreExtraKeysThatDefaultWhenMissingOrWrong) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), "[Settings]\nScoring=1\n");
    EXPECT_EQ(TConfigFile().ReadDisplay(), TDisplaySettings{});

    TFakeHost written;
    written.FDisplay = {200, true, false};
    ASSERT_TRUE(SaveConfig(written));
    EXPECT_TRUE(ReadAll(dirs.ProgramFile()).contains("TableSize=200\r\nLargeIndices=1\r\n\r\n"));
    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FDisplay, (TDisplaySettings{200, true, false}));

    // Back to the defaults: the keys now in the file say so.
    written.FDisplay = {};
    ASSERT_TRUE(SaveConfig(written));
    EXPECT_TRUE(ReadAll(dirs.ProgramFile()).contains("TableSize=0\r\nLargeIndices=0\r\n\r\n"));

    WriteAll(dirs.ProgramFile(), "[Settings]\nTableSize=120\nLargeIndices=2\nFourColours=1\n");
    EXPECT_EQ(TConfigFile().ReadDisplay(), (TDisplaySettings{0, false, true}));
}

} // namespace
