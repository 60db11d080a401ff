// Config.INI shared by two copies of the program, read line by line, and the statistics:
// their keys, their merge, the options Save that changes nothing, and the scores dialog.

#include "GameRecorder.h"
#include "Options.h"
#include "RecordsSaver.h"
#include "Scores.h"
#include "StatisticsView.h"
#include "StringRes.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

TEST(ConfigText, EachLineIsUtf8OrWindows1252OnItsOwn) {
    TIniFile ini;
    ini.LoadFromBytes("[S]\nn=\xC3\xA9lo\xC3\xAFse\nstray=caf\xE9\nm=\xE2\x82\xAC\ncut=\xC3");
    EXPECT_EQ(ini.ReadString("S", "n", {}), QString::fromUtf8("éloïse"));
    EXPECT_EQ(ini.ReadString("S", "stray", {}), QString::fromUtf8("café"));
    EXPECT_EQ(ini.ReadString("S", "m", {}), QString::fromUtf8("€"));
    EXPECT_EQ(ini.ReadString("S", "cut", {}), QString::fromUtf8("Ã"));
}

// Two copies of the program on one file, each with its own memory.
class TwoCopies : public ::testing::Test {
protected:
    TwoCopies() {
        LoadConfig(a);
        LoadConfig(b);
        dialogs.OnExec = [this](QDialog& d) {
            d.findChild<QLineEdit*>("Edit")->setText(Name);
            return int(QDialog::Accepted);
        };
    }
    void Enter(TFakeHost& Host, const QString& Who, int32_t Score) {
        Name = Who;
        Host.FGameScore = Score;
        Host.FFameRecorded = false;
        CheckHallOfFame(Host);
    }

    TConfigDirs dirs;
    TScriptedDialogs dialogs;
    TFakeHost a, b;
    QString Name;
};

TEST_F(TwoCopies, EachKeepsTheOthersEntriesAndCounters) {
    Enter(a, "Al", 700);
    Enter(b, "Bea", 900);
    Enter(b, "Bo", 700);
    TGameStats& won = b.FStats.Entry(1, 0, 2);
    TGameStats& wonAdded = b.FAdditions.Statistics().Entry(1, 0, 2);
    for (TGameStats* s : {&won, &wonAdded})
        s->Win(90, 900);
    a.FLevel = 4; // the settings are the last window's
    ASSERT_TRUE(SaveConfig(b));
    TGameStats& lost = a.FAdditions.Statistics().Entry(1, 0, 2);
    lost.Lose();
    lost.Win(120, 500);
    ASSERT_TRUE(SaveConfig(a));

    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FHall.Table(1, 0, 2),
              (TFameTable{TFameEntry{900, "Bea"}, {700, "Bo"}, {700, "Al"}, {}, {}}));
    EXPECT_EQ(read.FLevel, 4);
    const TGameStats& s = read.FStats.Entry(1, 0, 2);
    EXPECT_EQ(s.Played, 3);
    EXPECT_EQ(s.Won, 2);
    EXPECT_EQ(s.Lost, 1);
    EXPECT_EQ(s.Streak, 1) << "a's loss ended b's streak";
    EXPECT_EQ(s.BestStreak, 1);
    EXPECT_EQ(s.FastestWin, 90);
    EXPECT_EQ(s.BestScore, 900);
    EXPECT_EQ(s.AverageScore(), 700);
    EXPECT_EQ(a.FHall, read.FHall) << "the window holds what it wrote";

    // A copy that added nothing changes no entry and no counter of the others.
    TFakeHost idle;
    LoadConfig(idle);
    Enter(a, "Cy", 2000);
    a.FStats.Entry(1, 0, 2).Won = 50;
    ASSERT_TRUE(SaveConfig(a));
    idle.FHall = {};
    idle.FStats = {};
    ASSERT_TRUE(SaveConfig(idle));
    TFakeHost last;
    LoadConfig(last);
    EXPECT_EQ(last.FHall.Entry(1, 0, 4, 1), (TFameEntry{2000, "Cy"}));
    EXPECT_EQ(last.FStats, read.FStats) << "counters changed outside the additions stay out";
}

