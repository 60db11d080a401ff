#pragma once
// The program's command line: "Tolvi --deal N" starts and deals number N at once.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct TCommandLine {
    std::optional<uint32_t> Deal;
    QString Error; // not empty: the line could not be read, and why
};

// Arguments as the application has them, the program's name first.
TCommandLine ParseCommandLine(const QStringList& Arguments);
