#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <limits>

TCommandLine ParseCommandLine(const QStringList& Arguments) {
    TCommandLine line;
    QCommandLineParser parser;
    const QCommandLineOption deal(
        QStringLiteral("deal"),
        QCoreApplication::translate("CommandLine", "Deal number <n> at once."),
        QStringLiteral("n"));
    parser.addOption(deal);
    if (!parser.parse(Arguments)) {
        line.Error = parser.errorText();
        return line;
    }
    if (parser.isSet(deal)) {
        bool ok = false;
        const qlonglong n = parser.value(deal).toLongLong(&ok);
        if (!ok || n < 0 || n > std::numeric_limits<int32_t>::max())
            line.Error = QCoreApplication::translate("CommandLine", "Not a deal number: %1")
                             .arg(parser.value(deal));
        else
            line.Deal = uint32_t(n);
    }
    return line;
}
