// Backs with scenes and objects: the beach, the ice-cream cone, the toy robot, the sleeve full
// of cards and the castle at night.
#include "backs_parts.h"
#include "cardset.h"

#include <QTransform>
#include <cmath>
#include <numbers>

namespace cardgen::backs {

namespace {

QPointF At(qreal X, qreal Y) {
    return {X, Y};
}

// Horizontal bands of colour from Top downwards, each Height high: a stepped gradient in the
// manner of palette pictures.
void Bands(TArtist& a, qreal Top, qreal Height, std::initializer_list<QRgb> Colours) {
    qreal y = Top;
    for (const QRgb c : Colours) {
        a.Rect(0, y, CardWidth, Height, c);
        y += Height;
    }
}

} // namespace

QImage Beach() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFF60B0F0);
    TArtist a(canvas.Painter());
    Bands(a, 0, 9, {0xFF3C96E6, 0xFF50A6EE, 0xFF64B6F4, 0xFF7CC6F8, 0xFF94D4FA, 0xFFACE0FC});
    // The sun with its rays.
    const QPointF sun(51, 17);
    for (int i = 0; i < 12; ++i) {
        const qreal t = i * std::numbers::pi / 6;
        a.Line(sun + At(std::cos(t), std::sin(t)) * 10, sun + At(std::cos(t), std::sin(t)) * 14,
               1.6, 0xFFFFE040);
    }
    a.Ellipse(sun, 8.5, 8.5, 0xFFFF9000);
    a.Ellipse(sun, 7.5, 7.5, 0xFFFFE000);
    a.Ellipse(sun - At(2, 2), 3, 3, 0xFFFFFF90);
    // The sea with rows of waves.
    a.Rect(0, 54, CardWidth, 20, 0xFF0070D0);
    a.Rect(0, 54, CardWidth, 3, 0xFF0050A8);
    for (int row = 0; row < 4; ++row) {
        const qreal y = 60 + row * 4;
        for (qreal x = -4 + (row % 2) * 5; x < CardWidth; x += 10) {
            QPainterPath wave(At(x, y + 1));
            wave.quadTo(At(x + 2.5, y - 1.5), At(x + 5, y + 1));
            a.Line(wave, 0.9, row < 2 ? 0xFF50A8F0 : 0xFFA0E0FF);
        }
    }
    // A sail on the horizon.
    a.Polygon({At(14, 44), At(14, 53), At(8, 53)}, White);
    a.Polygon({At(15, 46), At(15, 53), At(19, 53)}, 0xFFE0E0E0);
    a.Rect(8, 53, 12, 2, 0xFF803000);
    // Sand with the surf along its edge.
    QPainterPath beach(At(0, 74));
    beach.quadTo(At(35, 68), At(CardWidth, 76));
    beach.lineTo(CardWidth, CardHeight);
    beach.lineTo(0, CardHeight);
    beach.closeSubpath();
    a.Fill(beach, 0xFFF0D080);
    a.Line(QPainterPath([] {
               QPainterPath surf(At(0, 74));
               surf.quadTo(At(35, 68), At(CardWidth, 76));
               return surf;
           }()),
           1.6, White);
    a.Ellipse(At(50, 88), 10, 3, 0xFFD8B060);
    a.Ellipse(At(14, 92), 7, 2, 0xFFD8B060);
    // The palm: a leaning ringed trunk and drooping fronds.
    QPainterPath trunk(At(26, 92));
    trunk.cubicTo(At(22, 70), At(16, 50), At(24, 30));
    a.Line(trunk, 5, 0xFF603000);
    a.Line(trunk, 3, 0xFFA06020);
    for (qreal t = 0.08; t < 0.95; t += 0.09) {
        const QPointF p = trunk.pointAtPercent(t);
        a.Line(p - At(2.5, 0), p + At(2.5, 0), 0.9, 0xFF603000);
    }
    const QPointF crown(24, 30);
    const qreal fronds[][2] = {{-165, 24}, {-130, 22}, {-95, 16}, {-60, 22},
                               {-20, 24},  {10, 20},   {160, 20}};
    for (const auto& f : fronds) {
        const qreal angle = f[0] * std::numbers::pi / 180;
        const qreal length = f[1];
        const QPointF dir(std::cos(angle), std::sin(angle));
        const QPointF tip = crown + dir * length + At(0, length * 0.45);
        const QPointF bend = crown + dir * length * 0.6 - At(0, length * 0.15);
        QPainterPath frond(crown);
        frond.quadTo(bend, tip);
        a.Line(frond, 4.2, 0xFF006000);
        a.Line(frond, 2.4, 0xFF20B020);
    }
    a.Ellipse(crown + At(-2, 3), 2, 2, 0xFF603000);
    a.Ellipse(crown + At(2, 3.5), 2, 2, 0xFF502800);
    return canvas.Result();
}

