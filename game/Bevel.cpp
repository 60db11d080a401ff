#include "Bevel.h"

#include <QPaintEvent>
#include <QPainter>

TBevel::TBevel(QWidget* Parent) : QFrame(Parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

void TBevel::paintEvent(QPaintEvent* Event) {
    // Inside the lines there is nothing of its own to draw.
    if (Event->region().subtracted(contentsRect()).isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    if (FPicture.isNull() || FPicture.size() != size() * ratio ||
        FPicture.devicePixelRatio() != ratio) {
        FPicture = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        FPicture.setDevicePixelRatio(ratio);
        FPicture.fill(Qt::transparent);
        QPainter p(&FPicture);
        drawFrame(&p);
    }
    QPainter p(this);
    p.drawImage(0, 0, FPicture);
}

void TBevel::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::PaletteChange || Event->type() == QEvent::StyleChange)
        FPicture = QImage();
    QFrame::changeEvent(Event);
}
