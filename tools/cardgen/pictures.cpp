// The table pictures: the ring under each central pile and the wait sign beside it. Unlike the
// cards they carry an alpha channel and smooth edges, as they lie on the table's own colour.
// Also the title panel, drawn here so the program sets no large type while it starts.
#include "cardset.h"
#include "raster.h"

#include <QLinearGradient>

namespace cardgen {

namespace {

// Width x Height card pixels at the output scale.
QImage ClearPicture(int Width, int Height) {
    QImage picture(Width * OutputScale(), Height * OutputScale(),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

QPainterPath Disc(QPointF Centre, qreal Radius) {
    QPainterPath path;
    path.addEllipse(Centre, Radius, Radius);
    return path;
}

} // namespace

QImage DrawRing() {
    QImage picture = ClearPicture(80, 80);
    QPainter p(&picture);
    p.scale(OutputScale(), OutputScale());
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(40, 40);
    p.fillPath(Disc(c, 39.5), QColor(0x90, 0x90, 0x90));
    p.fillPath(Disc(c, 38.5), QColor(0xD4, 0xD4, 0xD4));
    p.fillPath(Disc(c, 34.5).subtracted(Disc(c, 25.5)), QColor(0x80, 0x00, 0x00));
    p.fillPath(Disc(c, 33.5).subtracted(Disc(c, 26.5)), QColor(0xD8, 0x10, 0x10));
    return picture.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawWaitSign() {
    QImage picture = ClearPicture(32, 32);
    QPainter p(&picture);
    p.scale(OutputScale(), OutputScale());
    p.setRenderHint(QPainter::Antialiasing);
    // Housing with three lamps; only the top one, red, is lit.
    QPainterPath housing;
    housing.addRoundedRect(QRectF(9.5, 0.5, 13, 31), 4, 4);
    p.fillPath(housing, QColor(0x20, 0x20, 0x20));
    QPainterPath face;
    face.addRoundedRect(QRectF(10.5, 1.5, 11, 29), 3, 3);
    p.fillPath(face, QColor(0x40, 0x40, 0x40));
    p.fillPath(Disc({16, 6.5}, 6), QColor(0xFF, 0x30, 0x30, 0x60));
    p.fillPath(Disc({16, 6.5}, 4), QColor(0xF0, 0x00, 0x00));
    p.fillPath(Disc({15, 5.5}, 1.5), QColor(0xFF, 0xA0, 0xA0));
    p.fillPath(Disc({16, 16}, 4), QColor(0x60, 0x50, 0x00));
    p.fillPath(Disc({16, 25.5}, 4), QColor(0x00, 0x48, 0x10));
    return picture.convertToFormat(QImage::Format_ARGB32);
}

QImage DrawTitle() {
    constexpr int width = 90, height = 453;
    QImage picture(width * OutputScale(), height * OutputScale(), QImage::Format_RGB32);
    QPainter p(&picture);
    p.scale(OutputScale(), OutputScale());
    p.setRenderHint(QPainter::Antialiasing);

    // A strip of card-table felt with a gilt edge.
    QLinearGradient felt(0, 0, width, 0);
    felt.setColorAt(0.0, QColor(0, 70, 32));
    felt.setColorAt(0.5, QColor(0, 104, 48));
    felt.setColorAt(1.0, QColor(0, 70, 32));
    p.fillRect(QRect(0, 0, width, height), felt);
    p.fillRect(QRect(width - 3, 0, 3, height), QColor(196, 160, 64));
    p.fillRect(QRect(width - 4, 0, 1, height), QColor(120, 90, 30));

    // The title, set vertically so it reads from the bottom up like a book's spine.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    title.setPixelSize(46);
    p.save();
    p.translate(width / 2.0 + 16, 300);
    p.rotate(-90);
    QPainterPath text;
    text.addText(0, 0, title, QStringLiteral("Tolvi"));
    p.setPen(QPen(QColor(60, 40, 0), 2));
    p.setBrush(QColor(240, 208, 96));
    p.drawPath(text);
    p.restore();

    // Four suit marks under the title.
    QFont suits(QStringLiteral("DejaVu Sans"));
    suits.setPixelSize(16);
    p.setFont(suits);
    const QString marks[4] = {QStringLiteral("\u2660"), QStringLiteral("\u2665"),
                              QStringLiteral("\u2663"), QStringLiteral("\u2666")};
    for (int i = 0; i < 4; ++i) {
        p.setPen(i % 2 ? QColor(220, 40, 40) : QColor(235, 235, 235));
        p.drawText(QRect(8 + 18 * i, 300, 18, 20), Qt::AlignCenter, marks[i]);
    }
    return picture;
}

} // namespace cardgen
