// The self-play soak: thousands of games on one main window, as in one very long session.
// Prints the games per second, the heap and the resident memory as it goes, the card pictures
// decoded so far (a picture first seen costs the heap a decode), and every failure with the seed
// that plays the game again.
//
//   tolvi_soak [--games N] [--base B]   games B, B+1, ... B+N-1 on one window
//   tolvi_soak --seed S                 the game of seed S alone, on a fresh window
// and with any of them:
//   --show-plays      the window shown with "Show plays" on: every flight, glow and flash is
//                     drawn, frame by frame, on the driver's clock
//   --fumble          the fumble rule on
//   --table-size P    the whole window scaled to P % (100, 125, 150 or 200), as the option does

#include "Main.h"
#include "kspicture.h"
#include "selfplay.h"
#include "soak_meter.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    uint64_t games = 10000;
    uint64_t base = 1;
    bool single = false;
    selfplay::TOptions options;
    uint64_t tableSize = 100;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--games") && hasValue) {
            games = soak::Number(argv[++i]);
        } else if (!std::strcmp(argv[i], "--base") && hasValue) {
            base = soak::Number(argv[++i]);
        } else if (!std::strcmp(argv[i], "--seed") && hasValue) {
            base = soak::Number(argv[++i]);
            games = 1;
            single = true;
        } else if (!std::strcmp(argv[i], "--show-plays")) {
            options.ShowPlays = true;
        } else if (!std::strcmp(argv[i], "--fumble")) {
            options.FumbleRule = true;
        } else if (!std::strcmp(argv[i], "--table-size") && hasValue) {
            tableSize = soak::Number(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: %s [--games N] [--base B] | --seed S, with [--show-plays] "
                         "[--fumble] [--table-size P]\n",
                         argv[0]);
            return 2;
        }
    }
    if (tableSize < 50 || tableSize > 400) {
        std::fprintf(stderr, "%s: a table size is 50 to 400 %%\n", argv[0]);
        return 2;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As on a screen of that density: the toolkit scales everything by it.
    if (tableSize != 100) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(double(tableSize) / 100.0));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    std::printf("table %llu %%, \"Show plays\" %s, fumble rule %s\n",
                static_cast<unsigned long long>(tableSize), options.ShowPlays ? "on" : "off",
                options.FumbleRule ? "on" : "off");

    auto play = std::make_unique<selfplay::TSelfPlay>(options);
    uint64_t failures = 0, decided = 0, humanWins = 0, steps = 0, frames = 0;
    double heapAfterFirst = 0, residentAfterFirst = 0, heapPeak = 0;
    // After twenty games every rule combination has been played once: the piles have their
    // second-deck entries and the hall of fame its first names.
    double heapAfterTwenty = 0, heapPeakAfterTwenty = 0;
    const auto start = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::printf("%-8s %10s %9s %10s %10s %9s %9s\n", "games", "seconds", "games/s", "heap MiB",
                "RSS MiB", "failures", "decoded");
    for (uint64_t i = 0; i < games; ++i) {
        const uint64_t seed = selfplay::GameSeed(base, i);
        const selfplay::TGameResult r = play->Play(seed);
        decided += uint64_t(r.Decided);
        humanWins += uint64_t(r.HumanWins);
        steps += uint64_t(r.Steps);
        frames += uint64_t(r.Frames);
        if (!r.Ok()) {
            ++failures;
            std::printf("FAIL %s\n  alone: tolvi_soak --seed %llu\n  with the games before it: "
                        "tolvi_soak --base %llu --games %llu\n",
                        qPrintable(r.Failure), static_cast<unsigned long long>(seed),
                        static_cast<unsigned long long>(base),
                        static_cast<unsigned long long>(i + 1));
            // A fresh window, so one broken game does not spoil the rest.
            play.reset();
            play = std::make_unique<selfplay::TSelfPlay>(options);
        }
        const uint64_t done = i + 1;
        const double heap = soak::HeapMiB();
        if (done == 1) {
            heapAfterFirst = heap;
            residentAfterFirst = soak::ResidentMiB();
        }
        heapPeak = std::max(heapPeak, heap);
        if (done == 20)
            heapAfterTwenty = heap;
        if (done >= 20)
            heapPeakAfterTwenty = std::max(heapPeakAfterTwenty, heap);
        if (soak::IsCheckpoint(done) || done == games) {
            const double s = seconds();
            std::printf("%-8llu %10.1f %9.1f %10.2f %10.1f %9llu %9llu\n",
                        static_cast<unsigned long long>(done), s, double(done) / s, heap,
                        soak::ResidentMiB(), static_cast<unsigned long long>(failures),
                        static_cast<unsigned long long>(KsDecodedPictures()));
            std::fflush(stdout);
        }
    }
    const double s = seconds();
    std::printf(
        "\n%llu games (%llu decided, %llu won by the human, %llu computer steps, %llu frames of "
        "plays drawn) in %.1f s: %.1f games/s\n",
        static_cast<unsigned long long>(games), static_cast<unsigned long long>(decided),
        static_cast<unsigned long long>(humanWins), static_cast<unsigned long long>(steps),
        static_cast<unsigned long long>(frames), s, double(games) / s);
    if (!single)
        std::printf("heap after the first game %.3f MiB, highest after any game %.3f MiB, at the "
                    "end %.3f MiB (%+.3f MiB); resident %.1f MiB after the first game, %.1f MiB "
                    "at the end\n",
                    heapAfterFirst, heapPeak, soak::HeapMiB(), soak::HeapMiB() - heapAfterFirst,
                    residentAfterFirst, soak::ResidentMiB());
    if (games >= 20)
        std::printf("heap after game 20 (every rule played once) %.3f MiB, highest after any later "
                    "game %.3f MiB (%+.3f MiB)\n",
                    heapAfterTwenty, heapPeakAfterTwenty, heapPeakAfterTwenty - heapAfterTwenty);
    std::printf("%llu failure%s\n", static_cast<unsigned long long>(failures),
                failures == 1 ? "" : "s");
    return failures == 0 ? 0 : 1;
}
