#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvi"));
    // Stand-in until the game's main window exists.
    QLabel window(QStringLiteral("Tolvi"));
    window.setWindowTitle(QStringLiteral("Tolvi"));
    window.setAlignment(Qt::AlignCenter);
    window.setFixedSize(640, 480);
    window.show();
    return QApplication::exec();
}
