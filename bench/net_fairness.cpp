// Fairness of head-to-head play under lag: pairs of equal headless players play matches through
// a delaying relay on the loopback, at a round trip of 0, 50 and 150 ms (with jitter), with the
// host's local lag on and off. For each it reports the host's share of the games won and of
// the contested piles (a pile one side lost because the other's card got there first), the
// largest typical round trip measured, the mean lateness of the busiest loop and the row's wall
// time.
//   net_fairness [--games N] [--pairs P] [--workers W] [--reaction MS] [--spread MS]
//                [--poll MS] [--minutes M] [--rtt MS]
// N games per row (200 unless given), P matches side by side (80), shared out among W worker
// processes (4) that each run their share in an event loop of their own and report their tally;
// reaction 120 +/- 40 ms, players looking at each change and every 50 ms besides. Each row stops
// at its share of what is left of M minutes (14) whatever it reached, so the run stays bounded
// and the slow rows get the time the quick ones left; --rtt runs one round trip's rows only. The
// players mostly wait, so many matches can share a loop; too many, and the loop's own delays become
// most of a 0 ms "round trip", which two real players, each with a loop of their own, never see:
// hence the workers.

#include "HeadlessPlayer.h"
#include "HeadlessTable.h"
#include "MatchMirror.h"
#include "MatchReferee.h"
#include "NetQtSockets.h"
#include "NetRelay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Two headless tables in a match on the game's core: no window anywhere.
struct TPair {
    std::unique_ptr<THeadlessTable> Host;
    std::unique_ptr<THeadlessTable> Guest;
    std::unique_ptr<TNetHost> Listener;
    std::unique_ptr<TMatchReferee> Match; // the host's, once the guest greeted
    std::unique_ptr<TMatchMirror> GuestMatch;
    std::unique_ptr<TNetRelay> Relay;
    std::unique_ptr<THeadlessPlayer> HostPlayer;
    std::unique_ptr<THeadlessPlayer> GuestPlayer;
};

struct TRow {
    int Games = 0, HostWins = 0, HostPiles = 0, GuestPiles = 0, RoundTrip = 0;
    int LateUs = 0; // the loop's mean lateness serving a timer: its share of a "round trip"
};

struct TArgs {
    int Games = 0, Pairs = 0, Workers = 0, Reaction = 0, Spread = 0, Poll = 0;
    qint64 RowBoundMs = 0;
};

int Arg(const QStringList& Args, const char* Name, int Default) {
    const qsizetype i = Args.indexOf(QLatin1String(Name));
    return i >= 0 && i + 1 < Args.size() ? Args[i + 1].toInt() : Default;
}

