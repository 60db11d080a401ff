#include "Statistics.h"

#include "IniFile.h"

#include <QCoreApplication>
#include <QDate>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <tuple>

namespace {

// Counters from a hand-edited file may be near the limit; they stop there.
template <typename T> T Sum(T A, T B) {
    T result{};
    if (__builtin_add_overflow(A, B, &result))
        return B > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
    return result;
}

struct TCounterKey {
    const char* Name;
    int32_t TGameStats::*Field;
};

constexpr std::array<TCounterKey, 8> CounterKeys{{
    {"Played", &TGameStats::Played},
    {"Won", &TGameStats::Won},
    {"Lost", &TGameStats::Lost},
    {"Abandoned", &TGameStats::Abandoned},
    {"Streak", &TGameStats::Streak},
    {"Best streak", &TGameStats::BestStreak},
    {"Fastest win", &TGameStats::FastestWin},
    {"Best score", &TGameStats::BestScore},
}};
constexpr const char* TotalScoreKey = "Total score";
// Keys of a later version, written once they hold a value.
struct TDealKey {
    const char* Name;
    uint64_t TGameStats::*Field;
};
constexpr std::array<TDealKey, 2> DealKeys{{
    {"Best score deal", &TGameStats::BestScoreDeal},
    {"Fastest win deal", &TGameStats::FastestWinDeal},
}};

struct TDaysDealKey {
    const char* Name;
    int32_t TDaysDealStats::*Field;
};
constexpr std::array<TDaysDealKey, 6> DaysDealKeys{{
    {"Day's deal: Day", &TDaysDealStats::Day},
    {"Day's deal: Deal", &TDaysDealStats::Deal},
    {"Day's deal: Played", &TDaysDealStats::Played},
    {"Day's deal: Won", &TDaysDealStats::Won},
    {"Day's deal: Best score", &TDaysDealStats::BestScore},
    {"Day's deal: Fastest win", &TDaysDealStats::FastestWin},
}};

// The keys of one combination, "<its hall-of-fame section>: <counter>", built in one buffer:
// a key is good until the next is asked for.
class TKeys {
public:
    explicit TKeys(const TCombination& Combination) : TKeys(Combination.Section()) {}
    explicit TKeys(const QString& Section)
        : FKey(Section + QStringLiteral(": ")), FPrefixSize(FKey.size()) {
        FKey.reserve(FPrefixSize + 16);
    }
    const QString& operator()(const char* Counter) {
        FKey.resize(FPrefixSize);
        FKey += QLatin1String(Counter);
        return FKey;
    }

private:
    QString FKey;
    qsizetype FPrefixSize;
};

} // namespace

void TGameStats::Win(int32_t Seconds, int32_t Score, uint64_t Deal) {
    Played = Sum(Played, 1);
    Won = Sum(Won, 1);
    Streak = Sum(Streak, 1);
    BestStreak = std::max(BestStreak, Streak);
    if (!StreakBroken)
        StreakLead = Streak;
    if (FastestWin == 0 || Seconds < FastestWin) {
        FastestWin = std::max(Seconds, 1);
        FastestWinDeal = Deal;
    }
    if (Score > BestScore) {
        BestScore = Score;
        BestScoreDeal = Deal;
    }
    TotalScore = Sum<int64_t>(TotalScore, Score);
}

void TGameStats::Lose() {
    Played = Sum(Played, 1);
    Lost = Sum(Lost, 1);
    Streak = 0;
    StreakBroken = true;
}

void TGameStats::Abandon() {
    Played = Sum(Played, 1);
    Abandoned = Sum(Abandoned, 1);
    Streak = 0;
    StreakBroken = true;
}

void TGameStats::Merge(const TGameStats& Added) {
    Played = Sum(Played, Added.Played);
    Won = Sum(Won, Added.Won);
    Lost = Sum(Lost, Added.Lost);
    Abandoned = Sum(Abandoned, Added.Abandoned);
    // The file's streak went on with the wins added before their first loss, whether or not
    // one came after them.
    const int32_t continued = Sum(Streak, Added.StreakLead);
    Streak = Added.StreakBroken ? Added.Streak : continued;
    BestStreak = std::max({BestStreak, Added.BestStreak, continued});
    if (Added.FastestWin > 0 && (FastestWin == 0 || Added.FastestWin < FastestWin)) {
        FastestWin = Added.FastestWin;
        FastestWinDeal = Added.FastestWinDeal;
    } else if (Added.FastestWin > 0 && Added.FastestWin == FastestWin && FastestWinDeal == 0) {
        // A guest learns the deal after its win was saved: the same record, now named.
        FastestWinDeal = Added.FastestWinDeal;
    }
    if (Added.BestScore > BestScore) {
        BestScore = Added.BestScore;
        BestScoreDeal = Added.BestScoreDeal;
    } else if (Added.BestScore > 0 && Added.BestScore == BestScore && BestScoreDeal == 0) {
        BestScoreDeal = Added.BestScoreDeal;
    }
    TotalScore = Sum(TotalScore, Added.TotalScore);
}

