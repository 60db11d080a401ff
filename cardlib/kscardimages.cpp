#include "kscardimages.h"

#include <QPainter>
#include <array>
#include <stdexcept>

namespace {

std::array<TKsCardImage, KsCardImageCount + 1> gImages; // index 0 unused
uint32_t gUsers = 0;

constexpr QRgb Magenta = 0xFFFF00FFu;
constexpr QRgb White = 0xFFFFFFFFu;

TKsCardImage LoadImage(int N) {
    const QString path = ImageSetResource(ImageSetMember(N));
    QImage picture(path);
    if (picture.isNull())
        throw EKsResNotFound(QStringLiteral("Resource %1 not found").arg(path).toStdString());
    TKsCardImage entry;
    entry.Image = picture.convertToFormat(QImage::Format_RGB32);
    entry.TransparentColor = N == KsCardImageCount ? White : Magenta;
    DrawCardOutline(entry.Image, entry.TransparentColor);
    return entry;
}

} // namespace

void AcquireCardImages() {
    if (gUsers == 0) {
        std::array<TKsCardImage, KsCardImageCount + 1> loaded;
        loaded[1].Image = QImage(KsCardWidth, KsCardHeight, QImage::Format_RGB32);
        loaded[1].Image.fill(Qt::white);
        loaded[1].TransparentColor = Magenta;
        for (int n = 2; n <= KsCardImageCount; ++n)
            loaded[n] = LoadImage(n);
        gImages = std::move(loaded);
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
    return QStringLiteral(":/cards/%1.png").arg(M);
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