QImage IceCream() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFFB0E0FF);
    TArtist a(canvas.Painter());
    // A light checked cloth behind.
    for (int y = 0; y < CardHeight; y += 8)
        for (int x = (y / 8) % 2 * 8; x < CardWidth; x += 16)
            a.Rect(x, y, 8, 8, 0xFFC8ECFF);
    const qreal cx = CardWidth / 2.0;
    // The waffle cone.
    QPainterPath cone;
    cone.moveTo(cx - 15, 52);
    cone.lineTo(cx + 15, 52);
    cone.lineTo(cx, 92);
    cone.closeSubpath();
    a.Fill(cone, 0xFFE0A040);
    a.Painter().save();
    a.Painter().setClipPath(cone);
    for (qreal d = -40; d < 60; d += 5) {
        a.Line(At(cx - 20 + d, 50), At(cx + 20 + d, 94), 0.9, 0xFF905010);
        a.Line(At(cx + 20 - d, 50), At(cx - 20 - d, 94), 0.9, 0xFF905010);
    }
    a.Painter().restore();
    a.Line(cone, 1, 0xFF704000);
    // Three scoops, each with a dripping rim, and a cherry.
    struct TScoop {
        QPointF Centre;
        qreal R;
        QRgb Colour, Dark, Light;
    };
    const TScoop scoops[] = {
        {{cx, 48}, 15, 0xFFFF80B0, 0xFFC04070, 0xFFFFC0DC},
        {{cx - 1, 33}, 13, 0xFF80E0A0, 0xFF309050, 0xFFC0FFD0},
        {{cx + 1, 20}, 11, 0xFF905020, 0xFF502800, 0xFFC08050},
    };
    for (const TScoop& s : scoops) {
        a.Ellipse(s.Centre, s.R + 1, s.R * 0.8 + 1, s.Dark);
        a.Ellipse(s.Centre, s.R, s.R * 0.8, s.Colour);
        for (int i = -2; i <= 2; ++i)
            a.Ellipse(s.Centre + At(i * s.R * 0.38, s.R * 0.62), s.R * 0.22, s.R * 0.3, s.Colour);
        a.Ellipse(s.Centre - At(s.R * 0.35, s.R * 0.35), s.R * 0.28, s.R * 0.18, s.Light);
    }
    // Sprinkles in many colours.
    TScatter scatter(11);
    const QRgb sprinkles[] = {0xFFFF2020, 0xFFFFE000, 0xFF2060FF, White, 0xFF20C020, 0xFFFF8000};
    for (int i = 0; i < 26; ++i) {
        const TScoop& s = scoops[i % 3];
        const qreal angle = scatter.Next(0, 2 * std::numbers::pi);
        const qreal dist = scatter.Next(0.15, 0.7) * s.R;
        const QPointF p = s.Centre + At(std::cos(angle) * dist, std::sin(angle) * dist * 0.7);
        const qreal tilt = scatter.Next(0, std::numbers::pi);
        a.Line(p, p + At(std::cos(tilt), std::sin(tilt)) * 2.2, 1.1, sprinkles[i % 6]);
    }
    a.Line(At(cx + 1, 6), At(cx + 5, 1), 1, 0xFF206000);
    a.Ellipse(At(cx + 1, 8.5), 3.4, 3.4, 0xFF900000);
    a.Ellipse(At(cx + 1, 8.5), 2.6, 2.6, 0xFFE00000);
    a.Rect(cx - 0.5, 7, 1, 1, White);
    return canvas.Result();
}

