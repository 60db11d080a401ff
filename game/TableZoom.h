#pragma once
// The table scales with its window: each control keeps its place and size in table units (the
// window description at 100 %) and is shown Zoom times as large. Controls that paint
// themselves paint in table units through ZoomPainter.

#include <QPainter>
#include <QTimer>
#include <QVariant>
#include <QWidget>

// The zoom of the window W is on; 1 until the window is resized.
inline qreal TableZoom(const QWidget* W) {
    const QVariant zoom = W->window()->property("tableZoom");
    return zoom.isValid() ? zoom.toReal() : 1.0;
}

// Scales Painter to the zoom of W's window; returns W's rectangle in table units.
inline QRect ZoomPainter(QPainter& Painter, const QWidget* W) {
    const qreal zoom = TableZoom(W);
    if (zoom == 1)
        return W->rect();
    Painter.scale(zoom, zoom);
    return QRect(0, 0, qRound(W->width() / zoom), qRound(W->height() / zoom));
}

// How long the zoom of W's window must rest before pictures are read from the art for it; 0
// reads them at once.
inline int TableZoomSettleMs(const QWidget* W) {
    return W->window()->property("tableZoomSettleMs").toInt();
}

// Holds back a picture for a new zoom while the window is being resized: reading the art at
// every step cost more than the rest of the step. The old picture, scaled, stands in meanwhile,
// and the owner is painted again once the zoom has rested.
class TZoomSettle {
public:
    explicit TZoomSettle(QWidget& Owner) : FOwner(Owner) {
        FTimer.setSingleShot(true);
        QObject::connect(&FTimer, &QTimer::timeout, &Owner, [this] {
            FRested = true;
            FOwner.update();
        });
    }

    // Asked when the picture is behind the zoom, for the density Wanted: true while the old one
    // should stand in. Only a new zoom starts the wait again, not another paint.
    bool Wait(qreal Wanted) {
        const int settle = TableZoomSettleMs(&FOwner);
        if (settle <= 0)
            return false;
        if (FRested && qFuzzyCompare(Wanted, FWanted)) {
            FRested = false;
            return false;
        }
        if (!qFuzzyCompare(Wanted, FWanted) || !FTimer.isActive()) {
            FWanted = Wanted;
            FRested = false;
            FTimer.start(settle);
        }
        return true;
    }

private:
    QWidget& FOwner;
    QTimer FTimer;
    qreal FWanted = 0;
    bool FRested = false;
};
