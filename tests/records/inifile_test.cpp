// The INI reader and writer: the rules existing users' files follow, and hostile input.

#include "IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

void Load(TIniFile& Ini, const char* Text) {
    Ini.LoadFromBytes(QByteArray(Text));
}

TEST(IniFile, MatchesSectionsAndKeysWithoutRegardToCase) {
    TIniFile ini;
    Load(ini, "[single deck - NORMAL scoring - hard]\r\n  KEY  =  some value  \r\n");
    EXPECT_EQ(ini.ReadString("Single Deck - Normal Scoring - Hard", "key", "-"), "some value");
    EXPECT_FALSE(ini.SectionExists("Single Deck - Normal Scoring"));
    // Beyond ASCII too: a hand-typed name in another language.
    Load(ini, "[\xc3\x84rger]\nSTRA\xc3\x9f"
              "E=1\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral(u"\u00e4RGER"), QStringLiteral(u"stra\u00dfe"), "-"),
              "1");
    EXPECT_FALSE(ini.ValueExists(QStringLiteral(u"Arger"), QStringLiteral(u"strasse")));
}

TEST(IniFile, ValueIsRawTextAfterFirstEquals) {
    TIniFile ini;
    Load(ini, "[S]\n1=a=b; c, \"d\" ;e\n2=\n");
    EXPECT_EQ(ini.ReadString("S", "1", "-"), "a=b; c, \"d\" ;e");
    EXPECT_EQ(ini.ReadString("S", "2", "-"), "");
    EXPECT_EQ(ini.ReadString("S", "3", "-"), "-");
}

