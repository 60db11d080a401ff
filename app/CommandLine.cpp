#include "CommandLine.h"

#include "NetAddress.h"
#include "NetMessage.h"

#include <QCoreApplication>
#include <limits>

TCommandLine ParseCommandLine(const QStringList& Arguments) {
    TCommandLine c;
    const auto error = [&c](const QString& Text) {
        if (c.Error.isEmpty())
            c.Error = Text;
    };
    for (qsizetype i = 1; i < Arguments.size(); ++i) {
        const QString& a = Arguments[i];
        const bool hasValue = i + 1 < Arguments.size() && !Arguments[i + 1].startsWith(u'-');
        if (a == QLatin1String("--deal") || a.startsWith(QLatin1String("--deal="))) {
            const QString v = a.size() > 6 ? a.mid(7) : hasValue ? Arguments[++i] : QString();
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            if (!ok || n < 0 || n > std::numeric_limits<int32_t>::max())
                error(QCoreApplication::translate("CommandLine", "Not a deal number: %1").arg(v));
            else
                c.Deal = uint32_t(n);
        } else if (a == QLatin1String("--host")) {
            c.Host = true;
            c.HostPort = DefaultNetPort;
            if (!hasValue)
                continue;
            const QString v = Arguments[++i];
            bool ok = false;
            const uint port = v.toUInt(&ok);
            if (ok && port <= 65535) {
                c.HostPort = uint16_t(port);
            } else if (const auto t = ParseNetTarget(v, DefaultNetPort)) {
                c.HostAddress = t->Host;
                c.HostPort = t->Port;
            } else {
                error(QCoreApplication::translate("CommandLine", "--host takes a port: %1").arg(v));
            }
        } else if (a == QLatin1String("--join")) {
            const auto t = hasValue ? ParseNetTarget(Arguments[++i], DefaultNetPort) : std::nullopt;
            if (!t) {
                error(QCoreApplication::translate("CommandLine", "--join takes HOST[:PORT]"));
                continue;
            }
            c.JoinHost = t->Host;
            c.JoinPort = t->Port;
        } else if (a.startsWith(QLatin1String("--"))) {
            error(QCoreApplication::translate("CommandLine", "Unknown option: %1").arg(a));
        }
    }
    if (c.Host && c.JoinHost)
        error(QCoreApplication::translate("CommandLine", "--host and --join do not go together"));
    return c;
}
