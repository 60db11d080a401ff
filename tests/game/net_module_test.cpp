// Without the network module the game goes on: hosting and joining say why they cannot, and
// the menu stays as it was. The other tests here play over the sockets linked in; net_tests and
// the head-to-head script load the module itself.

#include "NetAddress.h"
#include "NetCommands.h"
#include "NetQtSockets.h"
#include "NetSocketsModule.h"
#include "game_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace {

const bool LinkedSockets = (SetNetSockets(&QtNetSockets()), true);

class NetModule : public GameTest {
protected:
    void TearDown() override {
        SetNetSockets(&QtNetSockets());
        SetNetModuleFolders({});
        GameTest::TearDown();
    }
};

// Listens on any address without opening a port: a host on an address that has no code.
class TPretendListener : public TNetListener {
public:
    bool Listen(const QString&, uint16_t, QString*) override { return true; }
    uint16_t Port() const override { return 4711; }
};

class TPretendSockets : public TNetSockets {
public:
    std::unique_ptr<TNetConnection> Connect(const QString&, uint16_t) override { return nullptr; }
    std::unique_ptr<TNetListener> Listener() override {
        return std::make_unique<TPretendListener>();
    }
    QStringList OwnAddresses() const override { return {}; }
};

} // namespace

TEST_F(NetModule, TheWaitingBoxGivesACodeOnlyForAnAddressThatHasOne) {
    TNetCommands* commands = NetworkCommands(*form);
    ASSERT_NE(commands, nullptr);
    const auto waiting = [&] {
        const QList<QMessageBox*> boxes = form->findChildren<QMessageBox*>();
        return boxes.isEmpty() ? QString() : boxes.last()->text();
    };
    ASSERT_TRUE(commands->Host(QStringLiteral("127.0.0.1"), 0));
    const QString v4 = waiting();
    EXPECT_TRUE(
        v4.contains(QStringLiteral("127.0.0.1:%1\nor the code %2.")
                        .arg(commands->HostPort())
                        .arg(NetMatchCode(QStringLiteral("127.0.0.1"), commands->HostPort()))))
        << v4.toStdString();
    commands->Leave();

    TPretendSockets pretend;
    SetNetSockets(&pretend);
    ASSERT_TRUE(commands->Host(QStringLiteral("::1"), 0));
    const QString v6 = waiting();
    EXPECT_TRUE(v6.contains(QLatin1String("type\n[::1]:4711.\n"))) << v6.toStdString();
    EXPECT_FALSE(v6.contains(QLatin1String("code"))) << v6.toStdString();
    commands->Leave();
}

TEST_F(NetModule, MissingHostAndJoinSayWhyAndTheMenuStays) {
    ASSERT_TRUE(LinkedSockets);
    QTemporaryDir empty;
    SetNetSockets(nullptr);
    SetNetModuleFolders({empty.path()});
    TNetCommands* commands = NetworkCommands(*form);
    ASSERT_NE(commands, nullptr);

    EXPECT_FALSE(commands->Host(QStringLiteral("127.0.0.1"), 0));
    commands->Join(QStringLiteral("127.0.0.1"), 1);
    commands->AskAndJoin(); // says so before asking for an address
    ASSERT_EQ(dialogs.Shown.size(), 3u);
    for (const TKsMessage& m : dialogs.Shown) {
        EXPECT_EQ(m.Type, mtError);
        EXPECT_TRUE(m.Text.contains(QLatin1String("network module could not be loaded")) &&
                    m.Text.contains(empty.path()))
            << m.Text.toStdString();
    }
    EXPECT_EQ(commands->Match(), nullptr);
    EXPECT_EQ(commands->HostPort(), 0);
    for (const QAction* a : form->GameMenu->actions()) {
        if (a->text() == QLatin1String("&Host a game...") ||
            a->text() == QLatin1String("&Join a game...")) {
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        }
    }

    // Once it is back, hosting works.
    SetNetSockets(&QtNetSockets());
    EXPECT_TRUE(commands->Host(QStringLiteral("127.0.0.1"), 0));
    EXPECT_NE(commands->HostPort(), 0);
    commands->Leave();
}
