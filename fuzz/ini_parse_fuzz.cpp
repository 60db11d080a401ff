// The INI reader alone on any bytes as a Config.INI, without writing: this runs thousands of
// inputs a second where the round trip (ini_fuzz) runs hundreds. Properties: a key that exists
// reads as its value whatever the default, and as an integer exactly when the value is one; a
// missing key gives the default; nothing crashes, leaks or takes more than linear time.

#include "ConfigFile.h"
#include "IniFile.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void CheckKey(const TIniFile& Ini, const QString& Section, const QString& Key) {
    const QString a = Ini.ReadString(Section, Key, QStringLiteral("\x01"));
    const QString b = Ini.ReadString(Section, Key, QStringLiteral("\x02"));
    const bool exists = Ini.ValueExists(Section, Key);
    FUZZ_REQUIRE(exists == (a == b), "a key that exists reads the same whatever the default");
    FUZZ_REQUIRE(!exists || Ini.SectionExists(Section), "a key lives in a section that exists");
    int32_t number = 0;
    const bool isNumber = exists && ParseInt32(a, number);
    FUZZ_REQUIRE(Ini.ReadInteger(Section, Key, 7) == (isNumber ? number : 7) &&
                     Ini.ReadInteger(Section, Key, -7) == (isNumber ? number : -7),
                 "an integer is read exactly when the value is one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TIniFile ini;
    ini.LoadFromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)));
    for (const char* key : {"Scoring", "DeckSize", "Tolvi"})
        CheckKey(ini, SettingsSection(), QString::fromLatin1(key));
    // A key and a section named by the input's first line, whatever they hold.
    const QString first =
        DecodeIniText(QByteArray(reinterpret_cast<const char*>(Data),
                                 static_cast<qsizetype>(std::min<size_t>(Size, 64))))
            .section(QLatin1Char('\n'), 0, 0);
    CheckKey(ini, first, first);
    CheckKey(ini, first.section(QLatin1Char('='), 0, 0), first.section(QLatin1Char('='), 1));
    return 0;
}
