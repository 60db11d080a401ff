// The close of one window merging into Config.INI as another copy left it, on any two files:
// the input's first two bytes say where the file on disk ends and the file the window read
// begins. The window added every entry of its file's hall of fame and all of its counters.
// Properties: the merged file reads back as merged; a counter is the sum of both, stopping at
// the limit; a table that was in order stays in order and holds the best five of its own and
// the added entries; the counters show; nothing crashes, leaks or takes more than linear time.

#include "ConfigAdditions.h"
#include "ConfigFile.h"
#include "HallOfFame.h"
#include "IniFile.h"
#include "Statistics.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace {

int32_t Capped(int64_t Value) {
    return int32_t(std::min<int64_t>(Value, std::numeric_limits<int32_t>::max()));
}

// What a name looks like once written: a line break inside it becomes a blank.
TFameTable AsWritten(TFameTable Table) {
    for (TFameEntry& e : Table)
        e.FameName.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Table;
}

bool InOrder(const TFameTable& Table) {
    return std::is_sorted(Table.begin(), Table.end(), [](const TFameEntry& a, const TFameEntry& b) {
        return a.FameScore > b.FameScore;
    });
}

std::vector<int32_t> BestScores(std::vector<int32_t> Scores) {
    std::sort(Scores.begin(), Scores.end(), std::greater<>());
    Scores.resize(FamePlaces);
    return Scores;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2)
        return 0;
    const size_t split = std::min<size_t>(Size - 2, size_t(Data[0]) << 8 | Data[1]);
    const auto bytes = [&](size_t From, size_t To) {
        return QByteArray(reinterpret_cast<const char*>(Data) + From, qsizetype(To - From));
    };
    TConfigFile disk{TConfigPaths{}};
    disk.Ini().LoadFromBytes(bytes(2, 2 + split));
    TIniFile window;
    window.LoadFromBytes(bytes(2 + split, Size));

    THallOfFame added, hall;
    TStatistics addedStats, stats;
    ReadHallOfFame(window, added);
    ReadStatistics(window, addedStats);
    disk.ReadHallOfFame(hall);
    disk.ReadStatistics(stats);
    const THallOfFame hallBefore = hall;
    const TStatistics statsBefore = stats;

    TConfigAdditions additions;
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (const TFameEntry& e : added.Table(deck, scoring, level))
            if (!e.Vacant())
                additions.AddFame({deck, scoring, level}, e);
    });
    additions.Statistics() = addedStats;
    additions.ApplyTo(hall, stats);
    disk.WriteHallOfFame(hall);
    disk.WriteStatistics(stats);

    TConfigFile again{TConfigPaths{}};
    again.Ini().LoadFromBytes(disk.Ini().ToBytes());
    THallOfFame hallRead;
    again.ReadHallOfFame(hallRead);
    TStatistics statsRead;
    again.ReadStatistics(statsRead);
    FUZZ_REQUIRE(statsRead == stats, "the merged counters read back");
    (void)StatisticsLines(stats, {1, 0, 0}); // rates and averages of any counters

    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        const TGameStats& was = statsBefore.Entry(deck, scoring, level);
        const TGameStats& add = addedStats.Entry(deck, scoring, level);
        const TGameStats& now = stats.Entry(deck, scoring, level);
        FUZZ_REQUIRE(now.Played == Capped(int64_t(was.Played) + add.Played) &&
                         now.Won == Capped(int64_t(was.Won) + add.Won) &&
                         now.Lost == Capped(int64_t(was.Lost) + add.Lost) &&
                         now.Abandoned == Capped(int64_t(was.Abandoned) + add.Abandoned),
                     "a counter is the sum of both");
        FUZZ_REQUIRE(now.BestScore == std::max(was.BestScore, add.BestScore), "the best score");

        const TFameTable& before = hallBefore.Table(deck, scoring, level);
        const TFameTable& table = hall.Table(deck, scoring, level);
        FUZZ_REQUIRE(hallRead.Table(deck, scoring, level) == AsWritten(table),
                     "the merged table reads back");
        if (!InOrder(before))
            return; // a hand-edited table out of order: the added entries go where they can
        FUZZ_REQUIRE(InOrder(table), "a table in order stays in order");
        std::vector<int32_t> offered;
        for (const TFameEntry& e : before)
            offered.push_back(e.FameScore);
        for (const TFameEntry& e : added.Table(deck, scoring, level))
            if (!e.Vacant() && e.FameScore > before.back().FameScore)
                offered.push_back(e.FameScore);
        std::vector<int32_t> kept;
        for (const TFameEntry& e : table)
            kept.push_back(e.FameScore);
        FUZZ_REQUIRE(kept == BestScores(offered), "the best five of both, each once");
    });
    return 0;
}
