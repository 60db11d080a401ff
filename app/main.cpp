// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include "CommandLine.h"
#include "ConfigFile.h"
#include "FontWarmUp.h"
#include "NetCommands.h"
#include "ProgramIcon.h"
#include "TerminateHandler.h"
#include "Translations.h"
#include "ksabort.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// A window frame's title bar, which the toolkit does not scale.
constexpr int TitleBarAllowance = 40;

// The largest factor up to Wanted at which the window and every dialog fit the screen's free
// area. The screen is only known to a running toolkit, so a short-lived one, unscaled, asks.
double FittingScale(double Wanted, int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    // The probe takes the toolkit's own arguments out of its copy; the real start needs them.
    std::vector<char*> args(argv, argv + argc + 1);
    const QGuiApplication probe(argc, args.data());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Wanted;
    const QSize area = screen->availableGeometry().size();
    return std::max(0.5, std::min({Wanted, area.width() / double(TableFitWidth),
                                   (area.height() - TitleBarAllowance) / double(TableFitHeight)}));
}

// The table size chosen in the options scales the whole window, fonts and dialogs included.
// Qt takes its scale factor only when it starts, so it is read before the application exists;
// a size too large for the screen is reduced to the largest that fits.
int32_t ApplyTableSize(int argc, char** argv) {
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
        qputenv("QT_SCALE_FACTOR", QByteArray::number(FittingScale(size / 100.0, argc, argv)));
    }
    return size;
}

// A match the command line asks for starts once the window shows.
void StartFromCommandLine(TMainForm& Form, const TCommandLine& CommandLine) {
    if (CommandLine.Deal)
        QTimer::singleShot(0, &Form, [&Form, n = *CommandLine.Deal] {
            KsHandleEvent([&Form, n] { Form.DealNumbered(n); });
        });
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
    TFontWarmUp fonts;
    TMainForm::StartupTableSize = ApplyTableSize(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    LoadTranslations(app);
    const TCommandLine line = ParseCommandLine(QApplication::arguments());
    if (!line.Error.isEmpty()) {
        std::fprintf(stderr, "Tolvi: %s\n", qPrintable(line.Error));
        return 2;
    }
    TMainForm mainForm;
    fonts.WaitBeforeFirstPaint(mainForm);
    SetProgramIconOnceShown(mainForm);
    TTerminateHandler terminate(mainForm);
    mainForm.show();
    StartFromCommandLine(mainForm, line);
    return QApplication::exec();
}
