// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include "ProgramIcon.h"
#include "TerminateHandler.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    QApplication::setWindowIcon(ProgramIcon());
    TMainForm mainForm;
    TTerminateHandler terminate(mainForm);
    mainForm.show();
    return QApplication::exec();
}