TEST_F(TwoCopies, ResetClearsTheFilesStatisticsButNotWhatCameAfter) {
    b.FAdditions.Statistics().Entry(2, 1, 0).Abandon();
    ASSERT_TRUE(SaveConfig(b));
    a.FStats.Entry(1, 0, 0).Abandon();
    TScoreForm form;
    form.AddStatistics(a.Records, a.Combination());
    form.ShowStatistics(true);
    dialogs.Answers = {mbNo, mbYes};
    form.Statistics()->ResetBtn()->click();
    EXPECT_EQ(a.FStats.Entry(1, 0, 0).Played, 1) << "No keeps them";
    form.Statistics()->ResetBtn()->click();
    ASSERT_EQ(dialogs.Shown.size(), 2u);
    EXPECT_EQ(dialogs.Shown[1].Text, StringRes::ResetStatisticsQuestion());
    EXPECT_EQ(a.FStats, TStatistics{});
    TGameStats& after = a.FAdditions.Statistics().Entry(1, 1, 3);
    after.Abandon();
    ASSERT_TRUE(SaveConfig(a));
    TFakeHost read;
    LoadConfig(read);
    TStatistics expected;
    expected.Entry(1, 1, 3).Played = 1;
    expected.Entry(1, 1, 3).Abandoned = 1;
    EXPECT_EQ(read.FStats, expected);
}

// One game through the recorder: a win of 900 points, or a loss.
void Play(TFakeHost& Host, TGameRecorder& Recorder, bool Won, int64_t Milliseconds = 40'000) {
    Host.FGameScore = 0;
    Recorder.Started();
    Host.FGameScore = Won ? 900 : 0;
    Recorder.Decided(Won, Milliseconds);
}

TEST_F(TwoCopies, EachSaveAddsOnlyWhatCameSinceTheLastAndADealLearnedLaterFollows) {
    TGameRecorder ra = RecorderOf(a), rb = RecorderOf(b);
    Play(a, ra, true);
    Enter(a, "Al", 900);
    ASSERT_TRUE(SaveRecords(a.Settings(), a.Records));
    Play(b, rb, false);
    ASSERT_TRUE(SaveRecords(b.Settings(), b.Records));
    // A guest's faster win, saved before the referee names its deal.
    Play(a, ra, true, 30'500);
    ASSERT_TRUE(SaveRecords(a.Settings(), a.Records));
    ra.DealRevealed(77);
    ASSERT_TRUE(SaveRecords(a.Settings(), a.Records));
    EXPECT_EQ(a.FStats.Entry(1, 0, 2).Played, 3) << "the window shows the other copy's game";
    a.FLevel = 4;
    ASSERT_TRUE(SaveConfig(a));
    ASSERT_TRUE(SaveConfig(b));

    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FLevel, 2) << "the settings are the last close's";
    const TGameStats& s = read.FStats.Entry(1, 0, 2);
    EXPECT_EQ(std::tuple(s.Played, s.Won, s.Lost), std::tuple(3, 2, 1))
        << "each game once, though saved after its decision and again at close";
    EXPECT_EQ(std::tuple(s.Streak, s.BestStreak), std::tuple(1, 1)) << "b's loss came between";
    EXPECT_EQ(std::pair(s.FastestWin, s.FastestWinDeal), std::pair(30, uint64_t(77)));
    EXPECT_EQ(read.FHall.Table(1, 0, 2), (TFameTable{TFameEntry{900, "Al"}, {}, {}, {}, {}}));
}

