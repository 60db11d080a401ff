// One hall-of-fame value ("name`score") as read from the file, from any bytes (as UTF-8 or, when
// they are not, as Windows-1252, as the file is read). Properties: the name is the text before
// the first separator cut to 20 characters and never holds the separator; the score is the
// number after it, or 0; an entry written and read again is the same entry.

#include "HallOfFame.h"
#include "IniFile.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

qsizetype Characters(const QString& Text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < Text.size(); ++i, ++n)
        if (Text[i].isHighSurrogate() && i + 1 < Text.size() && Text[i + 1].isLowSurrogate())
            ++i;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const QString value = DecodeIniText(
        QByteArray(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size)));
    const TFameEntry entry = ParseFameValue(value);

    const qsizetype at = value.indexOf(FameSeparator);
    FUZZ_REQUIRE(!entry.FameName.contains(FameSeparator), "no separator in a name");
    FUZZ_REQUIRE(Characters(entry.FameName) <= FameNameLength, "at most 20 characters");
    if (at < 0)
        FUZZ_REQUIRE(entry.FameName.isEmpty(), "no separator, no name");
    else
        FUZZ_REQUIRE(value.startsWith(entry.FameName), "the name begins the value");
    int32_t number = 0;
    const QStringView scoreText = at < 0 ? QStringView(value) : QStringView(value).mid(at + 1);
    FUZZ_REQUIRE(entry.FameScore == (ParseInt32(scoreText, number) ? number : 0),
                 "the score is the number after the separator, or 0");

    const TFameEntry again = ParseFameValue(FormatFameValue(entry));
    FUZZ_REQUIRE(again.FameScore == entry.FameScore, "the score reads back");
    FUZZ_REQUIRE(again.FameName == entry.FameName || (entry.FameName.isEmpty() && again.Vacant()),
                 "the name reads back");
    return 0;
}
