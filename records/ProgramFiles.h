#pragma once
// The program's own files: beside the program in a build tree, or, in an installed copy, in its
// data folder found relative to the program (any installation prefix works).

#include <QString>
#include <optional>

// The directory of the program file, and the per-user configuration directory.
QString ProgramDir();
QString UserConfigDir();

// Replaces both directories for this object's lifetime, so tests never touch the real ones.
class TConfigDirOverride {
public:
    TConfigDirOverride(const QString& ProgramDir, const QString& UserConfigDir);
    ~TConfigDirOverride();
    TConfigDirOverride(const TConfigDirOverride&) = delete;
    TConfigDirOverride& operator=(const TConfigDirOverride&) = delete;

private:
    std::optional<QString> FPreviousProgramDir;
    std::optional<QString> FPreviousUserDir;
};

// The data folder of an installed copy, for a program in ProgramDir().
QString InstalledDataDir();

// An installed copy keeps its help in the data folder and none beside the program; it never
// writes into its own folder, not even when run by root.
bool InstalledCopy();

// The help file: beside the program, else the installed one; beside the program when neither
// exists, so a message can say where it was looked for.
QString HelpFilePath();
