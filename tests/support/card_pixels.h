#pragma once
// How a card picture looks once drawn: its transparent colour replaced by the background.

#include "kscardimages.h"

#include <QColor>
#include <QImage>

inline QImage ShownPicture(const TKsCardImage& Picture, const QColor& Background, qreal Ratio = 1) {
    QImage shown = Picture.Image(Ratio).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) | 0xFF000000u) == Picture.TransparentColor())
                shown.setPixel(x, y, Background.rgb());
    return shown;
}

// True when the W x H region of Actual at (X, Y) equals the same-size top-left part of Expected.
inline bool RegionEquals(const QImage& Actual, int X, int Y, const QImage& Expected, int W, int H) {
    const QImage a = Actual.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if ((a.pixel(X + x, Y + y) | 0xFF000000u) != (Expected.pixel(x, y) | 0xFF000000u))
                return false;
    return true;
}
