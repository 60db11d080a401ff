// Copies of the program closing on one Config.INI at nearly the same moment. Each copy
// (tolvi_close_copy) counts games and offers a win of its own; once all are ready they are told
// to close together. Afterwards the file must parse, every table must hold the five best of the
// entries it had and all that were offered, each once, and the counters must add up.
//   tolvi_close_stress <tolvi_close_copy> [--copies 20] [--rounds 1] [--seed 1]
// Exit status 0 when every round held; each failure is printed.

#include "ConfigFile.h"
#include "HallOfFame.h"
#include "Statistics.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

struct TCombination {
    int32_t DeckCount;
    int32_t Level;
};
// Two tables share the offers, so each must keep five of about a dozen entries.
constexpr TCombination Combinations[] = {{1, 0}, {2, 3}};

struct TOffer {
    TCombination At;
    TFameEntry Entry;
    int Wins = 0;
    int Losses = 0;
};

int gFailures = 0;

void Fail(int Round, const QString& What) {
    ++gFailures;
    std::fprintf(stderr, "round %d: %s\n", Round, qPrintable(What));
}

// Scores drawn without repeats, so the order of a table is the same whichever copy came first.
class TScores {
public:
    explicit TScores(std::mt19937& Random) : FRandom(Random) {}
    int32_t Next() {
        for (;;)
            if (const int32_t s = int32_t(FRandom() % 5000) + 1; FUsed.insert(s).second)
                return s;
    }

private:
    std::mt19937& FRandom;
    std::set<int32_t> FUsed;
};

