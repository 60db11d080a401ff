// The computer's level as one value: each of the five keeps the name, pace, bonus and sections
// the game stored and showed before, and a stored number that names no level reads as Hard.

#include "ConfigFile.h"
#include "Level.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

TEST(Level, EachLevelKeepsItsNamePaceBonusAndSectionsAndANumberOfNoLevelReadsAsHard) {
    struct TWas {
        const char* Name;
        int32_t PaceMs;
        int32_t Bonus;
    };
    const TWas was[] = {{"Unbeatable", 250, 500},
                        {"Very Hard", 500, 400},
                        {"Hard", 750, 300},
                        {"Not Bad", 1000, 200},
                        {"Easy", 1250, 100}};
    ASSERT_EQ(TLevel::All().size(), std::size(was));
    for (int32_t number = 0; number < TLevel::Count; ++number) {
        const TWas& w = was[number];
        const TLevel level = TLevel::All()[size_t(number)];
        EXPECT_EQ(TLevel::Of(number), level);
        EXPECT_EQ(level.Index(), number);
        EXPECT_EQ(level.Name().toStdString(), w.Name);
        EXPECT_EQ(level.PaceMs(), w.PaceMs) << w.Name;
        EXPECT_EQ(level.Bonus(), w.Bonus) << w.Name;
        EXPECT_EQ(level.ShownSectionSuffix().toStdString(), std::string(" - ") + w.Name);
        EXPECT_EQ(TCombination({2, 1, number}).Section().toStdString(),
                  std::string("Double Deck - Las Vegas Scoring - ") + w.Name);
    }
    EXPECT_EQ(TLevel(), *TLevel::Of(2));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Config.INI"));
    for (const int32_t stored : {-1, 5, 400, INT32_MIN}) {
        EXPECT_FALSE(TLevel::Of(stored).has_value()) << stored;
        EXPECT_FALSE((TCombination{1, 0, stored}.Valid())) << stored;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[Settings]\r\nTolvi=") + QByteArray::number(stored) + "\r\n");
        file.close();
        EXPECT_EQ(TConfigFile({path, path}).ReadSettings().Level, 2) << stored;
    }
}

} // namespace
