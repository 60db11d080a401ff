#include "FeltBadge.h"

#include "TableZoom.h"

#include <QPainter>

TFeltBadge::TFeltBadge(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TFeltBadge::SetText(const QString& Value) {
    if (Value == FText)
        return;
    FText = Value;
    update();
}

void TFeltBadge::SetCaption(const QString& Value) {
    if (Value == FCaption)
        return;
    FCaption = Value;
    update();
}

void TFeltBadge::SetTextSize(int Value) {
    FTextSize = Value;
    update();
}

void TFeltBadge::PaintGround(QPainter& P, const QRect& Area) {
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(QColor(0, 60, 25), 1));
    P.setBrush(QColor(0, 90, 40));
    P.drawRoundedRect(QRectF(Area).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
}

void TFeltBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = ZoomPainter(p, this);
    PaintGround(p, area);
    p.setPen(Cream());
    QFont big = font();
    big.setPixelSize(FTextSize);
    big.setBold(true);
    p.setFont(big);
    if (FCaption.isEmpty()) {
        p.drawText(area, Qt::AlignCenter, FText);
        return;
    }
    const int captionHeight = 12;
    p.drawText(area.adjusted(0, 1, 0, -captionHeight), Qt::AlignCenter, FText);
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(CaptionColor());
    p.drawText(QRect(0, area.height() - captionHeight - 2, area.width(), captionHeight),
               Qt::AlignCenter, FCaption);
}
