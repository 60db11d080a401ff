#include "HallOfFame.h"

#include "IniFile.h"
#include "StringRes.h"

#include <algorithm>
#include <stdexcept>

TFameEntry& THallOfFame::Entry(int32_t DeckCount, int32_t Scoring, int32_t Level, int32_t Place) {
    if (Place < 1 || Place > FamePlaces)
        throw std::out_of_range("no such place in the hall of fame");
    return Table(DeckCount, Scoring, Level)[size_t(Place - 1)];
}

const TFameEntry& THallOfFame::Entry(int32_t DeckCount, int32_t Scoring, int32_t Level,
                                     int32_t Place) const {
    return const_cast<THallOfFame*>(this)->Entry(DeckCount, Scoring, Level, Place);
}

void THallOfFame::Clear() {
    FTables = {};
}

TFameEntry* InsertFameEntry(TFameTable& Table, const TFameEntry& Entry) {
    const auto place = std::find_if(Table.begin(), Table.end(), [&](const TFameEntry& e) {
        return e.FameScore < Entry.FameScore;
    });
    if (place == Table.end())
        return nullptr;
    std::move_backward(place, Table.end() - 1, Table.end());
    *place = Entry;
    return &*place;
}

QString LeftChars(const QString& Text, qsizetype Count) {
    qsizetype end = 0;
    for (qsizetype chars = 0; end < Text.size() && chars < Count; ++chars)
        end +=
            (Text[end].isHighSurrogate() && end + 1 < Text.size() && Text[end + 1].isLowSurrogate())
                ? 2
                : 1;
    return Text.left(end);
}

TFameEntry ParseFameValue(const QString& Value) {
    TFameEntry entry;
    if (Value.isEmpty())
        return entry;
    const qsizetype at = Value.indexOf(FameSeparator);
    QStringView score(Value);
    if (at >= 0) {
        entry.FameName = LeftChars(Value.left(at), FameNameLength);
        score = score.mid(at + 1);
    }
    if (!ParseInt32(score, entry.FameScore))
        entry.FameScore = 0;
    return entry;
}

QString FormatFameValue(const TFameEntry& Entry) {
    // The separator cannot be part of a name: it would end the name when read back.
    QString name = Entry.FameName;
    name.remove(FameSeparator);
    return name + FameSeparator + QString::number(Entry.FameScore);
}

static QString PlaceKey(int32_t Place) {
    return QString::number(Place);
}

static QString DealKey(int32_t Place) {
    return QStringLiteral("Deal %1").arg(Place);
}

void ReadHallOfFame(const TIniFile& Ini, THallOfFame& HallOfFame) {
    ForEachCombination([&](const TCombination& combination) {
        const QString section = combination.Section();
        TFameTable& table = HallOfFame.Table(combination);
        for (int32_t place = 1; place <= FamePlaces; ++place) {
            TFameEntry& entry = table[size_t(place - 1)];
            entry = ParseFameValue(Ini.ReadString(section, PlaceKey(place), {}));
            entry.Deal = std::max(0, Ini.ReadInteger(section, DealKey(place), 0));
        }
    });
}

void WriteHallOfFame(TIniFile& Ini, const THallOfFame& HallOfFame) {
    ForEachCombination([&](const TCombination& combination) {
        const QString section = combination.Section();
        const TFameTable& table = HallOfFame.Table(combination);
        for (int32_t place = 1; place <= FamePlaces; ++place)
            Ini.WriteString(section, PlaceKey(place), FormatFameValue(table[size_t(place - 1)]));
        // After the places, which an older version reads as they were.
        for (int32_t place = 1; place <= FamePlaces; ++place) {
            const int32_t deal = table[size_t(place - 1)].Deal;
            if (deal != 0 || Ini.ValueExists(section, DealKey(place)))
                Ini.WriteInteger(section, DealKey(place), deal);
        }
    });
}

QStringList HallOfFameLines(const THallOfFame& HallOfFame) {
    QStringList lines;
    lines.reserve(160);
    ForEachCombination([&](const TCombination& combination) {
        lines << combination.Title() << StringRes::RankHeading();
        const TFameTable& table = HallOfFame.Table(combination);
        for (int32_t place = 1; place <= FamePlaces; ++place) {
            const TFameEntry& entry = table[size_t(place - 1)];
            const QString score = QString::number(entry.FameScore);
            lines << QString::asprintf("  %d     %d", place, entry.FameScore) +
                         QString(std::max<qsizetype>(0, 8 - score.size()), QLatin1Char(' ')) +
                         entry.FameName;
        }
        lines << QString();
    });
    return lines;
}
