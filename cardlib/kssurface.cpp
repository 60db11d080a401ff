#include "kssurface.h"

#include "kscardimages.h"
#include "ksdensity.h"

#include <algorithm>
#include <cstring>

namespace {

// The rows of a picture to write: it is made the surface's own once, not at every row as
// scanLine() checks.
class TRows {
public:
    explicit TRows(QImage& Image) : FBits(Image.bits()), FStride(Image.bytesPerLine()) {}
    QRgb* operator[](int Y) const { return reinterpret_cast<QRgb*>(FBits + Y * FStride); }

private:
    uchar* FBits;
    qsizetype FStride;
};

} // namespace

TKsSurface::TKsSurface() : FBrushColor(Qt::white) {}

void TKsSurface::SetSize(int Width, int Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == FWidth && Height == FHeight)
        return;
    Rebuild(Width, Height, FRatio);
    Changed();
}

void TKsSurface::SetDevicePixelRatio(qreal Ratio) {
    if (Ratio <= 0 || qFuzzyCompare(Ratio, FRatio))
        return;
    FImage = QImage();
    Rebuild(FWidth, FHeight, Ratio);
    Changed();
}

void TKsSurface::Rebuild(int Width, int Height, qreal Ratio) {
    QImage resized;
    if (Width > 0 && Height > 0) {
        resized = QImage(KsDevicePixels(Width, Ratio), KsDevicePixels(Height, Ratio),
                         QImage::Format_RGB32);
        resized.fill(FBrushColor);
        resized.setDevicePixelRatio(Ratio);
        // The existing pixels stay, anchored at the top-left corner.
        const int w = std::min(FImage.width(), resized.width());
        for (int y = 0; y < std::min(FImage.height(), resized.height()); ++y)
            std::memcpy(resized.scanLine(y), FImage.constScanLine(y), size_t(w) * 4);
    }
    FWidth = Width;
    FHeight = Height;
    FRatio = Ratio;
    FImage = std::move(resized);
}

QRect TKsSurface::DeviceRect(const QRect& Layout) const {
    return KsDeviceRect(Layout, FRatio);
}

void TKsSurface::Fill(const TKsRect& Rect) {
    const QRect r = DeviceRect(Rect.ToQRect()).intersected(FImage.rect());
    if (!r.isEmpty()) {
        const QRgb brush = FBrushColor.rgb();
        const TRows rows(FImage);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = rows[y];
            std::fill(line + r.left(), line + r.left() + r.width(), brush);
        }
    }
    Changed();
}

void TKsSurface::CopyImage(const TKsCardImage& Picture, const TKsRect& Source,
                           const TKsRect& Dest) {
    const QImage& src = Picture.Image(FRatio);
    // In device pixels: the picture is the art for this density, so its rectangle maps like the
    // destination; at a ratio between two densities they may differ by a pixel.
    const QRect from = DeviceRect(Source.ToQRect());
    const QRect to = DeviceRect(Dest.ToQRect());
    // Only rows and columns inside both pictures are copied; clip once, not per pixel.
    const int dx0 = std::max({0, -from.left(), -to.left()});
    const int dy0 = std::max({0, -from.top(), -to.top()});
    const int dx1 =
        std::min({from.width(), to.width(), src.width() - from.left(), FImage.width() - to.left()});
    const int dy1 = std::min(
        {from.height(), to.height(), src.height() - from.top(), FImage.height() - to.top()});
    const QRgb key = Picture.TransparentColor();
    const QRgb brush = FBrushColor.rgb();
    if (dx0 < dx1 && dy0 < dy1) {
        const TRows rows(FImage);
        for (int dy = dy0; dy < dy1; ++dy) {
            const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(from.top() + dy)) +
                             from.left() + dx0;
            QRgb* out = rows[to.top() + dy] + to.left() + dx0;
            for (int n = 0; n < dx1 - dx0; ++n) {
                const QRgb pixel = in[n] | 0xFF000000u;
                out[n] = pixel == key ? brush : pixel;
            }
        }
    }
    Changed();
}

void TKsSurface::Invert(const TKsRect& Rect) {
    const QRect r = DeviceRect(Rect.ToQRect()).intersected(FImage.rect());
    if (!r.isEmpty()) {
        const TRows rows(FImage);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = rows[y];
            for (int x = r.left(); x <= r.right(); ++x)
                line[x] ^= 0x00FFFFFFu;
        }
    }
    Changed();
}

void TKsSurface::Changed() {
    if (OnChange)
        OnChange();
}