bool Round(int Number, const QString& CopyProgram, int Copies, std::mt19937& Random) {
    const int failuresBefore = gFailures;
    QTemporaryDir folder;
    const QString path = folder.filePath(ConfigFileName());
    TScores scores(Random);

    // The file as it was: three entries and some counters in each table the copies use.
    THallOfFame hall;
    TStatistics statistics;
    for (const TCombination c : Combinations) {
        for (int32_t place = 1; place <= 3; ++place)
            InsertFameEntry(hall.Table(c.DeckCount, 0, c.Level),
                            {scores.Next(), QStringLiteral("Before %1").arg(place)});
        TGameStats& s = statistics.Entry(c.DeckCount, 0, c.Level);
        s.Played = 10;
        s.Won = 4;
        s.Lost = 5;
        s.Abandoned = 1;
    }
    {
        // Lines of the player's own make each save long enough for the closes to overlap.
        QByteArray own;
        for (int i = 0; own.size() < 512 * 1024; ++i)
            own += "; note " + QByteArray::number(i) + " kept as it was\r\n";
        TConfigFile file(TConfigPaths{path, path});
        file.Ini().LoadFromBytes(own);
        file.WriteSettings({});
        file.WriteHallOfFame(hall);
        file.WriteStatistics(statistics);
        if (!file.Ini().UpdateFile())
            return Fail(Number, "the first file could not be written"), false;
    }

    std::vector<TOffer> offers;
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < Copies; ++i) {
        const TOffer offer{Combinations[i % 2],
                           {scores.Next(), QStringLiteral("Copy %1").arg(i, 2, 10, QChar('0'))},
                           1 + int(Random() % 3),
                           int(Random() % 3)};
        offers.push_back(offer);
        auto& copy = copies.emplace_back(std::make_unique<QProcess>());
        copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copy->start(CopyProgram,
                    {folder.path(), offer.Entry.FameName, QString::number(offer.At.DeckCount),
                     QString::number(offer.At.Level), QString::number(offer.Entry.FameScore),
                     QString::number(offer.Wins), QString::number(offer.Losses)});
    }
    for (auto& copy : copies)
        if (!copy->waitForReadyRead(120000) || !copy->readLine().startsWith("ready"))
            return Fail(Number, "a copy did not start"), false;
    QElapsedTimer closing;
    closing.start();
    // QProcess only sends when asked to wait: without it each copy would hear "go" only once
    // the one before had finished.
    for (auto& copy : copies) {
        copy->write("go\n");
        copy->waitForBytesWritten(1000);
    }
    for (auto& copy : copies) {
        copy->waitForFinished(120000);
        if (copy->exitStatus() != QProcess::NormalExit || copy->exitCode() != 0 ||
            !copy->readAll().contains("closed"))
            Fail(Number, QStringLiteral("a copy did not close cleanly"));
    }
    const qint64 closeMs = closing.elapsed();

    // What must be there: each table the five best of its own and the offered entries, and
    // every counter the sum of the file's and the copies'.
    for (const TOffer& o : offers) {
        InsertFameEntry(hall.Table(o.At.DeckCount, 0, o.At.Level), o.Entry);
        TGameStats& s = statistics.Entry(o.At.DeckCount, 0, o.At.Level);
        s.Played += o.Wins + o.Losses;
        s.Won += o.Wins;
        s.Lost += o.Losses;
        s.BestScore = std::max(s.BestScore, o.Entry.FameScore);
        s.TotalScore += int64_t(o.Wins) * o.Entry.FameScore;
    }
    const TConfigFile file(TConfigPaths{path, path});
    if (file.Ini().ReadString(SettingsSection(), QStringLiteral("Tolvi"), {}).isEmpty())
        Fail(Number, "the settings are gone");
    THallOfFame hallNow;
    file.ReadHallOfFame(hallNow);
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (int32_t place = 1; place <= FamePlaces; ++place) {
            const TFameEntry& want = hall.Entry(deck, scoring, level, place);
            const TFameEntry& got = hallNow.Entry(deck, scoring, level, place);
            if (got != want)
                Fail(Number, QStringLiteral("%1 decks, scoring %2, level %3, place %4: %5 %6, "
                                            "not %7 %8")
                                 .arg(deck)
                                 .arg(scoring)
                                 .arg(level)
                                 .arg(place)
                                 .arg(got.FameName)
                                 .arg(got.FameScore)
                                 .arg(want.FameName)
                                 .arg(want.FameScore));
        }
    });
    TStatistics statisticsNow;
    file.ReadStatistics(statisticsNow);
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        const TGameStats& want = statistics.Entry(deck, scoring, level);
        const TGameStats& got = statisticsNow.Entry(deck, scoring, level);
        if (got.Played != want.Played || got.Won != want.Won || got.Lost != want.Lost ||
            got.Abandoned != want.Abandoned || got.BestScore != want.BestScore ||
            got.TotalScore != want.TotalScore)
            Fail(Number, QStringLiteral("%1 decks, level %2: played %3 won %4 lost %5, not "
                                        "played %6 won %7 lost %8")
                             .arg(deck)
                             .arg(level)
                             .arg(got.Played)
                             .arg(got.Won)
                             .arg(got.Lost)
                             .arg(want.Played)
                             .arg(want.Won)
                             .arg(want.Lost));
    });
    const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    if (left != QStringList{ConfigFileName()})
        Fail(Number, QStringLiteral("files left: %1").arg(left.join(QStringLiteral(", "))));
    std::printf("round %d: %d copies closed in %lld ms, %s\n", Number, Copies,
                static_cast<long long>(closeMs), gFailures == failuresBefore ? "ok" : "FAILED");
    return gFailures == failuresBefore;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tolvi_close_stress <tolvi_close_copy> [--copies N] "
                             "[--rounds N] [--seed N]\n");
        return 2;
    }
    int copies = 20, rounds = 1;
    unsigned seed = 1;
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--copies"))
            copies = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--rounds"))
            rounds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toUInt();
    }
    std::mt19937 random(seed);
    int passed = 0;
    for (int r = 1; r <= rounds; ++r)
        passed += Round(r, args[1], copies, random) ? 1 : 0;
    std::printf("%d of %d rounds held (seed %u)\n", passed, rounds, seed);
    return passed == rounds ? 0 : 1;
}