TEST(IniFile, FirstOfDuplicateSectionsAndKeysWins) {
    TIniFile ini;
    Load(ini, "[S]\nA=1\na=2\n[T]\nB=3\n[s]\nA=4\nC=5\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 1);
    EXPECT_FALSE(ini.ValueExists("S", "C")); // only in the ignored duplicate
    EXPECT_EQ(ini.ReadInteger("T", "B", 0), 3);
}

TEST(IniFile, CommentsLinesWithoutEqualsAndHeadersWithoutBracketAreNoKeys) {
    TIniFile ini;
    Load(ini, "X=0\n[S]\n;A=1\njunk\n[T\nA=2\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 2);
    EXPECT_FALSE(ini.SectionExists("T"));
}

TEST(IniFile, ReadIntegerTakesOnlyDecimal32BitNumbers) {
    TIniFile ini;
    Load(ini, "[S]\na= -2147483648\nb=+2147483647\nc=2147483648\nd=12abc\ne=99999999999999999999\n"
              "f=-\ng= 7 \n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 1), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("S", "b", 1), INT32_MAX);
    for (const char* bad : {"c", "d", "e", "f"})
        EXPECT_EQ(ini.ReadInteger("S", bad, 5), 5) << bad;
    EXPECT_EQ(ini.ReadInteger("S", "g", 1), 7);
}

TEST(IniFile, NonUtf8FileIsReadAsWindows1252) {
    TIniFile ini;
    ini.LoadFromBytes("[S]\nn=J\xF6kull \x80\x96\x9F\n");
    EXPECT_EQ(ini.ReadString("S", "n", {}), QString::fromUtf8("Jökull €–Ÿ"));
    ini.LoadFromBytes("\xEF\xBB\xBF[S]\nn=J\xC3\xB6kull\n");
    EXPECT_EQ(ini.ReadString("S", "n", {}), QString::fromUtf8("Jökull"));
}

TEST(IniFile, WritingKeepsEverythingElseAndAppendsNewSectionsAsGiven) {
    TIniFile ini;
    ini.LoadFromBytes("; kept\n[other]\nx = 1\n\n[settings]\n  Tolvi = 3\ntolvi=9\n\n[last]\n");
    ini.WriteInteger("Settings", "TOLVI", 4);
    ini.WriteInteger("Settings", "Scoring", 1);
    ini.WriteString("Single Deck - Las Vegas Scoring - Not Bad", "1", "Ann, \"=\";`5");
    ini.WriteString("New", "k", "two\nlines");
    EXPECT_EQ(ini.ReadInteger("settings", "tolvi", 0), 4);
    EXPECT_EQ(QString::fromUtf8(ini.ToBytes()),
              "; kept\r\n[other]\r\nx = 1\r\n\r\n[settings]\r\nTolvi=4\r\ntolvi=9\r\nScoring=1\r\n"
              "\r\n[last]\r\n\r\n[Single Deck - Las Vegas Scoring - Not Bad]\r\n"
              "1=Ann, \"=\";`5\r\n\r\n[New]\r\nk=two lines\r\n");
}

TEST(IniFile, HostileInputIsReadWithoutHarm) {
    // Random bytes, one very long line, and a great many sections and keys: each must read in
    // linear time and give nothing but what the rules say.
    std::mt19937 random(6);
    QByteArray garbage(10 * 1024 * 1024, Qt::Uninitialized);
    for (char& c : garbage)
        c = char(random());
    TIniFile ini;
    ini.LoadFromBytes(garbage);
    EXPECT_EQ(ini.ReadInteger("Settings", "Tolvi", 2), 2);
    EXPECT_GE(ini.ToBytes().size(), garbage.size() / 2);

    ini.LoadFromBytes("[S]\nlong=" + QByteArray(8 * 1024 * 1024, 'x') + "\n");
    EXPECT_EQ(ini.ReadString("S", "long", {}).size(), 8 * 1024 * 1024);

    QByteArray many = "[Settings]\nTolvi=4\n";
    for (int i = 0; many.size() < 10 * 1024 * 1024; ++i)
        many += "[settings]\nk" + QByteArray::number(i) + "=1\n[S" + QByteArray::number(i) +
                "]\nTolvi=0\n";
    ini.LoadFromBytes(many);
    EXPECT_EQ(ini.ReadInteger("Settings", "Tolvi", 2), 4);
    EXPECT_TRUE(ini.ValueExists("S12345", "Tolvi"));
    ini.WriteInteger("S12345", "Tolvi", 3);
    EXPECT_TRUE(ini.ToBytes().contains("[S12345]\r\nTolvi=3\r\n[settings]"));
}

TEST(IniFile, OversizedFileKeepsItsUnreadRestWhenWritten) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Config.INI"));
    const auto writeFile = [&](const QByteArray& Bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(Bytes), Bytes.size());
    };
    const auto readFile = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    // Lines across the reading limit, the last one unended.
    QByteArray original = "[Game]\r\nName=Head\r\n";
    for (int i = 0; original.size() <= TIniFile::MaxFileSize + 100000; ++i)
        original += "; filler line " + QByteArray::number(i) + "\r\n";
    original += "[Settings]\r\nScoring=9\r\n; the very last line";
    writeFile(original);
    {
        TIniFile ini(path);
        EXPECT_EQ(ini.ReadString("Game", "Name", {}), QStringLiteral("Head"));
        EXPECT_FALSE(ini.SectionExists("Settings")) << "beyond the limit";
        ini.WriteString("Game", "Name", "Changed");
        ini.WriteInteger("Settings", "Scoring", 1);
        ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorString().toStdString();
    }
    QByteArray expected = original;
    expected.replace("Name=Head", "Name=Changed");
    expected += "\r\n\r\n[Settings]\r\nScoring=1\r\n";
    EXPECT_TRUE(readFile() == expected) << "every byte past the limit is kept, in its place";

    // One line longer than the limit: nothing of it is read, all of it is kept.
    const QByteArray line(TIniFile::MaxFileSize + 1, 'x');
    writeFile(line);
    {
        TIniFile ini(path);
        EXPECT_EQ(ini.ToBytes(), QByteArray());
        ini.WriteInteger("Settings", "Scoring", 1);
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_TRUE(readFile() == line + "\r\n\r\n[Settings]\r\nScoring=1\r\n");
}

} // namespace
