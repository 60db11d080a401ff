// Writes the card image set: members 1 to 69, each 71 x 96, as <dir>/<member>.png.
// Stand-in pictures that show their member number; the drawn set replaces them.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

// Seven-segment digits, so no installed font is needed.
void DrawDigit(QPainter& p, int Digit, int X, int Y) {
    static const int segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const int w = 10, h = 9;
    const QLine lines[7] = {{X, Y, X + w, Y},
                            {X + w, Y, X + w, Y + h},
                            {X + w, Y + h, X + w, Y + 2 * h},
                            {X, Y + 2 * h, X + w, Y + 2 * h},
                            {X, Y + h, X, Y + 2 * h},
                            {X, Y, X, Y + h},
                            {X, Y + h, X + w, Y + h}};
    for (int s = 0; s < 7; ++s)
        if (segments[Digit] & (1 << s))
            p.drawLine(lines[s]);
}

QImage Placeholder(int Member) {
    QImage image(71, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2));
    DrawDigit(p, Member / 10, 20, 38);
    DrawDigit(p, Member % 10, 40, 38);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: cardgen <output directory>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    for (int member = 1; member <= 69; ++member) {
        if (!Placeholder(member).save(QStringLiteral("%1/%2.png").arg(dir).arg(member))) {
            std::fprintf(stderr, "cardgen: cannot write member %d\n", member);
            return 1;
        }
    }
    return 0;
}
