#pragma once
// The Game menu's head-to-head commands: host a game, join one, leave the match. The program's
// command line starts the same (--host, --join).

#include "NetLink.h"
#include "NetMatch.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

class QAction;
class QMessageBox;
class TMainForm;

class TNetCommands : public QObject {
    Q_OBJECT
public:
    explicit TNetCommands(TMainForm& Form);
    ~TNetCommands() override;

    // Waits for a guest on Port (0: any free one) at Address (empty: every address of this
    // computer); false, after saying why, when the port cannot be listened on or the network
    // module is missing.
    bool Host(const QString& Address, uint16_t Port);
    void Join(const QString& Host, uint16_t Port);
    // Asks for the address, remembered in the settings file, and joins.
    void AskAndJoin();
    void Leave();
    // Leaves, once the player confirmed it when a game is in play.
    void AskAndLeave();

    TNetMatch* Match() const { return FMatch; }
    // The port waited on; 0 when not hosting.
    uint16_t HostPort() const;
    TNetTiming Timing;

protected:
    // The window's close leaves the match first: the friend hears it, and the settings saved
    // are the player's own, not the match's.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void StartMatch(TNetLink* Link, bool Host);
    // The network module's sockets; null, after saying why, when it cannot be loaded.
    TNetSockets* Sockets();
    void StopHosting();
    void UpdateActions();
    QString PlayerName() const;

    TMainForm& FForm;
    QAction* FHostAction = nullptr;
    QAction* FJoinAction = nullptr;
    QAction* FLeaveAction = nullptr;
    QPointer<TNetHost> FHost;
    QPointer<QMessageBox> FWaiting;
    QPointer<TNetMatch> FMatch;
    QString FHostAddress;
    uint16_t FHostPort = DefaultNetPort;
};

// Adds the commands to the form's Game menu; the form owns them.
TNetCommands* AddNetworkCommands(TMainForm& Form);
// The form's commands, once added.
TNetCommands* NetworkCommands(TMainForm& Form);

// The address last joined, an extra key of the settings file's settings section; empty when
// missing.
QString ReadJoinAddress();
void WriteJoinAddress(const QString& Address);
