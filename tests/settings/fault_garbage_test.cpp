// A Config.INI of 10 MB of garbage at start-up. The program starts with the defaults and an
// empty hall of fame, shows nothing, and at close writes its settings without losing anything it
// read: every line it does not understand is kept as it was (only re-encoded as UTF-8, with
// CR LF line ends), so the file never shrinks below what was read. How long the start takes is
// measured by bench/config_bench.cpp.

#include "ConfigFile.h"
#include "HallOfFame.h"
#include "Main.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr qsizetype TenMegabytes = 10 * 1024 * 1024;

// The text as the file will hold it: every line, each ended by CR LF.
QString AsLines(const QString& Text) {
    QStringList lines = Text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QString out;
    out.reserve(Text.size() + lines.size());
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        out += line + QStringLiteral("\r\n");
    }
    return out;
}

void StartAndCloseOn(const QByteArray& Garbage) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), Garbage);
    TScriptedDialogs dialogs;
    {
        TMainForm form;
        EXPECT_EQ(form.Settings(), TSettings{});
        EXPECT_EQ(form.Timer->interval(), 750);
        EXPECT_EQ(form.HallOfFame(), THallOfFame{});
        form.show();
        form.close();
    }
    EXPECT_TRUE(dialogs.Shown.empty());

    const QByteArray after = ReadAll(dirs.ProgramFile());
    EXPECT_GE(after.size(), Garbage.size()) << "the file shrank";
    const QString before = AsLines(DecodeIniText(Garbage));
    const QString now = DecodeIniText(after);
    EXPECT_TRUE(now.startsWith(before)) << "a line of the old file was lost or changed";
    EXPECT_TRUE(now.mid(before.size()).contains(QStringLiteral("[Settings]\r\nScoring=0\r\n")));

    TFakeHost host;
    host.FLevel = 0;
    LoadConfig(host);
    EXPECT_EQ(host.FLevel, 2) << "the settings written at close read back";
}

TEST(FaultGarbage, RandomBytesStartWithDefaultsAndSurviveTheClose) {
    std::mt19937 random(10);
    QByteArray garbage(TenMegabytes, Qt::Uninitialized);
    for (char& c : garbage)
        c = char(random());
    StartAndCloseOn(garbage);
}

TEST(FaultGarbage, TextThatLooksLikeSettingsStartsWithDefaultsAndSurvivesTheClose) {
    // Brackets, equals signs, separators and line breaks in plenty, but none of the program's
    // own sections: a great many sections and keys to index.
    const char alphabet[] = "[]=`;- \r\n\nabcSETtingsDckSzeTolvi0123456789";
    std::mt19937 random(11);
    QByteArray garbage(TenMegabytes, Qt::Uninitialized);
    for (char& c : garbage)
        c = alphabet[random() % (sizeof(alphabet) - 1)];
    StartAndCloseOn(garbage);
}

} // namespace
