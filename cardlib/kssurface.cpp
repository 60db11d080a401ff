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
    const QImage& src = Picture.Image;
    const int w = std::min(Source.Width(), Dest.Width());
    const int h = std::min(Source.Height(), Dest.Height());
    const QRgb key = Picture.TransparentColor;
    const QRgb brush = FBrushColor.rgb();
    // Rows and columns outside either picture are not copied.
    for (int dy = 0; dy < h; ++dy) {
        const int sy = Source.Top + dy, ty = Dest.Top + dy;
        if (sy < 0 || sy >= src.height() || ty < 0 || ty >= FImage.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(FImage.scanLine(ty));
        for (int dx = 0; dx < w; ++dx) {
            const int sx = Source.Left + dx, tx = Dest.Left + dx;
            if (sx < 0 || sx >= src.width() || tx < 0 || tx >= FImage.width())
                continue;
            const QRgb pixel = in[sx] | 0xFF000000u;
            out[tx] = pixel == key ? brush : pixel;
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
