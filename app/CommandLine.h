#pragma once
// The program's command line: --host [[ADDRESS:]PORT] waits for a friend, --join HOST[:PORT]
// joins one.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct TCommandLine {
    bool Host = false;
    QString HostAddress; // empty: every address of this computer
    uint16_t HostPort = 0;
    std::optional<QString> JoinHost;
    uint16_t JoinPort = 0;
    QString Error; // what was not understood; empty when all was
};

// Arguments after the program's name.
TCommandLine ParseCommandLine(const QStringList& Arguments);
