#pragma once

#include <QString>

// The program's version, from the build's project version.
QString TolviVersion();