TEST(RecordsSave, ABusyFileIsSavedLaterAndTheBestStreakOfAnyRunSurvives) {
    TConfigDirs dirs;
    const TCombination hard{1, 0, 2};
    {
        // The first run: a win, and the close.
        TFakeHost run;
        LoadConfig(run);
        TGameRecorder recorder = RecorderOf(run);
        Play(run, recorder, true);
        ASSERT_TRUE(SaveConfig(run));
    }
    // The second run wins and loses while another copy holds the file.
    TFakeHost run;
    LoadConfig(run);
    TGameRecorder recorder = RecorderOf(run);
    TRecordsSaver saver([&] { return SaveRecords(run.Settings(), run.Records); }, 10);
    const QByteArray before = ReadAll(dirs.ProgramFile());
    {
        QLockFile other(dirs.ProgramFile() + QStringLiteral(".lock"));
        ASSERT_TRUE(other.tryLock(0));
        for (const bool won : {true, false}) {
            Play(run, recorder, won);
            const std::optional<TConfigSave> saved = saver.Save();
            ASSERT_TRUE(saved);
            EXPECT_TRUE(!*saved && saved->Busy) << "told as not saved, and not as a failure";
            EXPECT_TRUE(saver.Retrying());
        }
        EXPECT_EQ(run.FStats.Entry(hard).BestStreak, 2) << "as the statistics show it";
        EXPECT_EQ(ReadAll(dirs.ProgramFile()), before);
    }
    for (int i = 0; i < 1000 && saver.Retrying(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(saver.Retrying()) << "the file was free again";
    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FStats.Entry(hard).Played, 3) << "saved by a retry";
    ASSERT_TRUE(SaveConfig(run));
    LoadConfig(read);
    const TGameStats& s = read.FStats.Entry(hard);
    EXPECT_EQ(std::tuple(s.Played, s.Won, s.Lost), std::tuple(3, 2, 1));
    EXPECT_EQ(std::tuple(s.Streak, s.BestStreak), std::tuple(0, 2))
        << "the second run's win went on from the first run's";
}

TEST(RecordsSave, ADaysDealWonAfterASaveInTheMiddleOfItsGameAddsToItsTry) {
    TConfigDirs dirs;
    TFakeHost host;
    LoadConfig(host);
    TGameRecorder recorder(host.Records, [&] {
        return TRecordedGame{host.Combination(), host.FGameScore, 4242, 20261208};
    });
    recorder.Started();
    ASSERT_TRUE(SaveRecords(host.Settings(), host.Records)); // a retry of an earlier save
    host.FGameScore = 900;
    recorder.Decided(true, 50'000);
    ASSERT_TRUE(SaveRecords(host.Settings(), host.Records));
    TFakeHost read;
    LoadConfig(read);
    EXPECT_EQ(read.FStats.DaysDeal(), (TDaysDealStats{20261208, 4242, 1, 1, 900, 50}));
}

TEST(StatisticsFile, OldFileStartsAtZeroAndADamagedValueLosesOnlyItself) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), "[Settings]\r\nTolvi=3\r\n");
    TFakeHost host;
    LoadConfig(host);
    EXPECT_EQ(host.FStats, TStatistics{});
    TGameStats& s = host.FAdditions.Statistics().Entry(2, 1, 3);
    s.Win(61, 1234), s.Abandon();
    ASSERT_TRUE(SaveConfig(host));
    const QByteArray text = ReadAll(dirs.ProgramFile());
    EXPECT_TRUE(text.contains("[Statistics]\r\nDouble Deck - Las Vegas Scoring - Not Bad: "
                              "Played=2\r\nDouble Deck - Las Vegas Scoring - Not Bad: Won=1\r\n"));
    EXPECT_EQ(text.count("Played="), 1) << "unplayed combinations stay out";

    QByteArray damaged = text;
    damaged.replace("Not Bad: Won=1", "Not Bad: Won=one");
    damaged.replace("Not Bad: Fastest win=61", "Not Bad: Fastest win=-61");
    WriteAll(dirs.ProgramFile(), damaged);
    TFakeHost read;
    LoadConfig(read);
    TGameStats expected = host.FStats.Entry(2, 1, 3);
    expected.Won = 0;
    expected.FastestWin = 0;
    EXPECT_EQ(read.FStats.Entry(2, 1, 3), expected);
    EXPECT_EQ(read.FLevel, 3);

    // A hand-edited total at the limit shows as the largest average, not an overflow.
    damaged.replace("Not Bad: Won=one", "Not Bad: Won=3");
    damaged.replace("Not Bad: Total score=1234", "Not Bad: Total score=9223372036854775807");
    WriteAll(dirs.ProgramFile(), damaged);
    LoadConfig(read);
    EXPECT_EQ(read.FStats.Entry(2, 1, 3).AverageScore(), INT32_MAX);
    read.FStats.Entry(2, 1, 3).TotalScore = 3 * 1000 + 2; // 1000.67 rounds up
    EXPECT_EQ(read.FStats.Entry(2, 1, 3).AverageScore(), 1001);
}

