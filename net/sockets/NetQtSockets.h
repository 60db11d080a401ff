#pragma once
// The sockets on Qt Network: what the network module hands out, and what tests and tools link
// directly.

#include "NetSocket.h"

// Lives as long as the program (or the module).
TNetSockets& QtNetSockets();
