#include "Bevel.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace {

// The table's bevels are all alike: one picture serves every bevel of its size, density,
// palette and style.
struct TBevelPicture {
    QSize Size;
    qreal Ratio = 0;
    qint64 Palette = 0;
    const QStyle* Style = nullptr;
    QImage Picture;
};

TBevelPicture& Shared() {
    static TBevelPicture picture;
    return picture;
}

} // namespace

TBevel::TBevel(QWidget* Parent) : QFrame(Parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

void TBevel::paintEvent(QPaintEvent* Event) {
    // Inside the lines there is nothing of its own to draw.
    const QRegion lines = Event->region().subtracted(contentsRect());
    if (lines.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    // A whole bevel at 100 % (the window's first frame) costs the style little, less than the
    // picture and its painter's memory; larger, the style draws its lines scaled, at several
    // times the cost, and the ten bevels are copied.
    if (Event->rect() == rect() && ratio <= 1) {
        QFrame::paintEvent(Event);
        return;
    }
    TBevelPicture& shared = Shared();
    if (shared.Picture.isNull() || shared.Size != size() || shared.Ratio != ratio ||
        shared.Palette != palette().cacheKey() || shared.Style != style()) {
        shared = {size(), ratio, palette().cacheKey(), style(),
                  QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied)};
        shared.Picture.setDevicePixelRatio(ratio);
        shared.Picture.fill(Qt::transparent);
        QPainter p(&shared.Picture);
        drawFrame(&p);
    }
    QPainter p(this);
    // The lines only: the clear inside would cost a blend of every pixel for nothing. Each
    // strip is copied by itself, device pixel for device pixel: handed the whole picture, the
    // painter splits a large box's blend across threads before the clip leaves a few lines,
    // and a flight's every frame waited for them.
    p.setClipRegion(lines);
    const QRect picture = shared.Picture.rect();
    for (const QRect& strip : lines) {
        const QRect device = QRectF(QPointF(strip.topLeft()) * ratio, QSizeF(strip.size()) * ratio)
                                 .toAlignedRect()
                                 .intersected(picture);
        if (!device.isEmpty())
            p.drawImage(QRectF(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio),
                        shared.Picture, device);
    }
}
