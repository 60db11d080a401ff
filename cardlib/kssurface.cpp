#include "kssurface.h"

#include "kscardimages.h"

#include <QPainter>
#include <algorithm>

TKsSurface::TKsSurface() : FBrushColor(Qt::white) {}

void TKsSurface::SetSize(int Width, int Height) {
    Width = std::max(Width, 0);
    Height = std::max(Height, 0);
    if (Width == FWidth && Height == FHeight)
        return;
    QImage resized;
    if (Width > 0 && Height > 0) {
        resized = QImage(Width, Height, QImage::Format_RGB32);
        resized.fill(FBrushColor);
        if (!FImage.isNull()) {
            QPainter p(&resized);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, FImage);
        }
    }
    FWidth = Width;
    FHeight = Height;
    FImage = std::move(resized);
    Changed();
}

void TKsSurface::Fill(const TKsRect& Rect) {
    const QRect r = Rect.ToQRect().intersected(FImage.rect());
    if (!r.isEmpty()) {
        const QRgb brush = FBrushColor.rgb();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(FImage.scanLine(y));
            std::fill(line + r.left(), line + r.left() + r.width(), brush);
        }
    }
    Changed();
}

void TKsSurface::CopyImage(const TKsCardImage& Picture, const TKsRect& Source,
                           const TKsRect& Dest) {
    const QImage& src = Picture.Image();
    // Only rows and columns inside both pictures are copied; clip once, not per pixel.
    const int dx0 = std::max({0, -Source.Left, -Dest.Left});
    const int dy0 = std::max({0, -Source.Top, -Dest.Top});
    const int dx1 = std::min(
        {Source.Width(), Dest.Width(), src.width() - Source.Left, FImage.width() - Dest.Left});
    const int dy1 = std::min(
        {Source.Height(), Dest.Height(), src.height() - Source.Top, FImage.height() - Dest.Top});
    const QRgb key = Picture.TransparentColor();
    const QRgb brush = FBrushColor.rgb();
    for (int dy = dy0; dx0 < dx1 && dy < dy1; ++dy) {
        const auto* in =
            reinterpret_cast<const QRgb*>(src.constScanLine(Source.Top + dy)) + Source.Left + dx0;
        auto* out = reinterpret_cast<QRgb*>(FImage.scanLine(Dest.Top + dy)) + Dest.Left + dx0;
        for (int n = 0; n < dx1 - dx0; ++n) {
            const QRgb pixel = in[n] | 0xFF000000u;
            out[n] = pixel == key ? brush : pixel;
        }
    }
    Changed();
}

void TKsSurface::Invert(const TKsRect& Rect) {
    const QRect r = Rect.ToQRect().intersected(FImage.rect());
    for (int y = r.top(); y <= r.bottom() && !r.isEmpty(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(FImage.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] ^= 0x00FFFFFFu;
    }
    Changed();
}

void TKsSurface::Changed() {
    if (OnChange)
        OnChange();
}
