#pragma once
// The program's command line: --deal N starts and deals number N at once; --host
// [[ADDRESS:]PORT] waits for a friend, --join HOST[:PORT] joins one.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct TCommandLine {
    std::optional<uint32_t> Deal;
    bool Host = false;
    QString HostAddress; // empty: every address of this computer
    uint16_t HostPort = 0;
    std::optional<QString> JoinHost;
    uint16_t JoinPort = 0;
    QString Error; // not empty: the line could not be read, and why
};

// Arguments as the application has them, the program's name first.
TCommandLine ParseCommandLine(const QStringList& Arguments);