QImage Robot() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFF1838B0);
    TArtist a(canvas.Painter());
    // A faint grid on the blue.
    for (int i = 4; i < CardHeight; i += 8) {
        a.Rect(0, i, CardWidth, 1, 0xFF2848C8);
        a.Rect(i, 0, 1, CardHeight, 0xFF2848C8);
    }
    constexpr QRgb red = 0xFFE01818, dark = 0xFF800000, light = 0xFFFF7070;
    constexpr QRgb steel = 0xFFB0B0B8, shadow = 0xFF606068;
    auto box = [&](QRectF r, QRgb fill) {
        a.Rect(r.x() - 1, r.y() - 1, r.width() + 2, r.height() + 2, Black);
        a.Rect(r.x(), r.y(), r.width(), r.height(), fill);
    };
    // Antenna.
    a.Line(At(35.5, 14), At(35.5, 6), 1.4, steel);
    a.Ellipse(At(35.5, 5), 2.4, 2.4, 0xFFFFE000);
    // Legs and feet.
    box({26, 68, 6, 15}, steel);
    box({39, 68, 6, 15}, steel);
    for (qreal y = 70; y < 82; y += 3) {
        a.Rect(26, y, 6, 1, shadow);
        a.Rect(39, y, 6, 1, shadow);
    }
    box({22, 83, 12, 6}, red);
    box({37, 83, 12, 6}, red);
    // Arms with pincers.
    for (const int side : {-1, 1}) {
        const qreal x = 35.5 + side * 19.5;
        box({x - 2.5, 38, 5, 22}, steel);
        for (qreal y = 40; y < 59; y += 3)
            a.Rect(x - 2.5, y, 5, 1, shadow);
        a.Line(At(x - 2, 61), At(x - 3.5, 66), 1.8, red);
        a.Line(At(x + 2, 61), At(x + 3.5, 66), 1.8, red);
    }
    // Body with a panel of dials and lights.
    box({19, 36, 33, 33}, red);
    a.Rect(19, 36, 33, 2, light);
    a.Rect(49, 38, 3, 31, dark);
    box({24, 42, 22, 18}, 0xFF303038);
    a.Ellipse(At(30, 48), 3.5, 3.5, steel);
    a.Line(At(30, 48), At(32, 46), 1, Black);
    a.Ellipse(At(40, 48), 3.5, 3.5, steel);
    a.Line(At(40, 48), At(38, 46), 1, Black);
    a.Rect(26, 55, 3, 2, 0xFF20E020);
    a.Rect(31, 55, 3, 2, 0xFFFFE000);
    a.Rect(36, 55, 3, 2, 0xFFFF3030);
    a.Rect(41, 55, 3, 2, 0xFF40A0FF);
    a.Rect(25, 63, 20, 2, dark);
    // Neck and head: eyes, ears and a grille of a mouth.
    box({31, 33, 9, 3}, steel);
    box({23, 14, 25, 19}, red);
    a.Rect(23, 14, 25, 2, light);
    a.Rect(45, 16, 3, 17, dark);
    box({20, 19, 3, 8}, steel);
    box({48, 19, 3, 8}, steel);
    a.Ellipse(At(29.5, 21.5), 3.6, 3.6, Black);
    a.Ellipse(At(41.5, 21.5), 3.6, 3.6, Black);
    a.Ellipse(At(29.5, 21.5), 2.8, 2.8, 0xFFFFE000);
    a.Ellipse(At(41.5, 21.5), 2.8, 2.8, 0xFFFFE000);
    a.Rect(29, 21, 2, 2, Black);
    a.Rect(41, 21, 2, 2, Black);
    box({28, 27, 15, 4}, 0xFF303038);
    for (qreal x = 30; x < 42; x += 3)
        a.Rect(x, 27, 1, 4, steel);
    return canvas.Result();
}

