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
    if (Event->region().subtracted(contentsRect()).isEmpty())
        return;
    // A whole bevel (the window's first frame) is drawn once; the picture is for the strips a
    // moving card repaints again and again.
    if (Event->rect() == rect()) {
        QFrame::paintEvent(Event);
        return;
    }
    TBevelPicture& shared = Shared();
    const qreal ratio = devicePixelRatioF();
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
    p.drawImage(0, 0, shared.Picture);
}
