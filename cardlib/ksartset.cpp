#include "ksartset.h"

#include <QtMath>
#include <algorithm>

namespace {

QString ScaleSuffix(int Scale) {
    return Scale > 1 ? QStringLiteral("-%1x").arg(Scale) : QString();
}

} // namespace

QString KsArtSetName(int Scale, int FaceStyle) {
    QString name = QStringLiteral("cards");
    if (FaceStyle & fsLargeIndices)
        name += QStringLiteral("-large");
    if (FaceStyle & fsFourColours)
        name += QStringLiteral("-four");
    return name + ScaleSuffix(Scale);
}

QString KsArtResource(int Member, int Scale, int FaceStyle) {
    const int style = Member >= 1 && Member <= KsFaceMembers ? FaceStyle : fsPlain;
    return QStringLiteral(":/%1/%2.kspc").arg(KsArtSetName(Scale, style)).arg(Member);
}

QString KsPictureName(const QString& Name, int Scale) {
    return Name + ScaleSuffix(Scale);
}

QString KsPictureResource(const QString& Name, int Scale) {
    return QStringLiteral(":/pictures/%1.kspc").arg(KsPictureName(Name, Scale));
}

int KsArtScaleFor(qreal DevicePixelRatio) {
    return std::clamp(qCeil(DevicePixelRatio - 0.01), 1, KsArtMaxScale);
}

void KsDrawCardOutline(QImage& Picture, QRgb Transparent, int Scale) {
    const int s = std::max(Scale, 1);
    const int w = Picture.width();
    const int h = Picture.height();
    for (int y = 0; y < h; ++y) {
        const int fromTop = std::min(y, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const int fromSide = std::min(x, w - 1 - x);
            // Distance into the card along the corner's diagonal, in picture pixels.
            const int diagonal = fromTop + fromSide;
            if (diagonal < 2 * s)
                Picture.setPixel(x, y, Transparent);
            else if (diagonal < 3 * s || fromTop < s || fromSide < s)
                Picture.setPixel(x, y, 0xFF000000u);
            else if (x < w - 3 * s)
                x = std::max(x, w - 3 * s - 1); // the inside keeps its picture
        }
    }
}
