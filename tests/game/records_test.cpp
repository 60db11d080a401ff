// What a game leaves behind: the statistics it counts, the hall-of-fame entries two windows on
// one Config.INI keep, and a Las Vegas total entered only once.

#include "ConfigFile.h"
#include "DaysDeal.h"
#include "GameRecorder.h"
#include "GameSummary.h"
#include "Statistics.h"
#include "game_fixture.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <set>
#include <tuple>

namespace {

class Records : public GameTest {
protected:
    Records() {
        dialogs.OnExec = [this](QDialog& d) {
            if (auto* ask = qobject_cast<QInputDialog*>(&d))
                ask->setIntValue(int(Number));
            if (auto* edit = d.findChild<QLineEdit*>("Edit"))
                edit->setText(Name);
            return int(QDialog::Accepted);
        };
    }
    // The human lays the 25th card with the computer holding 7: 1026 points in Normal style.
    void Win(TMainForm& F, bool Deal = true) {
        if (Deal)
            F.DealBtnClick();
        TMainFormProbe::SetCounters(F, 24, 18);
        TMainFormProbe::SetScore(F, 24);
        now += 83'400; // the winning card, 83.4 s after the confirmation
        SetTop(F.CardTable1, 6);
        SetSlot(F.Play1Card[0], 7);
        dialogs.Answers = {mbNo};
        QTest::mouseClick(F.Play1Card[0], Qt::LeftButton, {}, QPoint(30, 40));
        Drain();
    }
    void Lose(TMainForm& F) {
        F.DealBtnClick();
        TMainFormProbe::SetCounters(F, 3, 24);
        TMainFormProbe::SetStuck(F, false, false);
        SetTop(F.CardTable2, 9);
        SetSlot(F.Play2Card[0], 10);
        dialogs.Answers = {mbNo};
        F.TimerTimer();
        Drain();
    }
    QString ConfigText() const {
        QFile file(dir.filePath(QStringLiteral("program/Config.INI")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QString Name = QStringLiteral("Ann");
    uint32_t Number = 0; // asked for by Play deal number
    TStatsClockOverride statsClock{[this] { return int64_t(now); }};
};

TEST_F(Records, GamesCountWonLostAndAbandonedUnderTheirOwnCombination) {
    form->SetLevel(4);
    form->DealBtnClick(); // abandoned by the next deal
    Win(*form);
    Win(*form);
    Lose(*form); // ends the streak of two
    Win(*form);
    form->SetLevel(1);
    form->DealBtnClick(); // abandoned by the close, at Very Hard
    EXPECT_EQ(form->Statistics().Entry(1, 0, 1).Played, 0) << "not played while it runs";
    const TGameStats easy = form->Statistics().Entry(1, 0, 4);
    EXPECT_EQ(easy.Played, 5);
    EXPECT_EQ(easy.Won, 3);
    EXPECT_EQ(easy.Lost, 1);
    EXPECT_EQ(easy.Abandoned, 1);
    EXPECT_EQ(easy.Streak, 1);
    EXPECT_EQ(easy.BestStreak, 2);
    EXPECT_EQ(easy.FastestWin, 83) << "83.4 s, in whole seconds as the end panel shows it";
    EXPECT_EQ(easy.BestScore, 25 + 100 + 700 + 1);
    EXPECT_EQ(easy.AverageScore(), 826);
    EXPECT_EQ(easy.WinRate(), 60);
    form->close();
    const TGameStats hard = form->Statistics().Entry(1, 0, 1);
    EXPECT_EQ(hard.Played, 1);
    EXPECT_EQ(hard.Abandoned, 1);
    TStatistics others = form->Statistics();
    others.Entry(1, 0, 4) = {};
    others.Entry(1, 0, 1) = {};
    EXPECT_EQ(others, TStatistics{});
    EXPECT_TRUE(ConfigText().contains("\r\n[Statistics]\r\n"));
    EXPECT_TRUE(
        ConfigText().contains("\r\nSingle Deck - Normal Scoring - Very Hard: Played=1\r\n"));

    // A level changed in the middle: the game is abandoned at the level it was dealt at.
    Create();
    ASSERT_EQ(form->Level(), 1);
    form->DealBtnClick();
    form->SetLevel(4);
    Win(*form, false);
    EXPECT_EQ(form->Statistics().Entry(1, 0, 4), easy);
    EXPECT_EQ(form->Statistics().Entry(1, 0, 1).Abandoned, 2);
}

TEST_F(Records, EachDecidedGameIsInTheFileAtOnceAndTheCloseAddsNothingTwice) {
    form->show(); // the end panel shows while the question is asked
    Win(*form);
    const auto lines = form->Summary->Lines();
    const auto time = std::find_if(lines.cbegin(), lines.cend(),
                                   [](const auto& Line) { return Line.first == "Time"; });
    ASSERT_NE(time, lines.cend());
    EXPECT_EQ(time->second, "1:23");
    Lose(*form);
    form->DealBtnClick();
    form->DealBtnClick(); // the game dealt before is abandoned

    // The window is still open, as a killed program would leave the file.
    TRecords file;
    LoadConfig(file);
    const TGameStats& s = file.Statistics.Entry(1, 0, 2);
    EXPECT_EQ(std::tuple(s.Played, s.Won, s.Lost, s.Abandoned), std::tuple(3, 1, 1, 1));
    EXPECT_EQ(s.FastestWin, 83) << "the time the end panel showed";
    EXPECT_EQ(file.HallOfFame.Table(1, 0, 2)[0].FameName, "Ann");
    form->close();
    LoadConfig(file);
    EXPECT_EQ(std::tuple(s.Played, s.Won, s.Lost, s.Abandoned), std::tuple(4, 1, 1, 2))
        << "only the game running at the close is new";
    EXPECT_TRUE(file.HallOfFame.Table(1, 0, 2)[1].Vacant());
}

TEST_F(Records, ASaveThatFailsAfterAGameIsToldOnceAndKeepsTheGamesForTheClose) {
    // Neither folder can hold the file: the program "folder" is a file.
    const QString program = dir.filePath(QStringLiteral("program"));
    QDir(program).removeRecursively();
    QFile(program).open(QIODevice::WriteOnly);
    const TConfigDirOverride nowhere(program, program + QStringLiteral("/user"));
    // No to the question after a game, the box's own button to any other.
    dialogs.OnMessage = [this](const TKsMessage& M) {
        dialogs.Answers = {M.Buttons.front() == mbYes ? mbNo : M.Buttons.front()};
    };
    const auto errors = [this] {
        return std::count_if(dialogs.Shown.begin(), dialogs.Shown.end(),
                             [](const TKsMessage& M) { return M.Type == mtError; });
    };
    Lose(*form);
    Lose(*form);
    EXPECT_EQ(errors(), 1);
    EXPECT_EQ(form->Additions().Statistics().Entry(1, 0, 2).Played, 2) << "nothing lost";
    form->close();
    EXPECT_EQ(errors(), 2) << "the close tries again, and tells";
}

TEST_F(Records, TwoWindowsOnOneFileKeepBothWinners) {
    auto other = std::make_unique<TMainForm>();
    Name = "Bea";
    Win(*other);
    const auto beaDeal = int32_t(other->DealNumber());
    Lose(*other);
    other->close();
    other.reset();
    Name = "Al";
    Win(*form);
    form->close();
    const TFameTable& table = form->HallOfFame().Table(1, 0, 2);
    EXPECT_EQ(table[0], (TFameEntry{1026, "Bea", beaDeal}));
    EXPECT_EQ(table[1], (TFameEntry{1026, "Al", int32_t(form->DealNumber())}))
        << "an equal score goes below";
    EXPECT_TRUE(ConfigText().contains("1=Bea`1026\r\n2=Al`1026\r\n"));
    EXPECT_EQ(form->Statistics().Entry(1, 0, 2).Played, 3);
    EXPECT_EQ(form->Statistics().Entry(1, 0, 2).Streak, 1) << "the last closed window's win";
}

TEST_F(Records, LasVegasTotalEnteredOnceIsNotOfferedAgainAtClose) {
    form->SetScoring(1);
    Win(*form);
    const int32_t total = form->GameScore();
    EXPECT_EQ(form->Statistics().Entry(1, 1, 2).BestScore, total) << "from 0, stake included";
    EXPECT_EQ(dialogs.DialogsRun, 1);
    form->close();
    EXPECT_EQ(dialogs.DialogsRun, 1) << "no second name dialog";
    EXPECT_EQ(ConfigText().count("`" + QString::number(total)), 1);

    // A total that changed since is offered.
    Create();
    form->SetScoring(1);
    Win(*form);
    form->DealBtnClick();
    form->close();
    EXPECT_EQ(dialogs.DialogsRun, 3);
}

} // namespace

namespace {

TEST(DaysDeal, OneNumberForEachDateWhateverTheRun) {
    // Shared between computers: a changed formula would deal everyone different cards.
    EXPECT_EQ(DaysDealNumber(QDate(2026, 12, 8)), DaysDealNumber(QDate(2026, 12, 8)));
    EXPECT_EQ(DaysDealNumber(QDate(2026, 12, 8)), 8902053u);
    std::set<uint32_t> year;
    for (QDate d(2027, 1, 1); d.year() == 2027; d = d.addDays(1)) {
        const uint32_t n = DaysDealNumber(d);
        EXPECT_TRUE(n >= 1'000'000 && n <= 9'999'999) << n;
        year.insert(n);
    }
    EXPECT_EQ(year.size(), 365u) << "every day of a year its own deal";
}

TEST_F(Records, ChosenDealsStayOutOfTheHallOfFameAndTheDaysDealEntersOnlyAtItsFirstTry) {
    const QDate day(2026, 12, 8);
    const TTodayOverride today([day] { return day; });
    const TFameTable& hard = form->HallOfFame().Table(1, 0, 2);
    Number = 4242u;
    form->PlayNumberAction->trigger();
    EXPECT_EQ(form->DealNumber(), 4242u);
    Win(*form, false);
    form->ReplayAction->trigger();
    EXPECT_EQ(form->DealNumber(), 4242u);
    Win(*form, false);
    EXPECT_TRUE(hard[0].Vacant()) << "a chosen or replayed deal never enters";

    form->DaysDealAction->trigger();
    EXPECT_EQ(form->DealNumber(), DaysDealNumber(day));
    Win(*form, false);
    EXPECT_EQ(hard[0], (TFameEntry{1026, "Ann", int32_t(DaysDealNumber(day))}));
    now += 5'000; // the second try is slower
    form->DealDaysDeal();
    Win(*form, false);
    EXPECT_TRUE(hard[1].Vacant()) << "the day's deal enters at the first try only";
    Win(*form);
    EXPECT_EQ(hard[1].Deal, int32_t(form->DealNumber())) << "a shuffled deal enters";

    form->close();
    Create(); // read back from the file
    const TDaysDealStats& stats = form->Statistics().DaysDeal();
    EXPECT_EQ(stats, (TDaysDealStats{20261208, int32_t(DaysDealNumber(day)), 2, 2, 1026, 83}));
    EXPECT_EQ(form->HallOfFame().Table(1, 0, 2)[0].Deal, int32_t(DaysDealNumber(day)));
    EXPECT_EQ(form->Statistics().Entry(1, 0, 2).BestScoreDeal, 4242u) << "the first best score";
    EXPECT_EQ(StatisticsLines(form->Statistics(), {}).mid(0, 3),
              QStringList({QStringLiteral("Day's deal %1, 2026-12-08").arg(stats.Deal),
                           QStringLiteral("  Played     2      Best score  1026"),
                           QStringLiteral("  Won        2      Best time   83 s")}));

    // The next day's first try enters again, and the day's line starts afresh.
    const TTodayOverride tomorrow([day] { return day.addDays(1); });
    form->DealDaysDeal();
    Win(*form, false);
    EXPECT_EQ(form->Statistics().DaysDeal().Played, 1);
    EXPECT_EQ(form->HallOfFame().Table(1, 0, 2)[2].Deal, int32_t(DaysDealNumber(day.addDays(1))));
}

} // namespace
