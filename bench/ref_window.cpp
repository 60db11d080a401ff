// The reference for the whole-process figures: about the least a Qt Widgets program can do to
// show a card table with its texts. One 640 x 480 window with ten 71 x 96 pixmaps, five push
// buttons and four labels in the platform's default font, painted when it starts.

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference"));
    window.setFixedSize(640, 480);
    for (int i = 0; i < 10; ++i) {
        QPixmap card(71, 96);
        card.fill(Qt::white);
        QPainter p(&card);
        p.setPen(Qt::black);
        p.drawRect(0, 0, 70, 95);
        p.fillRect(8, 8, 55, 80, QColor::fromHsv(i * 36, 160, 200));
        p.end();
        auto* label = new QLabel(&window);
        label->setPixmap(card);
        label->setGeometry(20 + (i % 5) * 120, 40 + (i / 5) * 220, 71, 96);
    }
    // The texts any card table shows; their fonts are part of the least such a window costs.
    const char* const buttons[] = {"&Deal", "&Options", "&Scores", "&Help", "&Exit"};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(QObject::tr(buttons[i]), &window);
        button->setGeometry(20 + i * 120, 430, 100, 30);
    }
    const char* const texts[] = {"Score : 0", "25 to go", "25 to go", "Version 1.0"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QObject::tr(texts[i]), &window);
        label->setGeometry(20 + i * 160, 10, 150, 24);
    }
    window.show();
    return QApplication::exec();
}
