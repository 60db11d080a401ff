#include "raster.h"

#include <QPainterPath>
#include <QtGlobal>
#include <algorithm>
#include <utility>
#include <vector>

namespace cardgen {

namespace {

TDrawSettings gSettings;

} // namespace

const TDrawSettings& DrawSettings() {
    return gSettings;
}

TDrawScope::TDrawScope(const TDrawSettings& Settings) : FPrevious(gSettings) {
    gSettings = Settings;
}

TDrawScope::~TDrawScope() {
    gSettings = FPrevious;
}

TFineCanvas::TFineCanvas(int Width, int Height, QRgb Background)
    : fine(Width * OutputScale() * FineSamples, Height * OutputScale() * FineSamples,
           QImage::Format_RGB32) {
    fine.fill(Background);
    painter.emplace(&fine);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->scale(FineSamples * OutputScale(), FineSamples * OutputScale());
}

QImage TFineCanvas::Result() {
    painter.reset();
    return MajorityDownsample(fine, FineSamples);
}

namespace {

int Luminance(QRgb C) {
    return qRed(C) * 299 + qGreen(C) * 587 + qBlue(C) * 114;
}

} // namespace

void TArtist::Rect(qreal X, qreal Y, qreal W, qreal H, QRgb Colour) {
    p.fillRect(QRectF(X, Y, W, H), QColor(Colour));
}

void TArtist::Polygon(std::initializer_list<QPointF> Points, QRgb Colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Colour));
    p.drawPolygon(Points.begin(), static_cast<int>(Points.size()));
}

void TArtist::Ellipse(QPointF Centre, qreal Rx, qreal Ry, QRgb Colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Colour));
    p.drawEllipse(Centre, Rx, Ry);
}

void TArtist::Fill(const QPainterPath& Path, QRgb Colour) {
    p.fillPath(Path, QColor(Colour));
}

void TArtist::Line(const QPainterPath& Path, qreal Width, QRgb Colour) {
    QPen pen{QColor(Colour)};
    pen.setWidthF(Width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(Path);
    p.setPen(Qt::NoPen);
}

void TArtist::Line(QPointF From, QPointF To, qreal Width, QRgb Colour) {
    QPainterPath path(From);
    path.lineTo(To);
    Line(path, Width, Colour);
}

QImage MajorityDownsample(const QImage& Fine, int Factor) {
    const QImage source = Fine.convertToFormat(QImage::Format_RGB32);
    QImage out(source.width() / Factor, source.height() / Factor, QImage::Format_RGB32);
    // A block holds at most Factor * Factor distinct colours.
    std::vector<std::pair<QRgb, int>> counts;
    counts.reserve(static_cast<size_t>(Factor * Factor));
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            counts.clear();
            for (int fy = 0; fy < Factor; ++fy) {
                const auto* line =
                    reinterpret_cast<const QRgb*>(source.constScanLine(y * Factor + fy));
                for (int fx = 0; fx < Factor; ++fx) {
                    const QRgb c = line[x * Factor + fx];
                    auto it = std::find_if(counts.begin(), counts.end(),
                                           [c](const auto& e) { return e.first == c; });
                    if (it == counts.end())
                        counts.emplace_back(c, 1);
                    else
                        ++it->second;
                }
            }
            auto best = counts.front();
            for (const auto& e : counts)
                if (e.second > best.second ||
                    (e.second == best.second && Luminance(e.first) < Luminance(best.first)))
                    best = e;
            out.setPixel(x, y, best.first);
        }
    }
    return out;
}

QImage RenderMask(QSize Size, const std::function<void(QPainter&)>& Draw) {
    TFineCanvas canvas(Size.width(), Size.height(), White);
    QPainter& p = canvas.Painter();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    Draw(p);
    const QImage drawn = canvas.Result();
    QImage mask(drawn.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < drawn.height(); ++y) {
        uchar* line = mask.scanLine(y);
        for (int x = 0; x < drawn.width(); ++x)
            line[x] = drawn.pixel(x, y) == White ? 0 : 255;
    }
    return mask;
}

namespace {

// Stamp with At in output pixels.
void StampAt(QImage& Target, const QImage& Mask, QPoint At, QRgb Colour, bool UpsideDown) {
    const int w = Mask.width();
    const int h = Mask.height();
    for (int y = 0; y < h; ++y) {
        const uchar* line = Mask.constScanLine(UpsideDown ? h - 1 - y : y);
        for (int x = 0; x < w; ++x) {
            if (line[UpsideDown ? w - 1 - x : x] == 0)
                continue;
            const QPoint p = At + QPoint(x, y);
            if (Target.rect().contains(p))
                Target.setPixel(p, Colour);
        }
    }
}

} // namespace

void Stamp(QImage& Target, const QImage& Mask, QPoint At, QRgb Colour, bool UpsideDown) {
    StampAt(Target, Mask, At * OutputScale(), Colour, UpsideDown);
}

void StampBothWays(QImage& Card, const QImage& Mask, QPoint At, QRgb Colour) {
    const QPoint at = At * OutputScale();
    StampAt(Card, Mask, at, Colour, false);
    const QPoint turned(Card.width() - at.x() - Mask.width(),
                        Card.height() - at.y() - Mask.height());
    StampAt(Card, Mask, turned, Colour, true);
}

void MirrorTopHalf(QImage& Card) {
    const int w = Card.width();
    const int h = Card.height();
    for (int y = (h + 1) / 2; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Card.setPixel(x, y, Card.pixel(w - 1 - x, h - 1 - y));
}

void ReplaceColour(QImage& Picture, QRgb From, QRgb To) {
    for (int y = 0; y < Picture.height(); ++y)
        for (int x = 0; x < Picture.width(); ++x)
            if (Picture.pixel(x, y) == From)
                Picture.setPixel(x, y, To);
}

} // namespace cardgen
