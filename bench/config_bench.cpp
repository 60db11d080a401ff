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

void Write(const QString& Path, const QByteArray& Bytes) {
    QFile file(Path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Bytes);
}

void BM_StartWithConfig(benchmark::State& State) {
    const auto kind = static_cast<TFileKind>(State.range(0));
    QTemporaryDir dir;
    const TConfigDirOverride dirs(dir.path(), dir.filePath(QStringLiteral("user")));
    bench::TSilentDialogs dialogs;
    const TKsDialogsOverride answered(dialogs);
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Config.INI"));
    if (kind != None)
        Write(path, Contents(kind));
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
    const auto kind = static_cast<TFileKind>(State.range(0));
    QTemporaryDir dir;
    const TConfigDirOverride dirs(dir.path(), dir.filePath(QStringLiteral("user")));
    bench::TSilentDialogs dialogs;
    const TKsDialogsOverride answered(dialogs);
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Config.INI"));
    const QByteArray contents = Contents(kind);
    for (auto _ : State) {
        State.PauseTiming();
        if (kind == None)
            QFile::remove(path);
        else
            Write(path, contents);
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