namespace {

// A small face-up card, for the sleeve's trick.
void LittleCard(TArtist& a, QPointF Centre, qreal Angle, TSuit Suit) {
    QTransform t;
    t.translate(Centre.x(), Centre.y());
    t.rotate(Angle);
    QPainterPath edge;
    edge.addRoundedRect(QRectF(-7.5, -10.5, 15, 21), 1.5, 1.5);
    QPainterPath face;
    face.addRoundedRect(QRectF(-6.5, -9.5, 13, 19), 1, 1);
    a.Fill(t.map(edge), Black);
    a.Fill(t.map(face), White);
    const QRgb ink = IsRed(Suit) ? SuitRed : Black;
    a.Fill(t.map(FitPath(SuitPath(Suit), QRectF(-4, -4.5, 8, 9))), ink);
    a.Fill(t.map(FitPath(SuitPath(Suit), QRectF(-6, -9, 3, 3.5))), ink);
}

} // namespace

QImage Tricky() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFFFFE000);
    TArtist a(canvas.Painter());
    // The sleeve comes in from the bottom left corner; its own axis runs along x from the
    // cuff at the origin, so the cards are placed along that axis.
    QTransform t;
    t.translate(30, 62);
    t.rotate(-48);
    // Rays behind, to make the trick look grand.
    const QPointF from = t.map(At(4, 0));
    for (int i = 0; i < 16; i += 2) {
        const qreal t0 = i * std::numbers::pi / 8, t1 = (i + 1) * std::numbers::pi / 8;
        a.Polygon({from, from + At(std::cos(t0), std::sin(t0)) * 120,
                   from + At(std::cos(t1), std::sin(t1)) * 120},
                  0xFFFFF070);
    }
    // Cards streaming out of the cuff and fanning apart as they fly.
    struct TFlight {
        QPointF At;
        qreal Angle;
        TSuit Suit;
    };
    const TFlight flights[] = {{{31, 12}, -12, TSuit::Diamond}, {{57, 17}, 32, TSuit::Club},
                               {{14, 27}, -38, TSuit::Heart},   {{44, 27}, 8, TSuit::Spade},
                               {{56, 45}, 40, TSuit::Diamond},  {{27, 38}, -18, TSuit::Club},
                               {{40, 51}, 12, TSuit::Heart}};
    for (const TFlight& f : flights)
        LittleCard(a, f.At, f.Angle, f.Suit);
    // The striped sleeve, shaded along its lower side, ending in a white cuff.
    QPainterPath sleeve;
    sleeve.addRect(QRectF(-70, -11, 70, 22));
    const QPainterPath tube = t.map(sleeve);
    a.Fill(tube, 0xFFD01010);
    a.Painter().save();
    a.Painter().setClipPath(tube);
    for (qreal x = -70; x < 0; x += 9) {
        QPainterPath stripe;
        stripe.addRect(QRectF(x, -12, 4.5, 24));
        a.Fill(t.map(stripe), White);
    }
    QPainterPath shade;
    shade.addRect(QRectF(-70, 6, 70, 6));
    a.Fill(t.map(shade), 0xFF700000);
    a.Painter().restore();
    a.Line(tube, 1, 0xFF500000);
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(-5, -12.5, 6, 25), 2, 2);
    a.Fill(t.map(cuff), White);
    a.Line(t.map(cuff), 1, 0xFF606060);
    QPainterPath opening;
    opening.addEllipse(At(1, 0), 1.6, 10);
    a.Fill(t.map(opening), 0xFF301010);
    return canvas.Result();
}

