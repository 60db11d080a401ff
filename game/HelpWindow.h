#pragma once
// The program's own help viewer: the help file is HTML, shown with a contents list.

#include <QString>

class QWidget;

// Opens the help file at its contents; the window stays open beside the game.
void OpenHelp(const QString& FileName, QWidget* Parent);
// The open help window, or null.
QWidget* ShownHelpWindow();
