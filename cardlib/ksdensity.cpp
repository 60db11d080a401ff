#include "ksdensity.h"

#include "ksartset.h"
#include "kspicture.h"

#include <QtMath>

QImage KsReduceKeyed(const QImage& Picture, QSize Size, QRgb Key) {
    QImage masked = Picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] | 0xFF000000u) == (Key | 0xFF000000u))
                line[x] = 0;
    }
    const QImage reduced = masked.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                               .scaled(Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_ARGB32);
    QImage out(Size, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(reduced.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb c = in[x] | 0xFF000000u;
            // A blend that happens to hit the key would read as background.
            if (c == (Key | 0xFF000000u))
                c ^= 0x00000001u;
            line[x] = qAlpha(in[x]) < 128 ? (Key | 0xFF000000u) : c;
        }
    }
    return out;
}

int KsDevicePixels(int Layout, qreal Ratio) {
    return qRound(Layout * Ratio);
}

QRect KsDeviceRect(const QRect& Layout, qreal Ratio) {
    const int left = KsDevicePixels(Layout.left(), Ratio);
    const int top = KsDevicePixels(Layout.top(), Ratio);
    return {left, top, KsDevicePixels(Layout.left() + Layout.width(), Ratio) - left,
            KsDevicePixels(Layout.top() + Layout.height(), Ratio) - top};
}

QImage KsDensityPicture(const QString& Name, qreal Ratio) {
    const int scale = KsArtScaleFor(Ratio);
    QImage picture = KsReadPicture(KsPictureResource(Name, scale));
    if (picture.isNull())
        return picture;
    if (!qFuzzyCompare(Ratio, qreal(scale))) {
        const QSize size(qRound(picture.width() * Ratio / scale),
                         qRound(picture.height() * Ratio / scale));
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture.setDevicePixelRatio(Ratio);
    return picture;
}
