// Fairness of head-to-head play under lag: pairs of equal headless players play matches through
// a delaying relay on the loopback, at a round trip of 0, 50 and 150 ms (with jitter), with the
// host's local lag on and off. For each it reports the host's share of the games won and of
// the contested piles (a pile one side lost because the other's card got there first), the
// largest typical round trip measured and the row's wall time.
//   net_fairness [--games N] [--pairs P] [--reaction MS] [--spread MS] [--poll MS]
//                [--minutes M] [--rtt MS]
// N games per row (200 unless given), P matches side by side in one event loop (80), reaction
// 120 +/- 40 ms, players looking at each change and every 50 ms besides. Each row stops at its
// share of M minutes (14) whatever it reached, so the run stays bounded; --rtt runs one round
// trip's rows only. The players mostly wait, so many matches share the loop; too many, and the
// loop's own delays become most of a 0 ms "round trip".

#include "ConfigFile.h"
#include "HeadlessPlayer.h"
#include "Main.h"
#include "NetCommands.h"
#include "NetMatch.h"
#include "NetRelay.h"
#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Every question answered with its first button: OK to the deal, yes to another game.
class TAnswerAll final : public TKsDialogs {
public:
    TKsMsgDlgBtn Message(const TKsMessage& Msg) override {
        return Msg.Buttons.empty() ? mbOK : Msg.Buttons.front();
    }
    int Exec(QDialog&) override { return QDialog::Rejected; }
};

struct TPair {
    std::unique_ptr<TMainForm> Host;
    std::unique_ptr<TMainForm> Guest;
    TNetCommands* HostCommands = nullptr;
    QPointer<TNetMatch> Match; // the host's, once set up
    std::unique_ptr<TNetRelay> Relay;
    std::unique_ptr<THeadlessPlayer> HostPlayer;
    std::unique_ptr<THeadlessPlayer> GuestPlayer;
};

struct TRow {
    int Games = 0, HostWins = 0, HostPiles = 0, GuestPiles = 0, RoundTrip = 0;
};

int Arg(const QStringList& Args, const char* Name, int Default) {
    const qsizetype i = Args.indexOf(QLatin1String(Name));
    return i >= 0 && i + 1 < Args.size() ? Args[i + 1].toInt() : Default;
}

TRow Run(int RoundTripMs, bool Fair, int Games, int Pairs, int Reaction, int Spread, int PollMs,
         qint64 BoundMs, uint32_t Seed) {
    std::vector<TPair> pairs(static_cast<size_t>(Pairs));
    for (size_t i = 0; i < pairs.size(); ++i) {
        TPair& p = pairs[i];
        p.Host = std::make_unique<TMainForm>();
        p.Guest = std::make_unique<TMainForm>();
        // Nothing to see: no flights to draw.
        p.Host->SetShowPlays(false);
        p.Guest->SetShowPlays(false);
        TNetCommands* host = NetworkCommands(*p.Host);
        p.HostCommands = host;
        host->Timing = {200, 5000};
        NetworkCommands(*p.Guest)->Timing = host->Timing;
        host->Host(QHostAddress(QHostAddress::LocalHost), 0);
        p.Relay = std::make_unique<TNetRelay>(host->HostPort(), RoundTripMs / 2, RoundTripMs / 10,
                                              Seed + uint32_t(i));
        p.Relay->Listen();
        NetworkCommands(*p.Guest)->Join(QStringLiteral("127.0.0.1"), p.Relay->Port());
        p.HostPlayer = std::make_unique<THeadlessPlayer>(*p.Host, Reaction, Spread,
                                                         Seed * 7919 + uint32_t(2 * i));
        p.GuestPlayer = std::make_unique<THeadlessPlayer>(*p.Guest, Reaction, Spread,
                                                          Seed * 7919 + uint32_t(2 * i + 1));
        p.HostPlayer->SetPollMs(PollMs);
        p.GuestPlayer->SetPollMs(PollMs);
    }
    // The players wait on their timers and the sockets; the tally looks in now and then.
    TRow row;
    QEventLoop loop;
    QTimer tally;
    tally.setInterval(100);
    QObject::connect(&tally, &QTimer::timeout, &loop, [&] {
        row = {};
        for (TPair& p : pairs) {
            TNetMatch* m = p.HostCommands->Match();
            if (m && m != p.Match) {
                p.Match = m;
                m->SetFixedLagMs(Fair ? std::nullopt : std::optional<int>(0));
                m->SetStuckCheckMs(100);
            }
            if (m)
                row.RoundTrip = std::max(row.RoundTrip, m->Link().TypicalRoundTripMs());
            row.Games += p.HostPlayer->Won + p.HostPlayer->Lost;
            row.HostWins += p.HostPlayer->Won;
            row.HostPiles += p.GuestPlayer->LostPiles;
            row.GuestPiles += p.HostPlayer->LostPiles;
        }
        if (row.Games >= Games)
            loop.quit();
    });
    tally.start();
    QTimer::singleShot(BoundMs, &loop, &QEventLoop::quit);
    loop.exec();
    for (TPair& p : pairs)
        p.HostCommands->Leave();
    return row;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int games = Arg(args, "--games", 200);
    const int pairs = Arg(args, "--pairs", 80);
    const int reaction = Arg(args, "--reaction", 120);
    const int spread = Arg(args, "--spread", 40);
    const int poll = Arg(args, "--poll", 50);
    const qint64 rowBound = qint64(Arg(args, "--minutes", 14)) * 60000 / 6;
    QTemporaryDir dir;
    const TConfigDirOverride dirs(dir.path(), dir.path());
    TAnswerAll answers;
    const TKsDialogsOverride quiet(answers);

    std::printf(
        "round trip  local lag  measured  games  host wins  host's contested piles   wall\n");
    uint32_t seed = 1;
    const int only = Arg(args, "--rtt", -1);
    for (int rtt : {0, 50, 150})
        for (bool fair : {false, true}) {
            if (only >= 0 && rtt != only)
                continue;
            QElapsedTimer wall;
            wall.start();
            const TRow r = Run(rtt, fair, games, pairs, reaction, spread, poll, rowBound, seed++);
            const int piles = r.HostPiles + r.GuestPiles;
            std::printf("%7d ms  %9s  %5d ms  %5d  %7.1f %%  %7.1f %% of %-7d  %4lld s\n", rtt,
                        fair ? "on" : "off", r.RoundTrip, r.Games,
                        r.Games ? 100.0 * r.HostWins / r.Games : 0.0,
                        piles ? 100.0 * r.HostPiles / piles : 0.0, piles,
                        static_cast<long long>(wall.elapsed() / 1000));
            std::fflush(stdout);
        }
    return 0;
}
