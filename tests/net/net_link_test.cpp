// The connection on the loopback: a greeting both ways, and each way a link ends; the network
// module as the program finds it. Short heartbeat and silence limits keep the tests quick;
// every wait is bounded far beyond them.

#include "NetLink.h"
#include "NetQtSockets.h"
#include "NetSocketsModule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr TNetTiming Quick{50, 400, 400};

// Runs the event loop until Done or a bound no slow machine reaches.
bool RunUntil(const std::function<bool()>& Done) {
    QElapsedTimer t;
    t.start();
    while (!Done() && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

// A host's link and a guest's, recording how each ended.
struct TPair {
    TNetHost Host;
    std::unique_ptr<TNetLink> HostSide;
    std::unique_ptr<TNetLink> GuestSide;
    std::optional<TNetFault> HostFault;
    std::optional<TNetFault> GuestFault;

    explicit TPair(TNetSockets& Sockets = QtNetSockets(), TNetTiming Timing = Quick)
        : Host(
              Sockets, [] { return QStringLiteral("Host"); }, Timing) {
        EXPECT_TRUE(Host.Listen(QStringLiteral("127.0.0.1"), 0));
        Host.GuestGreeted = [this](std::unique_ptr<TNetLink> Link) {
            HostSide = std::move(Link);
            HostSide->Failed = [this](TNetFault f) { HostFault = f; };
        };
        GuestSide.reset(TNetLink::Connect(Sockets, QStringLiteral("127.0.0.1"), Host.Port(),
                                          QStringLiteral("Guest"), Timing));
        GuestSide->Failed = [this](TNetFault f) { GuestFault = f; };
    }
    bool Greeted() const { return HostSide && HostSide->Greeted() && GuestSide->Greeted(); }
};

} // namespace

TEST(NetLink, GreetsMeasuresAndCarriesMessages) {
    TPair pair;
    ASSERT_TRUE(RunUntil([&] { return pair.Greeted(); }));
    EXPECT_EQ(pair.HostSide->PeerName(), QStringLiteral("Guest"));
    EXPECT_EQ(pair.GuestSide->PeerName(), QStringLiteral("Host"));

    std::vector<TNetMessage> heard;
    pair.HostSide->Received = [&](const TNetMessage& m) { heard.push_back(m); };
    TNetMessage play;
    play.Kind = TNetKind::Play;
    play.Slot = 2;
    pair.GuestSide->Send(play);
    // Heartbeats go on underneath without reaching the game.
    ASSERT_TRUE(RunUntil([&] { return !heard.empty(); }));
    EXPECT_EQ(heard.front(), play);
    // The heartbeat's answers measure the round trip, on the loopback too.
    EXPECT_TRUE(RunUntil([&] { return pair.GuestSide->RoundTripMs() > 0; }));
    EXPECT_TRUE(RunUntil([&] { return pair.HostSide->RoundTripMs() > 0; }));
    EXPECT_EQ(heard.size(), 1u);

    // A goodbye ends the other side as closed; the side that said it reports nothing.
    pair.GuestSide->Close();
    ASSERT_TRUE(RunUntil([&] { return pair.HostFault.has_value(); }));
    EXPECT_EQ(*pair.HostFault, TNetFault::Closed);
    EXPECT_FALSE(pair.GuestFault);
}

TEST(NetLink, EachWayALinkEnds) {
    {
        SCOPED_TRACE("the peer vanishes without a goodbye");
        TPair pair;
        ASSERT_TRUE(RunUntil([&] { return pair.Greeted(); }));
        pair.GuestSide.reset();
        ASSERT_TRUE(RunUntil([&] { return pair.HostFault.has_value(); }));
        EXPECT_EQ(*pair.HostFault, TNetFault::Closed);
    }
    {
        SCOPED_TRACE("nobody listens");
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress(QHostAddress::LocalHost), 0));
        const uint16_t port = probe.serverPort();
        probe.close();
        std::optional<TNetFault> fault;
        std::unique_ptr<TNetLink> link(
            TNetLink::Connect(QtNetSockets(), QStringLiteral("127.0.0.1"), port, {}, Quick));
        link->Failed = [&](TNetFault f) { fault = f; };
        ASSERT_TRUE(RunUntil([&] { return fault.has_value(); }));
        EXPECT_EQ(*fault, TNetFault::Unreachable);
    }
    // Raw peers: one that never speaks, one that speaks garbage, one of another version.
    const auto rawPeer = [](const QByteArray& Says) {
        QTcpServer server;
        EXPECT_TRUE(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
        std::optional<TNetFault> fault;
        QByteArray heard;
        std::unique_ptr<TNetLink> link(TNetLink::Connect(
            QtNetSockets(), QStringLiteral("127.0.0.1"), server.serverPort(), {}, Quick));
        link->Failed = [&](TNetFault f) { fault = f; };
        EXPECT_TRUE(RunUntil([&] { return server.hasPendingConnections(); }));
        std::unique_ptr<QTcpSocket> raw(server.nextPendingConnection());
        raw->write(Says);
        RunUntil([&] {
            heard += raw->readAll();
            return fault.has_value();
        });
        heard += raw->readAll();
        // The link greeted first, whatever came back.
        TNetDecoder decoder;
        decoder.Feed(heard);
        const auto first = decoder.Next();
        EXPECT_TRUE(first && first->Kind == TNetKind::Hello);
        return fault;
    };
    EXPECT_EQ(rawPeer({}), TNetFault::Silent);
    EXPECT_EQ(rawPeer(QByteArray("SSH-2.0-OpenSSH_9.2\r\n")), TNetFault::Garbage);
    TNetMessage ready;
    ready.Kind = TNetKind::Ready;
    EXPECT_EQ(rawPeer(EncodeNetMessage(ready)), TNetFault::Garbage); // no greeting first
    TNetMessage future;
    future.Kind = TNetKind::Hello;
    future.Version = NetProtocolVersion + 1;
    EXPECT_EQ(rawPeer(EncodeNetMessage(future)), TNetFault::Version);
}

TEST(NetModule, LoadsTheBuiltModuleOrSaysWhyNot) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = QStringLiteral(TOLVI_NET_MODULE_FILE);
    QString why;
    SetNetModuleFolders({folder.path()});
    EXPECT_EQ(NetSockets(&why), nullptr);
    EXPECT_TRUE(why.contains(file) && why.contains(folder.path())) << why.toStdString();

    // A copy that is no library is a failure with the loader's reason, not a crash.
    QFile broken(folder.filePath(file));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a library\n");
    broken.close();
    EXPECT_EQ(NetSockets(&why), nullptr);
    EXPECT_TRUE(why.contains(folder.filePath(file))) << why.toStdString();

    // The built module, after the broken copy, loads; a match's greeting goes both ways on it.
    SetNetModuleFolders({folder.path(), QStringLiteral(TOLVI_NET_MODULE_DIR)});
    TNetSockets* loaded = NetSockets(&why);
    ASSERT_NE(loaded, nullptr) << why.toStdString();
    EXPECT_NE(loaded, &QtNetSockets()) << "the module's own sockets, not the ones linked here";
    EXPECT_EQ(NetSockets(), loaded);
    EXPECT_FALSE(loaded->OwnAddresses().isEmpty());
    TPair pair(*loaded);
    ASSERT_TRUE(RunUntil([&] { return pair.Greeted(); }));
    pair.GuestSide->Close();
    ASSERT_TRUE(RunUntil([&] { return pair.HostFault.has_value(); }));
    EXPECT_EQ(*pair.HostFault, TNetFault::Closed);
    SetNetModuleFolders({});
}