TEST(StatisticsRecorder, ScoresWhatTheTotalGained) {
    TFakeHost host;
    host.FScoring = 1, host.FLevel = 0, host.FGameScore = -75; // -50 less the stake
    TGameRecorder recorder = RecorderOf(host);
    recorder.Started();
    const TGameStats& s = host.FStats.Entry(1, 1, 0);
    EXPECT_EQ(s.Played, 0) << "a running game is not played yet";
    host.FGameScore = 1000;
    recorder.Decided(true, 60'000);
    EXPECT_EQ(s.Played, 1);
    EXPECT_EQ(s.FastestWin, 60);
    EXPECT_EQ(s.BestScore, 1050) << "the change of the Las Vegas total, stake included";
    EXPECT_EQ(host.FAdditions.Statistics().Entry(1, 1, 0), s);
    recorder.Abandoned();
    EXPECT_EQ(s.Abandoned, 0) << "a decided game is no longer running";
}

TEST(StatisticsRecorder, ADealNumberLearnedAfterTheDealGoesWithTheGame) {
    TFakeHost host;
    uint64_t deal = 0; // a guest's deal: its number comes from the referee, later
    TGameRecorder recorder(host.Records, [&] {
        return TRecordedGame{host.Combination(), host.FGameScore, deal, 0, true};
    });
    const TGameStats& s = host.FStats.HeadToHead(1);
    const TGameStats& added = host.FAdditions.Statistics().HeadToHead(1);
    const auto win = [&](int32_t Seconds, int32_t Score) {
        recorder.Started();
        host.FGameScore += Score;
        recorder.Decided(true, Seconds * 1000);
    };
    // The number after the win: the fastest win and the best score it set take it.
    win(90, 500);
    recorder.DealRevealed(41);
    EXPECT_EQ(std::pair(s.FastestWinDeal, s.BestScoreDeal), std::pair(uint64_t(41), uint64_t(41)));
    EXPECT_EQ(added, s);
    // A slower, better win: only the best score is this deal's.
    win(120, 700);
    recorder.DealRevealed(42);
    EXPECT_EQ(std::pair(s.FastestWinDeal, s.BestScoreDeal), std::pair(uint64_t(41), uint64_t(42)));
    // The number before the decision; then a late repeat, and one whose game was never won,
    // change nothing.
    recorder.Started();
    recorder.DealRevealed(43);
    host.FGameScore += 100;
    recorder.Decided(true, 60'000);
    recorder.DealRevealed(44);
    EXPECT_EQ(std::pair(s.FastestWin, s.FastestWinDeal), std::pair(60, uint64_t(43)));
    recorder.Started();
    recorder.Decided(false, 30'000);
    recorder.DealRevealed(45);
    EXPECT_EQ(std::pair(s.FastestWinDeal, s.BestScoreDeal), std::pair(uint64_t(43), uint64_t(42)));
    EXPECT_EQ(added, s);
}

TEST(OptionsSave, NothingChangedActsAsCancel) {
    TFakeHost host;
    host.FHumanWon = true, host.FGameScore = 900, host.FNewSession = false;
    TScriptedDialogs dialogs;
    dialogs.OnExec = [](QDialog& d) {
        auto& form = dynamic_cast<TOptionsForm&>(d);
        form.SaveBtnClick();
        return d.result();
    };
    bool offered = false;
    const TOptionsResult result = RunOptionsDialog(
        host.Settings(), {host.FNewSession, host.FHumanWon}, [&](QWidget*) { offered = true; });
    EXPECT_FALSE(result.Saved || result.NewGameNeeded || offered);
    EXPECT_EQ(dialogs.DialogsRun, 1) << "no name dialog";
}

TEST(ScoresDialog, StatisticsGrowTheDialogBelowAnUnmovedHallOfFame) {
    TFakeHost host;
    host.FDeckCount = 2, host.FScoring = 1, host.FLevel = 3;
    TGameStats& s = host.FStats.Entry(2, 1, 3);
    s.Win(75, 1100), s.Lose(), s.Win(95, 900);
    TScoreForm form;
    form.AddStatistics(host.Records, host.Combination());
    form.show();
    EXPECT_EQ(form.size(), QSize(407, 312));
    EXPECT_EQ(form.List()->geometry(), QRect(14, 25, 379, 239));
    EXPECT_EQ(form.StatsBtn()->geometry(), QRect(318, 284, 75, 25));
    EXPECT_FALSE(form.Statistics()->isVisible());
    QTest::mouseClick(form.StatsBtn(), Qt::LeftButton);
    EXPECT_TRUE(form.Statistics()->isVisible());
    EXPECT_EQ(form.size(), QSize(407, 312 + TStatisticsView::Height));
    EXPECT_EQ(form.List()->geometry(), QRect(14, 25, 379, 239));
    EXPECT_EQ(form.Button1()->geometry(), QRect(166, 284, 75, 25));
    QDir().mkpath(TOLVI_TEST_OUTPUT_DIR "/settings");
    form.grab().save(TOLVI_TEST_OUTPUT_DIR "/settings/statistics.png");

    QStringList lines;
    for (int i = 0; i < 7; ++i)
        lines << form.Statistics()->List()->item(i)->text();
    EXPECT_EQ(
        lines,
        QStringList({"Double Deck - Las Vegas Scoring - Not Bad",
                     "  Played     3      Win rate    67 %", "  Won        2      Streak      1",
                     "  Lost       1      Best streak 1", "  Abandoned  0      Fastest win 75 s",
                     "  Best score 1100   Average     1000", ""}));
    EXPECT_EQ(form.Statistics()->List()->item(7)->text(), (TCombination{1, 0, 0}.Section()));
    EXPECT_EQ(form.Statistics()->List()->count(), 7 + 19 * 3);
    QTest::mouseClick(form.StatsBtn(), Qt::LeftButton);
    EXPECT_EQ(form.size(), QSize(407, 312));
}

} // namespace
