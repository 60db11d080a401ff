// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include "CommandLine.h"
#include "ConfigFile.h"
#include "ProgramIcon.h"
#include "TerminateHandler.h"
#include "ksabort.h"
#include "Translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace {

// The table size chosen in the options scales the whole window, fonts and dialogs included.
// Qt takes its scale factor only when it starts, so it is read before the application exists.
int32_t ApplyTableSize() {
    QCoreApplication::setApplicationName(QStringLiteral("Tolvi"));
    // Without an application object the program's folder comes from the running executable.
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (exe.isEmpty())
        return 0;
    const TConfigDirOverride dirs(QFileInfo(exe).absolutePath(), UserConfigDir());
    const int32_t size = ReadTableSize();
    if (size != 0) {
        // The chosen size replaces the screen's own scaling rather than adding to it.
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(size / 100.0));
    }
    return size;
}

} // namespace

int main(int argc, char* argv[]) {
    TMainForm::StartupTableSize = ApplyTableSize();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    LoadTranslations(app);
    const TCommandLine line = ParseCommandLine(QApplication::arguments());
    if (!line.Error.isEmpty()) {
        std::fprintf(stderr, "Tolvi: %s\n", qPrintable(line.Error));
        return 2;
    }
    TMainForm mainForm;
    SetProgramIconOnceShown(mainForm);
    TTerminateHandler terminate(mainForm);
    mainForm.show();
    if (line.Deal)
        QTimer::singleShot(0, &mainForm, [&mainForm, n = *line.Deal] {
            KsHandleEvent([&mainForm, n] { mainForm.DealNumbered(n); });
        });
    return QApplication::exec();
}
