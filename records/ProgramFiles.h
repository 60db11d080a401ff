#pragma once
// The program's own files: beside the program in a build tree, or, in an installed copy, in its
// data folder found relative to the program (any installation prefix works).

#include <QString>

// The data folder of an installed copy, for a program in ProgramDir().
QString InstalledDataDir();

// An installed copy keeps its help in the data folder and none beside the program; it never
// writes into its own folder, not even when run by root.
bool InstalledCopy();

// The help file: beside the program, else the installed one; beside the program when neither
// exists, so a message can say where it was looked for.
QString HelpFilePath();
