#include "NetCommands.h"

#include "ConfigFile.h"
#include "IniFile.h"
#include "Main.h"
#include "NetAddress.h"
#include "NetMatch.h"
#include "NetSocketsModule.h"
#include "ksabort.h"
#include "ksdialogs.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString JoinAddressKey = QStringLiteral("JoinAddress");

} // namespace

TNetCommands::TNetCommands(TMainForm& Form) : QObject(&Form), FForm(Form) {
    setObjectName(QStringLiteral("NetCommands"));
    QMenu* menu = Form.GameMenu;
    if (!menu->isEmpty())
        menu->addSeparator(); // apart from the deals' commands
    FHostAction = menu->addAction(tr("&Host a game..."));
    FJoinAction = menu->addAction(tr("&Join a game..."));
    FLeaveAction = menu->addAction(tr("&Leave the match"));
    connect(FHostAction, &QAction::triggered, this,
            [this] { KsHandleEvent([this] { Host(FHostAddress, FHostPort); }); });
    connect(FJoinAction, &QAction::triggered, this,
            [this] { KsHandleEvent([this] { AskAndJoin(); }); });
    connect(FLeaveAction, &QAction::triggered, this,
            [this] { KsHandleEvent([this] { AskAndLeave(); }); });
    UpdateActions();
    Form.installEventFilter(this);
}

bool TNetCommands::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == &FForm && Event->type() == QEvent::Close && FMatch)
        FMatch->Leave();
    return QObject::eventFilter(Watched, Event);
}

TNetCommands::~TNetCommands() = default;

QString TNetCommands::PlayerName() const {
    QString name = FForm.Records().Additions.LastName();
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return name;
}

uint16_t TNetCommands::HostPort() const {
    return FHost ? FHost->Port() : 0;
}

TNetSockets* TNetCommands::Sockets() {
    QString why;
    TNetSockets* sockets = NetSockets(&why);
    if (!sockets)
        KsMessageDlg(tr("Tolvi cannot play over the network: its network module could not be "
                        "loaded.\n%1")
                         .arg(why),
                     mtError, {mbOK});
    return sockets;
}

bool TNetCommands::Host(const QString& Address, uint16_t Port) {
    if (FMatch || FHost)
        return false;
    // The menu hosts again where the command line asked.
    FHostAddress = Address;
    FHostPort = Port;
    TNetSockets* sockets = Sockets();
    if (!sockets)
        return false;
    auto* host = new TNetHost(
        *sockets, [this] { return PlayerName(); }, Timing, this);
    QString error;
    if (!host->Listen(Address, Port, &error)) {
        delete host;
        KsMessageDlg(tr("Tolvi could not wait for a friend on port %1:\n%2").arg(Port).arg(error),
                     mtError, {mbOK});
        return false;
    }
    FHost = host;
    // The host listens on through the match, turning every other guest away as busy, and
    // stops when the match is over.
    host->GuestGreeted = [this](std::unique_ptr<TNetLink> Link) {
        StartMatch(Link.release(), true);
        if (FWaiting)
            FWaiting->close();
    };
    // Shown in the waiting box, not in a box of its own: strangers could stack those.
    host->GuestFailed = [this](TNetFault, const TNetLink& Link) {
        if (FWaiting)
            FWaiting->setInformativeText(
                tr("A player whose Tolvi speaks head-to-head version %1 could not join: this "
                   "one speaks version %2. Both players need the same version of Tolvi.")
                    .arg(Link.PeerVersion())
                    .arg(NetProtocolVersion));
    };
    QStringList where;
    const QStringList own = Address.isEmpty() ? sockets->OwnAddresses() : QStringList{Address};
    for (const QString& a : own) // an IPv6 address in brackets, as the guest types it
        where << (a.contains(QLatin1Char(':')) ? QStringLiteral("[%1]:%2")
                                               : QStringLiteral("%1:%2"))
                     .arg(a)
                     .arg(host->Port());
    const QString code = NetMatchCode(own.first(), host->Port());
    // Only an IPv4 address has a code; another is given alone.
    const QString waiting = code.isEmpty()
                                ? tr("Waiting for your friend to join.\n\n"
                                     "In Tolvi they choose Game, Join a game, and type\n%1.\n\n"
                                     "A friend outside your network reaches you only when TCP "
                                     "port %2 is open on your firewall and forwarded by your "
                                     "router.")
                                      .arg(where.join(tr(" or ")))
                                      .arg(host->Port())
                                : tr("Waiting for your friend to join.\n\n"
                                     "In Tolvi they choose Game, Join a game, and type\n%1\n"
                                     "or the code %2.\n\n"
                                     "A friend outside your network reaches you only when TCP "
                                     "port %3 is open on your firewall and forwarded by your "
                                     "router.")
                                      .arg(where.join(tr(" or ")), code)
                                      .arg(host->Port());
    auto* box = new QMessageBox(QMessageBox::Information, tr("Host a game"), waiting,
                                QMessageBox::NoButton, &FForm);
    box->setTextFormat(Qt::PlainText);
    box->addButton(tr("Stop waiting"), QMessageBox::RejectRole);
    box->setModal(false);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this] {
        if (!FMatch)
            StopHosting();
    });
    FWaiting = box;
    box->show();
    UpdateActions();
    return true;
}

