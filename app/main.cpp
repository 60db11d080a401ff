// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include "CommandLine.h"
#include "ConfigFile.h"
#include "NetCommands.h"
#include "ProgramIcon.h"
#include "TerminateHandler.h"
#include "ksdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

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

// A match the command line asks for starts once the window shows.
void StartFromCommandLine(TMainForm& Form, const TCommandLine& CommandLine) {
    if (!CommandLine.Error.isEmpty())
        KsMessageDlg(CommandLine.Error, mtError, {mbOK});
    TNetCommands* net = NetworkCommands(Form);
    if (CommandLine.Host) {
        const QHostAddress address = CommandLine.HostAddress.isEmpty()
                                         ? QHostAddress(QHostAddress::Any)
                                         : QHostAddress(CommandLine.HostAddress);
        net->Host(address, CommandLine.HostPort);
    } else if (CommandLine.JoinHost) {
        net->Join(*CommandLine.JoinHost, CommandLine.JoinPort);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    TMainForm::StartupTableSize = ApplyTableSize();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    QApplication::setWindowIcon(ProgramIcon());
    TMainForm mainForm;
    TTerminateHandler terminate(mainForm);
    mainForm.show();
    const TCommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));
    StartFromCommandLine(mainForm, commandLine);
    return QApplication::exec();
}
