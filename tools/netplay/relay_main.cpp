// tolvi_relay TARGET_PORT DELAY_MS [JITTER_MS]: relays one match from a free port on
// 127.0.0.1 (printed first) to TARGET_PORT on 127.0.0.1, each way after DELAY_MS plus up to
// JITTER_MS either side.

#include "NetRelay.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: tolvi_relay TARGET_PORT DELAY_MS [JITTER_MS]\n");
        return 2;
    }
    TNetRelay relay(uint16_t(args[1].toUInt()), args[2].toInt(),
                    args.size() > 3 ? args[3].toInt() : 0, 1);
    if (!relay.Listen())
        return 1;
    std::printf("%u\n", relay.Port());
    std::fflush(stdout);
    return QCoreApplication::exec();
}
