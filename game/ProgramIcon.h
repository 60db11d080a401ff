#pragma once
// The program's icon, for its windows and the window manager.

#include <QIcon>

class QWidget;

// Every size drawn at build time from the program's SVG icon.
QIcon ProgramIcon();

// Makes ProgramIcon the application's icon once Window has drawn its first frame: decoding
// every size before it would hold up the first sight of the table, and the window manager can
// wait for them.
void SetProgramIconOnceShown(QWidget& Window);