TRow Run(int RoundTripMs, bool Fair, int Games, int Pairs, int Reaction, int Spread, int PollMs,
         qint64 BoundMs, uint32_t Seed) {
    TNetSockets& sockets = QtNetSockets();
    const TNetTiming timing{200, 5000};
    const auto ended = [](TMatchEnd Why, TNetFault Fault) {
        if (Why != TMatchEnd::Left)
            std::fprintf(stderr, "net_fairness: a match ended (%d, fault %d)\n", int(Why),
                         int(Fault));
    };
    std::vector<TPair> pairs(static_cast<size_t>(Pairs));
    for (size_t i = 0; i < pairs.size(); ++i) {
        TPair& p = pairs[i];
        p.Host = std::make_unique<THeadlessTable>(true, 1, false);
        p.Guest = std::make_unique<THeadlessTable>(false, 1, false);
        p.Host->SetStuckCheckMs(100);
        p.Listener = std::make_unique<TNetHost>(
            sockets, [] { return QStringLiteral("Host"); }, timing);
        p.Listener->Listen(QStringLiteral("127.0.0.1"), 0);
        p.Listener->GuestGreeted = [&p, Fair, ended](std::unique_ptr<TNetLink> Link) {
            p.Match = std::make_unique<TMatchReferee>(*p.Host, Link.release());
            p.Match->SetFixedLagMs(Fair ? std::nullopt : std::optional<int>(0));
            p.Match->Ended = ended;
            p.Host->SetMatch(p.Match.get());
            p.Match->Begin();
        };
        p.Relay = std::make_unique<TNetRelay>(p.Listener->Port(), RoundTripMs / 2, RoundTripMs / 10,
                                              Seed + uint32_t(i));
        p.Relay->Listen();
        p.GuestMatch = std::make_unique<TMatchMirror>(
            *p.Guest, TNetLink::Connect(sockets, QStringLiteral("127.0.0.1"), p.Relay->Port(),
                                        QStringLiteral("Guest"), timing));
        p.GuestMatch->Ended = ended;
        p.Guest->SetMatch(p.GuestMatch.get());
        const auto play = [](THeadlessTable* Table) {
            return [Table](const TPlay& Play) { Table->HumanPlay(Play); };
        };
        p.HostPlayer = std::make_unique<THeadlessPlayer>(
            p.Host->Game(), play(p.Host.get()), Reaction, Spread, Seed * 7919 + uint32_t(2 * i));
        p.GuestPlayer =
            std::make_unique<THeadlessPlayer>(p.Guest->Game(), play(p.Guest.get()), Reaction,
                                              Spread, Seed * 7919 + uint32_t(2 * i + 1));
        p.HostPlayer->SetPollMs(PollMs);
        p.GuestPlayer->SetPollMs(PollMs);
    }
    // The players wait on their timers and the sockets; the tally looks in now and then.
    TRow row;
    QEventLoop loop;
    QTimer tally;
    tally.setInterval(100);
    QObject::connect(&tally, &QTimer::timeout, &loop, [&] {
        const int late = row.LateUs;
        row = {};
        row.LateUs = late;
        for (TPair& p : pairs) {
            if (p.Match)
                row.RoundTrip = std::max(row.RoundTrip, p.Match->Link().TypicalRoundTripMs());
            row.Games += p.HostPlayer->Won + p.HostPlayer->Lost;
            row.HostWins += p.HostPlayer->Won;
            row.HostPiles += p.GuestPlayer->LostPiles;
            row.GuestPiles += p.HostPlayer->LostPiles;
        }
        if (row.Games >= Games)
            loop.quit();
    });
    tally.start();
    // A timer due every 10 ms: how late the loop serves it.
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QElapsedTimer since;
    qint64 lateSum = 0, ticks = 0;
    QObject::connect(&probe, &QTimer::timeout, &loop, [&] {
        lateSum += std::max<qint64>(0, since.nsecsElapsed() / 1000 - 10000);
        since.restart();
        row.LateUs = int(lateSum / ++ticks);
    });
    since.start();
    probe.start();
    QTimer::singleShot(BoundMs, &loop, &QEventLoop::quit);
    loop.exec();
    for (TPair& p : pairs)
        if (p.Match)
            p.Match->Leave();
    return row;
}

// One row's tally from each of Workers copies of this program, each with its share of the games
// and pairs; nullopt, said on stderr, as soon as one dies or reports nothing, or when they
// outlive the row's bound.
std::optional<TRow> RunWorkers(int RoundTripMs, bool Fair, const TArgs& A, uint32_t Seed) {
    QEventLoop loop;
    TRow sum;
    int finished = 0;
    const auto fail = [&](size_t k, const char* Why) {
        std::fprintf(stderr, "net_fairness: worker %zu %s\n", k + 1, Why);
        loop.exit(1);
    };
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int k = 0; k < A.Workers; ++k)
        workers.push_back(std::make_unique<QProcess>());
    for (size_t k = 0; k < workers.size(); ++k) {
        QProcess& w = *workers[k];
        w.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&w, &QProcess::errorOccurred, &loop, [&, k](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                fail(k, "did not start");
        });
        QObject::connect(&w, &QProcess::finished, &loop, [&, k] {
            const QList<QByteArray> words = w.readAllStandardOutput().trimmed().split(' ');
            if (w.exitStatus() != QProcess::NormalExit || w.exitCode() != 0 || words.size() != 7 ||
                words[0] != "tally")
                return fail(k, "died");
            sum.Games += words[1].toInt();
            sum.HostWins += words[2].toInt();
            sum.HostPiles += words[3].toInt();
            sum.GuestPiles += words[4].toInt();
            sum.RoundTrip = std::max(sum.RoundTrip, words[5].toInt());
            sum.LateUs = std::max(sum.LateUs, words[6].toInt());
            if (++finished == A.Workers)
                loop.exit(0);
        });
        const int k1 = int(k);
        const int share = (A.Games + A.Workers - 1 - k1) / A.Workers;
        const int pairs = std::max(1, (A.Pairs + A.Workers - 1 - k1) / A.Workers);
        w.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--worker"), QString::number(RoundTripMs),
                 QString::number(Fair ? 1 : 0), QString::number(Seed * 64 + uint32_t(k)),
                 QStringLiteral("--games"), QString::number(share), QStringLiteral("--pairs"),
                 QString::number(pairs), QStringLiteral("--reaction"), QString::number(A.Reaction),
                 QStringLiteral("--spread"), QString::number(A.Spread), QStringLiteral("--poll"),
                 QString::number(A.Poll), QStringLiteral("--rowms"),
                 QString::number(A.RowBoundMs)});
    }
    // Time to start and to leave the matches, besides the row's own bound.
    QTimer::singleShot(A.RowBoundMs + 60000, &loop, [&] {
        std::fprintf(stderr, "net_fairness: the workers did not finish in time\n");
        loop.exit(1);
    });
    const int result = loop.exec();
    for (auto& w : workers) {
        w->disconnect(&loop);
        if (w->state() != QProcess::NotRunning) {
            w->kill();
            w->waitForFinished(10000);
        }
    }
    if (result != 0)
        return std::nullopt;
    return sum;
}

} // namespace

