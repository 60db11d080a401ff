#pragma once
// The table scales with its window: each control keeps its place and size in table units (the
// window description at 100 %) and is shown Zoom times as large. Controls that paint
// themselves paint in table units through ZoomPainter.

#include <QPainter>
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