void TDaysDealStats::Tried(int32_t OnDay, int32_t Number) {
    if (OnDay != Day || Number != Deal)
        *this = {OnDay, Number};
    Played = Sum(Played, 1);
}

void TDaysDealStats::Win(int32_t Seconds, int32_t Score) {
    Won = Sum(Won, 1);
    if (FastestWin == 0 || Seconds < FastestWin)
        FastestWin = std::max(Seconds, 1);
    BestScore = std::max(BestScore, Score);
}

void TDaysDealStats::Merge(const TDaysDealStats& Added) {
    if (Added.Day == 0 || Added.Day < Day)
        return;
    if (Added.Day > Day || Added.Deal != Deal) {
        *this = Added;
        return;
    }
    Played = Sum(Played, Added.Played);
    Won = Sum(Won, Added.Won);
    if (Added.FastestWin > 0 && (FastestWin == 0 || Added.FastestWin < FastestWin))
        FastestWin = Added.FastestWin;
    BestScore = std::max(BestScore, Added.BestScore);
}

bool TGameStats::operator==(const TGameStats& Other) const {
    const auto counters = [](const TGameStats& s) {
        return std::tie(s.Played, s.Won, s.Lost, s.Abandoned, s.Streak, s.BestStreak, s.FastestWin,
                        s.BestScore, s.TotalScore, s.BestScoreDeal, s.FastestWinDeal);
    };
    return counters(*this) == counters(Other);
}

int32_t TGameStats::WinRate() const {
    return Played > 0 ? int32_t((int64_t(Won) * 100 + Played / 2) / Played) : 0;
}

int32_t TGameStats::AverageScore() const {
    if (Won <= 0)
        return 0;
    // Rounded half up without adding to a total that a hand-edited file may put at the limit.
    const int64_t won = Won;
    const int64_t average = TotalScore / won + (TotalScore % won >= (won + 1) / 2 ? 1 : 0);
    return int32_t(std::min<int64_t>(average, std::numeric_limits<int32_t>::max()));
}

void TStatistics::Merge(const TStatistics& Added) {
    ForEachCombination([&](const TCombination& c) { FEntries[c].Merge(Added.FEntries[c]); });
    FDaysDeal.Merge(Added.FDaysDeal);
    for (size_t i = 0; i < FHeadToHead.size(); ++i)
        FHeadToHead[i].Merge(Added.FHeadToHead[i]);
}

TGameStats& TStatistics::HeadToHead(int32_t DeckCount) {
    if (DeckCount < 1 || DeckCount > 2)
        throw std::out_of_range("no such deck count");
    return FHeadToHead[size_t(DeckCount - 1)];
}

// The section names in the file, and in the player's language in the statistics.
constexpr const char* HeadToHeadTitles[2] = {
    QT_TRANSLATE_NOOP("Statistics", "Head to head - Single Deck"),
    QT_TRANSLATE_NOOP("Statistics", "Head to head - Double Deck")};

QString HeadToHeadSection(int32_t DeckCount) {
    return QLatin1String(HeadToHeadTitles[DeckCount == 1 ? 0 : 1]);
}

QString StatisticsSection() {
    return QStringLiteral("Statistics");
}

void ReadStatistics(const TIniFile& Ini, TStatistics& Statistics) {
    const QString section = StatisticsSection();
    if (!Ini.SectionExists(section)) {
        Statistics.Clear();
        return;
    }
    const auto read = [&](TGameStats& stats, TKeys& key) {
        stats = {};
        for (const TCounterKey& counter : CounterKeys)
            stats.*counter.Field = std::max(0, Ini.ReadInteger(section, key(counter.Name), 0));
        for (const TDealKey& deal : DealKeys) {
            bool read = false;
            const qulonglong number =
                Ini.ReadString(section, key(deal.Name), {}).toULongLong(&read);
            stats.*deal.Field = read ? number : 0;
        }
        bool ok = false;
        const qint64 total = Ini.ReadString(section, key(TotalScoreKey), {}).toLongLong(&ok);
        stats.TotalScore = ok && total > 0 ? total : 0;
    };
    ForEachCombination([&](const TCombination& combination) {
        TKeys key(combination);
        read(Statistics.Entry(combination), key);
    });
    for (int32_t decks : {1, 2}) {
        TKeys key(HeadToHeadSection(decks));
        read(Statistics.HeadToHead(decks), key);
    }
    TDaysDealStats& day = Statistics.DaysDeal();
    for (const TDaysDealKey& k : DaysDealKeys)
        day.*k.Field = std::max(0, Ini.ReadInteger(section, QLatin1String(k.Name), 0));
}

