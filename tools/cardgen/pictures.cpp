// The table pictures: the ring under each central pile and the wait sign beside it. Unlike the
// cards they carry an alpha channel and smooth edges, as they lie on the table's own colour.
#include "cardset.h"
#include "raster.h"

namespace cardgen {

namespace {

QImage ClearPicture(int Width, int Height) {
    QImage picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
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

} // namespace cardgen
