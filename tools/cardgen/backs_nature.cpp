// Backs with plants and animals: ivy, clownfish and roses.
#include "backs_parts.h"

#include <QTransform>
#include <cmath>
#include <numbers>

namespace cardgen::backs {

namespace {

QPointF At(qreal X, qreal Y) {
    return {X, Y};
}

// An ivy leaf with five pointed lobes, its stalk at the origin and its tip at (0, -1).
QPainterPath IvyLeaf() {
    QPainterPath leaf;
    const QPointF right[] = {{0.25, 0.02}, {0.62, -0.05}, {0.38, -0.33},
                             {0.8, -0.6},  {0.3, -0.62},  {0, -1.25}};
    leaf.moveTo(0, -0.15);
    for (const QPointF& p : right)
        leaf.lineTo(p);
    for (int i = 4; i >= 0; --i)
        leaf.lineTo(-right[i].x(), right[i].y());
    leaf.closeSubpath();
    return leaf;
}

void DrawLeaf(TArtist& a, QPointF Stalk, qreal Size, qreal Angle) {
    QTransform t;
    t.translate(Stalk.x(), Stalk.y());
    t.rotate(Angle);
    t.scale(Size, Size);
    const QPainterPath leaf = t.map(IvyLeaf());
    a.Fill(leaf, 0xFF008A00);
    // The lit half of the leaf.
    QPainterPath half;
    half.addRect(QRectF(-2, -2, 2, 3));
    a.Fill(leaf.intersected(t.map(half)), 0xFF30C030);
    QPainterPath veins;
    for (const QPointF& tip : {At(0, -1.05), At(0.62, -0.52), At(-0.62, -0.52)}) {
        veins.moveTo(t.map(At(0, -0.15)));
        veins.lineTo(t.map(tip * 0.85));
    }
    a.Line(veins, 0.8, 0xFF005000);
    a.Line(leaf, 0.8, 0xFF004000);
}

void Berries(TArtist& a, QPointF Centre, QRgb Colour, QRgb Dark, QRgb Light) {
    for (const QPointF d : {At(-1.7, 0.8), At(1.7, 0.8), At(0, -1.6)}) {
        a.Ellipse(Centre + d, 2.1, 2.1, Dark);
        a.Ellipse(Centre + d, 1.5, 1.5, Colour);
        a.Rect(Centre.x() + d.x() - 1, Centre.y() + d.y() - 1, 1, 1, Light);
    }
}

} // namespace

QImage Ivy(QRgb Ground) {
    TFineCanvas canvas(CardWidth, CardHeight, Ground);
    TArtist a(canvas.Painter());
    // Three climbing stems, each swaying; leaves alternate sides and berries sit between them.
    const qreal stems[] = {9, 35.5, 62};
    for (int s = 0; s < 3; ++s) {
        const qreal phase = s * 2.1;
        auto xAt = [&](qreal y) { return stems[s] + 4 * std::sin(y / 11 + phase); };
        QPainterPath stem(At(xAt(-4), -4));
        for (qreal y = -2; y <= CardHeight + 4; y += 2)
            stem.lineTo(xAt(y), y);
        a.Line(stem, 1.6, 0xFF604000);
        int n = 0;
        for (qreal y = 4 + s * 6; y < CardHeight + 8; y += 13, ++n) {
            const bool right = (n + s) % 2 == 0;
            const QPointF node(xAt(y), y);
            DrawLeaf(a, node, 10, right ? 55 : -55);
            if (n % 2 == 1) {
                const bool red = ((n / 2) + s) % 2 == 0;
                Berries(a, node + At(right ? -6 : 6, 5), red ? 0xFFE01010 : 0xFFFFD800,
                        red ? 0xFF700000 : 0xFF906000, red ? 0xFFFF9090 : 0xFFFFFFA0);
            }
        }
    }
    return canvas.Result();
}

namespace {

// A clownfish facing right, about 24 pixels long, centred on the origin.
void Clownfish(TArtist& a, const QTransform& T) {
    QPainterPath body;
    body.addEllipse(At(0, 0), 9, 5.5);
    QPainterPath tail;
    tail.moveTo(-7, 0);
    tail.lineTo(-13, -5);
    tail.quadTo(-11, 0, -13, 5);
    tail.closeSubpath();
    QPainterPath fin;
    fin.addEllipse(At(-1.5, -5), 5, 2.6);
    QPainterPath belly;
    belly.addEllipse(At(-1, 5), 3, 1.8);
    const QPainterPath fish = T.map(body.united(tail).united(fin).united(belly));
    a.Fill(fish, 0xFFF05000);
    a.Painter().save();
    a.Painter().setClipPath(fish);
    for (const qreal x : {4.0, -2.5, -8.5}) {
        QPainterPath band(At(x + 0.8, -8));
        band.quadTo(At(x - 1.2, 0), At(x + 0.8, 8));
        a.Line(T.map(band), 3.6 * std::sqrt(std::abs(T.determinant())), Black);
        a.Line(T.map(band), 2.2 * std::sqrt(std::abs(T.determinant())), White);
    }
    a.Painter().restore();
    a.Line(fish, 0.9, Black);
    a.Ellipse(T.map(At(5.8, -1.5)), 1.5, 1.5, White);
    a.Ellipse(T.map(At(6.1, -1.5)), 0.9, 0.9, Black);
}

QTransform Place(qreal X, qreal Y, qreal Scale, bool FacingLeft, qreal Angle = 0) {
    QTransform t;
    t.translate(X, Y);
    t.rotate(Angle);
    t.scale(FacingLeft ? -Scale : Scale, Scale);
    return t;
}

void Bubble(TArtist& a, QPointF At, qreal R) {
    QPainterPath ring;
    ring.addEllipse(At, R, R);
    a.Line(ring, 0.8, White);
}

void Seaweed(TArtist& a, qreal X, qreal Height, qreal Phase) {
    QPainterPath frond(At(X, CardHeight + 2));
    for (qreal h = 0; h <= Height; h += 2)
        frond.lineTo(X + 3 * std::sin(h / 6 + Phase), CardHeight - h);
    a.Line(frond, 4.5, 0xFF005020);
    a.Line(frond, 2.5, 0xFF10B040);
}

} // namespace

QImage Fish(bool Seaweed) {
    const QRgb water = Seaweed ? 0xFF0030B0 : 0xFF00C8D8;
    TFineCanvas canvas(CardWidth, CardHeight, water);
    TArtist a(canvas.Painter());
    // Deeper water darker.
    const QRgb deeper = Seaweed ? 0xFF002090 : 0xFF00B0C8;
    a.Rect(0, 64, CardWidth, CardHeight, deeper);
    if (Seaweed) {
        a.Ellipse(At(35.5, 104), 60, 14, 0xFFC8B060);
        backs::TScatter scatter(7);
        for (const qreal x : {7.0, 17.0, 27.0, 52.0, 63.0})
            backs::Seaweed(a, x, scatter.Next(40, 70), scatter.Next(0, 6));
        Clownfish(a, Place(40, 26, 1.15, false, -8));
        Clownfish(a, Place(31, 56, 1.0, true, 6));
        Bubble(a, At(56, 12), 1.6);
        Bubble(a, At(59, 6), 1.1);
        Bubble(a, At(14, 40), 1.4);
    } else {
        Clownfish(a, Place(24, 17, 0.95, false, -6));
        Clownfish(a, Place(48, 40, 1.05, true, 4));
        Clownfish(a, Place(22, 63, 0.9, false, 8));
        Clownfish(a, Place(48, 83, 0.95, true, -5));
        Bubble(a, At(9, 36), 1.5);
        Bubble(a, At(12, 30), 1.0);
        Bubble(a, At(62, 60), 1.6);
        Bubble(a, At(59, 54), 1.1);
        Bubble(a, At(40, 6), 1.2);
    }
    return canvas.Result();
}

namespace {

void Rose(TArtist& a, QPointF C, qreal R) {
    constexpr QRgb dark = 0xFF800000, red = 0xFFD80010, light = 0xFFFF6060;
    a.Ellipse(C, R, R, dark);
    // Outer petals round the edge.
    for (int i = 0; i < 6; ++i) {
        const qreal angle = i * std::numbers::pi / 3 + 0.3;
        const QPointF p = C + QPointF(std::cos(angle), std::sin(angle)) * R * 0.45;
        a.Ellipse(p, R * 0.52, R * 0.52, red);
        a.Line(QPainterPath([&] {
                   QPainterPath arc;
                   arc.arcMoveTo(QRectF(p - At(R * 0.52, R * 0.52), QSizeF(R * 1.04, R * 1.04)),
                                 -angle * 180 / std::numbers::pi + 60);
                   arc.arcTo(QRectF(p - At(R * 0.52, R * 0.52), QSizeF(R * 1.04, R * 1.04)),
                             -angle * 180 / std::numbers::pi + 60, -120);
                   return arc;
               }()),
               0.9, dark);
    }
    // The tight spiral of the bud in the middle.
    a.Ellipse(C, R * 0.5, R * 0.5, red);
    QPainterPath spiral(C);
    for (qreal t = 0; t < 4 * std::numbers::pi; t += 0.2) {
        const qreal r = R * 0.5 * t / (4 * std::numbers::pi);
        spiral.lineTo(C + QPointF(std::cos(t), std::sin(t)) * r);
    }
    a.Line(spiral, 0.9, dark);
    QPainterPath shine;
    shine.arcMoveTo(QRectF(C - At(R * 0.8, R * 0.8), QSizeF(R * 1.6, R * 1.6)), 100);
    shine.arcTo(QRectF(C - At(R * 0.8, R * 0.8), QSizeF(R * 1.6, R * 1.6)), 100, 60);
    a.Line(shine, 1, light);
}

void RoseLeaf(TArtist& a, QPointF Base, qreal Length, qreal Angle) {
    QTransform t;
    t.translate(Base.x(), Base.y());
    t.rotate(Angle);
    QPainterPath leaf(At(0, 0));
    leaf.quadTo(At(Length * 0.5, -Length * 0.4), At(Length, 0));
    leaf.quadTo(At(Length * 0.5, Length * 0.4), At(0, 0));
    a.Fill(t.map(leaf), 0xFF009000);
    QPainterPath upper(At(0, 0));
    upper.quadTo(At(Length * 0.5, -Length * 0.4), At(Length, 0));
    upper.closeSubpath();
    a.Fill(t.map(upper), 0xFF30C030);
    QPainterPath rib(At(0, 0));
    rib.lineTo(Length * 0.9, 0);
    a.Line(t.map(rib), 0.8, 0xFF004800);
    a.Line(t.map(leaf), 0.7, 0xFF004800);
}

} // namespace

QImage Roses() {
    TFineCanvas canvas(CardWidth, CardHeight, Black);
    TArtist a(canvas.Painter());
    struct TRose {
        QPointF At;
        qreal R;
        qreal LeafAngle; // the pair of leaves points this way from the bloom
    };
    const TRose roses[] = {{{17, 15}, 10, 60},  {{54, 24}, 11, 120}, {{27, 48}, 12, 40},
                           {{58, 64}, 10, 110}, {{16, 80}, 10, 20},  {{47, 92}, 9, 150},
                           {{-2, 46}, 8, 10},   {{73, 44}, 8, 170}};
    // Leaves first, in pairs beside each bloom, then the blooms over them.
    for (const TRose& r : roses) {
        for (const qreal spread : {-38.0, 38.0}) {
            const qreal angle = (r.LeafAngle + spread) * std::numbers::pi / 180;
            const QPointF base = r.At + QPointF(std::cos(angle), std::sin(angle)) * r.R * 0.6;
            RoseLeaf(a, base, r.R * 1.3, r.LeafAngle + spread);
        }
    }
    for (const TRose& r : roses)
        Rose(a, r.At, r.R);
    return canvas.Result();
}

} // namespace cardgen::backs
