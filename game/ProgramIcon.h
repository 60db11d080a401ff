#pragma once
// The program's icon, for its windows and the window manager.

#include <QIcon>

// Every size drawn at build time from the program's SVG icon.
QIcon ProgramIcon();
