// The records library without a window (and without Qt's widgets): two copies' additions merge
// at close.

#include "ConfigFile.h"
#include "Records.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RecordsLibrary, TwoCopiesMergeAtClose) {
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    const TConfigDirOverride dirs(program, root.filePath(QStringLiteral("user")));
    const TCombination easy{1, 0, 4}, vegas{2, 1, 0};

    TRecords a, b;
    TSettings settings = LoadConfig(a);
    LoadConfig(b);
    settings.Level = 4;
    settings.Display.FourColours = true;
    a.Additions.AddFame(easy, {900, QStringLiteral("Ann")});
    a.Additions.Statistics().Entry(easy).Win(60, 900);
    b.Additions.Statistics().Entry(vegas).Lose();
    ASSERT_TRUE(SaveConfig(settings, a));
    ASSERT_TRUE(SaveConfig(TSettings{}, b));
    EXPECT_EQ(b.HallOfFame.Table(easy)[0], (TFameEntry{900, QStringLiteral("Ann")}))
        << "the later close holds what the earlier one wrote";

    TRecords read;
    EXPECT_EQ(LoadConfig(read), TSettings{}) << "the last close's settings";
    EXPECT_EQ(read.HallOfFame, b.HallOfFame);
    EXPECT_EQ(read.Statistics.Entry(easy).Won, 1);
    EXPECT_EQ(read.Statistics.Entry(vegas).Lost, 1);
}

} // namespace
