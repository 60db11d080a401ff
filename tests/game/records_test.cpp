// What a game leaves behind: the statistics it counts, the hall-of-fame entries two windows on
// one Config.INI keep, and a Las Vegas total entered only once.

#include "GameRecorder.h"
#include "Statistics.h"
#include "game_fixture.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

class Records : public GameTest {
protected:
    Records() {
        dialogs.OnExec = [this](QDialog& d) {
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
    EXPECT_EQ(easy.FastestWin, 84) << "83.4 s, counted in whole seconds";
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
    EXPECT_TRUE(ConfigText().contains("\r\n[Statistics]\r\nSingle Deck - Normal Scoring - "
                                      "Very Hard: Played=1\r\n"));

    // A level changed in the middle: the game is abandoned at the level it was dealt at.
    Create();
    ASSERT_EQ(form->Level(), 1);
    form->DealBtnClick();
    form->SetLevel(4);
    Win(*form, false);
    EXPECT_EQ(form->Statistics().Entry(1, 0, 4), easy);
    EXPECT_EQ(form->Statistics().Entry(1, 0, 1).Abandoned, 2);
}

TEST_F(Records, TwoWindowsOnOneFileKeepBothWinners) {
    auto other = std::make_unique<TMainForm>();
    Name = "Bea";
    Win(*other);
    Lose(*other);
    other->close();
    other.reset();
    Name = "Al";
    Win(*form);
    form->close();
    const TFameTable& table = form->HallOfFame().Table(1, 0, 2);
    EXPECT_EQ(table[0], (TFameEntry{1026, "Bea"}));
    EXPECT_EQ(table[1], (TFameEntry{1026, "Al"})) << "an equal score goes below";
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