void WriteStatistics(TIniFile& Ini, const TStatistics& Statistics) {
    const QString section = StatisticsSection();
    const bool sectionInFile = Ini.SectionExists(section);
    const auto write = [&](const TGameStats& stats, TKeys& key) {
        const auto inFile = [&](const char* Name) {
            return sectionInFile && Ini.ValueExists(section, key(Name));
        };
        // Unplayed combinations stay out of the file, unless it holds them (a reset).
        if (stats.Empty() && !inFile(TotalScoreKey) &&
            std::none_of(CounterKeys.begin(), CounterKeys.end(),
                         [&](const TCounterKey& c) { return inFile(c.Name); }))
            return;
        for (const TCounterKey& counter : CounterKeys)
            Ini.WriteInteger(section, key(counter.Name), stats.*counter.Field);
        Ini.WriteString(section, key(TotalScoreKey), QString::number(stats.TotalScore));
        for (const TDealKey& deal : DealKeys)
            if (stats.*deal.Field != 0 || inFile(deal.Name))
                Ini.WriteString(section, key(deal.Name), QString::number(stats.*deal.Field));
    };
    ForEachCombination([&](const TCombination& combination) {
        TKeys key(combination);
        write(Statistics.Entry(combination), key);
    });
    for (int32_t decks : {1, 2}) {
        TKeys key(HeadToHeadSection(decks));
        write(Statistics.HeadToHead(decks), key);
    }
    const TDaysDealStats& day = Statistics.DaysDeal();
    for (const TDaysDealKey& k : DaysDealKeys)
        if (day.Day != 0 || (sectionInFile && Ini.ValueExists(section, QLatin1String(k.Name))))
            Ini.WriteInteger(section, QLatin1String(k.Name), day.*k.Field);
}

QStringList StatisticsLines(const TStatistics& Statistics, const TCombination& Current) {
    QStringList lines;
    // Scored: a game against a person has no score.
    const auto add = [&](const QString& Section, const TGameStats& s, bool Scored) {
        lines << Section;
        if (s.Played == 0) {
            lines << QStringLiteral("  ") +
                         QCoreApplication::translate("Statistics", "No games yet")
                  << QString();
            return;
        }
        const auto row = [&](const char* Left, int32_t Value, const char* Right,
                             const QString& Text) {
            lines << QStringLiteral("  %1%2 %3%4")
                         .arg(QCoreApplication::translate("Statistics", Left), -11)
                         .arg(Value, -6)
                         .arg(QCoreApplication::translate("Statistics", Right), -12)
                         .arg(Text);
        };
        const QString none = QStringLiteral("-");
        row(QT_TRANSLATE_NOOP("Statistics", "Played"), s.Played,
            QT_TRANSLATE_NOOP("Statistics", "Win rate"), QStringLiteral("%1 %").arg(s.WinRate()));
        row(QT_TRANSLATE_NOOP("Statistics", "Won"), s.Won,
            QT_TRANSLATE_NOOP("Statistics", "Streak"), QString::number(s.Streak));
        row(QT_TRANSLATE_NOOP("Statistics", "Lost"), s.Lost,
            QT_TRANSLATE_NOOP("Statistics", "Best streak"), QString::number(s.BestStreak));
        row(QT_TRANSLATE_NOOP("Statistics", "Abandoned"), s.Abandoned,
            QT_TRANSLATE_NOOP("Statistics", "Fastest win"),
            s.FastestWin > 0 ? QStringLiteral("%1 s").arg(s.FastestWin) : none);
        if (Scored)
            row(QT_TRANSLATE_NOOP("Statistics", "Best score"), s.BestScore,
                QT_TRANSLATE_NOOP("Statistics", "Average"),
                s.Won > 0 ? QString::number(s.AverageScore()) : none);
        lines << QString();
    };
    if (const TDaysDealStats& day = Statistics.DaysDeal(); day.Day != 0) {
        const QString none = QStringLiteral("-");
        lines << QCoreApplication::translate("Statistics", "Day's deal %1, %2")
                     .arg(day.Deal)
                     .arg(QDate(day.Day / 10000, day.Day / 100 % 100, day.Day % 100)
                              .toString(Qt::ISODate))
              << QStringLiteral("  %1%2 %3%4")
                     .arg(QCoreApplication::translate("Statistics", "Played"), -11)
                     .arg(day.Played, -6)
                     .arg(QCoreApplication::translate("Statistics", "Best score"), -12)
                     .arg(day.Won > 0 ? QString::number(day.BestScore) : none)
              << QStringLiteral("  %1%2 %3%4")
                     .arg(QCoreApplication::translate("Statistics", "Won"), -11)
                     .arg(day.Won, -6)
                     .arg(QCoreApplication::translate("Statistics", "Best time"), -12)
                     .arg(day.FastestWin > 0 ? QStringLiteral("%1 s").arg(day.FastestWin) : none)
              << QString();
    }
    if (Current.Valid())
        add(Current.Title(), Statistics.Entry(Current), true);
    ForEachCombination([&](const TCombination& combination) {
        if (combination != Current)
            add(combination.Title(), Statistics.Entry(combination), true);
    });
    for (int32_t decks : {1, 2})
        if (Statistics.HeadToHead(decks).Played > 0)
            add(QCoreApplication::translate("Statistics", HeadToHeadTitles[decks - 1]),
                Statistics.HeadToHead(decks), false);
    return lines;
}
