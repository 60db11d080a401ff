#include "kscardimages.h"

#include "ksartset.h"
#include "ksdensity.h"
#include "kspicture.h"

#include <QFile>
#include <array>
#include <stdexcept>

namespace {

std::array<TKsCardImage, KsCardImageCount + 1> gImages; // index 0 unused
uint32_t gUsers = 0;
int gFaceStyle = fsPlain;
uint32_t gStyleAge = 1;

constexpr QRgb Magenta = 0xFFFF00FFu;
constexpr QRgb White = 0xFFFFFFFFu;

QString MemberPath(int N) {
    return ImageSetResource(ImageSetMember(N));
}

} // namespace

const QImage& TKsCardImage::Image(qreal DevicePixelRatio) const {
    const qreal ratio = DevicePixelRatio > 0 ? DevicePixelRatio : 1;
    if (FRatio == ratio && FStyleAge == gStyleAge)
        return FImage;
    FRatio = ratio;
    FStyleAge = gStyleAge;
    const int scale = KsArtScaleFor(ratio);
    const QSize size(KsCardWidth * scale, KsCardHeight * scale);
    QImage picture;
    if (FNumber >= 2) { // not the empty entry, nor one outside the store
        picture = KsReadPicture(ImageSetResource(ImageSetMember(FNumber), scale, gFaceStyle));
        if (picture.size() != size) {
            // The member was there when the store was loaded, so the resource is damaged: a
            // blank card keeps the game playable.
            qWarning("Card image %d cannot be decoded", FNumber);
            picture = QImage();
        }
    }
    if (picture.isNull()) {
        picture = QImage(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    FImage = picture.convertToFormat(QImage::Format_RGB32);
    if (FNumber >= 2)
        KsDrawCardOutline(FImage, FTransparentColor, scale);
    if (!qFuzzyCompare(ratio, qreal(scale)))
        FImage = KsReduceKeyed(
            FImage, QSize(KsDevicePixels(KsCardWidth, ratio), KsDevicePixels(KsCardHeight, ratio)),
            FTransparentColor);
    return FImage;
}

int CardFaceStyle() {
    return gFaceStyle;
}

void SetCardFaceStyle(int Style) {
    Style &= fsLargeIndices | fsFourColours;
    if (Style == gFaceStyle)
        return;
    gFaceStyle = Style;
    ++gStyleAge;
}

void AcquireCardImages() {
    if (gUsers == 0) {
        // A missing member is reported now, as when every picture was read here.
        for (int n = 2; n <= KsCardImageCount; ++n)
            if (!QFile::exists(MemberPath(n)))
                throw EKsResNotFound(
                    QStringLiteral("Resource %1 not found").arg(MemberPath(n)).toStdString());
        for (int n = 1; n <= KsCardImageCount; ++n)
            gImages[static_cast<size_t>(n)] =
                TKsCardImage(n, n == KsCardImageCount ? White : Magenta);
    }
    ++gUsers;
}

void ReleaseCardImages() {
    if (gUsers == 0)
        return;
    if (--gUsers == 0)
        gImages.fill(TKsCardImage{});
}

uint32_t CardImageUsers() {
    return gUsers;
}

const TKsCardImage* CardImage(int N) {
    if (N < 1 || N > KsCardImageCount || gUsers == 0)
        return nullptr;
    return &gImages[static_cast<size_t>(N)];
}

int BackImageNumber(int B) {
    return B >= cbDefault && B <= cbDots ? 56 + B : -1;
}

int ImageSetMember(int N) {
    int r = N;
    if (N == 14 || N == 27 || N == 40 || N == 53)
        r = N - 13;
    if (r >= 27 && r <= 39)
        r += 13;
    else if (r >= 40 && r <= 52)
        r -= 13;
    if (r >= 54)
        r -= 1;
    return r;
}

QString ImageSetResource(int M) {
    return ImageSetResource(M, 1, fsPlain);
}

QString ImageSetResource(int M, int Scale, int Style) {
    return KsArtResource(M, Scale, Style);
}

void DrawCardOutline(QImage& Picture, QRgb Transparent) {
    KsDrawCardOutline(Picture, Transparent, 1);
}
