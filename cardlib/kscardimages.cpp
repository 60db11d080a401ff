#include "kscardimages.h"

#include "kspicture.h"

#include <QFile>
#include <QPainter>
#include <array>
#include <stdexcept>

namespace {

std::array<TKsCardImage, KsCardImageCount + 1> gImages; // index 0 unused
uint32_t gUsers = 0;

constexpr QRgb Magenta = 0xFFFF00FFu;
constexpr QRgb White = 0xFFFFFFFFu;

QString MemberPath(int N) {
    return ImageSetResource(ImageSetMember(N));
}

} // namespace

const QImage& TKsCardImage::Image() const {
    if (FDecoded)
        return FImage;
    FDecoded = true;
    if (FNumber < 2) { // the empty entry, or one outside the store
        FImage = QImage(KsCardWidth, KsCardHeight, QImage::Format_RGB32);
        FImage.fill(Qt::white);
        return FImage;
    }
    QImage picture = KsReadPicture(MemberPath(FNumber));
    if (picture.isNull()) {
        // The member was there when the store was loaded, so the resource is damaged: a
        // blank card keeps the game playable.
        qWarning("Card image %d cannot be decoded", FNumber);
        picture = QImage(KsCardWidth, KsCardHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    FImage = picture.convertToFormat(QImage::Format_RGB32);
    DrawCardOutline(FImage, FTransparentColor);
    return FImage;
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
    return QStringLiteral(":/cards/%1.kspc").arg(M);
}

void DrawCardOutline(QImage& Picture, QRgb Transparent) {
    {
        QPainter p(&Picture);
        p.setPen(QPen(Qt::black, 0));
        const QPoint outline[] = {{2, 0},  {68, 0}, {70, 2}, {70, 93}, {68, 95},
                                  {2, 95}, {0, 93}, {0, 2},  {2, 0}};
        p.drawPolyline(outline, 9);
    }
    const QPoint corners[] = {{0, 0},  {1, 0},  {0, 1},  {69, 0},  {70, 0},  {70, 1},
                              {0, 94}, {0, 95}, {1, 95}, {69, 95}, {70, 95}, {70, 94}};
    for (const QPoint& c : corners)
        if (Picture.rect().contains(c))
            Picture.setPixel(c, Transparent);
}
