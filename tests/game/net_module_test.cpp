// Without the network module the game goes on: hosting and joining say why they cannot, and
// the menu stays as it was. The other tests here play over the sockets linked in; net_tests and
// the head-to-head script load the module itself.

#include "NetCommands.h"
#include "NetQtSockets.h"
#include "NetSocketsModule.h"
#include "game_fixture.h"

#include <QAction>
#include <QMenu>

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

} // namespace

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
