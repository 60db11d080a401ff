// The network module's entry point: the program loads the module on first use and asks here
// for its sockets.

#include "NetQtSockets.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT TNetSockets* TolviNetSockets(int InterfaceVersion) {
    if (InterfaceVersion != NetSocketsInterfaceVersion)
        return nullptr;
    return &QtNetSockets();
}
