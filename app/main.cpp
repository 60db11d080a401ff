// The program entry: the application, its title, the one main window and the event loop.

#include "Main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvi"));
    TMainForm mainForm;
    mainForm.show();
    return QApplication::exec();
}
