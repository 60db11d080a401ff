// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include "CommandLine.h"
#include "FontWarmUp.h"
#include "NetCommands.h"
#include "ProgramIcon.h"
#include "TerminateHandler.h"
#include "Translations.h"
#include "ksabort.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// A match the command line asks for starts once the window shows.
void StartFromCommandLine(TMainForm& Form, const TCommandLine& CommandLine) {
    if (CommandLine.Deal)
        QTimer::singleShot(0, &Form, [&Form, n = *CommandLine.Deal] {
            KsHandleEvent([&Form, n] { Form.DealNumbered(n); });
        });
    TNetCommands* net = NetworkCommands(Form);
    if (CommandLine.Host)
        net->Host(CommandLine.HostAddress, CommandLine.HostPort);
    else if (CommandLine.JoinHost)
        net->Join(*CommandLine.JoinHost, CommandLine.JoinPort);
}

} // namespace

int main(int argc, char* argv[]) {
    TFontWarmUp fonts;
    QApplication app(argc, argv);
    const TFontWarmUp::TApplicationMade fontList(fonts);
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
