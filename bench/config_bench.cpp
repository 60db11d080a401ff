// Start-up and close with a Config.INI of 10 MB of garbage, beside the same with no file (the
// reference) and with an ordinary file of the settings and a full hall of fame. The start is
// the main window's creation, which reads the file; the close writes it. Goal for the garbage:
// the start within a second.

#include "HallOfFame.h"
#include "bench_table.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <random>

namespace {

enum TFileKind { None, Ordinary, Garbage };

QByteArray Contents(TFileKind Kind) {
    if (Kind == Garbage) {
        std::mt19937 random(10);
        QByteArray bytes(10 * 1024 * 1024, Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random());
        return bytes;
    }
    THallOfFame hall;
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (int32_t place = 1; place <= FamePlaces; ++place)
            hall.Entry(deck, scoring, level, place) = {2000 - place * 100, "A player's name"};
    });
    TIniFile ini;
    ini.WriteInteger(QStringLiteral("Settings"), QStringLiteral("Tolvi"), 3);
    WriteHallOfFame(ini, hall);
    return ini.ToBytes();
}

// A settings folder of its own with the file of the given kind, and silent message boxes.
class TConfigPlace {
public:
    explicit TConfigPlace(TFileKind Kind) : FKind(Kind), FContents(Contents(Kind)) {}

    // Puts the file back as it was before a close rewrote it.
    void Reset() const {
        QFile::remove(FPath);
        QFile file(FPath);
        if (FKind != None && file.open(QIODevice::WriteOnly))
            file.write(FContents);
    }

private:
    const TFileKind FKind;
    const QByteArray FContents;
    QTemporaryDir FDir;
    const TConfigDirOverride FDirs{FDir.path(), FDir.filePath(QStringLiteral("user"))};
    bench::TSilentDialogs FDialogs;
    const TKsDialogsOverride FAnswered{FDialogs};
    const QString FPath = QDir(FDir.path()).filePath(QStringLiteral("Config.INI"));
};

void BM_StartWithConfig(benchmark::State& State) {
    const TConfigPlace place(static_cast<TFileKind>(State.range(0)));
    place.Reset();
    for (auto _ : State) {
        auto form = std::make_unique<TMainForm>();
        benchmark::DoNotOptimize(form->Level());
        State.PauseTiming(); // the destruction is not part of the start
        form.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_StartWithConfig)
    ->ArgName("file")
    ->Arg(None)
    ->Arg(Ordinary)
    ->Arg(Garbage)
    ->Unit(benchmark::kMillisecond);

void BM_CloseWithConfig(benchmark::State& State) {
    const TConfigPlace place(static_cast<TFileKind>(State.range(0)));
    for (auto _ : State) {
        State.PauseTiming();
        place.Reset();
        auto form = std::make_unique<TMainForm>();
        State.ResumeTiming();
        form->FormClose();
        State.PauseTiming();
        form.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_CloseWithConfig)
    ->ArgName("file")
    ->Arg(None)
    ->Arg(Ordinary)
    ->Arg(Garbage)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks(argc, argv);
}
