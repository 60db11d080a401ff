// Entering a score into the hall of fame, and the hall-of-fame list.

#include "Scores.h"
#include "StringRes.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A won game waiting for the hall of fame; the name dialog answers Name.
class CheckHallOfFameTest : public ::testing::Test {
protected:
    CheckHallOfFameTest() {
        dialogs.OnExec = [this](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("Edit")->setText(Name);
            return int(QDialog::Accepted);
        };
    }
    TFameTable& Table() { return host.FHall.Table(host.FDeckCount, host.FScoring, host.FLevel); }
    void Fill(std::initializer_list<int32_t> Scores) {
        size_t i = 0;
        for (int32_t score : Scores)
            Table()[i++] = {score, "P" + QString::number(score)};
    }

    TFakeHost host;
    TScriptedDialogs dialogs;
    QString Name = "Ann";
};

TEST_F(CheckHallOfFameTest, FirstWinTakesPlaceOneOfItsOwnTable) {
    host.FDeckCount = 2, host.FScoring = 1, host.FLevel = 4, host.FGameScore = 1026;
    CheckHallOfFame(host);
    EXPECT_EQ(Table(), (TFameTable{TFameEntry{1026, "Ann"}, {}, {}, {}, {}}));
    EXPECT_TRUE(host.FFameRecorded);
    EXPECT_EQ(dialogs.DialogsRun, 1);
    THallOfFame others = host.FHall;
    others.Table(2, 1, 4) = {};
    EXPECT_EQ(others, THallOfFame{});
}

TEST_F(CheckHallOfFameTest, EqualScoreGoesBelowAndTheLastDropsOut) {
    Fill({900, 800, 700, 600, 500});
    host.FGameScore = 700;
    Name = "New`comer";
    CheckHallOfFame(host);
    EXPECT_EQ(Table(), (TFameTable{TFameEntry{900, "P900"},
                                   {800, "P800"},
                                   {700, "P700"},
                                   {700, "Newcomer"},
                                   {600, "P600"}}));
}

TEST_F(CheckHallOfFameTest, ScoresThatCannotEnterAskNothing) {
    Fill({900, 800, 700, 600, 500});
    const THallOfFame before = host.FHall;
    for (int32_t score : {499, 500, 0, -50}) {
        host.FGameScore = score;
        CheckHallOfFame(host);
    }
    host.FGameScore = 0; // an empty table takes no score of 0 either
    host.FLevel = 0;
    CheckHallOfFame(host);
    EXPECT_EQ(host.FHall, before);
    EXPECT_EQ(dialogs.DialogsRun, 0);
    EXPECT_FALSE(host.FFameRecorded);
}

TEST_F(CheckHallOfFameTest, ClosedNameDialogStoresWhateverTheFieldHeld) {
    host.FGameScore = 10;
    dialogs.OnExec = [](QDialog& dialog) {
        dialog.show();
        dialog.close();
        return dialog.result();
    };
    CheckHallOfFame(host);
    EXPECT_EQ(Table()[0], (TFameEntry{10, ""}));
    EXPECT_TRUE(host.FFameRecorded);
}

TEST(HallOfFameList, ListsTwentyBlocksInFileOrder) {
    THallOfFame hall;
    hall.Table(1, 0, 0) = {
        TFameEntry{1026, "Ann"}, {-25, "Bo, \"B\""}, {123456789, "Nine"}, {-1234567, "Eight"}, {}};
    hall.Entry(2, 1, 4, 5) = {7, "Last"};
    const QStringList lines = HallOfFameLines(hall);
    ASSERT_EQ(lines.size(), 160);
    EXPECT_EQ(lines.mid(0, 8), QStringList({"Single Deck - Normal Scoring - Unbeatable",
                                            "Rank  Score     Name", "  1     1026    Ann",
                                            "  2     -25     Bo, \"B\"", "  3     123456789Nine",
                                            "  4     -1234567Eight", "  5     0       ", ""}));
    EXPECT_EQ(lines[8], "Single Deck - Normal Scoring - Very Hard");
    EXPECT_EQ(lines[40], "Single Deck - Las Vegas Scoring - Unbeatable");
    EXPECT_EQ(lines[80], "Double Deck - Normal Scoring - Unbeatable");
    EXPECT_EQ(lines[152], "Double Deck - Las Vegas Scoring - Easy");
    EXPECT_EQ(lines[158], "  5     7       Last");
}

TEST(HallOfFameList, CombinationsIndexTheListTheTablesAndTheStatistics) {
    THallOfFame hall;
    TStatistics stats;
    QStringList sections;
    ForEachCombination([&](const TCombination& c) {
        hall.Entry(c.DeckCount, c.Scoring, c.Level, 1) = {c.Index() + 1, {}};
        stats.Entry(c).Won = c.Index() + 1;
        sections << c.Section();
    });
    ASSERT_EQ(sections.size(), TCombination::Count);
    EXPECT_EQ(QSet<QString>(sections.begin(), sections.end()).size(), TCombination::Count);
    const QStringList lines = HallOfFameLines(hall);
    for (int32_t i = 0; i < TCombination::Count; ++i) {
        const TCombination c = TCombination::FromIndex(i);
        EXPECT_EQ(lines[8 * i], sections[i]);
        EXPECT_EQ(hall.Table(c)[0].FameScore, i + 1);
        EXPECT_EQ(stats.Entry(c.DeckCount, c.Scoring, c.Level).Won, i + 1);
    }
    for (const TCombination bad : {TCombination{0, 0, 0}, TCombination{1, 2, 0},
                                   TCombination{2, 1, 5}, TCombination{1, 0, -1}}) {
        EXPECT_EQ(bad.Index(), -1);
        EXPECT_THROW(hall.Table(bad), std::out_of_range);
        EXPECT_THROW(stats.Entry(bad), std::out_of_range);
    }
}

TEST(HallOfFameList, DialogShowsTheList) {
    TFakeHost host;
    host.FHall.Entry(1, 1, 3, 1) = {55, "Kim"};
    TScriptedDialogs dialogs;
    QStringList shown;
    dialogs.OnExec = [&](QDialog& dialog) {
        const QListWidget* list = dialog.findChild<QListWidget*>("List");
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        return int(QDialog::Accepted);
    };
    ShowHallOfFame(host.Records, host.Combination());
    EXPECT_EQ(shown, HallOfFameLines(host.FHall));
}

} // namespace