int main(int argc, char* argv[]) {
    // No window, no display: the matches run on the game's core.
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    TArgs a;
    a.Games = Arg(args, "--games", 200);
    a.Pairs = Arg(args, "--pairs", 80);
    a.Workers = std::max(0, Arg(args, "--workers", 4));
    a.Reaction = Arg(args, "--reaction", 120);
    a.Spread = Arg(args, "--spread", 40);
    a.Poll = Arg(args, "--poll", 50);
    const qint64 budgetMs = qint64(Arg(args, "--minutes", 14)) * 60000;
    a.RowBoundMs = budgetMs / 6;

    // A worker: --worker RTT FAIR SEED, one row's share, its tally on stdout.
    const qsizetype w = args.indexOf(QStringLiteral("--worker"));
    if (w >= 0 && w + 3 < args.size()) {
        const qint64 bound = Arg(args, "--rowms", int(a.RowBoundMs));
        const TRow r = Run(args[w + 1].toInt(), args[w + 2].toInt() != 0, a.Games, a.Pairs,
                           a.Reaction, a.Spread, a.Poll, bound, args[w + 3].toUInt());
        std::printf("tally %d %d %d %d %d %d\n", r.Games, r.HostWins, r.HostPiles, r.GuestPiles,
                    r.RoundTrip, r.LateUs);
        return 0;
    }

    std::printf(
        "round trip  local lag  measured  loop late  games  host wins  host's contested piles   "
        "wall\n");
    uint32_t seed = 1;
    const int only = Arg(args, "--rtt", -1);
    int rowsLeft = only >= 0 ? 2 : 6;
    QElapsedTimer all;
    all.start();
    for (int rtt : {0, 50, 150})
        for (bool fair : {false, true}) {
            if (only >= 0 && rtt != only)
                continue;
            QElapsedTimer wall;
            wall.start();
            a.RowBoundMs = std::max<qint64>(1000, (budgetMs - all.elapsed()) / rowsLeft--);
            std::optional<TRow> row;
            if (a.Workers > 0)
                row = RunWorkers(rtt, fair, a, seed++);
            else
                row = Run(rtt, fair, a.Games, a.Pairs, a.Reaction, a.Spread, a.Poll, a.RowBoundMs,
                          seed++);
            if (!row)
                return 1;
            const TRow& r = *row;
            const int piles = r.HostPiles + r.GuestPiles;
            std::printf("%7d ms  %9s  %5d ms  %6.1f ms  %5d  %7.1f %%  %7.1f %% of %-7d  %4lld s\n",
                        rtt, fair ? "on" : "off", r.RoundTrip, r.LateUs / 1000.0, r.Games,
                        r.Games ? 100.0 * r.HostWins / r.Games : 0.0,
                        piles ? 100.0 * r.HostPiles / piles : 0.0, piles,
                        static_cast<long long>(wall.elapsed() / 1000));
            std::fflush(stdout);
        }
    return 0;
}
