// The INI reader and writer on any bytes as a Config.INI: reading the settings and the hall of
// fame, writing them back as the program does at close, and reading the written file again.
// Properties: what was written reads back; the written file is a fixed point (writing it
// again unchanged gives the same bytes); nothing crashes, leaks or takes more than linear time.

#include "ConfigFile.h"
#include "HallOfFame.h"
#include "IniFile.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

// What a name looks like once written: a line break inside it becomes a blank.
THallOfFame AsWritten(THallOfFame Hall) {
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (TFameEntry& e : Hall.Table(deck, scoring, level))
            e.FameName.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
    });
    return Hall;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QByteArray bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    TIniFile ini;
    ini.LoadFromBytes(bytes);

    const QString settings = SettingsSection();
    const int32_t scoring = ini.ReadInteger(settings, QStringLiteral("Scoring"), 0);
    const int32_t decks = ini.ReadInteger(settings, QStringLiteral("DeckSize"), 1);
    const int32_t level = ini.ReadInteger(settings, QStringLiteral("Tolvi"), 2);
    THallOfFame hall;
    ReadHallOfFame(ini, hall);
    (void)HallOfFameLines(hall);

    // The close: the three settings and the whole hall of fame.
    ini.WriteInteger(settings, QStringLiteral("Scoring"), scoring);
    ini.WriteInteger(settings, QStringLiteral("DeckSize"), decks);
    const int32_t newLevel = level == 4 ? 0 : 4;
    ini.WriteInteger(settings, QStringLiteral("Tolvi"), newLevel);
    WriteHallOfFame(ini, hall);
    const QByteArray written = ini.ToBytes();

    TIniFile again;
    again.LoadFromBytes(written);
    // The defaults given differ from the values written, so a missing key shows.
    FUZZ_REQUIRE(again.ReadInteger(settings, QStringLiteral("Scoring"), ~scoring) == scoring,
                 "Scoring reads back");
    FUZZ_REQUIRE(again.ReadInteger(settings, QStringLiteral("DeckSize"), ~decks) == decks,
                 "DeckSize reads back");
    FUZZ_REQUIRE(again.ReadInteger(settings, QStringLiteral("Tolvi"), ~newLevel) == newLevel,
                 "Tolvi reads back");
    THallOfFame reread;
    ReadHallOfFame(again, reread);
    FUZZ_REQUIRE(reread == AsWritten(hall), "the hall of fame reads back");
    FUZZ_REQUIRE(again.ToBytes() == written, "a written file is written again unchanged");
    return 0;
}