QImage Castle() {
    TFineCanvas canvas(CardWidth, CardHeight, 0xFF080828);
    TArtist a(canvas.Painter());
    Bands(a, 0, 10,
          {0xFF04041C, 0xFF080828, 0xFF0C0C36, 0xFF121244, 0xFF181852, 0xFF202060, 0xFF28286C});
    // Stars.
    TScatter scatter(5);
    for (int i = 0; i < 34; ++i) {
        const qreal x = scatter.Next(2, CardWidth - 2), y = scatter.Next(2, 58);
        a.Rect(std::floor(x), std::floor(y), 1, 1, i % 5 == 0 ? 0xFFFFFFA0 : 0xFFC0C0E0);
    }
    // The moon with a few darker patches.
    const QPointF moon(47, 22);
    a.Ellipse(moon, 13, 13, 0xFF303078);
    a.Ellipse(moon, 11.5, 11.5, 0xFFFFF4B0);
    a.Ellipse(moon + At(-4, -2), 2.5, 2, 0xFFE0D490);
    a.Ellipse(moon + At(3, 4), 3, 2.5, 0xFFE0D490);
    a.Ellipse(moon + At(4, -5), 1.5, 1.5, 0xFFE0D490);
    // Bats: two wings of scalloped edges around a small body.
    auto bat = [&](QPointF c, qreal s) {
        QPainterPath wings(c);
        wings.quadTo(c + At(-3, -3) * s, c + At(-7, -2) * s);
        wings.quadTo(c + At(-5.5, -0.5) * s, c + At(-5, 1) * s);
        wings.quadTo(c + At(-3.5, -0.5) * s, c + At(-2.5, 1) * s);
        wings.quadTo(c + At(-1.2, 0) * s, c);
        wings.quadTo(c + At(1.2, 0) * s, c + At(2.5, 1) * s);
        wings.quadTo(c + At(3.5, -0.5) * s, c + At(5, 1) * s);
        wings.quadTo(c + At(5.5, -0.5) * s, c + At(7, -2) * s);
        wings.quadTo(c + At(3, -3) * s, c);
        wings.closeSubpath();
        a.Fill(wings, Black);
        a.Ellipse(c + At(0, 0.2) * s, 1.3 * s, 1.6 * s, Black);
    };
    bat(At(44, 20), 1.2);
    bat(At(20, 14), 1.0);
    bat(At(30, 32), 0.8);
    bat(At(60, 40), 0.8);
    // The hill.
    QPainterPath hill(At(0, 70));
    hill.cubicTo(At(15, 56), At(50, 56), At(CardWidth, 68));
    hill.lineTo(CardWidth, CardHeight);
    hill.lineTo(0, CardHeight);
    hill.closeSubpath();
    a.Fill(hill, 0xFF0C2010);
    a.Line(QPainterPath([] {
               QPainterPath path(At(36, 96));
               path.cubicTo(At(28, 86), At(44, 78), At(35, 62));
               return path;
           }()),
           1.6, 0xFF2A2A20);
    // The castle: a keep between two towers with pointed roofs, a few lit windows.
    constexpr QRgb stone = 0xFF30303C, roof = 0xFF1C1C26, lit = 0xFFFFD840;
    auto battlements = [&](qreal x, qreal y, qreal w) {
        for (qreal bx = x; bx < x + w - 1; bx += 3)
            a.Rect(bx, y - 2, 2, 2, stone);
    };
    a.Rect(24, 42, 23, 22, stone);
    battlements(24, 42, 23);
    a.Rect(14, 36, 9, 28, stone);
    a.Rect(48, 36, 9, 28, stone);
    a.Polygon({At(13, 36), At(18.5, 24), At(24, 36)}, roof);
    a.Polygon({At(47, 36), At(52.5, 24), At(58, 36)}, roof);
    a.Rect(32, 30, 7, 12, stone);
    a.Polygon({At(31, 30), At(35.5, 20), At(40, 30)}, roof);
    a.Line(At(35.5, 20), At(35.5, 15), 0.8, stone);
    a.Polygon({At(35.5, 15), At(39, 16), At(35.5, 17)}, 0xFFB02020);
    QPainterPath gate;
    gate.addRect(QRectF(32.5, 56, 6, 8));
    gate.addEllipse(At(35.5, 56), 3, 3);
    a.Fill(gate, Black);
    for (const QPointF w : {At(17, 42), At(51, 42), At(17, 52), At(28, 47), At(42, 47), At(35, 34)})
        a.Rect(w.x(), w.y(), 2, 3, lit);
    return canvas.Result();
}

} // namespace cardgen::backs