void TNetCommands::StopHosting() {
    if (FHost)
        FHost->deleteLater();
    FHost = nullptr;
    if (FWaiting)
        FWaiting->close();
    UpdateActions();
}

void TNetCommands::Join(const QString& Host, uint16_t Port) {
    if (FMatch || FHost)
        return;
    if (TNetSockets* sockets = Sockets())
        StartMatch(TNetLink::Connect(*sockets, Host, Port, PlayerName(), Timing), false);
}

void TNetCommands::AskAndJoin() {
    // Nothing to ask for when there is no network to join over.
    if (!Sockets())
        return;
    bool ok = false;
    const QString text = QInputDialog::getText(
        &FForm, tr("Join a game"), tr("Your friend's address (and port), or the code they see:"),
        QLineEdit::Normal, ReadJoinAddress(), &ok);
    if (!ok)
        return;
    const std::optional<TNetTarget> target = ParseNetTarget(text, DefaultNetPort);
    if (!target) {
        KsMessageDlg(tr("\"%1\" is no address Tolvi can join.").arg(text), mtError, {mbOK});
        return;
    }
    WriteJoinAddress(text.trimmed());
    Join(target->Host, target->Port);
}

void TNetCommands::AskAndLeave() {
    if (FMatch && FMatch->Running() && FForm.GameRunning() &&
        KsMessageDlg(tr("Leave the match? The game in play counts as abandoned."), mtConfirmation,
                     {mbYes, mbNo}) != mbYes)
        return;
    Leave();
}

void TNetCommands::Leave() {
    if (FMatch)
        FMatch->Leave();
    StopHosting();
}

void TNetCommands::StartMatch(TNetLink* Link, bool Host) {
    // One match at a time on this table.
    if (FMatch) {
        Link->Close();
        Link->deleteLater();
        return;
    }
    auto* match =
        new TNetMatch(FForm, Host ? TNetMatch::TRole::Host : TNetMatch::TRole::Guest, Link, this);
    FMatch = match;
    match->Ended = [this, match](const QString& Why) {
        match->deleteLater();
        FMatch = nullptr;
        StopHosting();
        // A question or a confirmation the match asked is no longer the player's to answer.
        KsCloseMessages();
        // Said from the event loop, not from inside the match's handler that ended it: a box
        // open there would keep the match's caller waiting on a match that is gone.
        if (!Why.isEmpty())
            QTimer::singleShot(0, this, [Why] { KsMessageDlg(Why, mtError, {mbOK}); });
    };
    UpdateActions();
}

void TNetCommands::UpdateActions() {
    const bool idle = !FMatch && !FHost;
    FHostAction->setEnabled(idle);
    FJoinAction->setEnabled(idle);
    FLeaveAction->setEnabled(!idle);
}

TNetCommands* AddNetworkCommands(TMainForm& Form) {
    return new TNetCommands(Form);
}

TNetCommands* NetworkCommands(TMainForm& Form) {
    return Form.findChild<TNetCommands*>(QStringLiteral("NetCommands"), Qt::FindDirectChildrenOnly);
}

QString ReadJoinAddress() {
    return TConfigFile().Ini().ReadString(SettingsSection(), JoinAddressKey, {});
}

void WriteJoinAddress(const QString& Address) {
    const TConfigPaths paths = ConfigPaths();
    QDir().mkpath(QFileInfo(paths.WritePath).absolutePath());
    // Under the lock every save takes; a copy that keeps it too long leaves the address
    // unremembered rather than the player waiting.
    QLockFile lock(paths.WritePath + QStringLiteral(".lock"));
    if (TakeConfigLock(lock, paths.WritePath + QStringLiteral(".lock"), 100) != TConfigLock::Taken)
        return;
    TConfigFile file(paths);
    file.Ini().WriteString(SettingsSection(), JoinAddressKey, Address);
    file.UpdateFile();
}
