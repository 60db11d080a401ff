#pragma once
// Finds the network module on first use: beside the program, then in the installed library
// folder. Until the player hosts or joins nothing of the network library is loaded.

#include "NetSocket.h"

#include <QString>
#include <QStringList>

// The module's sockets, loaded the first time; null, with the reason in Error, when the module
// is missing or broken (it is looked for again next time). A loaded module stays loaded.
TNetSockets* NetSockets(QString* Error = nullptr);

// Sockets to use instead of the module's (tests and tools that link them); null to load the
// module again. Not owned.
void SetNetSockets(TNetSockets* Sockets);
// The folders looked in, in order; tests point them elsewhere (none: the usual ones again).
QStringList NetModuleFolders();
void SetNetModuleFolders(const QStringList& Folders);
