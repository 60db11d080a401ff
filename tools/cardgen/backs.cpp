// The fifteen back designs. The patterned ones (the two lattices and the dots) are computed
// pixel by pixel; the pictures are drawn with shapes on a fine canvas.
#include "backs_parts.h"
#include "cardset.h"

#include <array>

namespace cardgen {

namespace backs {

double TScatter::Next(double Low, double High) {
    // xorshift32
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return Low + (High - Low) * (state / 4294967296.0);
}

namespace {

constexpr int Margin = 4; // the lattices sit inside a white margin of pixels 1 to 3

int FloorDiv(int A, int B) {
    return A >= 0 ? A / B : -((-A + B - 1) / B);
}

// Where a position lies relative to the nearest band of a family of parallel bands.
struct TBandHit {
    int Index;  // which band
    int Offset; // -1 is the pixel just before it, 0 to Width - 1 inside, Width just after
};

using TShades = std::array<QRgb, 7>;

// Two families of bands woven over and under each other: at each crossing the band that is on
// top runs through, and the other stops short of it with a dark line, which makes the weave.
// A band's colour comes from its shades by the distance across it, for a rounded look.
// Positions, periods and widths are in output pixels: card pixels times the scale S, which the
// position functions get too.
template <typename FA, typename FB, typename FColour>
QImage Weave(int Period, int Width, QRgb Ground, FA PositionA, FB PositionB, FColour Colour) {
    const int s = OutputScale();
    const int period = Period * s;
    const int width = Width * s;
    QImage back(CardWidth * s, CardHeight * s, QImage::Format_RGB32);
    back.fill(White);
    const auto nearest = [&](int position) {
        const int index = FloorDiv(position + s, period);
        return TBandHit{index, position - index * period};
    };
    for (int y = Margin * s; y < (CardHeight - Margin) * s; ++y) {
        for (int x = Margin * s; x < (CardWidth - Margin) * s; ++x) {
            const TBandHit a = nearest(PositionA(x, y, s));
            const TBandHit b = nearest(PositionB(x, y, s));
            const bool inA = a.Offset >= 0 && a.Offset < width;
            const bool inB = b.Offset >= 0 && b.Offset < width;
            const bool besideA = a.Offset < 0 || (a.Offset >= width && a.Offset < width + s);
            const bool besideB = b.Offset < 0 || (b.Offset >= width && b.Offset < width + s);
            const bool aOnTop = ((a.Index + b.Index) & 1) == 0;
            QRgb c = Ground;
            if (inA && inB)
                c = aOnTop ? Colour(true, a.Index, a.Offset / s)
                           : Colour(false, b.Index, b.Offset / s);
            else if (inA)
                c = besideB && !aOnTop ? Black : Colour(true, a.Index, a.Offset / s);
            else if (inB)
                c = besideA && aOnTop ? Black : Colour(false, b.Index, b.Offset / s);
            back.setPixel(x, y, c);
        }
    }
    return back;
}

// Shades across a band of width w from its two edges to its middle.
QRgb Shade(const TShades& Shades, int Offset, int Width) {
    const int fromEdge = std::min(Offset, Width - 1 - Offset);
    return Shades[static_cast<size_t>(std::min(fromEdge, 6))];
}

} // namespace

QImage WovenDiagonal() {
    static const TShades red = {0xFF800000, 0xFFC80000, 0xFFFF3030, 0xFFFF7070,
                                0xFFFF7070, 0xFFFF7070, 0xFFFF7070};
    static const TShades blue = {0xFF000070, 0xFF0020C0, 0xFF2060FF, 0xFF70A0FF,
                                 0xFF70A0FF, 0xFF70A0FF, 0xFF70A0FF};
    constexpr int period = 10, width = 6;
    return Weave(
        period, width, Black, [](int x, int y, int) { return x + y; },
        [](int x, int y, int s) { return x - y + 200 * s; },
        [](bool first, int, int offset) { return Shade(first ? red : blue, offset, width); });
}

QImage WovenSquare() {
    static const TShades blue = {0xFF000080, 0xFF0030D0, 0xFF3070FF, 0xFF3070FF,
                                 0xFF3070FF, 0xFF3070FF, 0xFF3070FF};
    static const TShades yellow = {0xFF906000, 0xFFE0C000, 0xFFFFF060, 0xFFFFF060,
                                   0xFFFFF060, 0xFFFFF060, 0xFFFFF060};
    static const TShades green = {0xFF004000, 0xFF00A000, 0xFF40E040, 0xFF40E040,
                                  0xFF40E040, 0xFF40E040, 0xFF40E040};
    static const TShades cyan = {0xFF006060, 0xFF00C0C0, 0xFF80FFFF, 0xFF80FFFF,
                                 0xFF80FFFF, 0xFF80FFFF, 0xFF80FFFF};
    constexpr int period = 9, width = 6;
    return Weave(
        period, width, Black, [](int x, int, int s) { return x + 2 * s; },
        [](int, int y, int s) { return y + 2 * s; },
        [](bool across, int index, int offset) {
            const TShades& s =
                across ? ((index & 1) ? green : cyan) : ((index & 1) ? blue : yellow);
            return Shade(s, offset, width);
        });
}

QImage Dots() {
    const int s = OutputScale();
    QImage back(CardWidth * s, CardHeight * s, QImage::Format_RGB32);
    back.fill(White);
    // Two-pixel dots on a staggered grid.
    for (int row = 0; row * 5 + 3 < CardHeight - 2; ++row)
        for (int x = 3 + (row % 2) * 3; x + 2 < CardWidth - 2; x += 6)
            for (int dy = 0; dy < 2 * s; ++dy)
                for (int dx = 0; dx < 2 * s; ++dx)
                    back.setPixel(x * s + dx, (row * 5 + 3) * s + dy, Black);
    return back;
}

QImage BigX() {
    constexpr QRgb field = 0xFF008C00;
    TFineCanvas canvas(CardWidth, CardHeight, 0xFF006400);
    TArtist a(canvas.Painter());
    const QRectF inner(5, 5, CardWidth - 10, CardHeight - 10);
    a.Rect(3, 3, CardWidth - 6, CardHeight - 6, 0xFF004800);
    a.Rect(inner.x(), inner.y(), inner.width(), inner.height(), field);
    a.Painter().setClipRect(inner);
    QPainterPath x;
    x.moveTo(inner.topLeft());
    x.lineTo(inner.bottomRight());
    x.moveTo(inner.topRight());
    x.lineTo(inner.bottomLeft());
    a.Line(x, 18, 0xFF600000);
    a.Line(x, 15, 0xFFD80000);
    return canvas.Result();
}

QImage BigO() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFF006400);
    TArtist a(canvas.Painter());
    const QPointF c(CardWidth / 2.0, CardHeight / 2.0);
    a.Rect(3, 3, CardWidth - 6, CardHeight - 6, 0xFF004800);
    a.Rect(5, 5, CardWidth - 10, CardHeight - 10, 0xFF008C00);
    a.Ellipse(c, 30.5, 30.5, 0xFF003C00);
    a.Ellipse(c, 29, 29, 0xFF20D020);
    a.Ellipse(c - QPointF(1.5, 1.5), 25.5, 25.5, 0xFF80FF80);
    a.Ellipse(c, 25.5, 25.5, 0xFF20D020);
    a.Ellipse(c, 17.5, 17.5, 0xFF003C00);
    a.Ellipse(c, 16, 16, 0xFF008C00);
    return canvas.Result();
}

} // namespace backs

QImage DrawBack(TBack Back) {
    switch (Back) {
    case TBack::Default:
        return backs::WovenDiagonal();
    case TBack::Labyrinth:
        return backs::WovenSquare();
    case TBack::IvyBlack:
        return backs::Ivy(Black);
    case TBack::IvyBlue:
        return backs::Ivy(0xFF0020A0);
    case TBack::FishCyan:
        return backs::Fish(false);
    case TBack::FishBlue:
        return backs::Fish(true);
    case TBack::Hawai:
        return backs::Beach();
    case TBack::IceCream:
        return backs::IceCream();
    case TBack::Robot:
        return backs::Robot();
    case TBack::Tricky:
        return backs::Tricky();
    case TBack::Flower:
        return backs::Roses();
    case TBack::Castle:
        return backs::Castle();
    case TBack::X:
        return backs::BigX();
    case TBack::O:
        return backs::BigO();
    case TBack::Dots:
        break;
    }
    return backs::Dots();
}

} // namespace cardgen
